#pragma once

#include <QObject>
#include <QStringList>

class QFrame;
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

namespace dravik::launch {

// The association panel `SocPan`: the link list `SoCLys` (which program opens which extension),
// the extension list `EXLys` and the program picker (`Drive2`, `Dir2`, `File2`).
class AssociationPanel : public QObject {
    Q_OBJECT
public:
    AssociationPanel(QWidget* host, const common::DriveTable& drives);

    QFrame* frame() const { return frame_; }
    QListWidget* links() const { return links_; }                               // `SoCLys`
    QListWidget* extensions() const { return extensions_; }                     // `EXLys`
    common::ui::DriveListBox* pickerDrives() const { return pickerDrives_; }    // `Drive2`
    common::ui::FolderListBox* pickerFolders() const { return pickerFolders_; } // `Dir2`
    common::ui::FileListBox* pickerFiles() const { return pickerFiles_; }       // `File2`

    void setLinks(const QStringList& lines);
    void setExtensions(const QStringList& keys);

private:
    QFrame* frame_;
    QListWidget* links_;
    QListWidget* extensions_;
    common::ui::DriveListBox* pickerDrives_;
    common::ui::FolderListBox* pickerFolders_;
    common::ui::FileListBox* pickerFiles_;
};

} // namespace dravik::launch
