#pragma once

#include "common/drive_table.h"

#include <QDialog>

#include <filesystem>

namespace common::ui {
class Dialogs;
class DriveListBox;
class FileListBox;
class FolderListBox;
} // namespace common::ui

class QPushButton;

namespace splitter {

class SplitterSettings;

// "Set DataPad": drive, folder and file lists to pick the folder with the disc lists. Every move
// of the folder list changes the data path at once; "SET" also keeps it in the settings.
class DataPadDialog : public QDialog {
    Q_OBJECT
public:
    // `startFolder`, when it exists, is where the folder list opens; otherwise drive c.
    DataPadDialog(common::DriveTable drives, SplitterSettings& settings,
                  common::ui::Dialogs& dialogs, const QString& startFolder,
                  QWidget* parent = nullptr);

    // Ends in "/"; empty until the folder list showed a folder.
    QString dataPath() const { return dataPath_; }

signals:
    void dataPathChanged(const QString& path);

private:
    void openAt(const QString& startFolder);
    void folderChanged(const QString& folder);
    void showDriveOf(const std::filesystem::path& folder);
    void driveChanged(char letter, const QString& root);
    void driveFailed(char letter, const QString& reason);
    void set();

    SplitterSettings& settings_;
    common::ui::Dialogs& dialogs_;
    common::ui::DriveListBox* drive_;
    common::ui::FolderListBox* dir_;
    common::ui::FileListBox* files_;
    QPushButton* set_;
    QString dataPath_;
    char shownLetter_ = 'C';
};

} // namespace splitter
