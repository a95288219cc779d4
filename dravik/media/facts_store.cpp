#include "dravik/media/facts_store.h"

#include "common/error.h"
#include "common/file_ops.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "common/upper_case.h"

#include <QCryptographicHash>
#include <QFile>

#include <sys/stat.h>

#include <ctime>

namespace dravik::media {

namespace {

constexpr std::string_view Schema = R"(
CREATE TABLE IF NOT EXISTS version(
    id INTEGER PRIMARY KEY,
    disc_key TEXT NOT NULL,
    disc TEXT NOT NULL,
    number INTEGER NOT NULL,
    state INTEGER NOT NULL,
    catalogued_at TEXT NOT NULL,
    has_facts INTEGER NOT NULL,
    identity INTEGER NOT NULL,
    device TEXT NOT NULL,
    label TEXT NOT NULL,
    uuid TEXT NOT NULL,
    fs_type TEXT NOT NULL,
    capacity INTEGER NOT NULL,
    used INTEGER NOT NULL,
    files INTEGER NOT NULL,
    folders INTEGER NOT NULL,
    bytes INTEGER NOT NULL,
    list_hash TEXT NOT NULL,
    retired INTEGER NOT NULL DEFAULT 0,
    UNIQUE(disc_key, number));
CREATE INDEX IF NOT EXISTS version_uuid ON version(uuid);
CREATE INDEX IF NOT EXISTS version_label ON version(label);
CREATE TABLE IF NOT EXISTS file(
    version INTEGER NOT NULL REFERENCES version(id) ON DELETE CASCADE,
    path TEXT NOT NULL,
    size INTEGER NOT NULL,
    modified INTEGER NOT NULL);
CREATE INDEX IF NOT EXISTS file_version ON file(version);
)";

constexpr std::string_view Columns =
    "SELECT id, disc, number, state, catalogued_at, has_facts, identity, device, label, uuid, "
    "fs_type, capacity, used, files, folders, bytes, list_hash, retired FROM version WHERE ";

std::string keyOf(const QString& disc) {
    return common::UpperCase::of(disc).toStdString();
}

Version versionFrom(const Statement& row) {
    Version v;
    v.id = row.integer(0);
    v.disc = QString::fromStdString(row.text(1));
    v.number = static_cast<int>(row.integer(2));
    v.state = static_cast<VersionState>(row.integer(3));
    v.facts.cataloguedAt = row.text(4);
    v.hasFacts = row.integer(5) != 0;
    v.facts.volume.identity = static_cast<Identity>(row.integer(6));
    v.facts.volume.device = row.text(7);
    v.facts.volume.label = row.text(8);
    v.facts.volume.uuid = row.text(9);
    v.facts.volume.type = row.text(10);
    v.facts.volume.capacity = static_cast<std::uint64_t>(row.integer(11));
    v.facts.volume.used = static_cast<std::uint64_t>(row.integer(12));
    v.facts.files = row.integer(13);
    v.facts.folders = row.integer(14);
    v.facts.bytes = row.integer(15);
    v.listHash = row.text(16);
    v.retired = row.integer(17);
    return v;
}

// When a list made before facts were kept was written, as the versions' dates are.
std::string modifiedAt(const std::filesystem::path& file) {
    struct stat st {};
    if (::stat(file.c_str(), &st) != 0)
        return utcNow();
    std::tm parts{};
    ::gmtime_r(&st.st_mtime, &parts);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%SZ", &parts);
    return text;
}

void removeQuietly(const std::filesystem::path& file) {
    std::error_code ec;
    std::filesystem::remove(file, ec);
}

} // namespace

FactsStore::FactsStore(std::filesystem::path dataFolder) : dataFolder_(std::move(dataFolder)) {}

bool FactsStore::exists() const {
    return common::FileOps::isFile(dataFolder_ / FileName);
}

int FactsStore::keptVersions() {
    const QString value = common::SettingsStore(common::SettingsNames::Main)
                              .value(QStringLiteral("History"), QStringLiteral("Versions"));
    bool ok = false;
    const int kept = value.toInt(&ok);
    return ok ? std::max(kept, 1) : DefaultKept;
}

SqliteDatabase& FactsStore::open() {
    if (db_)
        return *db_;
    auto db = std::make_unique<SqliteDatabase>(dataFolder_ / FileName,
                                               SqliteDatabase::Open::CreateIfMissing);
    db->execute("PRAGMA journal_mode=WAL; PRAGMA synchronous=FULL; PRAGMA foreign_keys=ON;");
    auto schema = db->prepare("PRAGMA user_version");
    schema.step();
    const auto found = schema.integer(0);
    if (found > SchemaVersion)
        throw common::Error(common::ErrorNumber::PathFileAccess,
                            "facts database: made by a newer Dravik (schema " +
                                std::to_string(found) + ")");
    if (found < SchemaVersion) {
        SqliteDatabase::Transaction t(*db);
        db->execute(Schema);
        db->execute("PRAGMA user_version=" + std::to_string(SchemaVersion));
        t.commit();
    }
    db_ = std::move(db);
    return *db_;
}

std::string FactsStore::hashOf(const std::filesystem::path& list) {
    QFile file(QString::fromStdString(list.string()));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&file);
    return hash.result().toHex().toStdString();
}

std::filesystem::path FactsStore::historyList(std::int64_t versionId) const {
    return dataFolder_ / HistoryFolder / (std::to_string(versionId) + ".rtf");
}

std::vector<Version> FactsStore::select(std::string_view where,
                                        const std::function<void(Statement&)>& bind) {
    auto query =
        open().prepare(std::string(Columns) + std::string(where) + " ORDER BY number DESC");
    bind(query);
    std::vector<Version> out;
    while (query.step())
        out.push_back(versionFrom(query));
    return out;
}

std::optional<Version> FactsStore::current(const QString& disc) {
    if (!exists())
        return std::nullopt;
    auto found =
        select("disc_key = ?1 AND state = 0", [&](Statement& q) { q.bind(1, keyOf(disc)); });
    return found.empty() ? std::nullopt : std::optional<Version>(found.front());
}

std::vector<Version> FactsStore::versions(const QString& disc) {
    if (!exists())
        return {};
    return select("disc_key = ?1", [&](Statement& q) { q.bind(1, keyOf(disc)); });
}

std::optional<Version> FactsStore::lastRetired(const QString& disc) {
    std::optional<Version> last;
    for (const auto& v : versions(disc)) {
        if (v.state == VersionState::History && (!last || v.retired > last->retired))
            last = v;
    }
    return last;
}

std::optional<Version> FactsStore::version(const QString& disc, int number) {
    if (!exists())
        return std::nullopt;
    auto found = select("disc_key = ?1 AND number = ?2", [&](Statement& q) {
        q.bind(1, keyOf(disc)).bind(2, std::int64_t{number});
    });
    return found.empty() ? std::nullopt : std::optional<Version>(found.front());
}

std::vector<FileFact> FactsStore::files(std::int64_t versionId) {
    auto query = open().prepare("SELECT path, size, modified FROM file WHERE version = ?1 "
                                "ORDER BY rowid");
    query.bind(1, versionId);
    std::vector<FileFact> out;
    while (query.step())
        out.push_back({query.text(0), query.integer(1), query.integer(2)});
    return out;
}

QStringList FactsStore::discsWithUuid(const std::string& uuid) {
    QStringList out;
    if (uuid.empty() || !exists())
        return out;
    for (const auto& v : select("uuid = ?1 AND state = 0", [&](Statement& q) { q.bind(1, uuid); }))
        out << v.disc;
    return out;
}

QStringList FactsStore::discsWithLabel(const std::string& label, std::uint64_t capacity) {
    QStringList out;
    if (label.empty() || !exists())
        return out;
    for (const auto& v : select("label = ?1 AND capacity = ?2 AND state = 0", [&](Statement& q) {
             q.bind(1, label).bind(2, static_cast<std::int64_t>(capacity));
         }))
        out << v.disc;
    return out;
}

std::int64_t FactsStore::insertVersion(const QString& disc, const MediumFacts& facts, bool hasFacts,
                                       const std::string& hash, VersionState state) {
    auto& db = open();
    auto last = db.prepare("SELECT COALESCE(MAX(number), 0) FROM version WHERE disc_key = ?1");
    last.bind(1, keyOf(disc));
    last.step();
    const VolumeFacts& volume = facts.volume;
    auto insert = db.prepare(
        "INSERT INTO version(disc_key, disc, number, state, catalogued_at, has_facts, identity, "
        "device, label, uuid, fs_type, capacity, used, files, folders, bytes, list_hash) "
        "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10, ?11, ?12, ?13, ?14, ?15, ?16, ?17)");
    insert.bind(1, keyOf(disc)).bind(2, disc.toStdString()).bind(3, last.integer(0) + 1);
    insert.bind(4, std::int64_t(state)).bind(5, facts.cataloguedAt).bind(6, std::int64_t(hasFacts));
    insert.bind(7, std::int64_t(volume.identity)).bind(8, volume.device).bind(9, volume.label);
    insert.bind(10, volume.uuid).bind(11, volume.type);
    insert.bind(12, static_cast<std::int64_t>(volume.capacity));
    insert.bind(13, static_cast<std::int64_t>(volume.used));
    insert.bind(14, facts.files).bind(15, facts.folders).bind(16, facts.bytes).bind(17, hash);
    insert.run();
    return db.lastInsertId();
}

void FactsStore::insertFiles(std::int64_t id, const FactsCollector& files) {
    auto insert =
        open().prepare("INSERT INTO file(version, path, size, modified) VALUES(?1, ?2, ?3, ?4)");
    for (const auto& entry : files.entries()) {
        insert.bind(1, id).bind(2, files.path(entry));
        insert.bind(3, entry.stat.size).bind(4, entry.stat.modifiedNs);
        insert.run();
        insert.reset();
    }
}

void FactsStore::setState(std::int64_t id, VersionState state) {
    open()
        .prepare("UPDATE version SET state = ?2 WHERE id = ?1")
        .bind(1, id)
        .bind(2, std::int64_t(state))
        .run();
}

// The list goes into the history folder by a second name (a hard link, a copy where links are
// not possible): the list published next replaces the name, not the file.
void FactsStore::intoHistory(const Version& version, const std::filesystem::path& list) {
    setState(version.id, VersionState::History);
    open()
        .prepare("UPDATE version SET retired = (SELECT MAX(retired) + 1 FROM version) "
                 "WHERE id = ?1")
        .bind(1, version.id)
        .run();
    if (!common::FileOps::isFile(list))
        return;
    const auto kept = historyList(version.id);
    std::filesystem::create_directories(kept.parent_path());
    removeQuietly(kept); // left by a killed program whose record was rolled back
    std::error_code ec;
    std::filesystem::create_hard_link(list, kept, ec);
    if (ec)
        common::FileOps::copyReplacing(list, kept);
}

std::vector<std::int64_t> FactsStore::prune(const QString& disc, std::int64_t keep) {
    auto old = open().prepare("SELECT id FROM version WHERE disc_key = ?1 AND state = 1 "
                              "ORDER BY retired DESC LIMIT -1 OFFSET ?2");
    old.bind(1, keyOf(disc)).bind(2, keep);
    std::vector<std::int64_t> ids;
    while (old.step())
        ids.push_back(old.integer(0));
    auto drop = open().prepare("DELETE FROM version WHERE id = ?1");
    for (const auto id : ids) {
        drop.bind(1, id).run();
        drop.reset();
    }
    return ids;
}

FactsStore::Started FactsStore::beginCatalogue(const QString& disc, const MediumFacts& facts,
                                               const FactsCollector& files,
                                               const std::filesystem::path& work,
                                               const std::filesystem::path& list) {
    SqliteDatabase::Transaction transaction(open());
    Started started;
    if (auto before = current(disc)) {
        intoHistory(*before, list);
        started.previous = before;
    } else if (common::FileOps::isFile(list)) {
        // A list catalogued before facts were kept still goes into the history, without facts.
        MediumFacts none;
        none.cataloguedAt = modifiedAt(list);
        const auto id = insertVersion(disc, none, false, hashOf(list), VersionState::History);
        started.previous = select("id = ?1", [&](Statement& q) { q.bind(1, id); }).front();
        intoHistory(*started.previous, list);
    }
    started.id = insertVersion(disc, facts, true, hashOf(work), VersionState::Pending);
    insertFiles(started.id, files);
    started.pruned = prune(disc, keptVersions());
    transaction.commit();
    return started;
}

FactsStore::Started FactsStore::beginRestore(const QString& disc, int number,
                                             const std::filesystem::path& list) {
    SqliteDatabase::Transaction transaction(open());
    const auto wanted = version(disc, number);
    if (!wanted || wanted->state != VersionState::History)
        throw common::Error(common::ErrorNumber::InvalidArgument,
                            "the history of \"" + disc.toStdString() + "\" holds no version " +
                                std::to_string(number));
    Started started;
    started.id = wanted->id;
    if (auto before = current(disc)) {
        intoHistory(*before, list);
        started.previous = before;
    }
    setState(wanted->id, VersionState::Pending);
    started.pruned = prune(disc, keptVersions());
    transaction.commit();
    return started;
}

void FactsStore::published(const Started& started) {
    setState(started.id, VersionState::Current); // a single statement is its own transaction
    removeQuietly(historyList(started.id));
    removeHistoryFiles(started.pruned);
}

void FactsStore::removeHistoryFiles(const std::vector<std::int64_t>& ids) const {
    for (const auto id : ids)
        removeQuietly(historyList(id));
}

void FactsStore::reconcile(const ListPath& listPath) {
    if (!exists())
        return;
    for (const auto& pending : select("state = 2", [](Statement&) {}))
        settle(pending, listPath);
    // Kept lists whose version is not in the history: a killed program's, rolled back.
    std::error_code ec;
    for (std::filesystem::directory_iterator it(dataFolder_ / HistoryFolder, ec), end;
         !ec && it != end; it.increment(ec)) {
        const std::string stem = it->path().stem().string();
        const auto ids = select("id = ?1 AND state = 1", [&](Statement& q) {
            q.bind(1, static_cast<std::int64_t>(std::atoll(stem.c_str())));
        });
        if (ids.empty() || it->path().extension() != ".rtf")
            removeQuietly(it->path());
    }
}

// A pending version whose list is in place became current; any other was not published, and
// the version whose list is in place is current again.
void FactsStore::settle(const Version& pending, const ListPath& listPath) {
    const auto list = listPath(pending.disc);
    const std::string hash = common::FileOps::isFile(list) ? hashOf(list) : std::string();
    if (hash == pending.listHash) {
        published({pending.id, std::nullopt, {}});
        return;
    }
    SqliteDatabase::Transaction transaction(open());
    if (common::FileOps::isFile(historyList(pending.id)))
        setState(pending.id, VersionState::History); // a restore that did not happen
    else
        open().prepare("DELETE FROM version WHERE id = ?1").bind(1, pending.id).run();
    std::optional<Version> inPlace;
    for (const auto& v : versions(pending.disc)) {
        if (v.state == VersionState::History && !hash.empty() && v.listHash == hash) {
            inPlace = v;
            break;
        }
    }
    if (inPlace)
        setState(inPlace->id, VersionState::Current);
    transaction.commit();
    if (inPlace)
        removeQuietly(historyList(inPlace->id));
}

void FactsStore::renameDisc(const QString& from, const QString& to) {
    if (!exists() || keyOf(from) == keyOf(to))
        return;
    if (versions(from).empty())
        return; // moved already, or never had facts
    SqliteDatabase::Transaction transaction(open());
    std::vector<std::int64_t> stale;
    for (const auto& v : versions(to))
        stale.push_back(v.id);
    auto drop = open().prepare("DELETE FROM version WHERE id = ?1");
    for (const auto id : stale) {
        drop.bind(1, id).run();
        drop.reset();
    }
    open()
        .prepare("UPDATE version SET disc_key = ?2, disc = ?3 WHERE disc_key = ?1")
        .bind(1, keyOf(from))
        .bind(2, keyOf(to))
        .bind(3, to.toStdString())
        .run();
    transaction.commit();
    removeHistoryFiles(stale);
}

void FactsStore::forget(const QStringList& discs) {
    if (!exists())
        return;
    SqliteDatabase::Transaction transaction(open());
    std::vector<std::int64_t> gone;
    auto drop = open().prepare("DELETE FROM version WHERE id = ?1");
    for (const QString& disc : discs) {
        for (const auto& v : versions(disc)) {
            gone.push_back(v.id);
            drop.bind(1, v.id).run();
            drop.reset();
        }
    }
    transaction.commit();
    removeHistoryFiles(gone);
}

} // namespace dravik::media
