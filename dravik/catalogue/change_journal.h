#pragma once

#include "common/error.h"
#include "dravik/catalogue/catalogue.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>

namespace dravik::catalogue {

// What a rename or delete of discs is about to do, written beside the index before anything is
// touched and removed when the change is done. A program killed in between leaves it behind, and
// the next change of the catalogue finishes it, judged by the index as it is then: after the
// index swap the rest is done (lists and "Size" settings the index no longer names go), before
// it the change is undone (a new list link goes). Only what the killed change named is touched,
// never other files of the data folder.
class ChangeJournal {
public:
    // A step that failed; the others still run.
    using Trouble = std::function<void(const common::Error&)>;

    explicit ChangeJournal(Catalogue files);

    bool pending() const;
    // Deleting `discs` (the index's spelling of each).
    void recordDelete(const QStringList& discs) const;
    // Renaming `from` to `to` with the list `oldList` linked as `newList` (both empty: no list).
    void recordRename(const QString& from, const QString& to, const std::filesystem::path& oldList,
                      const std::filesystem::path& newList) const;
    // Finishes or undoes the recorded change by the index's names `index`, then removes the
    // record. Nothing recorded: nothing happens.
    void finish(const QStringList& index, const Trouble& trouble) const;

private:
    std::filesystem::path file() const;
    void finishDelete(const QStringList& discs, const QStringList& index,
                      const Trouble& trouble) const;
    void finishRename(const std::vector<std::string>& record, const QStringList& index,
                      const Trouble& trouble) const;

    Catalogue files_;
};

} // namespace dravik::catalogue
