#pragma once

#include "common/file_descriptor.h"

#include <filesystem>

namespace dravik::walker {

// Only one walk at a time may write the work file of a program folder: in this window, another
// Dravik or dravik-cli. The lock is an advisory lock on a file beside the work file, so it is
// released even when a process dies; the file names the disc being catalogued.
class WalkLock {
public:
    explicit WalkLock(std::filesystem::path programFolder);
    ~WalkLock();
    WalkLock(const WalkLock&) = delete;
    WalkLock& operator=(const WalkLock&) = delete;

    // False when another walk holds the lock.
    [[nodiscard]] bool acquire(const std::filesystem::path& listPath);
    void release();
    bool held() const { return fd_.isOpen(); }

    // The disc list path a running walk will publish, or empty when no walk runs.
    static std::filesystem::path busyWith(const std::filesystem::path& programFolder);

private:
    std::filesystem::path file_;
    common::FileDescriptor fd_;
};

} // namespace dravik::walker
