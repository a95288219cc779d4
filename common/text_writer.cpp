#include "common/text_writer.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/file_ops.h"
#include "common/temporary_file.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

void syncFolder(const std::filesystem::path& folder) {
    FileDescriptor fd(
        ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (fd)
        ::fsync(fd.get());
}

} // namespace

TextWriter::TextWriter(Buffer buffer) : bufferSize_(buffer) {}

TextWriter::TextWriter(const std::filesystem::path& path, Mode mode, Buffer buffer)
    : bufferSize_(buffer) {
    open(path, mode);
}

TextWriter::TextWriter(const std::filesystem::path& path, Mode mode, Durability durability)
    : bufferSize_(Buffer::Large), durability_(durability) {
    open(path, mode);
}

TextWriter::~TextWriter() {
    if (!fd_)
        return;
    if (mode_ == Mode::Replace) {
        discard();
        return;
    }
    try {
        flush();
    } catch (const Error&) {
        // A destructor cannot report; callers that care call commit().
    }
}

void TextWriter::open(const std::filesystem::path& path, Mode mode) {
    commit();
    if (buffer_.empty())
        buffer_.resize(static_cast<std::size_t>(bufferSize_));
    used_ = 0;
    path_ = path;
    writing_ = path;
    mode_ = mode;
    appendStart_ = -1;
    if (mode == Mode::Replace) {
        auto created = TemporaryFile::createBeside(path);
        fd_ = std::move(created.fd);
        writing_ = std::move(created.path);
        return;
    }
    if (mode == Mode::Truncate) {
        fd_ = FileOps::openRegular(path, O_WRONLY | O_CREAT | O_TRUNC);
        return;
    }
    // Reading too, to see the file's last byte; a file that may only be written is appended to
    // as it is.
    try {
        fd_ = FileOps::openRegular(path, O_RDWR | O_CREAT | O_APPEND);
    } catch (const Error& e) {
        if (e.number() != ErrorNumber::PermissionDenied)
            throw;
        fd_ = FileOps::openRegular(path, O_WRONLY | O_CREAT | O_APPEND);
        appendStart_ = fileSize();
        return;
    }
    if (!endsWithLineEnd()) {
        if (unended_ == UnendedLine::Cut)
            cutUnendedLine();
        else
            endLine();
    }
    appendStart_ = fileSize();
}

off_t TextWriter::fileSize() const {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0)
        throw Error::fromErrno(errno, path_.string());
    return st.st_size;
}

void TextWriter::abandon() {
    // An append that failed part-way is cut back, so the file never ends in a torn line.
    if (fd_ && appendStart_ >= 0 && ::ftruncate(fd_.get(), appendStart_) != 0) {
        // Nothing more can be done; the write's own failure is the one reported.
    }
    discard();
}

bool TextWriter::endsWithLineEnd() const {
    struct stat st {};
    char last = '\n';
    if (::fstat(fd_.get(), &st) == 0 && st.st_size > 0 &&
        ::pread(fd_.get(), &last, 1, st.st_size - 1) != 1)
        throw Error::fromErrno(errno, path_.string());
    return last == '\n';
}

void TextWriter::cutUnendedLine() {
    struct stat st {};
    if (::fstat(fd_.get(), &st) != 0)
        throw Error::fromErrno(errno, path_.string());
    // Back from the end, a block at a time, to the last line end.
    char block[4096];
    off_t end = st.st_size;
    while (end > 0) {
        const off_t begin = end > off_t(sizeof block) ? end - off_t(sizeof block) : 0;
        const auto size = static_cast<std::size_t>(end - begin);
        if (::pread(fd_.get(), block, size, begin) != ssize_t(size))
            throw Error::fromErrno(errno, path_.string());
        const void* found = ::memrchr(block, '\n', size);
        if (found) {
            end = begin + (static_cast<const char*>(found) - block) + 1;
            break;
        }
        end = begin;
    }
    if (::ftruncate(fd_.get(), end) != 0)
        throw Error::fromErrno(errno, path_.string());
}

void TextWriter::discard() {
    fd_.reset();
    used_ = 0;
    if (mode_ == Mode::Replace)
        ::unlink(writing_.c_str());
}

void TextWriter::writeOut(const char* data, std::size_t size) {
    if (!fd_)
        throw Error(ErrorNumber::PathFileAccess, path_.string() + ": not open for writing");
    while (size > 0) {
        const ssize_t n = ::write(fd_.get(), data, size);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            abandon();
            throw Error::fromErrno(err, path_.string());
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
}

void TextWriter::rawSlow(std::string_view bytes) {
    flush();
    if (bytes.size() > buffer_.size()) {
        writeOut(bytes.data(), bytes.size());
        return;
    }
    std::memcpy(buffer_.data(), bytes.data(), bytes.size());
    used_ = bytes.size();
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
    if (!fd_)
        return;
    try {
        flush();
        const bool toDisk = mode_ == Mode::Replace && durability_ == Durability::Disk;
        if (toDisk && ::fsync(fd_.get()) != 0)
            throw Error::fromErrno(errno, path_.string());
        // Renamed while still open: its lock tells another program's clean-up it is no leftover.
        if (mode_ == Mode::Replace && ::rename(writing_.c_str(), path_.c_str()) != 0)
            throw Error::fromErrno(errno, path_.string());
        if (!fd_.close())
            throw Error::fromErrno(errno, path_.string());
    } catch (...) {
        abandon();
        throw;
    }
    if (mode_ == Mode::Replace && durability_ == Durability::Disk)
        syncFolder(path_.parent_path());
}

void TextWriter::replaceLines(const std::filesystem::path& path, const QStringList& lines,
                              Durability durability) {
    TextWriter writer(path, Mode::Replace, durability);
    for (const QString& l : lines)
        writer.line(l);
    writer.commit();
}

} // namespace common
