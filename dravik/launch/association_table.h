#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace dravik::launch {

// The program's own table of which program opens which extension: association lines
// ("txt /usr/bin/gedit": a three-character key, a blank, the program's path) kept in the data
// folder. "DK.soc" is read at start-up and appended to by "Select"; an edit or a deletion writes
// the whole list to "DK.mmd" and to "DK.soc", so it survives a restart. "DK.EXL" keeps the
// extensions the user has opened the panel for.
class AssociationTable {
public:
    explicit AssociationTable(std::filesystem::path dataFolder);

    // The line for a key and a program; a key shorter than three characters is filled with
    // blanks, so the program still starts at the fifth character.
    static QString line(const QString& key, const QString& program);
    // The program of the first line whose key equals `key` without regard to case.
    static std::optional<QString> programFor(const QStringList& lines, const QString& key);
    // Whether `keys` holds `key` without regard to case.
    static bool hasExtension(const QStringList& keys, const QString& key);

    // "Select": one line added at the end of "DK.soc".
    void appendLine(const QString& line) const;
    // "EDITed" and "DELETE": the whole list, as complete new files.
    void saveLines(const QStringList& lines) const;
    // The right-click: one key added at the end of "DK.EXL".
    void appendExtension(const QString& key) const;

private:
    std::filesystem::path file(const char* name) const;

    std::filesystem::path dataFolder_;
};

} // namespace dravik::launch
