#include "common/testing/temp_folder.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

namespace common::testing {

TempFolder::TempFolder(const std::string& prefix) {
    std::error_code ec;
    std::filesystem::path base = std::filesystem::temp_directory_path(ec);
    if (ec)
        base = "/tmp";
    std::string pattern = (base / (prefix + "-XXXXXX")).string();
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot make a temporary folder in " + base.string());
    path_ = pattern;
}

TempFolder::~TempFolder() {
    removeTree(path_);
}

void TempFolder::removeTree(const std::filesystem::path& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0)
        return;
    if (!S_ISDIR(st.st_mode)) {
        ::unlink(path.c_str());
        return;
    }
    // A test may have taken the rights away to see a failure; they come back to clear it.
    ::chmod(path.c_str(), 0700);
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path, ec), end; !ec && it != end; it.increment(ec))
        removeTree(it->path());
    ::rmdir(path.c_str());
}

std::filesystem::path TempFolder::write(const std::string& relative,
                                        const std::string& bytes) const {
    const auto file = path() / relative;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out << bytes;
    return file;
}

std::filesystem::path TempFolder::makeFolder(const std::string& relative) const {
    const auto folder = path() / relative;
    std::filesystem::create_directories(folder);
    return folder;
}

std::string TempFolder::read(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

void TempFolder::makeOlder(const std::filesystem::path& file, std::chrono::seconds age) {
    std::filesystem::last_write_time(file, std::filesystem::file_time_type::clock::now() - age);
}

} // namespace common::testing
