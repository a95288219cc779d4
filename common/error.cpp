#include "common/error.h"

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace common {

Error Error::fromErrno(int err, const std::string& subject) {
    int number = ErrorNumber::PathFileAccess;
    switch (err) {
    case ENOENT: {
        // A missing folder on the way is "path not found"; a missing last name is "file not found".
        std::error_code ec;
        const auto parent = std::filesystem::path(subject).parent_path();
        const bool parentThere = parent.empty() || std::filesystem::is_directory(parent, ec);
        number = parentThere ? ErrorNumber::FileNotFound : ErrorNumber::PathNotFound;
        break;
    }
    case ENOTDIR:
        number = ErrorNumber::PathNotFound;
        break;
    case EACCES:
    case EPERM:
    case EROFS:
        number = ErrorNumber::PermissionDenied;
        break;
    case ENOSPC:
    case EDQUOT:
        number = ErrorNumber::DiskFull;
        break;
    case EIO:
        number = ErrorNumber::DeviceIo;
        break;
    case ENXIO:
    case ENODEV:
    case ENOMEDIUM:
        number = ErrorNumber::DeviceUnavailable;
        break;
    case EINVAL:
    case ENAMETOOLONG:
        number = ErrorNumber::InvalidArgument;
        break;
    default:
        break;
    }
    return Error(number, subject + ": " + std::strerror(err));
}

} // namespace common
