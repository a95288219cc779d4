#pragma once

#include <QObject>
#include <QString>

#include <functional>

class QFrame;
class QLabel;
class QListWidget;
class QWidget;

namespace dravik::controls {
class CommandArray;
}

namespace dravik::discadmin {

// The drives of the window: `DefDrivePan` ("  Default Drive:") with the current default drive
// `DefDrive`, the temporary drive panels `SellD` 0 to 3 on `SellDPan`, the blinking reminder
// `Warning` to set the drive, the default drive panel `WDrive` ("Which is the default CD/DVD
// drive?") and its "FiX" command.
class DrivePanel : public QObject {
    Q_OBJECT
public:
    static constexpr int TemporaryDrives = 4;

    DrivePanel(QWidget* host, controls::CommandArray& sellD, controls::CommandArray& wCom);

    QWidget* driveRow() const { return driveRow_; }
    QLabel* defaultDrive() const { return defaultDrive_; }       // `DefDrive`
    QFrame* temporaryDrives() const { return temporaryDrives_; } // `SellDPan`
    QLabel* warning() const { return warning_; }                 // `Warning`
    QFrame* drivePanel() const { return drivePanel_; }           // `WDrive`
    QListWidget* letters() const { return letters_; }            // `SScLys`
    QLabel* explanation() const { return explanation_; }         // `Label3`
    QWidget* fixCommand() const { return fix_; }                 // `WCom` 2

    void setTemporaryDrive(int index, const QString& letter);
    QString temporaryDrive(int index) const;

    // `Wagter`: what happens once the user has chosen a drive on this panel. A new wait
    // replaces an older one; the choice runs it once.
    using DriveChosen = std::function<void(const QString& letter)>;
    void awaitDriveChoice(DriveChosen next);
    // The drive handlers tell the choice here; an empty letter is no choice.
    void driveChosen(const QString& letter);
    // The window closes: nothing waits any more.
    void dropDriveWait() { waiting_ = nullptr; }
    bool awaitsDriveChoice() const { return bool(waiting_); }

signals:
    // A click on `DefDrivePan` or `DefDrive`.
    void defaultDriveClicked();
    // A right-button press on `SellD` index.
    void temporaryDriveRightPressed(int index);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildDriveRow(controls::CommandArray& sellD);

    controls::CommandArray& sellD_;
    QWidget* driveRow_;
    QLabel* defaultDrivePanel_;
    QLabel* defaultDrive_;
    QFrame* temporaryDrives_;
    QLabel* warning_;
    QFrame* drivePanel_;
    QListWidget* letters_;
    QLabel* explanation_;
    QWidget* fix_;
    DriveChosen waiting_;
};

} // namespace dravik::discadmin
