#include "common/testing/temp_folder.h"

#include <fstream>
#include <sstream>

namespace common::testing {

TempFolder::TempFolder() : dir_(QDir::tempPath() + "/dravik-test-XXXXXX") {}

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
