#include "dravik/discadmin/go_to_controller.h"

#include "common/error.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/controls/list_text_edit.h"
#include "dravik/controls/list_view_panel.h"
#include "dravik/discadmin/drive_panel.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QLabel>

namespace dravik::discadmin {

using common::ui::Buttons;
using common::ui::Icon;
using workspace::Workspace;

GoToController::GoToController(catalogue::BrowserPanel& browser, DrivePanel& drives,
                               services::FeatureContext context)
    : list_(context.list), browser_(browser), drives_(drives), workspace_(context.workspace),
      services_(context.window) {}

std::optional<QString> GoToController::folderOf(const QString& selection) {
    QString text = selection;
    // A whole result row: the list line follows the "*disc* " in front.
    if (text.startsWith(u'*') && text.contains(QStringLiteral("* ")))
        text = text.mid(text.indexOf(QStringLiteral("* ")) + 2);
    // A whole list line: its first field is the folder.
    if (text.startsWith(u'"'))
        text = text.mid(1).section(u'"', 0, 0);
    if (text.size() < 2)
        return std::nullopt;
    text = text.mid(2); // the drive letter and colon
    const qsizetype last = text.lastIndexOf(u'\\');
    return last < 0 ? QString() : text.left(last);
}

void GoToController::goTo() {
    const auto folder = folderOf(list_.view()->selectedLines());
    if (!folder)
        return;
    const QString drive = workspace_.defaultDrive().trimmed();
    if (drive.isEmpty()) {
        // Nothing would ever name the drive to wait for: say what to do instead.
        services_.ask(QStringLiteral("No drive set"),
                      QStringLiteral("There is no drive to look in yet.") + Workspace::LineBreak +
                          Workspace::LineBreak +
                          QStringLiteral("Set the CD/DVD drive with \"Set CD/DVD\", or choose a "
                                         "temporary drive under \"Default Drive:\", then press "
                                         "GoTo again."),
                      Buttons::Ok, Icon::Warning);
        return;
    }
    const QChar lb = Workspace::LineBreak;
    drives_.explanation()->setText(
        QStringLiteral("Type the letter of the drive to execute the command. Ex:") + lb + lb +
        QStringLiteral("D") + lb + QStringLiteral("[where D is the drive where the disc recide]"));
    open(*folder);
}

void GoToController::open(const QString& folder) {
    const QString drive = workspace_.defaultDrive().trimmed();
    try {
        // Mapped below the drive's root, so the folder's ".." cannot leave the drive.
        const auto local =
            workspace_.drives().toLocal((drive.left(1) + u':' + folder).toStdString());
        browser_.drives()->setDrive(drive);
        browser_.folders()->setPath(local, workspace_.drives().root(drive[0].toLatin1()));
    } catch (const common::Error& e) {
        if (e.number() == common::ErrorNumber::InvalidArgument) {
            services_.ask(QStringLiteral("Wrong Folder"),
                          QStringLiteral("The folder ") + folder +
                              QStringLiteral(" is not on the disc: \"..\" cannot climb above "
                                             "the root of the drive."),
                          Buttons::Ok, Icon::Warning);
        } else if (e.number() == common::ErrorNumber::DeviceUnavailable) {
            services_.ask(QStringLiteral("Drive ERROR"),
                          QStringLiteral("There is no disc in the drive!"), Buttons::Ok,
                          Icon::Warning);
            browser_.drives()->setDrive(QStringLiteral("c"));
        } else if (e.number() == common::ErrorNumber::PathNotFound) {
            services_.ask(QStringLiteral("Wrong Disc"),
                          QStringLiteral("Although there is a disc in the specified drive, it's "
                                         "not the correct one!"),
                          Buttons::Ok, Icon::Warning);
            const auto home = workspace_.drives().root('C');
            browser_.folders()->setPath(home, home);
        }
    }
}

} // namespace dravik::discadmin
