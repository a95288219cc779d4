#pragma once

#include "common/drive_table.h"
#include "dravik/catalogue/catalogue.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace dravik::workspace {

// The values the whole main program shares from start to exit, and the file work of start-up and
// exit. Each load step is a method of its own so the window can report a failing step by its
// number and go on with the next.
class Workspace {
public:
    // Naming state: a name must be asked for / a name has been set.
    static constexpr int NeedsName = 5;
    static constexpr int NameSet = 8;
    static constexpr QChar LineBreak = u'\n';

    explicit Workspace(common::DriveTable drives);

    const common::DriveTable& drives() const { return drives_; }
    common::DriveTable& drives() { return drives_; }
    catalogue::Catalogue& catalogue() { return catalogue_; }
    const catalogue::Catalogue& catalogue() const { return catalogue_; }

    std::filesystem::path dataFolder() const { return catalogue_.dataFolder(); }
    std::filesystem::path programFolder() const { return catalogue_.programFolder(); }
    QString defaultDrive() const { return defaultDrive_; }
    void setDefaultDrive(const QString& letter) { defaultDrive_ = letter; }

    bool automatic = true;
    int namingState = NeedsName;
    bool nameExists = false;
    // The folder of the main browser, ending in a separator.
    std::filesystem::path browseFolder;

    // Program folder, and the data folder from "Def DPath" (default: `currentFolder`), with a
    // separator appended when missing. A value of the "E:\Data\" form is mapped through the
    // drive table.
    void locateFolders(const std::filesystem::path& currentFolder);
    // Stores a new data folder under "Def DPath" and uses it at once.
    void changeDataFolder(const std::filesystem::path& folder);
    static std::filesystem::path withSeparator(const std::filesystem::path& folder);

    // Start-up steps, in their order.
    void createAssociationData() const;   // "DK.mmd"
    void writeStartMarker() const;        // "c:\DK.tmp"
    QStringList loadDiscIndex() const;    // "DK.tex"
    QStringList loadAssociations() const; // "DK.SoC"
    QStringList loadExtensions() const;   // "DK.EXL", blank items dropped
    QStringList loadFindHistory() const;  // "FTex.Lys"
    QString loadDefaultDrive();           // "SSc.ini" in the program folder

    // Exit: removes the marker files, then rewrites the find history (when there is one to
    // write: a history that could not be read is not replaced by an empty one). Failures are
    // ignored.
    void exit(const std::optional<QStringList>& findHistory) const;

    // Letters of the temporary drive panels 0 to 3 (defaults H, I, J, K).
    static QString temporaryDrive(int index);

private:
    QStringList readItemsCreating(const std::filesystem::path& file) const;
    std::filesystem::path fixedFile(const char* name) const; // "c:\" files: in drive C's root

    common::DriveTable drives_;
    catalogue::Catalogue catalogue_;
    QString defaultDrive_;
};

} // namespace dravik::workspace
