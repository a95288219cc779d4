#include "dravik/catalogue/browser_controller.h"

#include "common/error.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/workspace/main_window.h"

#include <QListWidget>

namespace dravik::catalogue {

using common::ui::DriveListBox;
using common::ui::FileListBox;
using common::ui::FolderListBox;
using workspace::MainWindow;

namespace {

// A drive list moves its folder list to the drive's root; a drive without a readable disc is
// reported and the list goes back to the drive it showed.
void follow(MainWindow& window, DriveListBox* drives, FolderListBox* folders, const QString& name) {
    QObject::connect(drives, &DriveListBox::driveChanged, &window,
                     [drives, folders](char, const QString& root) {
                         folders->setPath(root.toStdString(), root.toStdString());
                         drives->setProperty("lastGood", drives->currentIndex());
                     });
    QObject::connect(drives, &DriveListBox::driveFailed, &window,
                     [&window, drives, name](char, const QString& reason) {
                         const QVariant back = drives->property("lastGood");
                         if (back.isValid())
                             drives->setCurrentIndex(back.toInt());
                         window.reportHandlerError(name + QStringLiteral("_Change"), 0,
                                                   common::ErrorNumber::DeviceUnavailable, reason);
                     });
}

void follow(FolderListBox* folders, FileListBox* files) {
    QObject::connect(folders, &FolderListBox::pathChanged, files, [files](const QString& folder) {
        try {
            files->setFolder(folder.toStdString());
        } catch (const common::Error&) {
            files->clear();
        }
    });
}

} // namespace

BrowserController::BrowserController(MainWindow& window) : QObject(&window), window_(window) {
    auto& c = window.controls();
    follow(window, c.Drive1, c.Dir1, QStringLiteral("Drive1"));
    connect(c.Dir1, &FolderListBox::pathChanged, this, &BrowserController::fillFileList);
    connect(c.FiL, &QListWidget::itemClicked, this, [this](QListWidgetItem* item) {
        MainWindow::setTag(window_.controls().FiL, item->text().left(3));
    });
    follow(window, c.Drive2, c.Dir2, QStringLiteral("Drive2"));
    follow(c.Dir2, c.File2);
    follow(c.Dir3, c.File4);
}

QString BrowserController::fileListEntry(const QString& name) {
    int count = 0;
    for (qsizetype i = name.size() - 1; i >= 0; --i) {
        ++count;
        if (name[i] == u'\\' || name[i] == u'/')
            break;
        if (name[i] == u'.') {
            if (count == 4)
                return name.right(3) + u' ' + name;
            if (count > 4)
                break;
        }
    }
    return name;
}

void BrowserController::fillFileList() {
    auto& c = window_.controls();
    const auto folder = c.Dir1->path();
    c.FiL->clear();
    try {
        c.File1->setFolder(folder);
    } catch (const common::Error&) {
        c.File1->clear();
    }
    window_.workspace().browseFolder = workspace::Workspace::withSeparator(folder);
    for (const QString& name : c.File1->names())
        c.FiL->addItem(fileListEntry(name));
}

} // namespace dravik::catalogue
