#pragma once

#include "dravik/services/feature_context.h"

#include <QObject>
#include <QString>

#include <functional>

namespace common::ui {
class FileListBox;
}
namespace dravik::controls {
class CommandArray;
}

namespace dravik::discadmin {

class DiscAdminPanel;
class DrivePanel;

// The drives the window works against: choosing the default CD/DVD drive ("Set CD/DVD",
// "Continue", "Cancel", "FiX"), the temporary drives, and cleaning lists of the older layout
// ("Update old files").
class DriveController : public QObject {
    Q_OBJECT
public:
    // `discCount` tells how many discs the disc box holds.
    DriveController(DrivePanel& panel, DiscAdminPanel& admin, services::FeatureContext context,
                    std::function<int()> discCount);

    // "Set CD/DVD": fills the letters, keeps the current drive as "OLD Drive", shows the panel.
    void openDrivePanel();
    // "Continue": stores the chosen letter for the next start, and asks whether it replaces the
    // current drive at once.
    void storeDrive();
    void closeDrivePanel();
    // Shows the default drive loaded at start-up.
    void showDefaultDrive();

    // `DefDrivePan` / `DefDrive` clicked: the temporary drives show.
    void showTemporaryDrives();
    // A click on `SellD`: that drive for this run.
    void useTemporaryDrive(int index);
    // A right-press on `SellD`: asks for its letter and stores it.
    void setTemporaryDrive(int index);

    // `Label4` clicked while it reads "Update X-Files": the box of the data folder's lists.
    void openOldFiles();
    // "Go!": cleans the selected lists.
    void updateOldFiles();
    void closeOldFiles();

    // "Select the letter from the list ..." on the default drive panel.
    static QString driveChoiceText();

signals:
    // The default drive is now `letter` (or empty): what is in it may have changed.
    void driveInUse(const QString& letter);

private:
    void useDrive(const QString& letter);

    DrivePanel& panel_;
    DiscAdminPanel& admin_;
    controls::ListViewPanel& list_;
    workspace::Workspace& workspace_;
    services::WindowServices& services_;
    std::function<int()> discCount_;
};

} // namespace dravik::discadmin
