#pragma once

#include "common/file_descriptor.h"

#include <chrono>
#include <filesystem>

namespace common {

// An exclusive advisory lock (flock) on a file or a folder, held by an open descriptor: another
// process, or another FileLock of this one, cannot take it meanwhile; it goes when released,
// destroyed, or when the process ends, however it ends, so a killed program leaves no stale lock
// behind. Taking it writes nothing to the disk.
class FileLock {
public:
    FileLock() = default;

    // Takes the lock on `path`, a folder or a file (created empty when missing), waiting up to
    // `wait` for another holder to let go. A lock held before is given up only once the new one
    // is taken. False when another holder kept it; throws common::Error when `path` cannot be
    // opened.
    [[nodiscard]] bool acquire(const std::filesystem::path& path,
                               std::chrono::milliseconds wait = std::chrono::milliseconds(0));
    void release() { fd_.reset(); }
    bool held() const { return fd_.isOpen(); }

private:
    FileDescriptor fd_;
};

} // namespace common
