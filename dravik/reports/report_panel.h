#pragma once

#include <QObject>

class QFrame;
class QListWidget;
class QWidget;

namespace common::ui {
class FileListBox;
class FolderListBox;
} // namespace common::ui

namespace dravik::controls {
class CommandArray;
}

namespace dravik::reports {

// The report panel `ReportPan` ("Load", "Save"), the "Load Report" box `LoadReport` with its
// list of saved reports `LoadReportLys`, and the hidden report picker (`Dir3`, `File4`).
class ReportPanel : public QObject {
    Q_OBJECT
public:
    ReportPanel(QWidget* host, controls::CommandArray& gCom, controls::CommandArray& loadReportCom);

    QFrame* frame() const { return frame_; }                        // `ReportPan`
    QFrame* loadBox() const { return loadBox_; }                    // `LoadReport`
    QListWidget* reports() const { return reports_; }               // `LoadReportLys`
    common::ui::FolderListBox* folders() const { return folders_; } // `Dir3`
    common::ui::FileListBox* files() const { return files_; }       // `File4`

private:
    QFrame* frame_;
    QFrame* loadBox_;
    QListWidget* reports_;
    common::ui::FolderListBox* folders_;
    common::ui::FileListBox* files_;
};

} // namespace dravik::reports
