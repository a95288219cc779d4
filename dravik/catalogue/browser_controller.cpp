#include "dravik/catalogue/browser_controller.h"

#include "common/error.h"
#include "common/folder_path.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/catalogue/browser_panel.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/controls/browser_links.h"
#include "dravik/controls/control_tag.h"
#include "dravik/services/window_services.h"
#include "dravik/workspace/workspace.h"

#include <QListWidget>

namespace dravik::catalogue {

BrowserController::BrowserController(BrowserPanel& panel, services::FeatureContext context)
    : panel_(panel), workspace_(context.workspace) {
    controls::followDrive(this, panel.drives(), panel.folders(),
                          [&services = context.window](const QString& reason) {
                              services.reportError(QStringLiteral("Drive1_Change"), 0,
                                                   common::ErrorNumber::DeviceUnavailable, reason);
                          });
    connect(panel.folders(), &common::ui::FolderListBox::pathChanged, this,
            &BrowserController::fillFileList);
    connect(panel.launchList(), &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        workspace_.currentExtension = FileListEntry::key(item->text());
    });
}

void BrowserController::fillFileList() {
    const auto folder = panel_.folders()->path();
    panel_.launchList()->clear();
    try {
        panel_.files()->setFolder(folder);
    } catch (const common::Error&) {
        // A folder that cannot be listed shows no files; the folder list says where it is.
        panel_.files()->clear();
    }
    workspace_.browseFolder = common::FolderPath::withSeparator(folder);
    for (const QString& name : panel_.files()->names())
        panel_.launchList()->addItem(FileListEntry::of(name));
}

void BrowserController::pointAt(const QString& letter) {
    panel_.drives()->setDrive(letter);
    const auto root = workspace_.drives().root(letter[0].toLatin1());
    panel_.folders()->setPath(root, root);
}

void BrowserController::refreshDriveInfo() {
    common::ui::DriveListBox* drives = panel_.drives();
    const QString drive = drives->drive();
    // Switching away and back makes the drive be read afresh.
    if (drives->letter() != 'C') {
        try {
            drives->setDrive(QStringLiteral("c"));
        } catch (const common::Error&) {
            // Only a step to leave the drive; going back to it below reports what fails.
        }
    } else {
        drives->refresh();
    }
    drives->setDrive(drive);
}

} // namespace dravik::catalogue
