#include "dravik/catalogue/disc_index.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/own_files.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/upper_case.h"
#include "dravik/catalogue/change_journal.h"
#include "dravik/media/facts_store.h"

#include <QFileSystemWatcher>
#include <QTimer>

#include <chrono>

namespace dravik::catalogue {

namespace {

const QString SizeKey = QStringLiteral("Size");

// Another program's change arrives as several file events (new file, rename, backup link):
// the index is read once they have settled.
constexpr int SettleMilliseconds = 50;

// Another program's change takes well under a second; a change still running after these tries
// is stuck or very long, and the user is told rather than kept waiting.
constexpr int ChangeTries = 40;
constexpr std::chrono::milliseconds ChangeTryWait(250);

} // namespace

DiscIndex::DiscIndex(Catalogue files, QObject* parent)
    : QObject(parent), files_(std::move(files)) {}

DiscIndex::~DiscIndex() = default;

DiscIndex::Change::Change(DiscIndex& index, Patience patience) : index_(index) {
    if (index_.changes_ > 0) {
        ++index_.changes_;
        return;
    }
    if (const auto refusal = index_.readOnlyRefusal())
        throw common::Error(common::ErrorNumber::PermissionDenied, refusal->toStdString());
    const auto lockFile = index_.files_.dataFile(QString::fromUtf8(
        common::OwnFiles::DiscIndexLock.data(), common::OwnFiles::DiscIndexLock.size()));
    const bool wait = patience == Patience::Wait;
    bool taken = false;
    for (int tries = 0; !taken && tries < (wait ? ChangeTries : 1); ++tries)
        taken = index_.lock_.acquire(lockFile, wait ? ChangeTryWait : std::chrono::milliseconds(0));
    if (!taken)
        throw common::Error(common::ErrorNumber::PathFileAccess, busyMessage().toStdString());
    ++index_.changes_;
    index_.finishInterrupted();
}

DiscIndex::Change::~Change() {
    if (--index_.changes_ == 0)
        index_.lock_.release();
}

QString DiscIndex::busyMessage() {
    return QStringLiteral("The catalogue is being changed by another program. Wait until it has "
                          "finished, then try again.");
}

std::optional<QString> DiscIndex::readOnlyRefusal() const {
    const auto index = files_.dataFile(Catalogue::IndexName);
    if (!common::FileOps::isReadOnly(files_.dataFolder()) && !common::FileOps::isReadOnly(index))
        return std::nullopt;
    return QStringLiteral("The catalogue in \"") +
           QString::fromStdString(files_.dataFolder().string()) +
           QStringLiteral("\" is read-only: its discs can be opened and searched, but no disc "
                          "can be catalogued, renamed or deleted there.");
}

void DiscIndex::finishInterrupted() {
    try {
        media::FactsStore(files_.dataFolder()).reconcile([this](const QString& disc) {
            return files_.discListPath(disc);
        });
    } catch (const common::Error&) {
        // Facts that cannot be settled now are settled by the next change.
    }
    const ChangeJournal journal(files_);
    if (!journal.pending())
        return;
    try {
        load(WhenMissing::Leave);
        journal.finish(names_, [](const common::Error&) {
            // What cannot be finished now stays as a killed program left it.
        });
    } catch (const common::Error&) {
        // An index that cannot be read: the change that follows reports it.
    }
}

void DiscIndex::load(WhenMissing missing) {
    if (missing == WhenMissing::Leave &&
        !common::FileOps::isFile(files_.dataFile(Catalogue::IndexName))) {
        adopt({});
        return;
    }
    adopt(files_.readDiscIndex());
}

void DiscIndex::moveTo(Catalogue files) {
    files_ = std::move(files);
    if (watcher_) {
        delete watcher_;
        delete settle_;
        watcher_ = nullptr;
        settle_ = nullptr;
        watchFile();
    }
    load(WhenMissing::Create);
}

void DiscIndex::refresh() {
    try {
        load(WhenMissing::Leave);
    } catch (const common::Error&) {
        // The views keep what they show; the command that needs the file reports the failure.
    }
}

void DiscIndex::adopt(QStringList names) {
    if (names == names_)
        return;
    names_ = std::move(names);
    emit changed();
}

void DiscIndex::watchFile() {
    if (watcher_)
        return;
    watcher_ = new QFileSystemWatcher(this);
    settle_ = new QTimer(this);
    settle_->setSingleShot(true);
    settle_->setInterval(SettleMilliseconds);
    connect(settle_, &QTimer::timeout, this, &DiscIndex::fileTouched);
    // The folder too: a swap replaces the file, and the watch on the old file ends with it.
    watcher_->addPath(QString::fromStdString(files_.dataFolder().string()));
    watcher_->addPath(QString::fromStdString(files_.dataFile(Catalogue::IndexName).string()));
    const auto touched = [this] { settle_->start(); };
    connect(watcher_, &QFileSystemWatcher::fileChanged, this, touched);
    connect(watcher_, &QFileSystemWatcher::directoryChanged, this, touched);
}

void DiscIndex::fileTouched() {
    const QString index = QString::fromStdString(files_.dataFile(Catalogue::IndexName).string());
    if (!watcher_->files().contains(index) && common::FileOps::isFile(index.toStdString()))
        watcher_->addPath(index);
    refresh();
}

std::optional<QString> DiscIndex::spelling(const QString& name) const {
    const QString wanted = common::UpperCase::of(name);
    for (const QString& disc : names_) {
        if (common::UpperCase::of(disc) == wanted)
            return disc;
    }
    return std::nullopt;
}

bool DiscIndex::sameName(const QString& a, const QString& b) {
    return common::UpperCase::of(a) == common::UpperCase::of(b);
}

QString DiscIndex::size(const QString& disc) {
    return common::SettingsStore(common::SettingsNames::DiscSizes).value(disc, SizeKey);
}

void DiscIndex::moveSize(const QString& from, const QString& to) {
    common::SettingsStore settings(common::SettingsNames::DiscSizes);
    if (!settings.contains(from, SizeKey) && settings.contains(to, SizeKey))
        return;
    const QString size = settings.value(from, SizeKey, QStringLiteral("0"));
    settings.setValue(to, SizeKey, size);
    settings.removeSection(from);
}

void DiscIndex::dropSizes(const QStringList& discs) {
    common::SettingsStore(common::SettingsNames::DiscSizes).removeSections(discs);
}

bool DiscIndex::add(const QString& name) {
    const Change change(*this);
    load(WhenMissing::Create);
    if (holds(name))
        return false;
    try {
        files_.appendDiscName(name);
    } catch (...) {
        refresh();
        throw;
    }
    load(WhenMissing::Create);
    return true;
}

void DiscIndex::replace(const QStringList& names) {
    const Change change(*this);
    try {
        files_.rewriteDiscIndex(names);
    } catch (...) {
        refresh();
        throw;
    }
    refresh();
}

} // namespace dravik::catalogue
