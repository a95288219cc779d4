#pragma once

#include "common/huge_page_array.h"
#include "dravik/search/byte_arena.h"

#include <cstddef>
#include <string_view>

namespace common {
class TextWriter;
}

namespace dravik::search {

// The result rows of a search in the order found, as bytes (the quick report's lines). Rows are
// kept back to back in large blocks, so two million rows cost about their own bytes and no
// allocation each.
class ResultRows {
public:
    void add(std::string_view row) { index_.push_back(bytes_.add(row)); }
    void clear() {
        index_.clear();
        bytes_.clear();
    }

    std::size_t size() const { return index_.size(); }
    bool empty() const { return index_.empty(); }
    // Valid until clear().
    std::string_view at(std::size_t i) const { return bytes_.at(index_[i]); }

    // Every row followed by CR LF, as the quick report holds them.
    void writeTo(common::TextWriter& writer) const;

private:
    common::HugePageArray<ByteArena::Ref> index_;
    ByteArena bytes_;
};

} // namespace dravik::search
