#pragma once

#include <QString>

#include <filesystem>

namespace common {

// Where the program keeps its own files ("SSc.ini", "File.List.Qel", "sette.lys", ...): the
// executable's folder when it is writable (a portable install), otherwise
// $XDG_DATA_HOME/Dravik (default ~/.local/share/Dravik); DRAVIK_PROGRAM_DIR overrides both.
namespace ProgramFolder {

// Needs a QCoreApplication for the executable's folder. Creates the folder when missing.
std::filesystem::path locate();
// A sibling program next to the running executable ("peek", "splitter").
QString siblingProgram(const QString& name);

} // namespace ProgramFolder

} // namespace common
