#include "dravik/walker/walk_engine.h"

#include "common/error.h"
#include "common/wildcard.h"
#include "dravik/catalogue/disc_list_writer.h"

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace dravik::walker {

namespace {

constexpr long long ProgressEvery = 256;

std::string trimmed(const std::string& text) {
    const auto first = text.find_first_not_of(' ');
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

bool isDot(const char* name) {
    return name[0] == '.' && (name[1] == 0 || (name[1] == '.' && name[2] == 0));
}

// The folder's own line form: CR and LF would break the one-line-per-file rule.
void appendListName(std::string& out, const char* name) {
    for (const char* p = name; *p; ++p)
        out += (*p == '\r' || *p == '\n') ? '?' : (*p == '/' ? '\\' : *p);
}

bool isFolder(int dirFd, unsigned char type, const char* name) {
    if (type == DT_DIR)
        return true;
    if (type != DT_UNKNOWN)
        return false;
    struct stat st {};
    return ::fstatat(dirFd, name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

// The kernel's directory record: reading these straight into one reused buffer saves the
// per-folder allocation and system calls of opendir.
struct LinuxDirent64 {
    ino64_t d_ino;
    off64_t d_off;
    unsigned short d_reclen;
    unsigned char d_type;
    char d_name[];
};

struct QueuedFolder {
    std::string local;  // relative to the root, "/"-separated, empty for the root
    std::string listed; // "E:\Photos\2009\"
};

} // namespace

WalkEngine::WalkEngine(std::filesystem::path root, WalkInput input)
    : root_(std::move(root)), input_(std::move(input)) {}

std::vector<std::string> WalkEngine::patterns(const WalkInput& input) {
    if (!input.include.empty()) {
        std::vector<std::string> out;
        for (const auto& entry : input.include)
            out.push_back("*" + entry + "*");
        return out;
    }
    if (!input.exclude.empty())
        return {"*.*"};
    const std::string name = trimmed(input.fileName);
    return {name.empty() ? std::string("*.*") : name};
}

WalkCounts WalkEngine::run(const std::filesystem::path& workFile) {
    input_.fileName = trimmed(input_.fileName);
    input_.phrase = trimmed(input_.phrase);
    input_.location = trimmed(input_.location);
    if (input_.location.empty() || input_.location.back() != '\\')
        input_.location += '\\';
    const std::vector<std::string> patterns = WalkEngine::patterns(input_);
    const bool everything = patterns.size() == 1 && (patterns[0] == "*.*" || patterns[0] == "*");

    const int rootFd = ::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (rootFd < 0)
        throw common::Error::fromErrno(errno, root_.string());
    catalogue::DiscListWriter writer(workFile);
    WalkCounts counts;
    std::deque<QueuedFolder> queue;
    queue.push_back({std::string(), input_.location});
    std::vector<std::pair<std::string, bool>> entries; // reused: a folder's listing for patterns
    std::vector<char> buffer(1u << 16);                // reused for every folder's records
    bool stopped = false;

    auto tick = [&] {
        ++counts.entries;
        if (progress_ && counts.entries % ProgressEvery == 0)
            progress_(counts);
        if (stop_ && *stop_)
            stopped = true;
    };

    while (!queue.empty() && !stopped) {
        const QueuedFolder folder = std::move(queue.front());
        queue.pop_front();
        const int fd = folder.local.empty()
                           ? ::dup(rootFd)
                           : ::openat(rootFd, folder.local.c_str(),
                                      O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW);
        if (fd < 0) {
            if (folder.local.empty()) {
                const int err = errno;
                ::close(rootFd);
                throw common::Error::fromErrno(err, root_.string());
            }
            ++counts.skipped;
            continue;
        }
        entries.clear();
        for (;;) {
            const long got = ::syscall(SYS_getdents64, fd, buffer.data(), buffer.size());
            if (got == 0)
                break;
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                ++counts.skipped; // a read error part-way: what was read stays, the rest is lost
                break;
            }
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const LinuxDirent64*>(buffer.data() + at);
                at += entry->d_reclen;
                const char* name = entry->d_name;
                if (isDot(name))
                    continue;
                const bool sub = isFolder(fd, entry->d_type, name);
                if (sub) {
                    QueuedFolder next;
                    next.local =
                        folder.local.empty() ? std::string(name) : folder.local + '/' + name;
                    next.listed = folder.listed;
                    appendListName(next.listed, name);
                    next.listed += '\\';
                    queue.push_back(std::move(next));
                }
                if (!everything) {
                    entries.emplace_back(name, sub);
                } else if (!stopped) {
                    // One pass: the listing order is the order of both queue and lines.
                    if (sub) {
                        ++counts.folders;
                    } else {
                        ++counts.files;
                        writer.appendFile(folder.listed, name);
                    }
                    tick();
                }
            }
        }
        ::close(fd);
        if (everything)
            continue;
        for (const auto& pattern : patterns) {
            for (const auto& [name, sub] : entries) {
                if (stopped)
                    break;
                if (!common::Wildcard::matches(pattern, name))
                    continue;
                if (sub)
                    ++counts.folders;
                else {
                    ++counts.files;
                    writer.appendFile(folder.listed, name);
                }
                tick();
            }
        }
    }
    ::close(rootFd);
    writer.finish(counts.files, counts.folders);
    if (progress_)
        progress_(counts);
    return counts;
}

} // namespace dravik::walker
