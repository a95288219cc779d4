#include "dravik/window/data_path_dialog.h"

#include "common/error.h"
#include "common/folder_path.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "dravik/controls/control_tag.h"
#include "dravik/workspace/workspace.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace dravik::window {

DataPathDialog::DataPathDialog(workspace::Workspace& workspace, QWidget* parent)
    : QDialog(parent), workspace_(workspace),
      commands_(QStringLiteral("SetCom"), controls::CommandArray::Look::Button) {
    setObjectName(QStringLiteral("SetDPad"));
    setWindowTitle(QStringLiteral("Data Path"));
    setModal(true);

    auto* title = new QLabel(QStringLiteral("Set NEW Data path"), this);
    drives_ = new common::ui::DriveListBox(workspace.drives(), this);
    drives_->setObjectName(QStringLiteral("SetDrive"));
    folders_ = new common::ui::FolderListBox(this);
    folders_->setObjectName(QStringLiteral("SetDir"));
    files_ = new common::ui::FileListBox(this);
    files_->setObjectName(QStringLiteral("SetFile"));
    shown_ = controls::sunkenLabel(this, "WysP");

    auto* grid = new QGridLayout(this);
    grid->addWidget(title, 0, 0, 1, 2);
    grid->addWidget(drives_, 1, 0);
    grid->addWidget(folders_, 2, 0);
    grid->addWidget(files_, 1, 1, 2, 1);
    grid->addWidget(shown_, 3, 0, 1, 2);
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(commands_.add(0, QStringLiteral("Set selected path"), {}, this));
    row->addWidget(commands_.add(1, QStringLiteral("CANCEL"), {}, this));
    grid->addLayout(row, 4, 0, 1, 2);
    resize(560, 380);

    connect(drives_, &common::ui::DriveListBox::driveChanged, this,
            [this](char, const QString& root) {
                folders_->setPath(root.toStdString(), root.toStdString());
                shown_->setText(drives_->drive());
            });
    connect(folders_, &common::ui::FolderListBox::pathChanged, this, &DataPathDialog::showFolder);
    connect(&commands_, &controls::CommandArray::clicked, this, &DataPathDialog::command);

    // Open on the current data folder.
    const auto data = workspace.dataFolder();
    const char letter = workspace.drives().letterOf(data).value_or('C');
    try {
        drives_->blockSignals(true);
        drives_->setDrive(QString(QChar(letter)));
    } catch (const common::Error&) {
        // The drive list shows the letter even when its disc cannot be read; the tree says more.
    }
    drives_->blockSignals(false);
    try {
        const auto top = workspace.drives().available(letter) ? workspace.drives().root(letter)
                                                              : data.root_path();
        folders_->setPath(data, top);
    } catch (const common::Error&) {
        // A data folder that no longer exists: start at the drive's root.
        try {
            folders_->setPath(workspace.drives().root(letter));
        } catch (const common::Error&) {
            // Nor the drive: the tree stays empty and the user picks another drive.
        }
    }
}

void DataPathDialog::showFolder(const QString& folder) {
    try {
        files_->setFolder(folder.toStdString());
    } catch (const common::Error&) {
        files_->clear(); // a folder that cannot be listed shows no files
    }
    shown_->setText(common::FolderPath::withSeparator(folder));
}

QString DataPathDialog::chosen() const {
    return shown_->text();
}

void DataPathDialog::command(int index) {
    if (index == 0 && !folders_->path().empty()) {
        try {
            workspace_.changeDataFolder(folders_->path());
            accept();
        } catch (const common::Error& e) {
            shown_->setText(QStringLiteral("The path was not stored: ") +
                            QString::fromStdString(e.description()));
        }
    } else {
        reject();
    }
}

} // namespace dravik::window
