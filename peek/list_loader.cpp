#include "peek/list_loader.h"

#include "common/error.h"
#include "peek/line_store.h"

#include <cerrno>
#include <sys/stat.h>

namespace peek {

namespace {

// A device would be read for ever (/dev/zero) or block; folders are refused by the reader itself.
const std::filesystem::path& refuseDevices(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0)
        throw common::Error::fromErrno(errno, path.string());
    if (S_ISCHR(st.st_mode) || S_ISBLK(st.st_mode) || S_ISSOCK(st.st_mode))
        throw common::Error(common::ErrorNumber::PathFileAccess,
                            path.string() + ": is a device, not a file");
    return path;
}

} // namespace

ListLoader::ListLoader(const std::filesystem::path& path)
    : path_(path), reader_(refuseDevices(path)) {}

std::size_t ListLoader::load(LineStore& store, const Progress& progress) {
    std::error_code ec;
    const auto size = std::filesystem::file_size(path_, ec);
    if (!ec)
        store.reserve(static_cast<std::size_t>(size));

    std::size_t counter = 0;
    std::size_t total = 0;
    std::string_view line;
    while (reader_.next(line)) {
        store.append(line);
        // The count is checked before it takes in this line, so exactly 1000 lines report
        // nothing and 1001 report 1000 once.
        if (counter == Step) {
            total += counter;
            counter = 0;
            if (progress && !progress(total)) {
                stopped_ = true;
                return total + 1;
            }
        }
        ++counter;
    }
    return total + counter;
}

} // namespace peek
