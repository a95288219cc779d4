#pragma once

#include "common/huge_page_array.h"

#include <cstddef>
#include <string_view>

namespace common {

// The lines of a file, without their line ends, in one byte buffer plus where each line begins.
// A million-line list then costs its own size and eight bytes a line, not a heap string per line;
// rows are decoded only when shown.
class LineStore {
public:
    LineStore();
    LineStore(const LineStore&) = delete;
    LineStore& operator=(const LineStore&) = delete;

    // Room for this many bytes of text, so a file of known size is read without regrowing.
    void reserve(std::size_t bytes) { bytes_.reserve(bytes); }

    void append(std::string_view line) {
        bytes_.append(line.data(), line.size());
        starts_.push_back(bytes_.size());
    }

    std::size_t size() const { return starts_.size() - 1; }
    bool empty() const { return size() == 0; }
    std::size_t bytes() const { return bytes_.size(); }

    std::string_view line(std::size_t row) const {
        return std::string_view(bytes_.data() + starts_[row], starts_[row + 1] - starts_[row]);
    }

    // Forgets the last line, as a line that grows is taken back and appended whole again.
    void removeLast() {
        if (empty())
            return;
        starts_.truncate(starts_.size() - 1);
        bytes_.truncate(starts_[starts_.size() - 1]);
    }

    // Gives the memory back, for a load that was given up.
    void clear();

private:
    common::HugePageArray<char> bytes_;
    // starts_[i] is where line i begins and starts_[i + 1] where it ends.
    common::HugePageArray<std::size_t> starts_;
};

} // namespace common
