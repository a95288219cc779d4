#pragma once

#include <QObject>
#include <QStringList>

class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace common::ui {
class FileListBox;
}
namespace dravik::controls {
class CommandArray;
}

namespace dravik::discadmin {

// The boxes of disc administration that float over the window, "Delete Many Discs" `DmD` with
// its list `DmDLys` and "Update old files" `UpXFiles` with its list `XFile`, and the command
// `OpenFile` ("GoTo") that opens a listed folder on the disc in the drive.
class DiscAdminPanel : public QObject {
    Q_OBJECT
public:
    DiscAdminPanel(QWidget* host, controls::CommandArray& ssPanel1, controls::CommandArray& xCom);

    QFrame* deleteMany() const { return deleteMany_; }              // `DmD`
    QListWidget* manyDiscs() const { return manyDiscs_; }           // `DmDLys`
    QFrame* oldFiles() const { return oldFiles_; }                  // `UpXFiles`
    common::ui::FileListBox* oldLists() const { return oldLists_; } // `XFile`
    QLabel* goTo() const { return goTo_; }                          // `OpenFile`

    enum class Choice { Keep, Clear };
    // Fills `DmDLys` with the discs; with Keep, rows chosen before stay chosen.
    void showDiscs(const QStringList& discs, Choice choice = Choice::Keep);
    // The discs chosen in `DmDLys`, in their order.
    QStringList chosenDiscs() const;

signals:
    void goToClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* deleteMany_;
    QListWidget* manyDiscs_;
    QFrame* oldFiles_;
    common::ui::FileListBox* oldLists_;
    QLabel* goTo_;
};

} // namespace dravik::discadmin
