#include "dravik/search/result_rows.h"

#include "common/text_writer.h"

#include <algorithm>
#include <cstring>

namespace dravik::search {

void ResultRows::add(std::string_view row) {
    if (blocks_.empty() || BlockSize - used_ < row.size()) {
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(std::max(row.size(), BlockSize)));
        used_ = 0;
    }
    std::memcpy(blocks_.back().get() + used_, row.data(), row.size());
    rows_.push_back(Row{static_cast<std::uint32_t>(blocks_.size() - 1),
                        static_cast<std::uint32_t>(used_), static_cast<std::uint32_t>(row.size())});
    used_ = row.size() > BlockSize ? BlockSize : used_ + row.size();
}

void ResultRows::clear() {
    std::vector<Row>().swap(rows_);
    blocks_.clear();
    used_ = BlockSize;
}

std::string_view ResultRows::at(std::size_t index) const {
    const Row& row = rows_[index];
    return std::string_view(blocks_[row.block].get() + row.offset, row.size);
}

void ResultRows::writeTo(common::TextWriter& writer) const {
    for (std::size_t i = 0; i < rows_.size(); ++i)
        writer.rawLine(at(i));
}

} // namespace dravik::search
