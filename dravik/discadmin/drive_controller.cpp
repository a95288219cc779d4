#include "dravik/discadmin/drive_controller.h"

#include "common/settings_store.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/workspace/workspace.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace dravik::discadmin {

using workspace::Workspace;

DriveController::DriveController(DrivePanel& panel, Workspace& workspace)
    : panel_(panel), workspace_(workspace) {}

QString DriveController::driveChoiceText() {
    const QChar lb = Workspace::LineBreak;
    return QStringLiteral("Select the letter from the list (on the right) to set ") +
           QStringLiteral("the default CD/DVD drive.") + lb + lb +
           QStringLiteral("This is done only once until you decide to set a new ") +
           QStringLiteral("drive letter.");
}

void DriveController::openDrivePanel() {
    panel_.letters()->clear();
    for (char letter = 'D'; letter <= 'Z'; ++letter)
        panel_.letters()->addItem(QString(QChar(letter)));
    panel_.explanation()->setText(driveChoiceText());
    common::SettingsStore(QStringLiteral("DRAVIK 2016"))
        .setValue(QStringLiteral("Set Drive"), QStringLiteral("OLD Drive"),
                  workspace_.defaultDrive());
    QFrame* frame = panel_.drivePanel();
    frame->adjustSize();
    const QWidget* host = frame->parentWidget();
    controls::showInside(frame, host->rect().center() - frame->rect().center());
}

void DriveController::closeDrivePanel() {
    panel_.drivePanel()->hide();
}

void DriveController::showDefaultDrive() {
    panel_.defaultDrive()->setText(workspace_.defaultDrive());
}

} // namespace dravik::discadmin
