#pragma once

#include "dravik/media/facts_collector.h"
#include "dravik/media/medium_facts.h"
#include "dravik/media/sqlite_database.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <functional>
#include <optional>
#include <vector>

namespace dravik::media {

// Where a version of a disc's list is: the disc's list itself, kept in the history folder, or
// written to the database while its list is being published.
enum class VersionState { Current = 0, History = 1, Pending = 2 };

// One cataloguing of a disc: its facts, and the list it wrote (by size and hash).
struct Version {
    std::int64_t id = 0;
    QString disc;
    int number = 0; // 1, 2, … per disc, in the order they were catalogued
    VersionState state = VersionState::Current;
    bool hasFacts = false; // false for a list catalogued before facts were kept
    MediumFacts facts;
    std::string listHash;
    std::int64_t retired = 0; // orders the history: the version replaced last has the highest
};

// The facts of every catalogued medium and the history of each disc's lists, kept beside the
// lists in one SQLite database of the data folder (WAL, one transaction per change), with the
// previous lists in a hidden folder named by version. The lists and the disc index are never
// written here: the caller publishes a list between begin…() and published(), under the
// catalogue's change lock, and reconcile() settles what a killed program left between the two.
class FactsStore {
public:
    static constexpr const char* FileName = ".dravik-media.sqlite";
    static constexpr const char* HistoryFolder = ".dravik-history";
    static constexpr int DefaultKept = 5;
    static constexpr int SchemaVersion = 1;
    // The current list of a disc (resolved as the catalogue resolves names).
    using ListPath = std::function<std::filesystem::path(const QString& disc)>;

    explicit FactsStore(std::filesystem::path dataFolder);

    // Whether the database exists yet (it is made by the first cataloguing).
    bool exists() const;
    // How many earlier versions of each disc are kept: the setting "History" / "Versions"
    // (at least 1), else DefaultKept.
    static int keptVersions();

    struct Started {
        std::int64_t id = 0;
        std::optional<Version> previous; // the version the new one follows, when there was one
        std::vector<std::int64_t> pruned;
    };
    // In one transaction: the disc's current list (`list`, when there is one) goes into the
    // history, and the new version is written as pending with its facts and the hash of `work`.
    Started beginCatalogue(const QString& disc, const MediumFacts& facts,
                           const FactsCollector& files, const std::filesystem::path& work,
                           const std::filesystem::path& list);
    // In one transaction: the history version `number` becomes pending and the current list goes
    // into the history. Throws common::Error (5) when there is no such version.
    Started beginRestore(const QString& disc, int number, const std::filesystem::path& list);
    // The pending version's list is in place: it becomes current; pruned history goes.
    void published(const Started& started);
    // Settles the versions a killed program left pending by the lists as they are.
    void reconcile(const ListPath& listPath);

    // Rename and delete carry the facts and history along.
    void renameDisc(const QString& from, const QString& to);
    void forget(const QStringList& discs);

    std::optional<Version> current(const QString& disc);
    // Every version of the disc, the newest number first.
    std::vector<Version> versions(const QString& disc);
    std::optional<Version> version(const QString& disc, int number);
    // The history version whose list was replaced last: the one before the current list.
    std::optional<Version> lastRetired(const QString& disc);
    std::vector<FileFact> files(std::int64_t versionId);
    // The kept list of a history version.
    std::filesystem::path historyList(std::int64_t versionId) const;

    // The catalogued discs whose current facts have this UUID, or this label and capacity.
    QStringList discsWithUuid(const std::string& uuid);
    QStringList discsWithLabel(const std::string& label, std::uint64_t capacity);

    // The hash a version keeps of its list.
    static std::string hashOf(const std::filesystem::path& list);

private:
    SqliteDatabase& open();
    std::vector<Version> select(std::string_view where, const std::function<void(Statement&)>&);
    void intoHistory(const Version& version, const std::filesystem::path& list);
    std::int64_t insertVersion(const QString& disc, const MediumFacts& facts, bool hasFacts,
                               const std::string& hash, VersionState state);
    void insertFiles(std::int64_t id, const FactsCollector& files);
    std::vector<std::int64_t> prune(const QString& disc, std::int64_t keep);
    void setState(std::int64_t id, VersionState state);
    void settle(const Version& pending, const ListPath& listPath);
    void removeHistoryFiles(const std::vector<std::int64_t>& ids) const;

    std::filesystem::path dataFolder_;
    std::unique_ptr<SqliteDatabase> db_;
};

} // namespace dravik::media
