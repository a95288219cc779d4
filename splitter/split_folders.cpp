#include "splitter/split_folders.h"

#include "common/folder_path.h"
#include "common/temporary_file.h"

namespace splitter {

SplitFolders::SplitFolders(const QString& dataPath)
    : dataPath_(common::FolderPath::withSeparator(dataPath)) {}

std::filesystem::path SplitFolders::data() const {
    return std::filesystem::path(dataPath_.toStdString());
}

std::filesystem::path SplitFolders::output() const {
    return common::NameResolver::resolve(data(), "TheShards-13");
}

std::filesystem::path SplitFolders::doneList() const {
    return common::NameResolver::resolve(data(), "DoneSplit.lys");
}

std::filesystem::path SplitFolders::discList(const ListedFile& entry) const {
    return data() / entry.bytes;
}

void SplitFolders::createOutput() const {
    std::error_code ec;
    std::filesystem::create_directory(output(), ec);
}

void SplitFolders::removeStaleFiles() const {
    common::TemporaryFile::removeStale(data());
    common::TemporaryFile::removeStale(output());
}

std::vector<ListedFile> SplitFolders::listFiles(const std::filesystem::path& folder) {
    return common::NameResolver::filesMatching(folder, "*.rtf");
}

} // namespace splitter
