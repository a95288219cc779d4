#include "common/file_ops.h"

#include "common/error.h"
#include "common/text_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace common {

namespace {

Error notRegular(const std::filesystem::path& path, mode_t type) {
    return Error(ErrorNumber::PathFileAccess,
                 path.string() +
                     (S_ISDIR(type) ? ": is a folder, not a file" : ": is not a regular file"));
}

} // namespace

FileDescriptor FileOps::openRegular(const std::filesystem::path& path, int flags, unsigned mode) {
    FileDescriptor fd(::open(path.c_str(), flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, mode));
    struct stat st {};
    if (!fd) {
        const int err = errno;
        // A FIFO without a reader, or a folder opened for writing: say what it is.
        if ((err == ENXIO || err == EISDIR) && ::stat(path.c_str(), &st) == 0 &&
            !S_ISREG(st.st_mode))
            throw notRegular(path, st.st_mode);
        throw Error::fromErrno(err, path.string());
    }
    if (::fstat(fd.get(), &st) != 0)
        throw Error::fromErrno(errno, path.string());
    if (!S_ISREG(st.st_mode))
        throw notRegular(path, st.st_mode);
    // Regular files never block; reads and writes go on as usual.
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    return fd;
}

void FileOps::createIfMissing(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0) {
        if (!S_ISREG(st.st_mode))
            throw notRegular(path, st.st_mode);
        return;
    }
    try {
        (void)openRegular(path, O_WRONLY | O_CREAT | O_EXCL);
    } catch (const Error&) {
        if (!isFile(path)) // another program may have made it meanwhile
            throw;
    }
}

FileOps::Presence FileOps::createUnlessReadOnly(const std::filesystem::path& path) {
    try {
        createIfMissing(path);
        return Presence::Present;
    } catch (const Error&) {
        std::error_code ec;
        if (std::filesystem::exists(path, ec) || ec || !isReadOnly(path.parent_path()))
            throw;
        return Presence::Absent;
    }
}

void FileOps::removeIfExists(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error::fromErrno(errno, path.string());
}

std::size_t FileOps::readSome(const FileDescriptor& fd, char* into, std::size_t room,
                              const std::filesystem::path& path) {
    for (;;) {
        const ssize_t n = ::read(fd.get(), into, room);
        if (n >= 0)
            return static_cast<std::size_t>(n);
        if (errno != EINTR)
            throw Error::fromErrno(errno, path.string());
    }
}

void FileOps::copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    const FileDescriptor in = openRegular(from, O_RDONLY);
    TextWriter out(to, TextWriter::Mode::Replace);
    std::vector<char> buffer(1u << 18);
    while (const std::size_t n = readSome(in, buffer.data(), buffer.size(), from))
        out.raw(std::string_view(buffer.data(), n));
    out.commit();
}

void FileOps::renameOver(const std::filesystem::path& from, const std::filesystem::path& to) {
    struct stat old {};
    if (::stat(to.c_str(), &old) == 0 && S_ISREG(old.st_mode) &&
        ::chmod(from.c_str(), old.st_mode & 07777) != 0)
        throw Error::fromErrno(errno, from.string());
    if (::rename(from.c_str(), to.c_str()) != 0)
        throw Error::fromErrno(errno, to.string());
}

bool FileOps::isReadOnly(const std::filesystem::path& path) {
    // The effective user decides, as for an open.
    if (::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0)
        return false;
    return errno == EACCES || errno == EPERM || errno == EROFS;
}

bool FileOps::isFile(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

void FileOps::refuseIfNotRegular(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        throw notRegular(path, st.st_mode);
}

} // namespace common
