#pragma once

#include "dravik/cli/error_line.h"
#include "dravik/workspace/workspace.h"

#include <QStringList>

#include <optional>
#include <ostream>

namespace dravik::cli {

// dravik-cli: the catalogue for scripts and terminals, over the same engines as the window.
class Cli {
public:
    Cli(std::ostream& out, std::ostream& err) : out_(out), err_(err), error_(err) {}

    // `arguments` without the program name; returns the exit status.
    int run(const QStringList& arguments);

    static constexpr int Usage = 2;
    static constexpr int Refused = 1;
    static constexpr int Incomplete = 3;
    // The catalogue itself cannot be read (an index that is a folder or a FIFO).
    static constexpr int Unusable = 2;

    // What `--version` prints after the program's name.
    static const char* version();

private:
    // The command and its arguments, "--data FOLDER" given before the command added to them.
    int command(const QStringList& arguments);
    int catalogue(const QStringList& arguments);
    int search(const QStringList& arguments);  // cli_search.cpp
    int list(const QStringList& arguments);    // cli_discs.cpp
    int rename(const QStringList& arguments);  // cli_discs.cpp
    int remove(const QStringList& arguments);  // cli_discs.cpp
    int info(const QStringList& arguments);    // cli_media.cpp
    int history(const QStringList& arguments); // cli_media.cpp
    int diff(const QStringList& arguments);    // cli_media.cpp
    int restore(const QStringList& arguments); // cli_media.cpp
    void help();

    // The window's workspace: folders from the settings, the data folder from `--data` when given.
    static workspace::Workspace workspace(const QString& data);
    // Takes "--data FOLDER" out of the arguments; false (with a message) when FOLDER is missing.
    bool takeData(QStringList& arguments, QString& data);

    // The arguments of info, history, diff and restore: one disc name, "--data FOLDER", and
    // "--version N" (diff, restore) or "--json" (info, history).
    struct MediaCommand {
        QString disc;
        QString data;
        std::optional<int> version;
        bool json = false;
    };
    bool mediaArguments(const QStringList& arguments, const char* command, bool takesVersion,
                        MediaCommand& parsed);
    std::optional<QString> catalogued(const workspace::Workspace& ws, const QString& disc);
    // Parses a media command, finds its disc in the index and runs `act` on the index's spelling
    // of it; usage, a disc the index does not hold and errors end it with their exit status.
    using DiscAction = int (Cli::*)(const MediaCommand& parsed, const workspace::Workspace& ws,
                                    const QString& disc);
    int onCataloguedDisc(const QStringList& arguments, const char* command, bool takesVersion,
                         DiscAction act);
    int showInfo(const MediaCommand& parsed, const workspace::Workspace& ws, const QString& disc);
    int showHistory(const MediaCommand& parsed, const workspace::Workspace& ws,
                    const QString& disc);
    int showDiff(const MediaCommand& parsed, const workspace::Workspace& ws, const QString& disc);

    std::ostream& out_;
    std::ostream& err_;
    ErrorLine error_;
};

} // namespace dravik::cli
