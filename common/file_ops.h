#pragma once

#include <filesystem>

namespace common {

// Small whole-file operations; failures throw common::Error.
namespace FileOps {

// Creates an empty file when none is there (an existing file is left alone).
void createIfMissing(const std::filesystem::path& path);
// Removes a file; a missing file is no error.
void removeIfExists(const std::filesystem::path& path);
// Copies `from` over `to` through a complete new file and a rename.
void copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
bool isFile(const std::filesystem::path& path);

} // namespace FileOps

} // namespace common
