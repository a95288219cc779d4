#include "common/ui/file_list_box.h"

#include "common/error.h"
#include "common/wildcard.h"

#include <algorithm>
#include <sys/stat.h>

namespace common::ui {

FileListBox::FileListBox(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Files"));
}

void FileListBox::setPattern(const QString& pattern) {
    pattern_ = pattern;
    if (!folder_.empty())
        refresh();
}

void FileListBox::setIncludeExecutables(bool on) {
    executables_ = on;
}

void FileListBox::setFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw Error(ErrorNumber::PathNotFound, folder.string() + ": path not found");
    folder_ = folder;
    refresh();
}

void FileListBox::refresh() {
    clear();
    const std::string patterns = pattern_.toStdString();
    std::vector<std::string> files;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(folder_, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        if (!it->is_regular_file(typeEc))
            continue;
        const std::string name = it->path().filename().string();
        bool take = common::Wildcard::matchesAny(patterns, name);
        if (!take && executables_) {
            struct stat st {};
            take = ::stat(it->path().c_str(), &st) == 0 && (st.st_mode & 0111);
        }
        if (take)
            files.push_back(name);
    }
    std::sort(files.begin(), files.end(), [](const auto& a, const auto& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) <
               0;
    });
    for (const auto& name : files)
        addItem(QString::fromStdString(name));
    emit listed();
}

QStringList FileListBox::names() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

} // namespace common::ui
