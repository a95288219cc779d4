#include "dravik/search/byte_arena.h"

#include <algorithm>

namespace dravik::search {

ByteArena::Ref ByteArena::add(std::string_view bytes) {
    bytes = bytes.substr(0, MaxLength);
    if (blocks_.empty() || blocks_.back().size() + bytes.size() > BlockSize) {
        // A string longer than a block gets a block of its own.
        blocks_.emplace_back();
        blocks_.back().reserve(std::max(bytes.size(), BlockSize));
    }
    common::HugePageArray<char>& block = blocks_.back();
    Ref ref;
    ref.block = blocks_.size() - 1;
    ref.offset = block.size();
    ref.length = bytes.size();
    block.append(bytes.data(), bytes.size());
    return ref;
}

} // namespace dravik::search
