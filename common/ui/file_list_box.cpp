#include "common/ui/file_list_box.h"

#include "common/error.h"
#include "common/name_resolver.h"
#include "common/wildcard.h"

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
    for (const auto& file : NameResolver::filesMatching(folder_, executables_ ? "*" : patterns)) {
        bool take = !executables_ || Wildcard::matchesAny(patterns, file.bytes);
        if (!take) {
            struct stat st {};
            take = ::stat((folder_ / file.bytes).c_str(), &st) == 0 && (st.st_mode & 0111);
        }
        if (!take)
            continue;
        auto* entry = new QListWidgetItem(file.shown, this);
        entry->setData(Qt::UserRole, QByteArray::fromStdString(file.bytes));
    }
    emit listed();
}

std::filesystem::path FileListBox::filePath(int row) const {
    return folder_ / item(row)->data(Qt::UserRole).toByteArray().toStdString();
}

QStringList FileListBox::names() const {
    QStringList out;
    for (int i = 0; i < count(); ++i)
        out << item(i)->text();
    return out;
}

} // namespace common::ui
