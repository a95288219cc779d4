#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

// The line format of a disc list, in one place for the walk that writes it and every program
// that reads it back. A file line is
//   "E:\Photos\2009\","img_001.jpg"
// with CR LF: the folder (drive letter, ":\", each folder name followed by "\") and the file
// name, each in double quotes, joined by a comma. The list ends with the summary line
//   1,234 files : 56 folders
// Bytes are in the system's code page.
namespace DiscListFormat {

struct FileLine {
    std::string_view folder; // ends in "\"
    std::string_view name;
};

// A name as the directory listing gives it, as a list field: in the system's code page (read by
// the text rule; a character the code page lacks becomes "?"), and CR, LF, double quote and
// backslash, which would break the line or its two fields, become "?". Returns `name` itself when
// it is clean, else the cleaned copy kept in `scratch`.
std::string_view cleanName(std::string_view name, std::string& scratch);

// The summary line, without its line end: counts formatted "###,###,###,###", so zero is empty.
std::string summaryLine(long long files, long long folders);
[[nodiscard]] bool isSummaryLine(std::string_view line);

// A file line (without its line end) split into its two fields; nothing when the line is not of
// that shape. The first \"," is the joint, so a name written by an older program with quotes or
// commas of its own still comes back whole.
[[nodiscard]] std::optional<FileLine> parseFileLine(std::string_view line);

// Whether a folder field begins with a drive letter and ":\".
[[nodiscard]] bool startsWithDrive(std::string_view folder);

} // namespace DiscListFormat

} // namespace common
