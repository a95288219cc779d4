#pragma once

#include "common/drive_table.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace dravik::workspace {

// Whether the next cataloguing must first ask for a disc name, or one has been set and its build
// is under way (a second naming step is refused meanwhile).
enum class NamingState { NeedsName = 5, NameSet = 8 };

// The values the whole main program shares from start to exit, and the file work of start-up and
// exit. Each load step is a method of its own so the window can report a failing step by its
// number and go on with the next.
class Workspace {
public:
    static constexpr QChar LineBreak = u'\n';

    explicit Workspace(common::DriveTable drives);

    const common::DriveTable& drives() const { return drives_; }
    common::DriveTable& drives() { return drives_; }

    // Both end in a separator.
    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    // A file of the data folder / of the program folder, matched without regard to case.
    std::filesystem::path dataFile(const QString& name) const;
    std::filesystem::path programFile(const QString& name) const;

    QString defaultDrive() const { return defaultDrive_; }
    void setDefaultDrive(const QString& letter) { defaultDrive_ = letter; }

    bool automatic = true;
    NamingState namingState = NamingState::NeedsName;
    bool nameExists = false;
    // The extension key of the file-list entry last clicked or right-clicked: the one the
    // association panel's "Select" links.
    QString currentExtension;
    // The folder of the main browser, ending in a separator.
    std::filesystem::path browseFolder;

    // Program folder, and the data folder from "Def DPath" (default: `currentFolder`), with a
    // separator appended when missing. A value of the "E:\Data\" form is mapped through the
    // drive table.
    void locateFolders(const std::filesystem::path& currentFolder);
    // Uses another data folder for this run only (a command-line option).
    void setDataFolder(const std::filesystem::path& folder);
    // Stores a new data folder under "Def DPath" and uses it at once.
    void changeDataFolder(const std::filesystem::path& folder);

    // Start-up steps of the workspace itself (the lists are read by their own models).
    void writeStartMarker() const; // "c:\DK.tmp"
    QString loadDefaultDrive();    // "SSc.ini" in the program folder

    // Exit: removes the marker files. Failures are ignored.
    void exit() const;

    // Letters of the temporary drive panels 0 to 3 (defaults H, I, J, K).
    static QString temporaryDrive(int index);

private:
    std::filesystem::path fixedFile(const char* name) const; // "c:\" files: in drive C's root

    common::DriveTable drives_;
    std::filesystem::path dataFolder_;
    std::filesystem::path programFolder_;
    QString defaultDrive_;
};

} // namespace dravik::workspace
