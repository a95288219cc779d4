#include "dravik/discadmin/disc_admin.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "dravik/catalogue/cataloguer.h"

#include <algorithm>

namespace dravik::discadmin {

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

// Runs a step whose failure must not stop the change.
template <typename Step> void tolerant(const DiscAdmin::Trouble& trouble, Step step) {
    try {
        step();
    } catch (const common::Error& e) {
        trouble(e);
    }
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
    QStringList renamed;
    for (const QString& disc : index_.names())
        renamed << (DiscIndex::sameName(disc, from) ? newName : disc);
    const auto& files = index_.files();
    const auto oldList = files.discListPath(from);
    const auto newList = files.dataFolder() / (newName.toStdString() + ".rtf");
    const bool hasList = common::FileOps::isFile(oldList);
    if (hasList)
        linkList(oldList, newList);
    try {
        index_.replace(renamed);
    } catch (...) {
        if (hasList)
            common::FileOps::removeIfExists(newList);
        throw;
    }
    if (hasList)
        tolerant(trouble, [&] { common::FileOps::removeIfExists(oldList); });
    tolerant(trouble, [&] { DiscIndex::moveSize(from, newName); });
}

void DiscAdmin::deleteDisc(const QString& name, const Trouble& trouble) const {
    tolerant(trouble, [&] { common::FileOps::removeIfExists(index_.files().discListPath(name)); });
    tolerant(trouble, [&] { DiscIndex::dropSize(name); });
}

DiscAdmin::Removal DiscAdmin::remove(const QStringList& names, const Trouble& trouble) const {
    const DiscIndex::Change change(index_);
    index_.load(DiscIndex::WhenMissing::Leave);
    Removal removal;
    for (const QString& name : names) {
        const auto held = index_.spelling(name);
        if (!held)
            removal.notCatalogued << name;
        else if (!removal.deleted.contains(*held))
            removal.deleted << *held;
    }
    if (removal.deleted.isEmpty())
        return removal;
    QStringList kept;
    for (const QString& disc : index_.names()) {
        if (std::none_of(removal.deleted.begin(), removal.deleted.end(),
                         [&](const QString& gone) { return DiscIndex::sameName(disc, gone); }))
            kept << disc;
    }
    index_.replace(kept); // first the index, then what it no longer names
    for (const QString& name : removal.deleted)
        deleteDisc(name, trouble);
    return removal;
}

} // namespace dravik::discadmin
