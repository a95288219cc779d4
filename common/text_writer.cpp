#include "common/text_writer.h"

#include "common/code_page.h"
#include "common/error.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {
constexpr std::size_t BufferSize = 1u << 18;

void syncFolder(const std::filesystem::path& folder) {
    const int fd =
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}
} // namespace

TextWriter::TextWriter(const std::filesystem::path& path, Mode mode)
    : path_(path), writing_(path), mode_(mode), buffer_(BufferSize) {
    int flags = O_WRONLY | O_CREAT | O_CLOEXEC;
    if (mode == Mode::Append)
        flags |= O_APPEND;
    else
        flags |= O_TRUNC;
    if (mode == Mode::Replace) {
        std::string pattern = path.string() + ".new-XXXXXX";
        fd_ = ::mkstemp(pattern.data());
        if (fd_ < 0)
            throw Error::fromErrno(errno, path.string());
        ::fchmod(fd_, 0644);
        writing_ = pattern;
        return;
    }
    fd_ = ::open(path.c_str(), flags, 0644);
    if (fd_ < 0)
        throw Error::fromErrno(errno, path.string());
}

TextWriter::~TextWriter() {
    if (fd_ < 0)
        return;
    if (mode_ == Mode::Replace) {
        ::close(fd_);
        ::unlink(writing_.c_str());
        return;
    }
    try {
        flush();
    } catch (const Error&) {
        // A destructor cannot report; callers that care call commit().
    }
    ::close(fd_);
}

void TextWriter::writeOut(const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            throw Error::fromErrno(errno, path_.string());
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void TextWriter::raw(std::string_view bytes) {
    if (bytes.size() > buffer_.size() - used_) {
        flush();
        if (bytes.size() > buffer_.size()) {
            writeOut(bytes.data(), bytes.size());
            return;
        }
    }
    std::memcpy(buffer_.data() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
}

void TextWriter::line(const QString& text) {
    raw(CodePage::encode(text));
    endLine();
}

void TextWriter::items(const QStringList& values) {
    std::string out;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            out += ',';
        out += '"';
        out += CodePage::encode(values[i]);
        out += '"';
    }
    rawLine(out);
}

void TextWriter::flush() {
    if (used_ == 0)
        return;
    const std::size_t n = used_;
    used_ = 0;
    writeOut(buffer_.data(), n);
}

void TextWriter::commit() {
    if (fd_ < 0)
        return;
    flush();
    if (mode_ == Mode::Replace && ::fsync(fd_) != 0)
        throw Error::fromErrno(errno, path_.string());
    const int fd = fd_;
    fd_ = -1;
    if (::close(fd) != 0) {
        const int err = errno;
        if (mode_ == Mode::Replace)
            ::unlink(writing_.c_str());
        throw Error::fromErrno(err, path_.string());
    }
    if (mode_ == Mode::Replace) {
        if (::rename(writing_.c_str(), path_.c_str()) != 0) {
            const int err = errno;
            ::unlink(writing_.c_str());
            throw Error::fromErrno(err, path_.string());
        }
        syncFolder(path_.parent_path());
    }
}

void TextWriter::replaceLines(const std::filesystem::path& path, const QStringList& lines) {
    TextWriter writer(path, Mode::Replace);
    for (const QString& l : lines)
        writer.line(l);
    writer.commit();
}

} // namespace common
