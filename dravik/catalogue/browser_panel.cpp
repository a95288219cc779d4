#include "dravik/catalogue/browser_panel.h"

#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/command_array.h"

#include <QListWidget>
#include <QVBoxLayout>

namespace dravik::catalogue {

BrowserPanel::BrowserPanel(QWidget* host, const common::DriveTable& drives)
    : QObject(nullptr), column_(new QWidget(host)) {
    drives_ = new common::ui::DriveListBox(drives, column_);
    drives_->setObjectName(QStringLiteral("Drive1"));
    folders_ = new common::ui::FolderListBox(column_);
    folders_->setObjectName(QStringLiteral("Dir1"));
    files_ = new common::ui::FileListBox(column_);
    files_->setObjectName(QStringLiteral("File1"));
    files_->hide();
    launchList_ = new QListWidget(column_);
    launchList_->setObjectName(QStringLiteral("FiL"));
    launchList_->setAccessibleName(QStringLiteral("Files of the folder"));
    launchList_->setProperty(controls::CommandArray::HelpProperty,
                             QStringLiteral("DClick to run or open. RClick to set associations"));
    auto* layout = new QVBoxLayout(column_);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(drives_);
    layout->addWidget(folders_, 1);
    layout->addWidget(launchList_, 1);
}

} // namespace dravik::catalogue
