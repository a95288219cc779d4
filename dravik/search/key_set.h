#pragma once

#include "common/huge_page_array.h"
#include "dravik/search/byte_arena.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace dravik::search {

// The results reported so far, by their duplicate key, so a repeat is found in constant time
// however many results there are. Keys are kept back to back in large blocks (one heap string
// per key would cost far more) and found through an open-addressing table of 8-byte slots.
class KeySet {
public:
    KeySet();

    // Adds the key; false when an equal key is there already.
    bool insert(std::string_view key);
    std::size_t size() const { return keys_.size(); }

private:
    // A tag from the key's hash, and the key's number + 1 (0: a free slot). The slot's place
    // follows from the tag alone, so growing never reads a key again.
    struct Slot {
        std::uint32_t tag;
        std::uint32_t key;
    };

    std::size_t placeOf(std::uint32_t tag) const;
    void grow();

    unsigned bits_ = 12;
    common::HugePageArray<Slot> table_;
    common::HugePageArray<ByteArena::Ref> keys_;
    ByteArena bytes_;
};

} // namespace dravik::search
