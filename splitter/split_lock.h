#pragma once

#include "common/file_descriptor.h"

#include <filesystem>

namespace splitter {

// Only one splitter may work on a data path at a time: two would append to the same extension
// files and rewrite the same done list. The lock is an advisory lock on the data folder itself,
// so it names the folder however the path is spelt, leaves no file behind, and goes when the
// process ends, however it ends.
class SplitLock {
public:
    // Locks `folder`, giving up a lock held before only once the new one is taken. False when
    // another splitter holds it; a folder that cannot be opened cannot be worked on either and
    // counts as taken.
    [[nodiscard]] bool acquire(const std::filesystem::path& folder);
    void release() { fd_.reset(); }
    bool held() const { return fd_.isOpen(); }

private:
    common::FileDescriptor fd_;
};

} // namespace splitter
