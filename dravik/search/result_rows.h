#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace common {
class TextWriter;
}

namespace dravik::search {

// The result rows of a search in the order found, as bytes (the quick report's lines). Rows are
// kept back to back in large blocks, so two million rows cost about their own bytes and no
// allocation each.
class ResultRows {
public:
    ResultRows() = default;
    ResultRows(const ResultRows&) = delete;
    ResultRows& operator=(const ResultRows&) = delete;
    ResultRows(ResultRows&&) = default;
    ResultRows& operator=(ResultRows&&) = default;

    void add(std::string_view row);
    void clear();

    std::size_t size() const { return rows_.size(); }
    bool empty() const { return rows_.empty(); }
    // Valid until clear().
    std::string_view at(std::size_t index) const;

    // Every row followed by CR LF, as the quick report holds them.
    void writeTo(common::TextWriter& writer) const;

private:
    struct Row {
        std::uint32_t block, offset, size;
    };
    static constexpr std::size_t BlockSize = 4u << 20;

    std::vector<Row> rows_;
    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t used_ = BlockSize;
};

} // namespace dravik::search
