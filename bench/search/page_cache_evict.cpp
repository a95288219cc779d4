// Drops the given files from the page cache, so the next search reads them from the disk: their
// written pages reach the disk first, then posix_fadvise(DONTNEED) drops the clean ones. No root
// needed. Prints how many of their bytes are still cached afterwards (mincore), so a run that
// measures "cold" can say how cold it was.
// Usage: page_cache_evict FILE...
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

class OpenFile {
public:
    explicit OpenFile(const char* path) : fd_(::open(path, O_RDONLY | O_NONBLOCK)) {}
    ~OpenFile() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    OpenFile(const OpenFile&) = delete;
    OpenFile& operator=(const OpenFile&) = delete;
    int get() const { return fd_; }

private:
    int fd_;
};

// Bytes of the file still in the page cache.
long long cachedBytes(int fd, off_t size) {
    if (size == 0)
        return 0;
    void* map = ::mmap(nullptr, static_cast<std::size_t>(size), PROT_READ, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED)
        return 0;
    const long page = ::sysconf(_SC_PAGESIZE);
    std::vector<unsigned char> resident(static_cast<std::size_t>((size + page - 1) / page));
    long long bytes = 0;
    if (::mincore(map, static_cast<std::size_t>(size), resident.data()) == 0) {
        for (unsigned char r : resident)
            bytes += (r & 1) ? page : 0;
    }
    ::munmap(map, static_cast<std::size_t>(size));
    return bytes;
}

} // namespace

int main(int argc, char** argv) {
    long long files = 0, total = 0, cached = 0;
    int failures = 0;
    for (int i = 1; i < argc; ++i) {
        const OpenFile file(argv[i]);
        struct stat st {};
        if (file.get() < 0 || ::fstat(file.get(), &st) != 0 || !S_ISREG(st.st_mode)) {
            std::fprintf(stderr, "page_cache_evict: cannot read %s\n", argv[i]);
            ++failures;
            continue;
        }
        // Dirty pages are not dropped: write them out first.
        ::fdatasync(file.get());
        ::posix_fadvise(file.get(), 0, 0, POSIX_FADV_DONTNEED);
        ++files;
        total += st.st_size;
        cached += cachedBytes(file.get(), st.st_size);
    }
    std::printf("evicted %lld files of %lld bytes; %lld bytes still cached\n", files, total,
                cached);
    return failures == 0 ? 0 : 1;
}
