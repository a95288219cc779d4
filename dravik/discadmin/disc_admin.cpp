#include "dravik/discadmin/disc_admin.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/upper_case.h"
#include "dravik/catalogue/cataloguer.h"

#include <algorithm>

namespace dravik::discadmin {

namespace {

const QString PerDisc = common::SettingsNames::DiscSizes;
const QString SizeKey = QStringLiteral("Size");

// The list under its new name before the index names it; the old name goes only afterwards.
// A hard link gives both names at once; where links are not possible, a copy does.
void linkList(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code ec;
    std::filesystem::create_hard_link(from, to, ec);
    if (ec)
        common::FileOps::copyReplacing(from, to);
}

} // namespace

DiscAdmin::DiscAdmin(catalogue::Catalogue catalogue) : catalogue_(std::move(catalogue)) {}

bool DiscAdmin::sameName(const QString& a, const QString& b) {
    return common::UpperCase::of(a) == common::UpperCase::of(b);
}

std::optional<QString> DiscAdmin::renameRefusal(const QStringList& discs, const QString& oldName,
                                                const QString& newName) const {
    if (const auto reason = catalogue::Cataloguer::refusal(newName))
        return reason;
    for (const QString& disc : discs) {
        if (sameName(disc, newName) && !sameName(disc, oldName))
            return QStringLiteral("A disc named \"") + disc +
                   QStringLiteral("\" is already in the catalogue. Choose another name, or "
                                  "delete that disc first.");
    }
    // A list of that name that the index does not know (a cataloguing that never finished)
    // would be overwritten.
    if (!sameName(oldName, newName) && common::FileOps::isFile(catalogue_.discListPath(newName)))
        return QStringLiteral("A list named \"") + newName +
               QStringLiteral(".rtf\" is already in the data folder. Choose another name.");
    return std::nullopt;
}

void DiscAdmin::moveSize(const QString& from, const QString& to) const {
    common::SettingsStore settings(PerDisc);
    const QString size = settings.value(from, SizeKey, QStringLiteral("0"));
    settings.setValue(to, SizeKey, size);
    settings.removeSection(from);
}

QStringList DiscAdmin::rename(const QStringList& discs, const QString& oldName,
                              const QString& newName) const {
    QStringList renamed;
    for (const QString& disc : discs)
        renamed << (sameName(disc, oldName) ? newName : disc);
    const auto oldList = catalogue_.discListPath(oldName);
    const auto newList = catalogue_.dataFolder() / (newName.toStdString() + ".rtf");
    const bool hasList = common::FileOps::isFile(oldList);
    if (hasList)
        linkList(oldList, newList);
    try {
        catalogue_.rewriteDiscIndex(renamed);
    } catch (...) {
        if (hasList)
            common::FileOps::removeIfExists(newList);
        throw;
    }
    if (hasList)
        common::FileOps::removeIfExists(oldList);
    moveSize(oldName, newName);
    return renamed;
}

void DiscAdmin::deleteDisc(const QString& name, const Trouble& trouble) const {
    try {
        common::FileOps::removeIfExists(catalogue_.discListPath(name));
    } catch (const common::Error& e) {
        trouble(e);
    }
    try {
        common::SettingsStore settings(PerDisc);
        settings.setValue(name, SizeKey, QStringLiteral("1"));
        settings.removeSection(name);
    } catch (const common::Error& e) {
        trouble(e);
    }
}

QStringList DiscAdmin::remove(const QStringList& discs, const QStringList& names,
                              const Trouble& trouble) const {
    QStringList kept;
    for (const QString& disc : discs) {
        if (std::none_of(names.begin(), names.end(),
                         [&](const QString& n) { return sameName(disc, n); }))
            kept << disc;
    }
    catalogue_.rewriteDiscIndex(kept); // first the index, then what it no longer names
    for (const QString& name : names)
        deleteDisc(name, trouble);
    return kept;
}

} // namespace dravik::discadmin
