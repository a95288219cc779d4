#pragma once

#include "common/file_descriptor.h"
#include "common/text_limit.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
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
    // A file of a kind with a limit: one that breaks it is refused (common::Error) before it is
    // read, or as soon as the breach is read.
    LineReader(const std::filesystem::path& path, const TextLimit& limit);
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
    static std::string wholeFile(const std::filesystem::path& path, const TextLimit& limit);

private:
    static std::string readWhole(const std::filesystem::path& path, const TextLimit* limit);
    bool fill();
    // The line that starts at begin_ has this many bytes so far (or in all).
    void checkLine(std::size_t length) const;

    FileDescriptor fd_;
    std::vector<char> buffer_;
    std::size_t begin_ = 0;
    std::size_t end_ = 0;
    std::size_t consumed_ = 0;
    std::uint64_t read_ = 0;
    bool eof_ = false;
    std::filesystem::path path_;
    std::optional<TextLimit> limit_;
};

} // namespace common
