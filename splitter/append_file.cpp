#include "splitter/append_file.h"

#include "common/error.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace splitter {

namespace {
constexpr std::size_t BufferSize = 32u << 10;
}

AppendFile::~AppendFile() {
    try {
        close();
    } catch (const common::Error&) {
        // Nobody to tell from a destructor; a run closes its files itself.
    }
}

void AppendFile::open(const std::filesystem::path& path) {
    close();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd_ < 0)
        throw common::Error::fromErrno(errno, path.string());
    path_ = path;
    if (buffer_.empty())
        buffer_.resize(BufferSize);
    used_ = 0;
}

void AppendFile::writeSlow(std::string_view bytes) {
    flush();
    if (bytes.size() > buffer_.size()) {
        writeOut(bytes.data(), bytes.size());
        return;
    }
    std::copy(bytes.begin(), bytes.end(), buffer_.data());
    used_ = bytes.size();
}

void AppendFile::flush() {
    const std::size_t n = used_;
    used_ = 0;
    if (n > 0)
        writeOut(buffer_.data(), n);
}

void AppendFile::writeOut(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw common::Error::fromErrno(errno, path_.string());
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void AppendFile::close() {
    if (fd_ < 0)
        return;
    try {
        flush();
    } catch (...) {
        ::close(fd_);
        fd_ = -1;
        throw;
    }
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0)
        throw common::Error::fromErrno(errno, path_.string());
}

} // namespace splitter
