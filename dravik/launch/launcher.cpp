#include "dravik/launch/launcher.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/name_resolver.h"
#include "common/process_starter.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/launch/association_table.h"

#include <QFileInfo>

#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace dravik::launch {

namespace FileListEntry = catalogue::FileListEntry;

namespace {

bool runnable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

// A program this system can run: marked executable and an ELF file or a "#!" script. Media
// written on Windows are mounted with every file marked executable, so the mark alone says
// nothing.
bool programHere(const QString& path) {
    if (!runnable(path))
        return false;
    try {
        const common::FileDescriptor fd =
            common::FileOps::openRegular(path.toStdString(), O_RDONLY);
        char head[4] = {};
        const ssize_t n = ::read(fd.get(), head, sizeof head);
        const std::string_view start(head, n > 0 ? std::size_t(n) : 0);
        return start.starts_with("\x7f"
                                 "ELF") ||
               start.starts_with("#!");
    } catch (const common::Error&) {
        return false;
    }
}

} // namespace

Launcher::Launcher(std::filesystem::path browseFolder, std::filesystem::path programFolder)
    : browseFolder_(std::move(browseFolder)), programFolder_(std::move(programFolder)) {}

std::optional<Launch> Launcher::plan(const QString& entry, const QStringList& links) const {
    const QString name = FileListEntry::fileName(entry);
    if (name.isEmpty())
        return std::nullopt;
    const QString path = QString::fromStdString((browseFolder_ / name.toStdString()).string());
    // The association wins; only a file without one that is a program here starts itself.
    const auto program = AssociationTable::programFor(links, FileListEntry::key(entry));
    if (!program)
        return programHere(path) ? std::optional(Launch{path, {}, path}) : std::nullopt;
    if (!runnable(*program))
        return std::nullopt;
    return Launch{*program, {path}, *program + QStringLiteral(" \"") + path + u'"'};
}

bool Launcher::start(const Launch& launch) const {
    if (!common::ProcessStarter::startDetached(launch.program, launch.arguments))
        return false;
    try {
        common::TextWriter::replaceLines(common::NameResolver::resolve(programFolder_, "ttt.ttt"),
                                         {launch.commandLine});
    } catch (const common::Error&) {
        // Only a record: the program runs all the same.
    }
    return true;
}

} // namespace dravik::launch
