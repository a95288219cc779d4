#pragma once

#include <dirent.h>
#include <filesystem>
#include <memory>
#include <unistd.h>
#include <utility>

namespace common {

// Owns one open file descriptor and closes it when it goes, so no error path can leak it.
class FileDescriptor {
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;
    FileDescriptor(FileDescriptor&& other) noexcept : fd_(other.release()) {}
    FileDescriptor& operator=(FileDescriptor&& other) noexcept {
        reset(other.release());
        return *this;
    }

    int get() const { return fd_; }
    bool isOpen() const { return fd_ >= 0; }
    explicit operator bool() const { return isOpen(); }

    // Gives the descriptor up without closing it.
    int release() { return std::exchange(fd_, -1); }
    // Closes the one held, if any, and takes `fd`.
    void reset(int fd = -1) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    // Closes and tells whether the close itself succeeded: a delayed write error shows here.
    [[nodiscard]] bool close() {
        const int fd = release();
        return fd < 0 || ::close(fd) == 0;
    }

private:
    int fd_ = -1;
};

// An open directory stream, closed when it goes; empty when the folder cannot be opened.
using DirectoryStream = std::unique_ptr<DIR, int (*)(DIR*)>;
inline DirectoryStream openDirectory(const std::filesystem::path& folder) {
    return DirectoryStream(::opendir(folder.empty() ? "." : folder.c_str()), &::closedir);
}

} // namespace common
