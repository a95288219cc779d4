// dravik-cli list, rename and delete: disc administration for scripts, through the window's
// engine, so the index swap, the backup and the settings change alike.
#include "dravik/cli/cli.h"

#include "common/error.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/discadmin/disc_admin.h"

#include <memory>

namespace dravik::cli {

namespace {

// The index of the data folder; an index that is not there yet holds no discs (and is not made).
std::unique_ptr<catalogue::DiscIndex> indexOf(const workspace::Workspace& ws) {
    auto index = std::make_unique<catalogue::DiscIndex>(
        catalogue::Catalogue(ws.dataFolder(), ws.programFolder()));
    index->load(catalogue::DiscIndex::WhenMissing::Leave);
    return index;
}

} // namespace

int Cli::list(const QStringList& given) {
    QStringList arguments = given;
    QString data;
    if (!takeData(arguments, data))
        return Usage;
    if (!arguments.isEmpty()) {
        err_ << "dravik-cli: list takes no names (try --help)\n";
        return Usage;
    }
    try {
        const workspace::Workspace ws = workspace(data);
        const auto index = indexOf(ws);
        for (const QString& disc : index->names())
            out_ << disc.toStdString() << '\t' << catalogue::DiscIndex::size(disc).toStdString()
                 << '\n';
        return 0;
    } catch (const common::Error& e) {
        err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
        return Refused;
    }
}

int Cli::rename(const QStringList& given) {
    QStringList arguments = given;
    QString data;
    if (!takeData(arguments, data))
        return Usage;
    if (arguments.size() != 2) {
        err_ << "dravik-cli: rename needs the old name and the new one (try --help)\n";
        return Usage;
    }
    const QString& oldName = arguments[0];
    const QString& newName = arguments[1];
    try {
        const workspace::Workspace ws = workspace(data);
        const auto index = indexOf(ws);
        if (!index->holds(oldName)) {
            err_ << "dravik-cli: no disc named \"" << oldName.toStdString() << "\" is catalogued\n";
            return Refused;
        }
        if (catalogue::DiscIndex::sameName(oldName, newName))
            return 0; // another letter case is the same disc: nothing changes
        const discadmin::DiscAdmin admin(*index);
        if (const auto reason = admin.renameRefusal(oldName, newName)) {
            err_ << "dravik-cli: " << reason->toStdString() << "\n";
            return Refused;
        }
        int troubles = 0;
        admin.rename(oldName, newName, [&](const common::Error& e) {
            err_ << "dravik-cli: renamed to \"" << newName.toStdString() << "\", but "
                 << e.description() << " (error " << e.number() << ")\n";
            ++troubles;
        });
        return troubles == 0 ? 0 : Incomplete;
    } catch (const common::Error& e) {
        err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
        return Refused;
    }
}

int Cli::remove(const QStringList& given) {
    QStringList names = given;
    QString data;
    if (!takeData(names, data))
        return Usage;
    if (names.isEmpty()) {
        err_ << "dravik-cli: delete needs the names of the discs (try --help)\n";
        return Usage;
    }
    try {
        const workspace::Workspace ws = workspace(data);
        const auto index = indexOf(ws);
        for (const QString& name : names) {
            if (!index->holds(name)) {
                err_ << "dravik-cli: no disc named \"" << name.toStdString()
                     << "\" is catalogued; nothing was deleted\n";
                return Refused;
            }
        }
        int troubles = 0;
        const auto removal =
            discadmin::DiscAdmin(*index).remove(names, [&](const common::Error& e) {
                err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
                ++troubles;
            });
        for (const QString& gone : removal.notCatalogued)
            err_ << "dravik-cli: no disc named \"" << gone.toStdString()
                 << "\" is catalogued any more; it was left alone\n";
        if (troubles == 0 && removal.notCatalogued.isEmpty())
            return 0;
        err_ << "dravik-cli: deleted " << removal.deleted.size() << " of " << names.size()
             << " disc(s) from the index; see above for what failed\n";
        return Incomplete;
    } catch (const common::Error& e) {
        err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
        return Refused;
    }
}

} // namespace dravik::cli
