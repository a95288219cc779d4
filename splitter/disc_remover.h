#pragma once

#include <cstddef>
#include <filesystem>
#include <string_view>

namespace splitter {

// Takes one disc's lines out of an extension file. The file is rewritten through a complete new
// file renamed over it, so an interrupted deletion leaves the old file or the new one, never half
// of one; a file without any line of the disc is left untouched.
class DiscRemover {
public:
    // `key` is the disc name between its markers (LineFormat::discKey). Returns the lines removed.
    static std::size_t removeFrom(const std::filesystem::path& file, std::string_view key);
};

} // namespace splitter
