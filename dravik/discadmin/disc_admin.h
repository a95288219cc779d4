#pragma once

#include "common/error.h"
#include "dravik/catalogue/disc_index.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace dravik::discadmin {

// Renaming and deleting catalogued discs. They act only on discs the index holds at the moment
// of the change, under the index's own spelling, never on a name merely typed or a copy a view
// keeps. Each change writes a complete new disc index and swaps it in (the old one kept as
// "Dk.Tex.Bak"), and moves the disc's list file and its "Size" setting along, in an order that
// keeps them consistent at every moment: the index never names a disc whose list was moved away,
// and a list is never deleted while the index still names it. Each change is recorded before it
// starts (catalogue::ChangeJournal), so one a killed program left half done is finished.
class DiscAdmin {
public:
    // A failure of one step that does not stop the change (a list that cannot be deleted): the
    // window shows it in its error box and goes on.
    using Trouble = std::function<void(const common::Error&)>;

    explicit DiscAdmin(catalogue::DiscIndex& index);

    // "No disc named … is in the catalogue."
    static QString notCatalogued(const QString& name);

    // Why the disc `oldName` cannot be renamed to `newName`: the index does not hold it, another
    // catalogued disc has that name, or the name cannot be a disc name. An empty name and the
    // same name in another case are the caller's (a notice, and nothing at all).
    std::optional<QString> renameRefusal(const QString& oldName, const QString& newName) const;
    // Renames the disc (every index entry that names it, without regard to case). Throws
    // common::Error when it is refused or the list cannot be moved; nothing is changed then.
    // Steps after the index swap that fail go to `trouble`: the rename itself has happened.
    void rename(const QString& oldName, const QString& newName, const Trouble& trouble) const;

    struct Removal {
        QStringList deleted;       // the index's spelling of each disc deleted
        QStringList notCatalogued; // chosen names the index did not hold: left alone
    };
    // Deletes the discs of `names` that the index holds now (every entry that names one of them,
    // without regard to case) with their lists and settings.
    Removal remove(const QStringList& names, const Trouble& trouble) const;

private:
    catalogue::DiscIndex& index_;
};

} // namespace dravik::discadmin
