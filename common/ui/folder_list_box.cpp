#include "common/ui/folder_list_box.h"

#include "common/error.h"

#include <QDir>

#include <algorithm>

namespace common::ui {

namespace {
constexpr int PathRole = Qt::UserRole + 1;

QString text(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}
} // namespace

FolderListBox::FolderListBox(QWidget* parent) : QListWidget(parent) {
    setAccessibleName(QStringLiteral("Folders"));
    connect(this, &QListWidget::itemActivated, this, &FolderListBox::open);
}

void FolderListBox::setPath(const std::filesystem::path& folder, const std::filesystem::path& top) {
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        throw Error(ErrorNumber::PathNotFound, folder.string() + ": path not found");
    path_ = folder.lexically_normal();
    if (!path_.has_filename() && path_ != path_.root_path())
        path_ = path_.parent_path();
    top_ = top.empty() ? path_.root_path() : top.lexically_normal();
    if (!top_.has_filename() && top_ != top_.root_path())
        top_ = top_.parent_path();
    // A folder outside `top` (another drive's folder) makes itself the top.
    const auto rel = path_.lexically_relative(top_);
    if (rel.empty() || *rel.begin() == "..")
        top_ = path_;
    refresh();
    emit pathChanged(text(path_));
}

void FolderListBox::refresh() {
    clear();
    std::vector<std::filesystem::path> chain;
    for (auto p = path_; !p.empty(); p = p.parent_path()) {
        chain.push_back(p);
        if (p == top_ || p == p.parent_path())
            break;
    }
    std::reverse(chain.begin(), chain.end());
    int depth = 0;
    for (const auto& p : chain) {
        const QString name = depth == 0 ? text(p) : QString::fromStdString(p.filename().string());
        auto* item = new QListWidgetItem(QString(depth * 2, u' ') + name, this);
        item->setData(PathRole, text(p));
        ++depth;
    }
    setCurrentRow(count() - 1);
    std::vector<std::string> subfolders;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(path_, ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        if (it->is_directory(typeEc))
            subfolders.push_back(it->path().filename().string());
    }
    std::sort(subfolders.begin(), subfolders.end(), [](const auto& a, const auto& b) {
        return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) <
               0;
    });
    for (const auto& name : subfolders) {
        auto* item =
            new QListWidgetItem(QString(depth * 2, u' ') + QString::fromStdString(name), this);
        item->setData(PathRole, text(path_ / name));
    }
}

void FolderListBox::open(QListWidgetItem* item) {
    if (!item)
        return;
    try {
        setPath(item->data(PathRole).toString().toStdString(), top_);
    } catch (const Error&) {
        refresh(); // the folder went away meanwhile
    }
}

} // namespace common::ui
