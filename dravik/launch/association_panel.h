#pragma once

#include <QObject>
#include <QStringList>

class QFrame;
class QLabel;
class QLineEdit;
class QListView;
class QListWidget;
class QTextEdit;
class QWidget;

namespace common {
class DriveTable;
}
namespace common::ui {
class DriveListBox;
class FileListBox;
class FolderListBox;
} // namespace common::ui
namespace dravik::controls {
class CommandArray;
}

namespace dravik::launch {

class AssociationModel;

// The association panel `SocPan` ("Associations"): the help box `AssHP`, the program picker
// `AddNew` (`Drive2`, `Dir2`, `File2`, the paste box `PastePad`, "Select"), the extension list
// `EXLys`, the association line `SoCTeX`, the link list `SoCLys`, the buttons `SoCCom` and the
// hint label `HIW`, which tells what the control under the pointer does.
class AssociationPanel : public QObject {
    Q_OBJECT
public:
    AssociationPanel(QWidget* host, const common::DriveTable& drives,
                     controls::CommandArray& soCCom);

    QFrame* frame() const { return frame_; }
    QTextEdit* help() const { return help_; }                                   // `AssHP`
    QFrame* picker() const { return picker_; }                                  // `AddNew`
    QLineEdit* pastePad() const { return pastePad_; }                           // `PastePad`
    QListView* links() const { return links_; }                                 // `SoCLys`
    QListView* extensions() const { return extensions_; }                       // `EXLys`
    QLineEdit* line() const { return line_; }                                   // `SoCTeX`
    QLabel* hint() const { return hint_; }                                      // `HIW`
    QWidget* editedButton() const { return edited_; }                           // `SoCCom` 1
    common::ui::DriveListBox* pickerDrives() const { return pickerDrives_; }    // `Drive2`
    common::ui::FolderListBox* pickerFolders() const { return pickerFolders_; } // `Dir2`
    common::ui::FileListBox* pickerFiles() const { return pickerFiles_; }       // `File2`

    // The link list and the extension list show `model` from now on; they keep no rows of
    // their own.
    void showModel(const AssociationModel& model);
    // The row of the link chosen in `SoCLys`, or -1.
    int chosenLink() const;
    // No link chosen: the next "EDITed" adds a link instead of replacing one.
    void forgetChosenLink();

    // Shows the panel inside the window, in front, with the focus.
    void open();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildPicker(const common::DriveTable& drives, controls::CommandArray& soCCom);
    void buildLists();
    void watchForHint(QWidget* widget, const QString& text);

    QFrame* frame_;
    QTextEdit* help_;
    QFrame* picker_;
    QLineEdit* pastePad_;
    QListView* links_;
    QListView* extensions_;
    QLineEdit* line_;
    QLabel* hint_;
    QListWidget* hints_;
    QWidget* edited_ = nullptr;
    common::ui::DriveListBox* pickerDrives_;
    common::ui::FolderListBox* pickerFolders_;
    common::ui::FileListBox* pickerFiles_;
};

} // namespace dravik::launch
