#include "common/temporary_file.h"

#include "common/error.h"

#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <random>
#include <string>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace common {

namespace {

constexpr std::string_view Prefix = ".dravik-";
constexpr std::string_view Suffix = ".new";
constexpr std::size_t RandomLength = 8;
constexpr std::string_view OldMarker = ".new-"; // "<name>.new-XXXXXX"
constexpr std::size_t OldRandomLength = 6;
constexpr auto OldMinimumAge = std::chrono::minutes(10);

std::string randomName() {
    static constexpr char Letters[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937_64 generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> pick(0, sizeof Letters - 2);
    std::string name(Prefix);
    for (std::size_t i = 0; i < RandomLength; ++i)
        name += Letters[pick(generator)];
    name += Suffix;
    return name;
}

bool isNewStyle(std::string_view name) {
    return name.size() == Prefix.size() + RandomLength + Suffix.size() &&
           name.starts_with(Prefix) && name.ends_with(Suffix);
}

bool isOldStyle(std::string_view name) {
    if (name.size() <= OldMarker.size() + OldRandomLength)
        return false;
    const std::string_view random = name.substr(name.size() - OldRandomLength);
    const bool letters = std::all_of(random.begin(), random.end(), [](char c) {
        return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9');
    });
    return letters && name.substr(name.size() - OldRandomLength - OldMarker.size(),
                                  OldMarker.size()) == OldMarker;
}

bool sameFile(const struct stat& a, const struct stat& b) {
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

// Between its creation and its lock a new file looks like one a killed program left: a clean-up
// that locks it first removes it. Only a file locked while its name still leads to it is ours.
// Where locks are not supported there is no clean-up to race with.
bool lockedUnderItsName(const TemporaryFile::Created& created) {
    if (::flock(created.fd.get(), LOCK_EX | LOCK_NB) != 0)
        return errno != EWOULDBLOCK;
    struct stat opened {
    }, named{};
    return ::fstat(created.fd.get(), &opened) == 0 && ::stat(created.path.c_str(), &named) == 0 &&
           sameFile(opened, named);
}

bool olderThan(const struct stat& st, std::chrono::seconds age) {
    const auto modified = std::chrono::system_clock::from_time_t(st.st_mtim.tv_sec);
    return std::chrono::system_clock::now() - modified >= age;
}

// Removes one entry when it is a stale temporary file.
bool removeIfStale(int folderFd, const char* name, std::chrono::seconds minimumAge) {
    FileDescriptor fd(::openat(folderFd, name, O_RDONLY | O_NONBLOCK | O_NOFOLLOW | O_CLOEXEC));
    struct stat st {};
    if (!fd || ::fstat(fd.get(), &st) != 0 || !S_ISREG(st.st_mode))
        return false;
    if (!olderThan(st, isNewStyle(name)
                           ? minimumAge
                           : std::max<std::chrono::seconds>(minimumAge, OldMinimumAge)))
        return false;
    // A running rewrite holds its lock until the file is renamed into place and closed; by then
    // the name may lead elsewhere.
    struct stat named {};
    if (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0 ||
        ::fstatat(folderFd, name, &named, AT_SYMLINK_NOFOLLOW) != 0 || !sameFile(st, named))
        return false;
    return ::unlinkat(folderFd, name, 0) == 0;
}

} // namespace

TemporaryFile::Created TemporaryFile::createBeside(const std::filesystem::path& target) {
    struct stat old {};
    const bool replacing = ::stat(target.c_str(), &old) == 0 && S_ISREG(old.st_mode);
    const std::filesystem::path folder = target.parent_path();
    for (int attempt = 0;; ++attempt) {
        Created created;
        created.path = folder / randomName();
        created.fd.reset(::open(created.path.c_str(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                                replacing ? 0600 : 0666));
        if (!created.fd) {
            if (errno == EEXIST && attempt < 100)
                continue;
            throw Error::fromErrno(errno, target.string());
        }
        if (!lockedUnderItsName(created)) {
            if (attempt < 100)
                continue; // a clean-up took it for a killed program's file
            throw Error(ErrorNumber::PathFileAccess,
                        target.string() + ": no new file could be kept");
        }
        if (replacing)
            ::fchmod(created.fd.get(), old.st_mode & 07777);
        return created;
    }
}

bool TemporaryFile::isTemporaryName(std::string_view name) {
    return isNewStyle(name) || isOldStyle(name);
}

std::size_t TemporaryFile::removeStale(const std::filesystem::path& folder,
                                       std::chrono::seconds minimumAge) {
    const DirectoryStream dir = openDirectory(folder);
    if (!dir)
        return 0;
    std::size_t removed = 0;
    while (const dirent* entry = ::readdir(dir.get())) {
        if (isTemporaryName(entry->d_name) &&
            removeIfStale(::dirfd(dir.get()), entry->d_name, minimumAge))
            ++removed;
    }
    return removed;
}

} // namespace common
