#pragma once

#include "common/file_descriptor.h"

#include <filesystem>

namespace common {

// Small whole-file operations; failures throw common::Error.
namespace FileOps {

// Opens a file the way every reader and writer of text files does: without blocking (a FIFO
// or device could hold the open, or the reads, for ever) and only when it is a regular file;
// anything else is Error 75 naming the path. `flags` are open(2) flags; a created file gets
// `mode` less the umask.
[[nodiscard]] FileDescriptor openRegular(const std::filesystem::path& path, int flags,
                                         unsigned mode = 0666);

// Creates an empty file when none is there (an existing file is left alone).
void createIfMissing(const std::filesystem::path& path);
// Removes a file; a missing file is no error.
void removeIfExists(const std::filesystem::path& path);
// Copies `from` over `to` through a complete new file and a rename.
void copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
bool isFile(const std::filesystem::path& path);
// Throws Error 75 naming the path when something other than a regular file (a folder, a FIFO)
// is there; a missing path is no error.
void refuseIfNotRegular(const std::filesystem::path& path);

} // namespace FileOps

} // namespace common
