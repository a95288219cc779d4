#pragma once

#include "common/file_descriptor.h"
#include "common/text_limit.h"

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// The lines of a text file, found once and read from the file each time they are asked for: a
// list of millions of lines then costs eight bytes a line, never a copy of its text. Lines are as
// a text has them: n line breaks (LF or CR LF) make n + 1 lines, the last one empty when the file
// ends in a break. The file stays open, so a list replaced by a rename still reads as it was; a
// list cut while shown reads its missing lines as empty.
class FileLines {
public:
    // Reads the file through once; throws common::Error when it is missing, no regular file,
    // unreadable or breaks the limit.
    FileLines(const std::filesystem::path& path, const TextLimit& limit);

    std::size_t size() const { return starts_.size() - 1; }
    // Bytes of the longest line, line end left out.
    std::size_t longest() const { return longest_; }

    // The bytes of a line without its line end, as the file holds them now.
    std::string line(std::size_t row) const;

    // Hands each line from `first` on to `visit`, reading the file in large pieces, until
    // `visit` returns false or the lines end.
    using Visit = std::function<bool(std::size_t row, std::string_view line)>;
    void scan(std::size_t first, const Visit& visit) const;

private:
    void index(const std::filesystem::path& path, const TextLimit& limit);
    // Reads [from, to) of the file; shorter when the file was cut since.
    std::string bytes(std::uint64_t from, std::uint64_t to) const;

    FileDescriptor fd_;
    // starts_[i] is where line i begins and starts_[i + 1] - 1 where it ends; the last line is
    // taken to end in a break just past the end of the file.
    std::vector<std::uint64_t> starts_;
    std::size_t longest_ = 0;
};

} // namespace common
