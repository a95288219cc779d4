#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <string_view>

namespace dravik::catalogue {

// The catalogue's files: disc lists and the disc index in the data folder, the scan work file in
// the program folder. Names are resolved without regard to letter case, so "DK.tex", "dk.tex"
// and "DK.Tex" are one file.
class Catalogue {
public:
    static constexpr const char* IndexName = "DK.tex";
    static constexpr const char* IndexWorkName = "DkFetch.xxx";
    static constexpr const char* IndexBackupName = "Dk.Tex.Bak";
    static constexpr const char* WorkFileName = "File.List.Qel";

    Catalogue(std::filesystem::path dataFolder, std::filesystem::path programFolder);

    const std::filesystem::path& dataFolder() const { return dataFolder_; }
    const std::filesystem::path& programFolder() const { return programFolder_; }
    void setDataFolder(std::filesystem::path folder) { dataFolder_ = std::move(folder); }

    // A file of the data folder / of the program folder, matched without regard to case.
    std::filesystem::path dataFile(const QString& name) const;
    std::filesystem::path programFile(const QString& name) const;

    // data folder + name + ".rtf"; throws common::Error (5) for a name that would lead out of
    // the data folder.
    std::filesystem::path discListPath(const QString& discName) const;
    std::filesystem::path workFilePath() const;

    // Copies the work file over the disc's list (through a complete new file), then deletes it.
    void publishWorkFile(const QString& discName) const;

    // What a killed program left behind: a rename or delete it did not finish (finished or
    // undone), the new files of its rewrites in both folders and the work file of its walk.
    // What a running program holds stays. Never throws.
    void removeLeftOvers() const;

    // The disc index: created empty when missing; every comma-separated item is one disc.
    QStringList readDiscIndex() const;
    void appendDiscName(const QString& discName) const;
    // Writes "DkFetch.xxx", keeps the current index as "Dk.Tex.Bak" and puts the new one in place.
    void rewriteDiscIndex(const QStringList& discNames) const;

    // One more than the zero-based number of the line on which the text ends.
    static long long countListLines(std::string_view text);

private:
    std::filesystem::path dataFolder_;
    std::filesystem::path programFolder_;
};

} // namespace dravik::catalogue
