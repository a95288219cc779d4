#include "splitter/data_pad_dialog.h"

#include "common/error.h"
#include "common/folder_path.h"
#include "common/ui/dialogs.h"
#include "common/ui/drive_list_box.h"
#include "common/ui/file_list_box.h"
#include "common/ui/folder_list_box.h"
#include "splitter/splitter_settings.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

namespace splitter {

DataPadDialog::DataPadDialog(common::DriveTable drives, SplitterSettings& settings,
                             common::ui::Dialogs& dialogs, const QString& startFolder,
                             QWidget* parent)
    : QDialog(parent), settings_(settings), dialogs_(dialogs) {
    setWindowTitle(QStringLiteral("Set DataPad"));
    setModal(true);
    drive_ = new common::ui::DriveListBox(std::move(drives), this);
    drive_->setObjectName(QStringLiteral("Drive1"));
    dir_ = new common::ui::FolderListBox(this);
    dir_->setObjectName(QStringLiteral("Dir1"));
    files_ = new common::ui::FileListBox(this);
    files_->setObjectName(QStringLiteral("File1"));
    set_ = new QPushButton(QStringLiteral("SET"), this);
    set_->setObjectName(QStringLiteral("Command1"));

    auto* left = new QVBoxLayout;
    left->addWidget(drive_);
    left->addWidget(dir_, 1);
    auto* right = new QVBoxLayout;
    right->addWidget(files_, 1);
    right->addWidget(set_);
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(right, 1);
    resize(520, 360);

    connect(dir_, &common::ui::FolderListBox::pathChanged, this, &DataPadDialog::folderChanged);
    connect(drive_, &common::ui::DriveListBox::driveChanged, this, &DataPadDialog::driveChanged);
    connect(drive_, &common::ui::DriveListBox::driveFailed, this, &DataPadDialog::driveFailed);
    connect(set_, &QPushButton::clicked, this, &DataPadDialog::set);
    openAt(startFolder);
}

void DataPadDialog::openAt(const QString& startFolder) {
    const std::filesystem::path wanted = startFolder.toStdString();
    std::error_code ec;
    if (!startFolder.isEmpty() && std::filesystem::is_directory(wanted, ec)) {
        // The drive whose root holds the folder, so the folder list can climb to that root.
        std::filesystem::path top = wanted.root_path();
        if (const auto letter = drive_->table().letterOf(wanted))
            top = drive_->table().root(*letter);
        dir_->setPath(wanted, top); // the drive list follows the folder shown
        return;
    }
    try {
        drive_->setDrive(QStringLiteral("c"));
    } catch (const common::Error&) {
        // Without a drive c the folder list starts empty; the user picks a drive.
    }
}

void DataPadDialog::folderChanged(const QString& folder) {
    dataPath_ = common::FolderPath::withSeparator(folder);
    showDriveOf(folder.toStdString());
    try {
        files_->setFolder(folder.toStdString());
    } catch (const common::Error&) {
        files_->clear(); // a folder that cannot be listed shows no files
    }
    emit dataPathChanged(dataPath_);
}

void DataPadDialog::showDriveOf(const std::filesystem::path& folder) {
    // The drive list names the drive that holds the folder shown, also when the folder list
    // climbed or moved into another drive's root; blank when no drive holds it.
    const auto letter = drive_->table().letterOf(folder);
    const int index = letter ? drive_->findData(QChar(*letter)) : -1;
    drive_->setCurrentIndex(index);
    if (index >= 0)
        shownLetter_ = *letter;
}

void DataPadDialog::driveChanged(char letter, const QString& root) {
    shownLetter_ = letter;
    dir_->setPath(root.toStdString(), root.toStdString());
}

void DataPadDialog::driveFailed(char letter, const QString& reason) {
    (void)letter, (void)reason;
    dialogs_.message(QString(),
                     QStringLiteral("Error: %1").arg(common::ErrorNumber::DeviceUnavailable),
                     common::ui::Buttons::Ok, common::ui::Icon::None);
    // Back to the drive the folder list still shows.
    const int index = drive_->findData(QChar(shownLetter_));
    if (index >= 0)
        drive_->setCurrentIndex(index);
}

void DataPadDialog::set() {
    try {
        settings_.setDataPath(dataPath_);
    } catch (const common::Error& e) {
        // The path is used all the same; only the next start will not know it.
        dialogs_.message(QString(), QStringLiteral("Error: %1").arg(e.number()),
                         common::ui::Buttons::Ok, common::ui::Icon::None);
    }
    accept();
}

} // namespace splitter
