#include "dravik/controls/browser_links.h"

#include "common/error.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"

namespace dravik::controls {

using common::ui::DriveListBox;
using common::ui::FileListBox;
using common::ui::FolderListBox;

void followDrive(QObject* context, DriveListBox* drives, FolderListBox* folders,
                 std::function<void(const QString&)> failed) {
    const auto goBack = [drives, failed = std::move(failed)](const QString& reason) {
        const QVariant back = drives->property("lastGood");
        if (back.isValid())
            drives->setCurrentIndex(back.toInt());
        failed(reason);
    };
    QObject::connect(drives, &DriveListBox::driveChanged, context,
                     [drives, folders](char, const QString& root) {
                         folders->setPath(root.toStdString(), root.toStdString());
                         drives->setProperty("lastGood", drives->currentIndex());
                     });
    // A place is a folder of this system: the list climbs from it up to "/".
    QObject::connect(drives, &DriveListBox::placeChosen, context,
                     [drives, folders, goBack](const QString& place) {
                         try {
                             folders->setPath(place.toStdString(), "/");
                             drives->setProperty("lastGood", drives->currentIndex());
                         } catch (const common::Error& e) {
                             goBack(QString::fromStdString(e.description()));
                         }
                     });
    QObject::connect(drives, &DriveListBox::driveFailed, context,
                     [goBack](char, const QString& reason) { goBack(reason); });
}

void followFolder(QObject* context, FolderListBox* folders, FileListBox* files) {
    QObject::connect(folders, &FolderListBox::pathChanged, context, [files](const QString& folder) {
        try {
            files->setFolder(folder.toStdString());
        } catch (const common::Error&) {
            files->clear(); // a folder that cannot be listed shows no files
        }
    });
}

} // namespace dravik::controls
