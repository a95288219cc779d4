#pragma once

#include <QString>

#include <filesystem>
#include <optional>

namespace common {

// Where the program keeps its own files ("SSc.ini", "File.List.Qel", "sette.lys", ...).
// DRAVIK_PROGRAM_DIR overrides everything. An installed program (its shipped data folder beside
// it) uses $XDG_DATA_HOME/Dravik (default ~/.local/share/Dravik), since an installed folder is
// shared or not writable; a program run from its build folder uses that folder when it is
// writable (a portable install), else the per-user folder.
namespace ProgramFolder {

// The installed names of the sibling programs the window starts.
inline constexpr const char* Peek = "dravik-peek";
inline constexpr const char* Splitter = "dravik-splitter";

// Needs a QCoreApplication for the executable's folder. Creates the folder when missing and
// copies into it each shipped file it has no file of that name for.
std::filesystem::path locate();
// A sibling program: the one beside the running executable (installed, or the build folder),
// else the bare name, looked up on PATH when it is started.
QString siblingProgram(const QString& name);
// The folder of the files an installed program ships (AssHP.rtf), or nothing when the program
// does not run from an installed layout.
std::optional<std::filesystem::path> shippedFolder();

} // namespace ProgramFolder

} // namespace common
