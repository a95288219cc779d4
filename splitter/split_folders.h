#pragma once

#include "common/name_resolver.h"

#include <QString>

#include <filesystem>
#include <vector>

namespace splitter {

// A disc list file as the folder lists it: its name's own bytes, to open it by (a list copied
// from an old Windows disc may have a name that is not UTF-8), and the name as shown, which the
// disc name comes from.
using ListedFile = common::NameResolver::ListedName;

// Where a run reads and writes: the data path with the disc lists and "DoneSplit.lys", and the
// output folder "TheShards-13" under it with one list per extension.
class SplitFolders {
public:
    SplitFolders() = default;
    // `dataPath` as the setting holds it; a "/" is added when missing.
    explicit SplitFolders(const QString& dataPath);

    bool isEmpty() const { return dataPath_.isEmpty(); }
    // Ends in "/".
    const QString& dataPath() const { return dataPath_; }
    std::filesystem::path data() const;
    std::filesystem::path output() const;
    std::filesystem::path doneList() const;
    std::filesystem::path discList(const ListedFile& entry) const;

    // Creates the output folder; a failure shows later, when a file cannot be written there.
    void createOutput() const;
    // Removes what rewrites cut short by a killed run left in the data path and the output folder.
    void removeStaleFiles() const;
    // The "*.rtf" files of a folder, sorted as the file lists show them.
    static std::vector<ListedFile> listFiles(const std::filesystem::path& folder);

private:
    QString dataPath_;
};

} // namespace splitter
