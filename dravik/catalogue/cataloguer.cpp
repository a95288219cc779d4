#include "dravik/catalogue/cataloguer.h"

#include "common/code_page.h"
#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/file_ops.h"
#include "common/settings_names.h"
#include "common/settings_store.h"
#include "dravik/media/facts_diff.h"
#include "dravik/media/facts_store.h"
#include "dravik/media/volume_probe.h"
#include "dravik/walker/walk_lock.h"

namespace dravik::catalogue {

// What the walk learns of the medium, recorded with its list.
struct Cataloguer::Recording {
    media::MediumFacts facts;
    media::FactsCollector files;
};

namespace {
// Busy walks are reported with this number so callers can tell them from file errors.
constexpr int BusyNumber = common::ErrorNumber::PathFileAccess;

// Cleaning up after a failure: the first failure is the one to report.
void removeQuietly(const std::filesystem::path& file) {
    try {
        common::FileOps::removeIfExists(file);
    } catch (const common::Error&) {
    }
}

// What changed since the version the new one follows; nothing for a disc catalogued anew.
std::optional<QString> changesSince(media::FactsStore& store,
                                    const std::optional<media::Version>& previous,
                                    const media::FactsCollector& files) {
    if (!previous)
        return std::nullopt;
    media::FactsDiff::Sizes after;
    after.reserve(files.entries().size());
    for (const auto& entry : files.entries())
        after.emplace(files.path(entry), entry.stat.size);
    const auto before = previous->hasFacts
                            ? media::FactsDiff::fromFacts(store.files(previous->id))
                            : media::FactsDiff::fromList(store.historyList(previous->id));
    const auto counts = media::FactsDiff::count(media::FactsDiff::between(before, after));
    return media::FactsDiff::summary(counts, previous->facts.cataloguedAt);
}
} // namespace

Cataloguer::Cataloguer(DiscIndex& index, const common::DriveTable& drives)
    : index_(index), catalogue_(index.files()), drives_(drives) {}

std::optional<QString> Cataloguer::refusal(const QString& name) {
    static const common::FileNameGate gate(QStringLiteral("disc"), QStringLiteral(".rtf"));
    if (auto reason = gate.refusal(name))
        return reason;
    if (name.contains(u','))
        return QStringLiteral("A disc name cannot hold a comma: the disc index would read it "
                              "back as two discs.");
    // "DK.tex" holds the name in the code page: a name it cannot hold would come back as
    // another name.
    if (!common::CodePage::canEncode(name))
        return QStringLiteral("The disc name holds characters that the catalogue's code page "
                              "cannot hold.");
    return std::nullopt;
}

std::filesystem::path Cataloguer::scanRoot(const QString& drive) const {
    if (drive.isEmpty())
        throw common::Error(common::ErrorNumber::DeviceUnavailable,
                            "No default CD/DVD drive is set");
    return drives_.root(drive[0].toLatin1());
}

void Cataloguer::markChanged() {
    common::SettingsStore(common::SettingsNames::Main)
        .setValue(QStringLiteral("Changes"), QStringLiteral("NewDisc"), QStringLiteral("True"));
}

QString Cataloguer::busyMessage(const std::filesystem::path& busyWith) {
    QString text = QStringLiteral("Another cataloguing is running");
    if (!busyWith.empty())
        text += QStringLiteral(" (") + QString::fromStdString(busyWith.filename().string()) +
                QStringLiteral(")");
    return text + QStringLiteral(". Wait until it has finished, then try again.");
}

walker::WalkCounts Cataloguer::build(const QString& name, const QString& drive,
                                     const walker::WalkEngine::Progress& progress,
                                     std::stop_token stop) const {
    return walk(name, drive, progress, stop, Record::ListOnly).counts;
}

Cataloguer::Built Cataloguer::walk(const QString& name, const QString& drive,
                                   const walker::WalkEngine::Progress& progress,
                                   std::stop_token stop, Record record) const {
    const auto root = scanRoot(drive);
    walker::WalkLock lock(catalogue_.programFolder());
    const auto list = catalogue_.discListPath(name);
    if (!lock.acquire(list))
        throw common::Error(
            BusyNumber,
            busyMessage(walker::WalkLock::busyWith(catalogue_.programFolder())).toStdString());
    walker::WalkInput input;
    input.fileName = "*.*";
    input.location = drive.left(1).toUpper().toStdString() + ":\\";
    walker::WalkEngine engine(root, input);
    engine.setProgress(progress);
    engine.setStopToken(stop);
    Recording recording;
    engine.setObserver(&recording.files);
    recording.facts.volume = media::VolumeProbe::ofRoot(root);
    const auto work = catalogue_.workFilePath();
    try {
        Built built;
        built.counts = engine.run(work);
        if (!stop.stop_requested())
            publish(name, record, recording, built);
        common::FileOps::removeIfExists(work);
        return built;
    } catch (...) {
        // The old list stays; the work file, written whole or in part, goes.
        removeQuietly(work);
        throw;
    }
}

Cataloguer::Built Cataloguer::buildAndRecord(const QString& name, const QString& drive,
                                             const walker::WalkEngine::Progress& progress,
                                             std::stop_token stop) const {
    return walk(name, drive, progress, stop, Record::ListAndName);
}

void Cataloguer::publish(const QString& name, Record record, Recording& recording,
                         Built& built) const {
    // The new list, its facts and its index line appear in one change: a rename or delete of
    // another program never runs between them.
    const DiscIndex::Change change(index_);
    const auto list = catalogue_.discListPath(name);
    const bool listWasThere = common::FileOps::isFile(list);
    auto& facts = recording.facts;
    facts.cataloguedAt = media::utcNow();
    facts.files = built.counts.files;
    facts.folders = built.counts.folders;
    facts.bytes = recording.files.bytes();
    // The facts first, pending; the store settles them by the list in place should the
    // program be killed before the end.
    media::FactsStore store(catalogue_.dataFolder());
    const auto started =
        store.beginCatalogue(name, facts, recording.files, catalogue_.workFilePath(), list);
    catalogue_.publishWorkFile(name);
    store.published(started);
    built.changes = changesSince(store, started.previous, recording.files);
    if (record != Record::ListAndName)
        return;
    try {
        built.nameAdded = index_.add(name);
    } catch (...) {
        // A new disc whose name did not reach the index (a full disk) leaves no list behind,
        // and no facts.
        if (!listWasThere) {
            removeQuietly(list);
            try {
                store.forget({name});
            } catch (const common::Error&) {
            }
        }
        throw;
    }
}

int Cataloguer::restore(const QString& name, std::optional<int> number) const {
    const DiscIndex::Change change(index_);
    index_.load(DiscIndex::WhenMissing::Leave);
    const auto disc = index_.spelling(name);
    if (!disc)
        throw common::Error(common::ErrorNumber::InvalidArgument,
                            "no disc named \"" + name.toStdString() + "\" is catalogued");
    media::FactsStore store(catalogue_.dataFolder());
    if (!number) {
        if (const auto last = store.lastRetired(*disc))
            number = last->number;
    }
    if (!number)
        throw common::Error(common::ErrorNumber::InvalidArgument,
                            "the history of \"" + disc->toStdString() + "\" holds no list");
    const auto list = catalogue_.discListPath(*disc);
    const auto started = store.beginRestore(*disc, *number, list);
    common::FileOps::copyReplacing(store.historyList(started.id), list);
    store.published(started);
    markChanged();
    return *number;
}

} // namespace dravik::catalogue
