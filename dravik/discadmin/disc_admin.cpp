#include "dravik/discadmin/disc_admin.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/upper_case.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/catalogue/change_journal.h"

#include <QHash>
#include <QSet>

namespace dravik::discadmin {

using catalogue::ChangeJournal;
using catalogue::DiscIndex;

namespace {

// The list under its new name before the index names it; the old name goes only afterwards.
// A hard link gives both names at once; where links are not possible, a copy does.
void linkList(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::create_hard_link(from, to, ec);
    if (ec)
        common::FileOps::copyReplacing(from, to);
}

} // namespace

DiscAdmin::DiscAdmin(DiscIndex& index) : index_(index) {}

QString DiscAdmin::notCatalogued(const QString& name) {
    return QStringLiteral("No disc named \"") + name +
           QStringLiteral("\" is in the catalogue; nothing was changed.");
}

std::optional<QString> DiscAdmin::renameRefusal(const QString& oldName,
                                                const QString& newName) const {
    index_.load(DiscIndex::WhenMissing::Leave);
    if (!index_.holds(oldName))
        return notCatalogued(oldName);
    if (const auto reason = index_.readOnlyRefusal())
        return reason;
    if (const auto reason = catalogue::Cataloguer::refusal(newName))
        return reason;
    if (const auto other = index_.spelling(newName); other && !DiscIndex::sameName(*other, oldName))
        return QStringLiteral("A disc named \"") + *other +
               QStringLiteral("\" is already in the catalogue. Choose another name, or "
                              "delete that disc first.");
    // A list of that name that the index does not know (a cataloguing that never finished)
    // would be overwritten.
    if (!DiscIndex::sameName(oldName, newName) &&
        common::FileOps::isFile(index_.files().discListPath(newName)))
        return QStringLiteral("A list named \"") + newName +
               QStringLiteral(".rtf\" is already in the data folder. Choose another name.");
    return std::nullopt;
}

void DiscAdmin::rename(const QString& oldName, const QString& newName,
                       const Trouble& trouble) const {
    const DiscIndex::Change change(index_);
    if (const auto reason = renameRefusal(oldName, newName))
        throw common::Error(common::ErrorNumber::InvalidArgument, reason->toStdString());
    const QString from = *index_.spelling(oldName);
    if (from == newName)
        return;
    QStringList renamed;
    for (const QString& disc : index_.names())
        renamed << (DiscIndex::sameName(disc, from) ? newName : disc);
    const auto& files = index_.files();
    const auto oldList = files.discListPath(from);
    const auto newList = files.dataFolder() / (newName.toStdString() + ".rtf");
    const bool hasList = common::FileOps::isFile(oldList);
    const ChangeJournal journal(files);
    journal.recordRename(from, newName, hasList ? oldList : std::filesystem::path(),
                         hasList ? newList : std::filesystem::path());
    try {
        if (hasList)
            linkList(oldList, newList);
        index_.replace(renamed);
    } catch (...) {
        journal.finish(index_.names(), [](const common::Error&) {
            // The failure that stopped the rename is the one reported.
        });
        throw;
    }
    journal.finish(renamed, trouble); // the old list and the setting follow
}

DiscAdmin::Removal DiscAdmin::remove(const QStringList& names, const Trouble& trouble) const {
    const DiscIndex::Change change(index_);
    index_.load(DiscIndex::WhenMissing::Leave);
    // Hashed by upper case: hundreds of names out of thousands are one pass each.
    QHash<QString, QString> held;
    for (const QString& disc : index_.names()) {
        const QString key = common::UpperCase::of(disc);
        if (!held.contains(key))
            held.insert(key, disc); // the first entry's spelling, as spelling() gives
    }
    Removal removal;
    QSet<QString> gone;
    for (const QString& name : names) {
        const QString key = common::UpperCase::of(name);
        const auto found = held.constFind(key);
        if (found == held.cend())
            removal.notCatalogued << name;
        else if (!gone.contains(key)) {
            gone.insert(key);
            removal.deleted << *found;
        }
    }
    if (removal.deleted.isEmpty())
        return removal;
    QStringList kept;
    for (const QString& disc : index_.names()) {
        if (!gone.contains(common::UpperCase::of(disc)))
            kept << disc;
    }
    // One record, one index swap, one settings rewrite for the whole batch; first the index,
    // then what it no longer names.
    const ChangeJournal journal(index_.files());
    journal.recordDelete(removal.deleted);
    try {
        index_.replace(kept);
    } catch (...) {
        journal.finish(index_.names(), [](const common::Error&) {});
        throw;
    }
    journal.finish(kept, trouble);
    return removal;
}

} // namespace dravik::discadmin
