#include "common/program_folder.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/name_resolver.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdlib>
#include <unistd.h>

namespace common {

namespace {

std::filesystem::path executableFolder() {
    return QCoreApplication::applicationDirPath().toStdString();
}

std::filesystem::path perUserFolder() {
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        return std::filesystem::path(xdg) / "Dravik";
    const char* home = std::getenv("HOME");
    return std::filesystem::path(home ? home : ".") / ".local" / "share" / "Dravik";
}

std::filesystem::path chosenFolder() {
    if (const char* dir = std::getenv("DRAVIK_PROGRAM_DIR"); dir && *dir)
        return dir;
    if (ProgramFolder::shippedFolder())
        return perUserFolder();
    const std::filesystem::path exe = executableFolder();
    if (!exe.empty() && ::access(exe.c_str(), W_OK) == 0)
        return exe;
    return perUserFolder();
}

// A user's own copy, in any letter case, is never replaced.
void copyShippedFiles(const std::filesystem::path& folder) {
    const auto shipped = ProgramFolder::shippedFolder();
    if (!shipped)
        return;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(*shipped, ec)) {
        const std::string name = entry.path().filename().string();
        if (!entry.is_regular_file(ec) ||
            std::filesystem::exists(NameResolver::resolve(folder, name), ec))
            continue;
        try {
            FileOps::copyReplacing(entry.path(), folder / name);
        } catch (const Error&) {
            // Without the copy the program falls back on its built-in text.
        }
    }
}

} // namespace

std::filesystem::path ProgramFolder::locate() {
    const std::filesystem::path folder = chosenFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    copyShippedFiles(folder);
    return folder;
}

QString ProgramFolder::siblingProgram(const QString& name) {
    const QString beside = QDir(QCoreApplication::applicationDirPath()).filePath(name);
    return QFileInfo(beside).isExecutable() ? beside : name;
}

std::optional<std::filesystem::path> ProgramFolder::shippedFolder() {
    const std::filesystem::path exe = executableFolder();
    if (exe.empty())
        return std::nullopt;
    std::error_code ec;
    const auto folder = std::filesystem::weakly_canonical(exe / DRAVIK_SHIPPED_FROM_BIN, ec);
    if (ec || !std::filesystem::is_directory(folder, ec))
        return std::nullopt;
    return folder;
}

} // namespace common
