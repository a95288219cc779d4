#pragma once

#include <cstddef>
#include <cstring>
#include <new>
#include <sys/mman.h>
#include <type_traits>
#include <utility>

namespace peek {

// A growable array of plain values in memory of its own, asked for in huge pages. Touching fresh
// memory one 4 KiB page at a time costs more than reading a whole list from a hot cache; with
// 2 MiB pages a hundred-megabyte list costs a few dozen faults instead of tens of thousands. Grows
// by remapping, so nothing is copied and the old and new blocks are never both in memory.
template <typename T> class MappedArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    MappedArray() = default;
    ~MappedArray() { release(); }
    MappedArray(const MappedArray&) = delete;
    MappedArray& operator=(const MappedArray&) = delete;
    MappedArray(MappedArray&& other) noexcept { swap(other); }
    MappedArray& operator=(MappedArray&& other) noexcept {
        MappedArray(std::move(other)).swap(*this);
        return *this;
    }

    std::size_t size() const { return size_; }
    std::size_t capacity() const { return capacity_; }
    const T* data() const { return data_; }
    const T& operator[](std::size_t i) const { return data_[i]; }

    // Throws std::bad_alloc when the memory cannot be had.
    void reserve(std::size_t count) {
        if (count > capacity_)
            remap(count);
    }

    void push_back(const T& value) {
        if (size_ == capacity_)
            remap(grown(size_ + 1));
        data_[size_++] = value;
    }

    void append(const T* values, std::size_t count) {
        if (count == 0)
            return;
        if (size_ + count > capacity_)
            remap(grown(size_ + count));
        std::memcpy(data_ + size_, values, count * sizeof(T));
        size_ += count;
    }

    void swap(MappedArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

private:
    static constexpr std::size_t HugePage = 2u << 20;

    std::size_t grown(std::size_t needed) const {
        const std::size_t doubled = capacity_ * 2;
        return doubled > needed ? doubled : needed;
    }

    static std::size_t bytesFor(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        return (bytes + HugePage - 1) / HugePage * HugePage;
    }

    void remap(std::size_t count) {
        if (count > static_cast<std::size_t>(-1) / sizeof(T) - HugePage)
            throw std::bad_alloc();
        const std::size_t bytes = bytesFor(count);
        void* block;
        if (data_) {
            block = ::mremap(data_, bytesFor(capacity_), bytes, MREMAP_MAYMOVE);
        } else {
            block =
                ::mmap(nullptr, bytes, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        }
        if (block == MAP_FAILED)
            throw std::bad_alloc();
        // Only a hint: without huge pages the memory is simply slower to fill.
        ::madvise(block, bytes, MADV_HUGEPAGE);
        data_ = static_cast<T*>(block);
        capacity_ = bytes / sizeof(T);
    }

    void release() {
        if (data_)
            ::munmap(data_, bytesFor(capacity_));
        data_ = nullptr;
        size_ = capacity_ = 0;
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace peek
