#pragma once

#include "common/line_reader.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// Reads comma-separated items the way the catalogue files are written: leading blanks are
// skipped; an item that begins with a double quote runs to the closing quote, which is dropped
// (anything after it up to the comma is ignored); other items end at a comma or the end of the
// line and lose their surrounding blanks. An item never spans lines: a quote that is never closed
// ends with its line. An empty line is one empty item.
class ItemReader {
public:
    explicit ItemReader(const std::filesystem::path& path);
    // A file of a kind with a limit (see LineReader), which also bounds the number of items.
    ItemReader(const std::filesystem::path& path, const TextLimit& limit);

    // The next item, valid until the next call; false at the end of the file.
    [[nodiscard]] bool next(std::string_view& item);

    // Bytes consumed so far (whole lines), for progress.
    std::size_t consumed() const { return lines_.consumed(); }

    // The items of one line.
    static std::vector<std::string_view> split(std::string_view line);

    // Every item of a file, in order.
    static std::vector<std::string> readAll(const std::filesystem::path& path);

private:
    LineReader lines_;
    std::string_view rest_;
    bool moreOnLine_ = false;
    std::filesystem::path path_;
    std::size_t maxItems_ = TextLimits::NoItemLimit;
    std::size_t items_ = 0;
};

} // namespace common
