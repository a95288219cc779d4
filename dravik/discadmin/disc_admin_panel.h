#pragma once

#include <QObject>
#include <QStringList>

class QFrame;
class QLabel;
class QListView;
class QWidget;

namespace common::ui {
class FileListBox;
}
namespace dravik::catalogue {
class DiscIndex;
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
    QListView* manyDiscs() const { return manyDiscs_; }             // `DmDLys`
    QFrame* oldFiles() const { return oldFiles_; }                  // `UpXFiles`
    common::ui::FileListBox* oldLists() const { return oldLists_; } // `XFile`
    QLabel* goTo() const { return goTo_; }                          // `OpenFile`

    // `DmDLys` shows the discs of `index` from now on; when the index changes, the discs chosen
    // that it still holds stay chosen.
    void follow(const catalogue::DiscIndex& index);
    // The discs chosen in `DmDLys`, in their order.
    QStringList chosenDiscs() const;
    void clearChoice();

signals:
    void goToClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QFrame* deleteMany_;
    QListView* manyDiscs_;
    QFrame* oldFiles_;
    common::ui::FileListBox* oldLists_;
    QLabel* goTo_;
};

} // namespace dravik::discadmin
