// dravik-cli list, rename and delete: disc administration for scripts, through the window's
// engine, so the index swap, the backup and the settings change alike.
#include "dravik/cli/cli.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/discadmin/disc_admin.h"

namespace dravik::cli {

namespace {

// The discs of the index; an index that is not there yet holds none (and is not made).
QStringList discsOf(const catalogue::Catalogue& files) {
    if (!common::FileOps::isFile(files.dataFile(catalogue::Catalogue::IndexName)))
        return {};
    return files.readDiscIndex();
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
        const common::SettingsStore sizes(common::SettingsNames::DiscSizes);
        for (const QString& disc :
             discsOf(catalogue::Catalogue(ws.dataFolder(), ws.programFolder())))
            out_ << disc.toStdString() << '\t'
                 << sizes.value(disc, QStringLiteral("Size")).toStdString() << '\n';
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
        const catalogue::Catalogue files(ws.dataFolder(), ws.programFolder());
        const QStringList discs = discsOf(files);
        if (!catalogue::Cataloguer::listed(discs, oldName)) {
            err_ << "dravik-cli: no disc named \"" << oldName.toStdString() << "\" is catalogued\n";
            return Refused;
        }
        if (discadmin::DiscAdmin::sameName(oldName, newName))
            return 0; // another letter case is the same disc: nothing changes
        const discadmin::DiscAdmin admin(files);
        if (const auto reason = admin.renameRefusal(discs, oldName, newName)) {
            err_ << "dravik-cli: " << reason->toStdString() << "\n";
            return Refused;
        }
        admin.rename(discs, oldName, newName);
        return 0;
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
        const catalogue::Catalogue files(ws.dataFolder(), ws.programFolder());
        const QStringList discs = discsOf(files);
        for (const QString& name : names) {
            if (!catalogue::Cataloguer::listed(discs, name)) {
                err_ << "dravik-cli: no disc named \"" << name.toStdString()
                     << "\" is catalogued; nothing was deleted\n";
                return Refused;
            }
        }
        int troubles = 0;
        discadmin::DiscAdmin(files).remove(discs, names, [&](const common::Error& e) {
            err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
            ++troubles;
        });
        return troubles == 0 ? 0 : Refused;
    } catch (const common::Error& e) {
        err_ << "dravik-cli: " << e.description() << " (error " << e.number() << ")\n";
        return Refused;
    }
}

} // namespace dravik::cli
