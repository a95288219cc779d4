#include "dravik/walker/walk_engine.h"

#include "common/error.h"
#include "common/wildcard.h"
#include "dravik/catalogue/disc_list_writer.h"

#include <cerrno>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
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

bool isFolder(int dirFd, const dirent* entry) {
    if (entry->d_type == DT_DIR)
        return true;
    if (entry->d_type != DT_UNKNOWN)
        return false;
    struct stat st {};
    return ::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0 && S_ISDIR(st.st_mode);
}

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
        DIR* dir = fd >= 0 ? ::fdopendir(fd) : nullptr;
        if (!dir) {
            if (fd >= 0)
                ::close(fd);
            if (folder.local.empty()) {
                ::close(rootFd);
                throw common::Error::fromErrno(errno, root_.string());
            }
            ++counts.skipped;
            continue;
        }
        const int dirFd = ::dirfd(dir);
        entries.clear();
        errno = 0;
        while (const dirent* entry = ::readdir(dir)) {
            if (isDot(entry->d_name))
                continue;
            const bool sub = isFolder(dirFd, entry);
            if (sub) {
                QueuedFolder next;
                next.local = folder.local.empty() ? std::string(entry->d_name)
                                                  : folder.local + '/' + entry->d_name;
                next.listed = folder.listed;
                appendListName(next.listed, entry->d_name);
                next.listed += '\\';
                queue.push_back(std::move(next));
            }
            if (everything) {
                // One pass: the listing order is the order of both queue and lines.
                if (!stopped) {
                    if (sub)
                        ++counts.folders;
                    else {
                        ++counts.files;
                        writer.appendFile(folder.listed, entry->d_name);
                    }
                    tick();
                }
            } else {
                entries.emplace_back(entry->d_name, sub);
            }
            errno = 0;
        }
        if (errno != 0)
            ++counts.skipped; // a read error part-way: what was read stays, the rest is lost
        ::closedir(dir);
        for (const auto& pattern : everything ? std::vector<std::string>{} : patterns) {
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
