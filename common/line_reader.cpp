#include "common/line_reader.h"

#include "common/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

LineReader::LineReader(const std::filesystem::path& path) : buffer_(1u << 16), path_(path) {
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        throw Error::fromErrno(errno, path.string());
    struct stat st {};
    if (::fstat(fd_, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd_);
        fd_ = -1;
        throw Error(ErrorNumber::PathFileAccess, path.string() + ": is a folder, not a file");
    }
}

LineReader::~LineReader() {
    if (fd_ >= 0)
        ::close(fd_);
}

bool LineReader::fill() {
    if (eof_)
        return false;
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size()) {
        if (buffer_.size() >= MaxLine)
            return false;
        buffer_.resize(buffer_.size() * 2);
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data() + end_, buffer_.size() - end_);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error::fromErrno(errno, path_.string());
        if (n == 0) {
            eof_ = true;
            return false;
        }
        end_ += static_cast<std::size_t>(n);
        return true;
    }
}

bool LineReader::next(std::string_view& line) {
    std::size_t scanned = begin_;
    for (;;) {
        const char* start = buffer_.data() + begin_;
        const void* lf = std::memchr(buffer_.data() + scanned, '\n', end_ - scanned);
        if (lf) {
            const std::size_t lfAt = static_cast<const char*>(lf) - buffer_.data();
            std::size_t length = lfAt - begin_;
            consumed_ += length + 1;
            if (length > 0 && start[length - 1] == '\r')
                --length;
            line = std::string_view(start, length);
            begin_ = lfAt + 1;
            return true;
        }
        scanned = end_ - begin_;
        if (!fill()) {
            // End of file, or a line longer than MaxLine: hand out what there is.
            if (begin_ == end_)
                return false;
            std::size_t length = end_ - begin_;
            consumed_ += length;
            line = std::string_view(buffer_.data() + begin_, length);
            begin_ = end_;
            return true;
        }
        scanned += begin_;
    }
}

std::vector<std::string> LineReader::readAll(const std::filesystem::path& path) {
    LineReader reader(path);
    std::vector<std::string> lines;
    std::string_view line;
    while (reader.next(line))
        lines.emplace_back(line);
    return lines;
}

} // namespace common
