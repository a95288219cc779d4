#include "dravik/search/large_block.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <utility>

namespace dravik::search {

namespace {
constexpr std::size_t HugePage = std::size_t(2) << 20;
}

LargeBlock::LargeBlock(std::size_t size) {
    size = (size + HugePage - 1) / HugePage * HugePage;
    // Over-ask by one huge page, so the block can start on a huge-page boundary.
    void* raw = ::mmap(nullptr, size + HugePage, PROT_READ | PROT_WRITE,
                       MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    const auto begin = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t aligned = (begin + HugePage - 1) / HugePage * HugePage;
    if (aligned > begin)
        ::munmap(raw, aligned - begin);
    if (const std::size_t tail = begin + size + HugePage - (aligned + size); tail > 0)
        ::munmap(reinterpret_cast<void*>(aligned + size), tail);
    data_ = reinterpret_cast<char*>(aligned);
    size_ = size;
    ::madvise(data_, size_, MADV_HUGEPAGE); // a hint: without huge pages all still works
}

LargeBlock::~LargeBlock() {
    if (data_)
        ::munmap(data_, size_);
}

LargeBlock::LargeBlock(LargeBlock&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)), size_(std::exchange(other.size_, 0)) {}

LargeBlock& LargeBlock::operator=(LargeBlock&& other) noexcept {
    if (this != &other) {
        if (data_)
            ::munmap(data_, size_);
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
    }
    return *this;
}

ByteArena::Ref ByteArena::add(std::string_view bytes) {
    bytes = bytes.substr(0, MaxLength);
    if (blocks_.empty() || BlockSize - used_ < bytes.size()) {
        // A string longer than a block gets a block of its own.
        blocks_.emplace_back(std::max(bytes.size(), BlockSize));
        used_ = 0;
    }
    std::memcpy(blocks_.back().data() + used_, bytes.data(), bytes.size());
    Ref ref;
    ref.block = blocks_.size() - 1;
    ref.offset = used_;
    ref.length = bytes.size();
    used_ = bytes.size() > BlockSize ? BlockSize : used_ + bytes.size();
    return ref;
}

void ByteArena::clear() {
    blocks_.clear();
    used_ = BlockSize;
}

} // namespace dravik::search
