#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace dravik::reports {

// Saved search reports: byte-for-byte copies of the quick report under a name of the user's
// choice, in the report folder data folder + "QReport/", name + ".rtf".
class SavedReports {
public:
    static constexpr const char* FolderName = "QReport";

    explicit SavedReports(std::filesystem::path dataFolder);

    // The report folder, matched without regard to case.
    std::filesystem::path folder() const;
    // Why a report cannot be saved under this name; nothing when it can. The empty name is
    // the caller's (nothing is saved, nothing said).
    static std::optional<QString> refusal(const QString& name);
    // The file a report of this name goes to; a refused name throws common::Error 5.
    std::filesystem::path target(const QString& name) const;
    // Makes the report folder; a failure (such as a file in its place) shows when saving.
    void makeFolder() const;

    // Copies the quick report byte for byte to target(name) through a complete new file and a
    // rename, replacing a report of that name; returns the target. A refused name throws
    // common::Error 5 before anything is written; other failures throw as they come.
    std::filesystem::path save(const QString& name, const std::filesystem::path& quickReport) const;

    // The saved reports ("*.rtf"), sorted as the file lists show them; no folder yet: none.
    QStringList list() const;
    // What "Load Report" appends for one report: LF, 16 "=", the file name, 14 "=", LF, the
    // report's text (lines decoded one by one, joined by LF).
    QString loadText(const QString& fileName) const;
    static QString header(const QString& fileName);

private:
    std::filesystem::path dataFolder_;
};

} // namespace dravik::reports
