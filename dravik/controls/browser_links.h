#pragma once

#include <QString>

#include <functional>

class QObject;

namespace common::ui {
class DriveListBox;
class FileListBox;
class FolderListBox;
} // namespace common::ui

namespace dravik::controls {

// The drive, folder and file lists of a browser follow one another. The links live as long as
// `context`.

// Choosing a drive points the folder list at its root, choosing a place at that folder; a drive
// without a readable disc goes back to the drive the list showed and calls `failed` with the
// reason.
void followDrive(QObject* context, common::ui::DriveListBox* drives,
                 common::ui::FolderListBox* folders, std::function<void(const QString&)> failed);
// A new folder points the file list at it (an unreadable folder empties the list).
void followFolder(QObject* context, common::ui::FolderListBox* folders,
                  common::ui::FileListBox* files);

} // namespace dravik::controls
