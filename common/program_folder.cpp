#include "common/program_folder.h"

#include <QCoreApplication>
#include <QDir>

#include <cstdlib>
#include <unistd.h>

namespace common {

std::filesystem::path ProgramFolder::locate() {
    std::filesystem::path folder;
    if (const char* dir = std::getenv("DRAVIK_PROGRAM_DIR"); dir && *dir) {
        folder = dir;
    } else {
        const std::filesystem::path exe = QCoreApplication::applicationDirPath().toStdString();
        if (!exe.empty() && ::access(exe.c_str(), W_OK) == 0) {
            folder = exe;
        } else if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg) {
            folder = std::filesystem::path(xdg) / "Dravik";
        } else {
            const char* home = std::getenv("HOME");
            folder = std::filesystem::path(home ? home : ".") / ".local" / "share" / "Dravik";
        }
    }
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    return folder;
}

QString ProgramFolder::siblingProgram(const QString& name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(name);
}

} // namespace common
