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
// Up to `room` bytes from where the descriptor stands; 0 at the end of the file. An interrupted
// read is tried again; a failure throws common::Error naming `path`.
std::size_t readSome(const FileDescriptor& fd, char* into, std::size_t room,
                     const std::filesystem::path& path);

// Creates an empty file when none is there. An existing file is left alone and not opened, so a
// read-only one is no failure; anything but a regular file there is Error 75.
void createIfMissing(const std::filesystem::path& path);
enum class Presence { Present, Absent };
// As createIfMissing, but a file missing from a folder this process may only read is Absent, not
// a failure: a read-only catalogue is still read.
Presence createUnlessReadOnly(const std::filesystem::path& path);
// Removes a file; a missing file is no error.
void removeIfExists(const std::filesystem::path& path);
// Copies `from` over `to` through a complete new file and a rename.
void copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Renames `from` over `to`, giving it the mode `to` had: a rewrite through a work file of its
// own keeps a private file private.
void renameOver(const std::filesystem::path& from, const std::filesystem::path& to);
bool isFile(const std::filesystem::path& path);
// Whether this process may not write to the file or folder (its permissions, a read-only
// mount). A missing path is not read-only.
bool isReadOnly(const std::filesystem::path& path);
// Throws Error 75 naming the path when something other than a regular file (a folder, a FIFO)
// is there; a missing path is no error.
void refuseIfNotRegular(const std::filesystem::path& path);

} // namespace FileOps

} // namespace common
