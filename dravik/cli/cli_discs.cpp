// dravik-cli list, rename and delete: disc administration for scripts, through the window's
// engine, so the index swap, the backup and the settings change alike.
#include "dravik/cli/cli.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/discadmin/disc_admin.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

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
    const bool json = arguments.removeAll(QStringLiteral("--json")) > 0;
    if (!arguments.isEmpty()) {
        error_.usage("list takes no names");
        return Usage;
    }
    try {
        const workspace::Workspace ws = workspace(data);
        try {
            common::FileOps::refuseIfNotRegular(ws.dataFile(catalogue::Catalogue::IndexName));
        } catch (const common::Error& e) {
            error_.write(e);
            return Unusable; // an empty list would pass for an empty catalogue
        }
        const auto index = indexOf(ws);
        if (json) {
            QJsonArray discs;
            for (const QString& disc : index->names())
                discs.append(
                    QJsonObject{{"name", disc}, {"size", catalogue::DiscIndex::size(disc)}});
            out_ << QJsonDocument(QJsonObject{{"discs", discs}}).toJson().toStdString();
            return 0;
        }
        for (const QString& disc : index->names())
            out_ << disc.toStdString() << '\t' << catalogue::DiscIndex::size(disc).toStdString()
                 << '\n';
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
        const auto index = indexOf(ws);
        const catalogue::DiscIndex::Change change(*index);
        index->load(catalogue::DiscIndex::WhenMissing::Leave);
        if (!index->holds(oldName)) {
            error_.write("no disc named \"" + oldName + "\" is catalogued");
            return Refused;
        }
        if (catalogue::DiscIndex::sameName(oldName, newName))
            return 0; // another letter case is the same disc: nothing changes
        const discadmin::DiscAdmin admin(*index);
        if (const auto reason = admin.renameRefusal(oldName, newName)) {
            error_.write(*reason);
            return Refused;
        }
        int troubles = 0;
        admin.rename(oldName, newName, [&](const common::Error& e) {
            error_.write(e, "renamed to \"" + newName.toStdString() + "\", but ");
            ++troubles;
        });
        return troubles == 0 ? 0 : Incomplete;
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
        const auto index = indexOf(ws);
        // Checked and deleted in one change, so "nothing was deleted" stays true.
        const catalogue::DiscIndex::Change change(*index);
        index->load(catalogue::DiscIndex::WhenMissing::Leave);
        for (const QString& name : names) {
            if (!index->holds(name)) {
                error_.write("no disc named \"" + name + "\" is catalogued; nothing was deleted");
                return Refused;
            }
        }
        int troubles = 0;
        const auto removal =
            discadmin::DiscAdmin(*index).remove(names, [&](const common::Error& e) {
                error_.write(e);
                ++troubles;
            });
        for (const QString& gone : removal.notCatalogued)
            error_.write("no disc named \"" + gone +
                         "\" is catalogued any more; it was left alone");
        if (troubles == 0 && removal.notCatalogued.isEmpty())
            return 0;
        error_.write(QStringLiteral("deleted %1 of %2 disc(s) from the index; see above for what "
                                    "failed")
                         .arg(removal.deleted.size())
                         .arg(names.size()));
        return Incomplete;
    } catch (const common::Error& e) {
        error_.write(e);
        return Refused;
    }
}

} // namespace dravik::cli
