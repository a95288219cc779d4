#pragma once

#include "common/huge_page_array.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

namespace dravik::search {

// Byte strings kept back to back in large blocks of huge-page memory, each found again by a small
// reference: no allocation per string, and nothing moves as the store grows.
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
    void clear() { blocks_.clear(); }

private:
    static constexpr std::size_t BlockSize = std::size_t(1) << 22;
    std::vector<common::HugePageArray<char>> blocks_;
};

} // namespace dravik::search
