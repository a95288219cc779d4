#include "dravik/catalogue/list_text.h"

#include "common/code_page.h"
#include "common/error.h"

#include <cerrno>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace dravik::catalogue {

namespace {

std::string readAll(const std::filesystem::path& file) {
    const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw common::Error::fromErrno(errno, file.string());
    struct stat st {};
    if (::fstat(fd, &st) == 0 && S_ISDIR(st.st_mode)) {
        ::close(fd);
        throw common::Error(common::ErrorNumber::PathFileAccess, file.string() + ": is a folder");
    }
    std::string bytes;
    bytes.resize(st.st_size > 0 ? static_cast<std::size_t>(st.st_size) : 0);
    std::size_t used = 0;
    for (;;) {
        if (used == bytes.size())
            bytes.resize(bytes.size() + (1u << 16));
        const ssize_t n = ::read(fd, bytes.data() + used, bytes.size() - used);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            const int err = errno;
            ::close(fd);
            throw common::Error::fromErrno(err, file.string());
        }
        if (n == 0)
            break;
        used += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(used);
    return bytes;
}

} // namespace

QString ListText::load(const std::filesystem::path& file) {
    const std::string bytes = readAll(file);
    QString text;
    text.reserve(static_cast<qsizetype>(bytes.size()));
    const bool allUtf8 = common::CodePage::isValidUtf8(bytes);
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = bytes.find('\n', start);
        const bool hasBreak = end != std::string::npos;
        if (!hasBreak)
            end = bytes.size();
        std::size_t lineEnd = end;
        if (lineEnd > start && bytes[lineEnd - 1] == '\r')
            --lineEnd;
        const std::string_view line(bytes.data() + start, lineEnd - start);
        if (allUtf8)
            text += QString::fromUtf8(line.data(), static_cast<qsizetype>(line.size()));
        else
            text += common::CodePage::decodeLine(line);
        if (hasBreak)
            text += u'\n';
        start = end + 1;
    }
    return text;
}

} // namespace dravik::catalogue
