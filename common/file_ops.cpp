#include "common/file_ops.h"

#include "common/error.h"
#include "common/text_writer.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace common {

void FileOps::createIfMissing(const std::filesystem::path& path) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (fd < 0)
        throw Error::fromErrno(errno, path.string());
    ::close(fd);
}

void FileOps::removeIfExists(const std::filesystem::path& path) {
    if (::unlink(path.c_str()) != 0 && errno != ENOENT)
        throw Error::fromErrno(errno, path.string());
}

void FileOps::copyReplacing(const std::filesystem::path& from, const std::filesystem::path& to) {
    const int in = ::open(from.c_str(), O_RDONLY | O_CLOEXEC);
    if (in < 0)
        throw Error::fromErrno(errno, from.string());
    try {
        TextWriter out(to, TextWriter::Mode::Replace);
        std::vector<char> buffer(1u << 18);
        for (;;) {
            const ssize_t n = ::read(in, buffer.data(), buffer.size());
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0)
                throw Error::fromErrno(errno, from.string());
            if (n == 0)
                break;
            out.raw(std::string_view(buffer.data(), static_cast<std::size_t>(n)));
        }
        out.commit();
    } catch (...) {
        ::close(in);
        throw;
    }
    ::close(in);
}

bool FileOps::isFile(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace common
