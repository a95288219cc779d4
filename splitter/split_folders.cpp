#include "splitter/split_folders.h"

#include "common/folder_path.h"
#include "common/name_resolver.h"
#include "common/wildcard.h"

#include <algorithm>

namespace splitter {

namespace {
std::filesystem::path local(const QString& path) {
    return std::filesystem::path(path.toStdString());
}
} // namespace

SplitFolders::SplitFolders(const QString& dataPath)
    : dataPath_(common::FolderPath::withSeparator(dataPath)) {}

std::filesystem::path SplitFolders::data() const {
    return local(dataPath_);
}

std::filesystem::path SplitFolders::output() const {
    return common::NameResolver::resolve(data(), "TheShards-13");
}

std::filesystem::path SplitFolders::doneList() const {
    return common::NameResolver::resolve(data(), "DoneSplit.lys");
}

std::filesystem::path SplitFolders::discList(const QString& entry) const {
    return data() / entry.toStdString();
}

void SplitFolders::createOutput() const {
    std::error_code ec;
    std::filesystem::create_directory(output(), ec);
}

QStringList SplitFolders::listFiles(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        const std::string name = it->path().filename().string();
        if (it->is_regular_file(typeEc) && common::Wildcard::matches("*.rtf", name))
            names.push_back(name);
    }
    QStringList out;
    for (const auto& name : names)
        out << QString::fromStdString(name);
    std::sort(out.begin(), out.end(), [](const QString& a, const QString& b) {
        return a.compare(b, Qt::CaseInsensitive) < 0;
    });
    return out;
}

} // namespace splitter
