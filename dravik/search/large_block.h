#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dravik::search {

// Memory for stores that grow with the results, taken straight from the system in huge pages
// where it offers them: touching fresh memory page by page costs more here than finding the
// rows does. Zero-filled until written.
class LargeBlock {
public:
    LargeBlock() = default;
    explicit LargeBlock(std::size_t size);
    ~LargeBlock();
    LargeBlock(LargeBlock&& other) noexcept;
    LargeBlock& operator=(LargeBlock&& other) noexcept;
    LargeBlock(const LargeBlock&) = delete;
    LargeBlock& operator=(const LargeBlock&) = delete;

    char* data() const { return data_; }
    std::size_t size() const { return size_; }

private:
    char* data_ = nullptr;
    std::size_t size_ = 0;
};

// Byte strings kept back to back in large blocks, each found again by a small reference.
class ByteArena {
public:
    struct Ref {
        std::uint64_t block : 16, offset : 22, length : 26;
    };
    static constexpr std::size_t MaxLength = (std::size_t(1) << 26) - 1;

    // Strings longer than MaxLength are cut (lines are at most 16 MiB, their UTF-8 twice that).
    Ref add(std::string_view bytes);
    std::string_view at(Ref ref) const {
        return std::string_view(blocks_[ref.block].data() + ref.offset, ref.length);
    }
    void clear();

private:
    static constexpr std::size_t BlockSize = std::size_t(1) << 22;
    std::vector<LargeBlock> blocks_;
    std::size_t used_ = BlockSize; // in the last block; full until the first string
};

// A growing array of small values in large blocks: no copying as it grows.
template <class T> class LargeArray {
public:
    void push(const T& value) {
        if (size_ % PerBlock == 0)
            blocks_.emplace_back(PerBlock * sizeof(T));
        reinterpret_cast<T*>(blocks_.back().data())[size_ % PerBlock] = value;
        ++size_;
    }
    const T& operator[](std::size_t i) const {
        return reinterpret_cast<const T*>(blocks_[i / PerBlock].data())[i % PerBlock];
    }
    std::size_t size() const { return size_; }
    void clear() {
        blocks_.clear();
        size_ = 0;
    }

private:
    static constexpr std::size_t PerBlock = (std::size_t(4) << 20) / sizeof(T);
    std::vector<LargeBlock> blocks_;
    std::size_t size_ = 0;
};

} // namespace dravik::search
