#pragma once

#include <QString>

#include <filesystem>

namespace dravik::catalogue {

// A disc list as text for the list view: each line decoded on its own (UTF-8 when valid, else
// windows-1252), lines joined by LF. A final line break is kept, so the text has one more line
// than the file when the file ends with one.
class ListText {
public:
    // Throws common::Error (53, 75, ...) when the file cannot be read.
    static QString load(const std::filesystem::path& file);
};

} // namespace dravik::catalogue
