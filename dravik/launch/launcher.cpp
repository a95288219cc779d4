#include "dravik/launch/launcher.h"

#include "common/error.h"
#include "common/name_resolver.h"
#include "common/process_starter.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/catalogue/file_list_entry.h"
#include "dravik/launch/association_table.h"

#include <QFileInfo>

namespace dravik::launch {

namespace FileListEntry = catalogue::FileListEntry;

namespace {

bool runnable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isExecutable();
}

} // namespace

Launcher::Launcher(std::filesystem::path browseFolder, std::filesystem::path programFolder)
    : browseFolder_(std::move(browseFolder)), programFolder_(std::move(programFolder)) {}

bool Launcher::isDirectRun(const QString& key) {
    const QString upper = common::UpperCase::of(key);
    return upper == u"EXE" || upper == u"COM" || upper == u"BAT" || upper == u"MSI";
}

std::optional<Launch> Launcher::plan(const QString& entry, const QStringList& links) const {
    const QString name = FileListEntry::fileName(entry);
    if (name.isEmpty())
        return std::nullopt;
    const QString path = QString::fromStdString((browseFolder_ / name.toStdString()).string());
    const QString key = FileListEntry::key(entry);
    // On Linux the file system marks programs; the direct-run extensions still count.
    if (isDirectRun(key) || runnable(path))
        return Launch{path, {}, path};
    const auto program = AssociationTable::programFor(links, key);
    if (!program || !runnable(*program))
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
