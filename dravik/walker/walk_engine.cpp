#include "dravik/walker/walk_engine.h"

#include "common/disc_list_format.h"
#include "common/disc_list_writer.h"
#include "common/error.h"
#include "common/file_descriptor.h"
#include "common/wildcard.h"

#include <cerrno>
#include <cstddef>
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

// One folder's entries in listing order, the names packed in one buffer that is reused for
// every folder, so listing costs no allocation per entry.
class Listing {
public:
    struct Entry {
        std::size_t at;
        std::size_t size;
        bool folder;
    };

    void clear() {
        names_.clear();
        entries_.clear();
    }
    void add(const char* name, bool folder) {
        const std::string_view text(name);
        entries_.push_back({names_.size(), text.size(), folder});
        names_ += text;
    }
    const std::vector<Entry>& entries() const { return entries_; }
    std::string_view name(const Entry& entry) const {
        return std::string_view(names_).substr(entry.at, entry.size);
    }

private:
    std::string names_;
    std::vector<Entry> entries_;
};

// One run of the walk: the queue, the counters and the list being written.
class Walk {
public:
    Walk(int rootFd, const WalkInput& input, const std::filesystem::path& workFile,
         const WalkEngine::Progress& progress, std::stop_token stop)
        : rootFd_(rootFd), patterns_(WalkEngine::patterns(input)),
          everything_(patterns_.size() == 1 && (patterns_[0] == "*.*" || patterns_[0] == "*")),
          writer_(workFile), progress_(progress), stop_(std::move(stop)) {
        queue_.push_back({std::string(), input.location});
    }

    WalkCounts run(const std::filesystem::path& root) {
        while (!queue_.empty() && !stopped_) {
            const QueuedFolder folder = std::move(queue_.front());
            queue_.pop_front();
            if (!listFolder(folder, root))
                continue;
            queueSubfolders(folder);
            writeMatches(folder);
        }
        writer_.finish(counts_.files, counts_.folders);
        if (progress_)
            progress_(counts_);
        return counts_;
    }

private:
    // Reads the folder's entries into the listing; false when it cannot be listed (skipped).
    bool listFolder(const QueuedFolder& folder, const std::filesystem::path& root) {
        listing_.clear();
        common::FileDescriptor fd(folder.local.empty()
                                      ? ::dup(rootFd_)
                                      : ::openat(rootFd_, folder.local.c_str(),
                                                 O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOFOLLOW));
        if (!fd) {
            if (folder.local.empty())
                throw common::Error::fromErrno(errno, root.string());
            ++counts_.skipped;
            return false;
        }
        for (;;) {
            const long got = ::syscall(SYS_getdents64, fd.get(), buffer_.data(), buffer_.size());
            if (got == 0)
                return true;
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                ++counts_.skipped; // a read error part-way: what was read stays, the rest is lost
                return true;
            }
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const LinuxDirent64*>(buffer_.data() + at);
                at += entry->d_reclen;
                if (!isDot(entry->d_name))
                    listing_.add(entry->d_name, isFolder(fd.get(), entry->d_type, entry->d_name));
            }
        }
    }

    void queueSubfolders(const QueuedFolder& folder) {
        for (const auto& entry : listing_.entries()) {
            if (!entry.folder)
                continue;
            const std::string_view name = listing_.name(entry);
            QueuedFolder next;
            next.local = folder.local;
            if (!next.local.empty())
                next.local += '/';
            next.local += name;
            next.listed = folder.listed;
            next.listed += common::DiscListFormat::cleanName(name, scratch_);
            next.listed += '\\';
            queue_.push_back(std::move(next));
        }
    }

    // Every entry that a pattern matches, pattern by pattern: a file gets its line, a folder is
    // counted.
    void writeMatches(const QueuedFolder& folder) {
        for (const auto& pattern : patterns_) {
            for (const auto& entry : listing_.entries()) {
                if (stopped_)
                    return;
                const std::string_view name = listing_.name(entry);
                if (!everything_ && !common::Wildcard::matches(pattern, name))
                    continue;
                if (entry.folder) {
                    ++counts_.folders;
                } else {
                    ++counts_.files;
                    writer_.appendFile(folder.listed, name);
                }
                tick();
            }
        }
    }

    void tick() {
        ++counts_.entries;
        if (progress_ && counts_.entries % ProgressEvery == 0)
            progress_(counts_);
        if (stop_.stop_requested())
            stopped_ = true;
    }

    int rootFd_;
    std::vector<std::string> patterns_;
    bool everything_;
    common::DiscListWriter writer_;
    const WalkEngine::Progress& progress_;
    std::stop_token stop_;
    WalkCounts counts_;
    std::deque<QueuedFolder> queue_;
    Listing listing_;
    std::vector<char> buffer_ = std::vector<char>(1u << 16);
    std::string scratch_;
    bool stopped_ = false;
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
    WalkInput input = input_;
    input.fileName = trimmed(input.fileName);
    input.location = trimmed(input.location);
    if (input.location.empty() || input.location.back() != '\\')
        input.location += '\\';
    const common::FileDescriptor rootFd(::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!rootFd)
        throw common::Error::fromErrno(errno, root_.string());
    Walk walk(rootFd.get(), input, workFile, progress_, stop_);
    return walk.run(root_);
}

} // namespace dravik::walker
