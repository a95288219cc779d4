#pragma once

#include <QObject>

class QListWidget;
class QWidget;

namespace common {
class DriveTable;
}
namespace common::ui {
class DriveListBox;
class FileListBox;
class FolderListBox;
} // namespace common::ui

namespace dravik::catalogue {

// The main browser over the live drives: the drive list `Drive1`, the folder tree `Dir1`, the
// hidden file list `File1` and the launch list `FiL` it feeds.
class BrowserPanel : public QObject {
    Q_OBJECT
public:
    BrowserPanel(QWidget* host, const common::DriveTable& drives);

    QWidget* column() const { return column_; }
    common::ui::DriveListBox* drives() const { return drives_; }    // `Drive1`
    common::ui::FolderListBox* folders() const { return folders_; } // `Dir1`
    common::ui::FileListBox* files() const { return files_; }       // `File1`
    QListWidget* launchList() const { return launchList_; }         // `FiL`

private:
    QWidget* column_;
    common::ui::DriveListBox* drives_;
    common::ui::FolderListBox* folders_;
    common::ui::FileListBox* files_;
    QListWidget* launchList_;
};

} // namespace dravik::catalogue
