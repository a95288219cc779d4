#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>

namespace splitter {

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
    std::filesystem::path discList(const QString& entry) const;

    // Creates the output folder; a failure shows later, when a file cannot be written there.
    void createOutput() const;
    // The "*.rtf" files of a folder, sorted as the file lists show them.
    static QStringList listFiles(const std::filesystem::path& folder);

private:
    QString dataPath_;
};

} // namespace splitter
