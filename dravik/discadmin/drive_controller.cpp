#include "dravik/discadmin/drive_controller.h"

#include "common/error.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/text_writer.h"
#include "common/ui/file_list_box.h"
#include "dravik/controls/floating_panel.h"
#include "dravik/controls/list_selection.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/disc_admin_panel.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/discadmin/old_list_cleaner.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QFrame>
#include <QLabel>
#include <QListWidget>

namespace dravik::discadmin {

namespace Answer = common::ui::Answer;
using common::ui::Buttons;
using common::ui::Icon;
using workspace::Workspace;

namespace {

const QString MainSettings = common::SettingsNames::Main;

} // namespace

DriveController::DriveController(DrivePanel& panel, DiscAdminPanel& admin,
                                 services::FeatureContext context, std::function<int()> discCount)
    : panel_(panel), admin_(admin), list_(context.list), workspace_(context.workspace),
      services_(context.window), discCount_(std::move(discCount)) {
    connect(&panel, &DrivePanel::defaultDriveClicked, this, &DriveController::showTemporaryDrives);
    connect(&panel, &DrivePanel::temporaryDriveRightPressed, this, [this](int index) {
        try {
            setTemporaryDrive(index);
        } catch (const common::Error& e) {
            services_.reportError(QStringLiteral("SellD_MouseDown"), index, e);
        }
    });
}

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
    common::SettingsStore(MainSettings)
        .setValue(QStringLiteral("Set Drive"), QStringLiteral("OLD Drive"),
                  workspace_.defaultDrive());
    controls::showCentred(panel_.drivePanel());
}

void DriveController::storeDrive() {
    QListWidgetItem* chosenItem = panel_.letters()->currentItem();
    const QString chosen = chosenItem ? chosenItem->text() : QString();
    common::TextWriter::replaceLines(workspace_.programFile(QStringLiteral("SSc.ini")), {chosen});
    common::SettingsStore(MainSettings)
        .setValue(QStringLiteral("Set Drive"), QStringLiteral("NEW Drive"), chosen);
    const QString old = workspace_.defaultDrive();
    const QChar lb = Workspace::LineBreak;
    if (old.isEmpty()) {
        // A first choice has nothing to fix: it is the drive from now on, not only after a
        // restart.
        workspace_.setDefaultDrive(chosen);
    } else if (old != chosen && discCount_() > 0 &&
               services_.dialogs().message(
                   QStringLiteral("Drive Info changed: FiX or NOT?"),
                   QStringLiteral("The previous drive letter was ") + old +
                       QStringLiteral(" and was changed to ") + chosen + lb + lb +
                       QStringLiteral("Do you want to FiX ALL the drive letters in the current "
                                      "list with the NEW Drive Info?"),
                   Buttons::YesNo, Icon::Question) == Answer::Yes) {
        workspace_.setDefaultDrive(chosen);
    }
    showDefaultDrive();
    closeDrivePanel();
    panel_.driveChosen(workspace_.defaultDrive());
    emit driveInUse(workspace_.defaultDrive());
}

void DriveController::closeDrivePanel() {
    panel_.drivePanel()->hide();
}

void DriveController::showDefaultDrive() {
    panel_.defaultDrive()->setText(workspace_.defaultDrive());
}

void DriveController::showTemporaryDrives() {
    panel_.temporaryDrives()->show();
}

void DriveController::useDrive(const QString& letter) {
    workspace_.setDefaultDrive(letter);
    showDefaultDrive();
    panel_.driveChosen(letter);
    emit driveInUse(letter);
}

void DriveController::useTemporaryDrive(int index) {
    useDrive(panel_.temporaryDrive(index));
    panel_.temporaryDrives()->hide();
}

void DriveController::setTemporaryDrive(int index) {
    const auto answer = services_.dialogs().input(
        QStringLiteral("Create temporary external drive(s)"),
        QStringLiteral("Type the letter of the CD/DvD Drive and enter"), {});
    if (!answer)
        return; // cancelled: nothing changes
    const QString letter = answer->trimmed().toUpper();
    const bool oneLetter = letter.size() == 1 && letter[0] >= u'A' && letter[0] <= u'Z';
    if (!letter.isEmpty() && !oneLetter) {
        services_.dialogs().message(QStringLiteral("Create temporary external drive(s)"),
                                    QStringLiteral("A drive is one letter, A to Z."), Buttons::Ok,
                                    Icon::Warning);
        return;
    }
    panel_.setTemporaryDrive(index, letter);
    useDrive(letter);
    common::SettingsStore(MainSettings)
        .setValue(QStringLiteral("TmpDrive"), QStringLiteral("SellD") + QString::number(index),
                  letter);
}

void DriveController::openOldFiles() {
    admin_.oldLists()->setFolder(workspace_.dataFolder());
    controls::showCentred(admin_.oldFiles());
}

void DriveController::updateOldFiles() {
    long long obsolete = 0;
    int skipped = 0;
    for (const QString& name : controls::ListSelection::texts(admin_.oldLists())) {
        const auto result = OldListCleaner::clean(workspace_.dataFile(name));
        obsolete += result.obsolete;
        skipped += result.skipped ? 1 : 0;
        list_.setStatus(name.left(name.size() - 4) + QStringLiteral("Delete obsolute entries: [") +
                        QString::number(result.linesRead) + QStringLiteral("] "));
        services_.yieldPoint().always();
    }
    QString finished = QStringLiteral("Delete obsolute entries: ") + QString::number(obsolete) +
                       QStringLiteral(" * Finished *");
    if (skipped > 0)
        finished +=
            QStringLiteral(" (%1 list(s) not of the older layout left as they were)").arg(skipped);
    list_.setStatus(finished);
}

void DriveController::closeOldFiles() {
    admin_.oldFiles()->hide();
}

} // namespace dravik::discadmin
