#pragma once

#include <QListWidget>

#include <filesystem>

namespace common::ui {

// The folder list: the chain of folders from the drive's root down to the current folder, then
// the current folder's subfolders. Double-clicking (or Enter on) an entry opens it.
class FolderListBox : public QListWidget {
    Q_OBJECT
public:
    explicit FolderListBox(QWidget* parent = nullptr);

    // The folder shown; `top` is the drive's root, above which the list does not climb.
    // Throws Error 76 when the folder does not exist.
    void setPath(const std::filesystem::path& folder, const std::filesystem::path& top);
    void setPath(const std::filesystem::path& folder) { setPath(folder, top_); }
    std::filesystem::path path() const { return path_; }
    std::filesystem::path top() const { return top_; }
    // Re-lists the current folder.
    void refresh();

signals:
    void pathChanged(const QString& folder);

private:
    void open(QListWidgetItem* item);

    std::filesystem::path path_;
    std::filesystem::path top_;
};

} // namespace common::ui
