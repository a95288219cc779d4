#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace dravik::search {

// The results reported so far, by their duplicate key, so a repeat is found in constant time
// however many results there are. Keys are kept back to back in large blocks (touching fresh
// memory is slow here; one heap string per key would be slower still) and found by hash.
class KeySet {
public:
    KeySet();
    KeySet(const KeySet&) = delete;
    KeySet& operator=(const KeySet&) = delete;

    // Adds the key; false when an equal key is there already.
    bool insert(std::string_view key);
    std::size_t size() const { return size_; }

private:
    struct Slot {
        std::uint64_t hash = 0;
        std::uint32_t block = 0; // block index + 1; 0 marks a free slot
        std::uint32_t offset = 0;
    };

    std::string_view keyAt(const Slot& slot) const;
    Slot store(std::string_view key, std::uint64_t hash);
    void grow();

    static constexpr std::size_t BlockSize = 4u << 20;

    std::vector<Slot> slots_;
    std::size_t size_ = 0;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = BlockSize; // in the last block; full until the first key
};

} // namespace dravik::search
