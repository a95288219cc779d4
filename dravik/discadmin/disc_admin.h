#pragma once

#include "common/error.h"
#include "dravik/catalogue/catalogue.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace dravik::discadmin {

// Renaming and deleting catalogued discs. Each change writes a complete new disc index and swaps
// it in (the old one kept as "Dk.Tex.Bak"), and moves the disc's list file and its "Size" setting
// along, in an order that keeps them consistent at every moment: the index never names a disc
// whose list was moved away, and a list is never deleted while the index still names it.
class DiscAdmin {
public:
    // A failure of one step that does not stop the change (a list that cannot be deleted): the
    // window shows it in its error box and goes on.
    using Trouble = std::function<void(const common::Error&)>;

    explicit DiscAdmin(catalogue::Catalogue catalogue);

    // Why a disc cannot be renamed to `newName`: another catalogued disc of that name, or a name
    // that cannot be a disc name. An empty name and the same name in another case are the
    // caller's (a notice, and nothing at all).
    std::optional<QString> renameRefusal(const QStringList& discs, const QString& oldName,
                                         const QString& newName) const;
    // Renames the disc in `discs` (every entry that names it, without regard to case) and returns
    // the new index. Throws common::Error when the list cannot be moved; nothing is changed then.
    QStringList rename(const QStringList& discs, const QString& oldName,
                       const QString& newName) const;
    // Deletes the discs of `names` (every entry that names one of them, without regard to case)
    // with their lists and settings, and returns the new index.
    QStringList remove(const QStringList& discs, const QStringList& names,
                       const Trouble& trouble) const;

    static bool sameName(const QString& a, const QString& b);

private:
    void moveSize(const QString& from, const QString& to) const;
    void deleteDisc(const QString& name, const Trouble& trouble) const;

    catalogue::Catalogue catalogue_;
};

} // namespace dravik::discadmin
