#pragma once

#include "common/file_descriptor.h"

#include <cstddef>
#include <filesystem>
#include <string_view>
#include <vector>

namespace common {

// Reads a text file as whole lines of bytes. Lines end in CR LF or a lone LF; the line end is not
// part of the line. Works on bytes so the hot paths never build a QString per line; decode with
// the code page functions when text is needed.
class LineReader {
public:
    // Lines longer than this are handed out in pieces, so a binary file cannot exhaust memory.
    static constexpr std::size_t MaxLine = 16u << 20;

    explicit LineReader(const std::filesystem::path& path);
    LineReader(const LineReader&) = delete;
    LineReader& operator=(const LineReader&) = delete;

    // The next line, valid until the next call; false at the end of the file.
    [[nodiscard]] bool next(std::string_view& line);

    // Bytes consumed so far, line ends included.
    std::size_t consumed() const { return consumed_; }

    // Reads every line of a file.
    static std::vector<std::string> readAll(const std::filesystem::path& path);
    // The whole file in one piece: for a list that is loaded whole, one read of its known size is
    // the fastest way in.
    static std::string wholeFile(const std::filesystem::path& path);

private:
    bool fill();

    FileDescriptor fd_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t consumed_ = 0;
    bool eof_ = false;
    std::filesystem::path path_;
};

} // namespace common
