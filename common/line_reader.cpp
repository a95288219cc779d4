#include "common/line_reader.h"

#include "common/error.h"
#include "common/file_ops.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

LineReader::LineReader(const std::filesystem::path& path) : buffer_(1u << 16), path_(path) {
    fd_ = FileOps::openRegular(path, O_RDONLY);
}

LineReader::LineReader(const std::filesystem::path& path, const TextLimit& limit)
    : LineReader(path) {
    limit_ = limit;
    struct stat st {};
    if (::fstat(fd_.get(), &st) == 0)
        limit.checkSize(path_, static_cast<std::uint64_t>(st.st_size));
}

void LineReader::checkLine(std::size_t length) const {
    if (limit_)
        limit_->checkLine(path_, length);
}

bool LineReader::fill() {
    if (eof_)
        return false;
    checkLine(end_ - begin_); // called only while the line at begin_ has no end yet
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
    const std::size_t n =
        FileOps::readSome(fd_, buffer_.data() + end_, buffer_.size() - end_, path_);
    if (n == 0) {
        eof_ = true;
        return false;
    }
    if (limit_) {
        TextLimit::checkText(path_, std::string_view(buffer_.data() + end_, n));
        limit_->checkSize(path_, read_ + n); // it may have grown since it was opened
    }
    read_ += n;
    end_ += n;
    return true;
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
            checkLine(length);
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
            checkLine(length);
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

std::string LineReader::wholeFile(const std::filesystem::path& path, const TextLimit& limit) {
    std::string bytes = readWhole(path, &limit);
    limit.checkWhole(path, bytes);
    return bytes;
}

std::string LineReader::wholeFile(const std::filesystem::path& path) {
    return readWhole(path, nullptr);
}

std::string LineReader::readWhole(const std::filesystem::path& path, const TextLimit* limit) {
    const FileDescriptor fd = FileOps::openRegular(path, O_RDONLY);
    struct stat st {};
    ::fstat(fd.get(), &st);
    if (limit)
        limit->checkSize(path, static_cast<std::uint64_t>(st.st_size));
    std::string bytes;
    bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() + (1u << 16)); // grown since, or a size the file hides
        const std::size_t n = FileOps::readSome(fd, bytes.data() + used, bytes.size() - used, path);
        if (n == 0)
            break;
        used += n;
        if (limit)
            limit->checkSize(path, used); // grown since it was opened
    }
    bytes.resize(used);
    return bytes;
}

} // namespace common
