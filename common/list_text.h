#pragma once

#include <QString>

#include <filesystem>
#include <string_view>

namespace common {

// A disc list as text for the list view: each line decoded on its own (UTF-8 when valid, else
// windows-1252), lines joined by LF (a CR before a line break, or at the very end, is dropped). A
// final line break is kept, so the text has one more line than the file when the file ends with
// one.
namespace ListText {

// Throws common::Error (53, 75, ...) when the file cannot be read, and refuses (75) one beyond
// the limit of list text: too large, NUL bytes, or a line far longer than any list line.
QString load(const std::filesystem::path& file);
QString decode(std::string_view bytes);

} // namespace ListText

} // namespace common
