#include "dravik/search/source_file.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/name_resolver.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace dravik::search {

namespace {
bool missing(const std::filesystem::path& path) {
    struct stat st {};
    return ::stat(path.c_str(), &st) != 0 && (errno == ENOENT || errno == ENOTDIR);
}
} // namespace

SourceLocator::SourceLocator(std::filesystem::path dataFolder, SourceMode mode)
    : dataFolder_(std::move(dataFolder)), mode_(mode) {}

std::optional<std::filesystem::path> SourceLocator::inFolder(const std::filesystem::path& folder,
                                                             const QString& source) const {
    const auto path = common::NameResolver::resolve(folder, (source + ".rtf").toStdString());
    if (missing(path))
        return std::nullopt;
    return path;
}

std::optional<std::filesystem::path> SourceLocator::locate(const QString& source) const {
    if (mode_ == SourceMode::Discs)
        return inFolder(dataFolder_, source);
    for (const char* folder : {ExtensionFolder, SplitterFolder}) {
        if (auto path = inFolder(common::NameResolver::resolve(dataFolder_, folder), source))
            return path;
    }
    return std::nullopt;
}

bool SourceFile::open(const std::filesystem::path& path) {
    fd_.reset();
    path_ = path;
    try {
        // Without blocking: a FIFO or a device in a list's place would hold the search for ever.
        fd_ = common::FileOps::openRegular(path, O_RDONLY);
    } catch (const common::Error&) {
        if (missing(path))
            return false;
        throw;
    }
    return true;
}

std::size_t SourceFile::read(char* into, std::size_t size) {
    return common::FileOps::readSome(fd_, into, size, path_);
}

} // namespace dravik::search
