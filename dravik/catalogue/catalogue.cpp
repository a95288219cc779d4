#include "dravik/catalogue/catalogue.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/item_list.h"
#include "common/name_resolver.h"
#include "common/temporary_file.h"
#include "common/text_limit.h"
#include "common/text_writer.h"
#include "dravik/catalogue/change_journal.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/walker/walk_lock.h"

#include <algorithm>

namespace dravik::catalogue {

namespace FileOps = common::FileOps;

Catalogue::Catalogue(std::filesystem::path dataFolder, std::filesystem::path programFolder)
    : dataFolder_(std::move(dataFolder)), programFolder_(std::move(programFolder)) {}

std::filesystem::path Catalogue::dataFile(const QString& name) const {
    return common::NameResolver::resolve(dataFolder_, name.toStdString());
}

std::filesystem::path Catalogue::programFile(const QString& name) const {
    return common::NameResolver::resolve(programFolder_, name.toStdString());
}

std::filesystem::path Catalogue::discListPath(const QString& discName) const {
    // An index line or a typed text such as "../outside" must never reach a file outside the
    // data folder.
    const QString trimmed = discName.trimmed();
    if (trimmed.isEmpty() || trimmed == u'.' || trimmed == QStringLiteral("..") ||
        discName.contains(u'/') || discName.contains(u'\\') || discName.contains(QChar(0)))
        throw common::Error(common::ErrorNumber::InvalidArgument,
                            "\"" + discName.toStdString() +
                                "\" is not a disc name of the data folder");
    return dataFile(discName + ".rtf");
}

std::filesystem::path Catalogue::workFilePath() const {
    return programFile(WorkFileName);
}

void Catalogue::publishWorkFile(const QString& discName) const {
    const auto work = workFilePath();
    FileOps::copyReplacing(work, discListPath(discName));
    FileOps::removeIfExists(work);
}

void Catalogue::removeLeftOvers() const {
    if (ChangeJournal(*this).pending()) {
        try {
            // Taking the change finishes what a killed one left; a running one keeps its own.
            DiscIndex index(*this);
            const DiscIndex::Change change(index, DiscIndex::Change::Patience::DontWait);
        } catch (const common::Error&) {
            // Busy or read-only: the next change finishes it.
        }
    }
    common::TemporaryFile::removeStale(dataFolder_);
    common::TemporaryFile::removeStale(programFolder_);
    const auto work = workFilePath();
    if (!FileOps::isFile(work))
        return;
    walker::WalkLock lock(programFolder_);
    if (!lock.acquire(work))
        return; // a walk is writing it
    try {
        FileOps::removeIfExists(work);
    } catch (const common::Error&) {
        // The next walk writes it afresh.
    }
}

QStringList Catalogue::readDiscIndex() const {
    return common::ItemList::readCreating(dataFile(IndexName), common::TextLimits::DiscIndex);
}

void Catalogue::appendDiscName(const QString& discName) const {
    common::TextWriter writer(dataFile(IndexName), common::TextWriter::Mode::Append);
    writer.line(discName);
    writer.commit();
}

void Catalogue::rewriteDiscIndex(const QStringList& discNames) const {
    const auto work = dataFile(IndexWorkName);
    common::TextWriter::replaceLines(work, discNames);
    const auto index = dataFile(IndexName);
    const auto backup = dataFile(IndexBackupName);
    // The old index becomes the backup by a hard link, so "DK.Tex" exists at every moment; the
    // rename then swaps in the new index atomically.
    FileOps::removeIfExists(backup);
    if (FileOps::isFile(index)) {
        std::error_code ec;
        std::filesystem::create_hard_link(index, backup, ec);
        if (ec)
            FileOps::copyReplacing(index, backup);
    }
    FileOps::renameOver(work, index);
}

long long Catalogue::countListLines(std::string_view text) {
    return static_cast<long long>(std::count(text.begin(), text.end(), '\n')) + 1;
}

} // namespace dravik::catalogue
