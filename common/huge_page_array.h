#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <type_traits>
#include <utility>

namespace common {

namespace HugePages {
constexpr std::size_t Size = std::size_t(2) << 20;
// At least `bytes`, in whole huge pages, starting on a huge-page boundary. Throws std::bad_alloc.
void* map(std::size_t bytes);
// A block from map() made `newBytes` long, its bytes kept; it may move but is never copied.
void* grow(void* block, std::size_t oldBytes, std::size_t newBytes);
void unmap(void* block, std::size_t bytes) noexcept;
} // namespace HugePages

// A growable array of plain values in memory taken straight from the system in huge pages where
// it offers them. Touching fresh memory one 4 KiB page at a time costs more here than reading a
// whole list from a hot cache or finding the rows of a search; with 2 MiB pages a hundred
// megabytes cost a few dozen faults instead of tens of thousands. Grows by remapping, so nothing
// is copied and the old and new blocks are never both in memory. Memory past the end has never
// been written: it reads as zeros.
template <typename T> class HugePageArray {
    static_assert(std::is_trivially_copyable_v<T>);

public:
    HugePageArray() = default;
    ~HugePageArray() { clear(); }
    HugePageArray(const HugePageArray&) = delete;
    HugePageArray& operator=(const HugePageArray&) = delete;
    HugePageArray(HugePageArray&& other) noexcept { swap(other); }
    HugePageArray& operator=(HugePageArray&& other) noexcept {
        HugePageArray(std::move(other)).swap(*this);
        return *this;
    }

    // `count` values, each all zero bytes, without writing them.
    static HugePageArray zeroed(std::size_t count) {
        HugePageArray array;
        array.reserve(count);
        array.size_ = count;
        return array;
    }

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    std::size_t capacity() const { return capacity_; }
    const T* data() const { return data_; }
    T* data() { return data_; }
    const T& operator[](std::size_t i) const { return data_[i]; }
    T& operator[](std::size_t i) { return data_[i]; }

    // Throws std::bad_alloc when the memory cannot be had, as do the calls that grow.
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

    // Keeps the first `count` values; the memory stays for what comes next.
    void truncate(std::size_t count) {
        if (count < size_)
            size_ = count;
    }

    // Gives the memory back.
    void clear() noexcept {
        if (data_)
            HugePages::unmap(data_, bytesFor(capacity_));
        data_ = nullptr;
        size_ = capacity_ = 0;
    }

    void swap(HugePageArray& other) noexcept {
        std::swap(data_, other.data_);
        std::swap(size_, other.size_);
        std::swap(capacity_, other.capacity_);
    }

private:
    std::size_t grown(std::size_t needed) const {
        const std::size_t doubled = capacity_ * 2;
        return doubled > needed ? doubled : needed;
    }

    static std::size_t bytesFor(std::size_t count) {
        const std::size_t bytes = count * sizeof(T);
        return (bytes + HugePages::Size - 1) / HugePages::Size * HugePages::Size;
    }

    void remap(std::size_t count) {
        if (count > (SIZE_MAX - 2 * HugePages::Size) / sizeof(T))
            throw std::bad_alloc();
        const std::size_t bytes = bytesFor(count);
        void* block =
            data_ ? HugePages::grow(data_, bytesFor(capacity_), bytes) : HugePages::map(bytes);
        data_ = static_cast<T*>(block);
        capacity_ = bytes / sizeof(T);
    }

    T* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t capacity_ = 0;
};

} // namespace common
