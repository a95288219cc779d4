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
        error_.usage("list takes no names");
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
        error_.write(e);
        return Refused;
    }
}

int Cli::rename(const QStringList& given) {
    QStringList arguments = given;
    QString data;
    if (!takeData(arguments, data))
        return Usage;
    if (arguments.size() != 2) {
        error_.usage("rename needs the old name and the new one");
        return Usage;
    }
    const QString& oldName = arguments[0];
    const QString& newName = arguments[1];
    try {
        const workspace::Workspace ws = workspace(data);
        const catalogue::Catalogue files(ws.dataFolder(), ws.programFolder());
        const QStringList discs = discsOf(files);
        if (!catalogue::Cataloguer::listed(discs, oldName)) {
            error_.write("no disc named \"" + oldName + "\" is catalogued");
            return Refused;
        }
        if (discadmin::DiscAdmin::sameName(oldName, newName))
            return 0; // another letter case is the same disc: nothing changes
        const discadmin::DiscAdmin admin(files);
        if (const auto reason = admin.renameRefusal(discs, oldName, newName)) {
            error_.write(*reason);
            return Refused;
        }
        admin.rename(discs, oldName, newName);
        return 0;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

int Cli::remove(const QStringList& given) {
    QStringList names = given;
    QString data;
    if (!takeData(names, data))
        return Usage;
    if (names.isEmpty()) {
        error_.usage("delete needs the names of the discs");
        return Usage;
    }
    try {
        const workspace::Workspace ws = workspace(data);
        const catalogue::Catalogue files(ws.dataFolder(), ws.programFolder());
        const QStringList discs = discsOf(files);
        for (const QString& name : names) {
            if (!catalogue::Cataloguer::listed(discs, name)) {
                error_.write("no disc named \"" + name + "\" is catalogued; nothing was deleted");
                return Refused;
            }
        }
        int troubles = 0;
        discadmin::DiscAdmin(files).remove(discs, names, [&](const common::Error& e) {
            error_.write(e);
            ++troubles;
        });
        return troubles == 0 ? 0 : Refused;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

} // namespace dravik::cli
