#include "dravik/walker/walk_engine.h"

#include "common/disc_list_format.h"
#include "common/disc_list_writer.h"
#include "common/error.h"
#include "common/file_descriptor.h"
#include "common/wildcard.h"

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <deque>
#include <dirent.h>
#include <fcntl.h>
#include <list>
#include <memory>
#include <sys/resource.h>
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

// What the listing needs of an entry of the open folder `dirFd`: whether it is a folder and, when
// asked, a file's size and time. Where the folder record gives no type (ISO 9660 media never
// do), the one statx answers both. A file that went away meanwhile has no size or time.
struct Looked {
    bool folder = false;
    FileStat stat;
};

Looked lookAt(int dirFd, unsigned char type, const char* name, bool withStat) {
    if (type == DT_DIR)
        return {true, {}};
    if (!withStat)
        return {isFolder(dirFd, type, name), {}};
    struct statx st {};
    if (::statx(dirFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT | AT_STATX_DONT_SYNC,
                STATX_TYPE | STATX_SIZE | STATX_MTIME, &st) != 0)
        return {};
    if (type == DT_UNKNOWN && S_ISDIR(st.stx_mode))
        return {true, {}};
    return {false,
            {static_cast<std::int64_t>(st.stx_size),
             st.stx_mtime.tv_sec * 1000000000LL + st.stx_mtime.tv_nsec}};
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

class FolderCache;

// A folder met by the walk. Each folder is opened relative to its parent's descriptor with
// O_NOFOLLOW, one name at a time, so no path is resolved again from the root: a folder swapped
// for a symbolic link after it was listed is not followed, and depth has no limit.
struct Folder {
    std::shared_ptr<Folder> parent; // null for the root
    std::string name;               // as the parent's listing gave it
    std::string listed;             // "E:\Photos\2009\"
    common::FileDescriptor fd;      // open while listed and while in the cache; the root's always
    std::list<Folder*>::iterator cached;
    bool inCache = false;
    FolderCache* cache = nullptr;

    ~Folder();
};

// The folders held open for their children, most recently used first. A process may hold only
// so many descriptors; a folder pushed out is opened again from its nearest open ancestor when
// one of its children comes up.
class FolderCache {
public:
    explicit FolderCache(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

    void keep(Folder& folder) {
        if (folder.inCache) {
            used_.splice(used_.begin(), used_, folder.cached);
            return;
        }
        used_.push_front(&folder);
        folder.cached = used_.begin();
        folder.inCache = true;
        folder.cache = this;
        if (used_.size() > capacity_) {
            Folder* oldest = used_.back();
            forget(*oldest);
            oldest->fd.reset();
        }
    }

    void forget(Folder& folder) {
        if (!folder.inCache)
            return;
        used_.erase(folder.cached);
        folder.inCache = false;
    }

    // The folder's descriptor, opening it and the ancestors on the way when they were closed;
    // -1 when one of them cannot be opened (gone, no longer a folder, or a link now).
    int open(Folder& folder) {
        if (folder.fd) {
            if (folder.parent) // the root is held by the walk itself, never pushed out
                keep(folder);
            return folder.fd.get();
        }
        std::vector<Folder*> chain;
        Folder* at = &folder;
        for (; !at->fd; at = at->parent.get())
            chain.push_back(at);
        int fd = at->fd.get();
        if (at->parent)
            keep(*at);
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            (*it)->fd = openChild(fd, (*it)->name, Use::AsParent);
            if (!(*it)->fd)
                return -1;
            keep(**it);
            fd = (*it)->fd.get();
        }
        return fd;
    }

    // A folder opened to be listed, or only to open its children from (O_PATH: no read state).
    enum class Use { ToList, AsParent };
    static common::FileDescriptor openChild(int parentFd, const std::string& name, Use use) {
        const int how = use == Use::ToList ? O_RDONLY : O_PATH;
        return common::FileDescriptor(
            ::openat(parentFd, name.c_str(), how | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }

private:
    std::size_t capacity_;
    std::list<Folder*> used_;
};

Folder::~Folder() {
    if (cache)
        cache->forget(*this);
}

// Half of what the process may open: the rest stays for the program around the walk.
std::size_t folderLimit() {
    rlimit limit{};
    if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return 512;
    return std::max<std::size_t>(limit.rlim_cur / 2, 16);
}

// One folder's entries in listing order, the names packed in one buffer that is reused for
// every folder, so listing costs no allocation per entry.
class Listing {
public:
    struct Entry {
        std::size_t at;
        std::size_t size;
        bool folder;
        FileStat stat; // read only for an observer
    };

    void clear() {
        names_.clear();
        entries_.clear();
    }
    void add(const char* name, bool folder, const FileStat& stat) {
        const std::string_view text(name);
        entries_.push_back({names_.size(), text.size(), folder, stat});
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
    Walk(std::shared_ptr<Folder> root, const WalkInput& input,
         const std::filesystem::path& workFile, const WalkEngine::Progress& progress,
         std::stop_token stop, std::size_t folderLimit, WalkObserver* observer)
        : patterns_(WalkEngine::patterns(input)),
          everything_(patterns_.size() == 1 && (patterns_[0] == "*.*" || patterns_[0] == "*")),
          writer_(workFile), progress_(progress), stop_(std::move(stop)), cache_(folderLimit),
          observer_(observer) {
        queue_.push_back(std::move(root));
    }

    WalkCounts run() {
        while (!queue_.empty() && !stopped_) {
            const std::shared_ptr<Folder> folder = std::move(queue_.front());
            queue_.pop_front();
            if (!listFolder(*folder))
                continue;
            queueSubfolders(folder);
            writeMatches(*folder);
        }
        writer_.finish(counts_.files, counts_.folders);
        if (progress_)
            progress_(counts_);
        return counts_;
    }

private:
    // Reads the folder's entries into the listing; false when it cannot be listed (skipped).
    // A folder with subfolders stays open for them.
    bool listFolder(Folder& folder) {
        listing_.clear();
        if (folder.parent) {
            const int parentFd = cache_.open(*folder.parent);
            if (parentFd >= 0)
                folder.fd = FolderCache::openChild(parentFd, folder.name, FolderCache::Use::ToList);
            if (!folder.fd) {
                ++counts_.skipped;
                return false;
            }
        }
        const bool subfolders = readEntries(folder.fd.get());
        if (folder.parent)
            holdForSubfolders(folder, subfolders);
        return true;
    }

    // The entries of an open folder, in listing order; true when any is a folder.
    bool readEntries(int fd) {
        bool subfolders = false;
        for (;;) {
            const long got = ::syscall(SYS_getdents64, fd, buffer_.data(), buffer_.size());
            if (got == 0)
                break;
            if (got < 0) {
                if (errno == EINTR)
                    continue;
                ++counts_.skipped; // a read error part-way: what was read stays, the rest is lost
                return subfolders;
            }
            for (long at = 0; at < got;) {
                const auto* entry = reinterpret_cast<const LinuxDirent64*>(buffer_.data() + at);
                at += entry->d_reclen;
                if (isDot(entry->d_name))
                    continue;
                const Looked looked =
                    lookAt(fd, entry->d_type, entry->d_name, observer_ != nullptr);
                subfolders = subfolders || looked.folder;
                listing_.add(entry->d_name, looked.folder, looked.stat);
            }
        }
        return subfolders;
    }

    // A folder with subfolders is kept open for them by a handle without read state, so the
    // file system frees what it kept for the listing at once; any other folder is closed.
    void holdForSubfolders(Folder& folder, bool subfolders) {
        if (subfolders)
            folder.fd.reset(::openat(folder.fd.get(), ".", O_PATH | O_DIRECTORY | O_CLOEXEC));
        else
            folder.fd.reset();
        if (folder.fd)
            cache_.keep(folder);
    }

    void queueSubfolders(const std::shared_ptr<Folder>& folder) {
        for (const auto& entry : listing_.entries()) {
            if (!entry.folder)
                continue;
            const std::string_view name = listing_.name(entry);
            auto next = std::make_shared<Folder>();
            next->parent = folder;
            next->name = name;
            next->listed = folder->listed;
            next->listed += common::DiscListFormat::cleanName(name, scratch_);
            next->listed += '\\';
            queue_.push_back(std::move(next));
        }
    }

    // Every entry that a pattern matches, pattern by pattern: a file gets its line, a folder is
    // counted.
    void writeMatches(const Folder& folder) {
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
                    if (observer_)
                        observer_->fileListed(folder.listed, name, entry.stat);
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

    std::vector<std::string> patterns_;
    bool everything_;
    common::DiscListWriter writer_;
    const WalkEngine::Progress& progress_;
    std::stop_token stop_;
    WalkCounts counts_;
    FolderCache cache_;
    std::deque<std::shared_ptr<Folder>> queue_;
    Listing listing_;
    std::vector<char> buffer_ = std::vector<char>(1u << 16);
    std::string scratch_;
    bool stopped_ = false;
    WalkObserver* observer_;
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
    auto root = std::make_shared<Folder>();
    root->fd.reset(::open(root_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!root->fd)
        throw common::Error::fromErrno(errno, root_.string());
    root->listed = input.location;
    Walk walk(std::move(root), input, workFile, progress_, stop_,
              folderLimit_ > 0 ? folderLimit_ : folderLimit(), observer_);
    return walk.run();
}

} // namespace dravik::walker
