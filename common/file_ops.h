#pragma once

#include <filesystem>

namespace common {

// Small whole-file operations; failures throw common::Error.
class FileOps {
public:
    // Creates an empty file when none is there (an existing file is left alone).
    static void createIfMissing(const std::filesystem::path& path);
    // Removes a file; a missing file is no error.
    static void removeIfExists(const std::filesystem::path& path);
    // Copies `from` over `to` through a complete new file and a rename.
    static void copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
    static bool isFile(const std::filesystem::path& path);
};

} // namespace common
