#include "dravik/catalogue/change_journal.h"

#include "common/code_page.h"
#include "common/file_ops.h"
#include "common/line_reader.h"
#include "common/own_files.h"
#include "common/text_writer.h"
#include "common/upper_case.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/media/facts_store.h"

#include <QSet>

namespace dravik::catalogue {

namespace FileOps = common::FileOps;

namespace {

constexpr std::string_view DeleteRecord = "delete";
constexpr std::string_view RenameRecord = "rename";
// "rename", from, to, old list, new list.
constexpr std::size_t RenameLines = 5;

template <typename Step> void tolerant(const ChangeJournal::Trouble& trouble, Step step) {
    try {
        step();
    } catch (const common::Error& e) {
        trouble(e);
    }
}

QSet<QString> upperCased(const QStringList& names) {
    QSet<QString> out;
    for (const QString& name : names)
        out.insert(common::UpperCase::of(name));
    return out;
}

} // namespace

ChangeJournal::ChangeJournal(Catalogue files) : files_(std::move(files)) {}

std::filesystem::path ChangeJournal::file() const {
    return files_.dataFile(QString::fromUtf8(common::OwnFiles::DiscIndexJournal.data(),
                                             common::OwnFiles::DiscIndexJournal.size()));
}

bool ChangeJournal::pending() const {
    return FileOps::isFile(file());
}

// The record only has to outlive a killed program, which cannot undo a write that left it; the
// index swap after it reaches the disk.
void ChangeJournal::recordDelete(const QStringList& discs) const {
    common::TextWriter writer(file(), common::TextWriter::Mode::Replace,
                              common::TextWriter::Durability::Process);
    writer.rawLine(DeleteRecord);
    for (const QString& disc : discs)
        writer.line(disc);
    writer.commit();
}

void ChangeJournal::recordRename(const QString& from, const QString& to,
                                 const std::filesystem::path& oldList,
                                 const std::filesystem::path& newList) const {
    common::TextWriter writer(file(), common::TextWriter::Mode::Replace,
                              common::TextWriter::Durability::Process);
    writer.rawLine(RenameRecord);
    writer.line(from);
    writer.line(to);
    // File names as bytes: a list copied from Windows may have a name that is not UTF-8.
    writer.rawLine(oldList.filename().string());
    writer.rawLine(newList.filename().string());
    writer.commit();
}

void ChangeJournal::finish(const QStringList& index, const Trouble& trouble) const {
    if (!pending())
        return;
    std::vector<std::string> record;
    tolerant(trouble, [&] { record = common::LineReader::readAll(file()); });
    if (!record.empty() && record.front() == DeleteRecord) {
        QStringList discs;
        for (std::size_t i = 1; i < record.size(); ++i)
            discs << common::CodePage::decodeLine(record[i]);
        finishDelete(discs, index, trouble);
    } else if (record.size() == RenameLines && record.front() == RenameRecord) {
        finishRename(record, index, trouble);
    }
    // A damaged record names nothing that can be finished safely.
    tolerant(trouble, [&] { FileOps::removeIfExists(file()); });
}

void ChangeJournal::finishDelete(const QStringList& discs, const QStringList& index,
                                 const Trouble& trouble) const {
    const QSet<QString> held = upperCased(index);
    QStringList gone;
    for (const QString& disc : discs) {
        if (!held.contains(common::UpperCase::of(disc)))
            gone << disc;
    }
    // A disc the index still names was not deleted: the program was killed before the swap.
    tolerant(trouble, [&] { DiscIndex::dropSizes(gone); });
    tolerant(trouble, [&] { media::FactsStore(files_.dataFolder()).forget(gone); });
    for (const QString& disc : gone)
        tolerant(trouble, [&] { FileOps::removeIfExists(files_.discListPath(disc)); });
}

void ChangeJournal::finishRename(const std::vector<std::string>& record, const QStringList& index,
                                 const Trouble& trouble) const {
    const QString from = common::CodePage::decodeLine(record[1]);
    const QString to = common::CodePage::decodeLine(record[2]);
    const std::string& oldName = record[3];
    const std::string& newName = record[4];
    const bool linked = !oldName.empty() && !newName.empty() && oldName != newName;
    // Every entry of the old name becomes the new one in the same swap.
    const bool swapped = index.contains(to) && !index.contains(from);
    if (!swapped) {
        if (linked)
            tolerant(trouble, [&] { FileOps::removeIfExists(files_.dataFolder() / newName); });
        return;
    }
    if (linked)
        tolerant(trouble, [&] { FileOps::removeIfExists(files_.dataFolder() / oldName); });
    // Sections match without regard to case: another case of the name keeps its own.
    if (!DiscIndex::sameName(from, to)) {
        tolerant(trouble, [&] { DiscIndex::moveSize(from, to); });
        tolerant(trouble, [&] { media::FactsStore(files_.dataFolder()).renameDisc(from, to); });
    }
}

} // namespace dravik::catalogue
