#pragma once

#include <QObject>

class QFrame;
class QWidget;

namespace common::ui {
class FileListBox;
class FolderListBox;
} // namespace common::ui

namespace dravik::controls {
class CommandArray;
}

namespace dravik::reports {

// The report panel `ReportPan` ("Load", "Save") and the hidden report picker (`Dir3`, `File4`)
// that lists the saved reports.
class ReportPanel : public QObject {
    Q_OBJECT
public:
    ReportPanel(QWidget* host, controls::CommandArray& gCom);

    QFrame* frame() const { return frame_; }
    common::ui::FolderListBox* folders() const { return folders_; } // `Dir3`
    common::ui::FileListBox* files() const { return files_; }       // `File4`

private:
    QFrame* frame_;
    common::ui::FolderListBox* folders_;
    common::ui::FileListBox* files_;
};

} // namespace dravik::reports
