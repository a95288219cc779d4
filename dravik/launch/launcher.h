#pragma once

#include <QString>
#include <QStringList>

#include <filesystem>
#include <optional>

namespace dravik::launch {

// What a double-click on an entry of the launch list starts: the program and its arguments kept
// apart (nothing is ever handed to a shell), and the command line as it is kept in "ttt.ttt" for
// the record.
struct Launch {
    QString program;
    QStringList arguments;
    QString commandLine;
};

// Works out and starts what a launch-list entry opens: a file whose extension the association
// table links to a program opens with that program, the file's full path as one argument; a file
// without a link starts itself when it is a program this system can run.
class Launcher {
public:
    // `browseFolder` is the folder the list shows, ending in a separator.
    Launcher(std::filesystem::path browseFolder, std::filesystem::path programFolder);

    // What the entry starts, or nothing when it has no association (or names no program that
    // can run).
    std::optional<Launch> plan(const QString& entry, const QStringList& links) const;
    // Starts it detached; "ttt.ttt" is rewritten only once the start succeeded. False when it
    // could not be started.
    bool start(const Launch& launch) const;

private:
    std::filesystem::path browseFolder_;
    std::filesystem::path programFolder_;
};

} // namespace dravik::launch
