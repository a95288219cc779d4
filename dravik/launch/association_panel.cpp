#include "dravik/launch/association_panel.h"

#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/browser_links.h"
#include "dravik/controls/floating_panel.h"

#include <QFrame>
#include <QListWidget>
#include <QVBoxLayout>

namespace dravik::launch {

AssociationPanel::AssociationPanel(QWidget* host, const common::DriveTable& drives)
    : QObject(nullptr),
      frame_(controls::floatingPanel(host, "SocPan", QStringLiteral("Associations"))) {
    pickerDrives_ = new common::ui::DriveListBox(drives, frame_);
    pickerDrives_->setObjectName(QStringLiteral("Drive2"));
    pickerFolders_ = new common::ui::FolderListBox(frame_);
    pickerFolders_->setObjectName(QStringLiteral("Dir2"));
    pickerFiles_ = new common::ui::FileListBox(frame_);
    pickerFiles_->setObjectName(QStringLiteral("File2"));
    pickerFiles_->setPattern(QStringLiteral("*.exe;*.com;*.bat"));
    pickerFiles_->setIncludeExecutables(true);
    extensions_ = new QListWidget(frame_);
    extensions_->setObjectName(QStringLiteral("EXLys"));
    extensions_->setAccessibleName(QStringLiteral("Extensions"));
    links_ = new QListWidget(frame_);
    links_->setObjectName(QStringLiteral("SoCLys"));
    links_->setAccessibleName(QStringLiteral("Associations"));
    auto* layout = controls::panelLayout(frame_);
    for (QWidget* w : {static_cast<QWidget*>(pickerDrives_), static_cast<QWidget*>(pickerFolders_),
                       static_cast<QWidget*>(pickerFiles_), static_cast<QWidget*>(extensions_),
                       static_cast<QWidget*>(links_)})
        layout->addWidget(w);
    controls::followFolder(this, pickerFolders_, pickerFiles_);
}

void AssociationPanel::setLinks(const QStringList& lines) {
    links_->clear();
    links_->addItems(lines);
}

void AssociationPanel::setExtensions(const QStringList& keys) {
    extensions_->clear();
    extensions_->addItems(keys);
}

} // namespace dravik::launch
