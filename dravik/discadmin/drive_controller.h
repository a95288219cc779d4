#pragma once

#include <QObject>
#include <QString>

namespace dravik::workspace {
class Workspace;
}

namespace dravik::discadmin {

class DrivePanel;

// Choosing the default CD/DVD drive: "Set CD/DVD" opens the drive panel with the letters D to Z.
class DriveController : public QObject {
    Q_OBJECT
public:
    DriveController(DrivePanel& panel, workspace::Workspace& workspace);

    // "Set CD/DVD": fills the letters, keeps the current drive as "OLD Drive", shows the panel.
    void openDrivePanel();
    void closeDrivePanel();
    // Shows the default drive loaded at start-up.
    void showDefaultDrive();

    // "Select the letter from the list ..." on the default drive panel.
    static QString driveChoiceText();

private:
    DrivePanel& panel_;
    workspace::Workspace& workspace_;
};

} // namespace dravik::discadmin
