#include "common/huge_page_array.h"

#include <sys/mman.h>

namespace common {

namespace {

void* aligned(void* raw, std::size_t bytes) {
    // `raw` is one huge page longer than asked: give back what lies before and after the
    // aligned block.
    const auto begin = reinterpret_cast<std::uintptr_t>(raw);
    const std::uintptr_t start = (begin + HugePages::Size - 1) / HugePages::Size * HugePages::Size;
    if (start > begin)
        ::munmap(raw, start - begin);
    if (const std::size_t tail = begin + HugePages::Size - start; tail > 0)
        ::munmap(reinterpret_cast<void*>(start + bytes), tail);
    return reinterpret_cast<void*>(start);
}

} // namespace

void* HugePages::map(std::size_t bytes) {
    bytes = (bytes + Size - 1) / Size * Size;
    void* raw =
        ::mmap(nullptr, bytes + Size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (raw == MAP_FAILED)
        throw std::bad_alloc();
    void* block = aligned(raw, bytes);
    ::madvise(block, bytes, MADV_HUGEPAGE); // a hint: without huge pages all still works
    return block;
}

void* HugePages::grow(void* block, std::size_t oldBytes, std::size_t newBytes) {
    // In place when the addresses after the block are free; else moved onto a fresh aligned
    // range, which the kernel does by moving page tables, not bytes.
    void* moved = ::mremap(block, oldBytes, newBytes, 0);
    if (moved == MAP_FAILED) {
        void* target = map(newBytes);
        moved = ::mremap(block, oldBytes, newBytes, MREMAP_MAYMOVE | MREMAP_FIXED, target);
        if (moved == MAP_FAILED) {
            unmap(target, newBytes);
            throw std::bad_alloc();
        }
    }
    ::madvise(moved, newBytes, MADV_HUGEPAGE);
    return moved;
}

void HugePages::unmap(void* block, std::size_t bytes) noexcept {
    ::munmap(block, bytes);
}

} // namespace common
