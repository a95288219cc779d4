#pragma once

#include "common/drive_table.h"
#include "dravik/controls/command_array.h"

#include <QDialog>

#include <filesystem>

class QLabel;

namespace common::ui {
class DriveListBox;
class FolderListBox;
class FileListBox;
} // namespace common::ui

namespace dravik::workspace {
class Workspace;
}

namespace dravik::window {

// `SetDPad`: chooses a new data folder. The new folder is used at once and stored; the disc box
// is not reloaded (the discs of the new folder appear at the next start).
class DataPathDialog : public QDialog {
    Q_OBJECT
public:
    DataPathDialog(workspace::Workspace& workspace, QWidget* parent);

    // The path `WysP` shows.
    QString chosen() const;
    common::ui::DriveListBox* drives() const { return drives_; }
    common::ui::FolderListBox* folders() const { return folders_; }

private:
    void command(int index);
    void showFolder(const QString& folder);

    workspace::Workspace& workspace_;
    common::ui::DriveListBox* drives_;
    common::ui::FolderListBox* folders_;
    common::ui::FileListBox* files_;
    QLabel* shown_;
    controls::CommandArray commands_;
};

} // namespace dravik::window
