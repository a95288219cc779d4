#pragma once

#include "common/drive_table.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/disc_index.h"
#include "dravik/walker/walk_engine.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <stop_token>

namespace dravik::catalogue {

// The steps of cataloguing a disc that do not need a window: checking the name, recording it,
// and the build (walk into the work file, then publish it as the disc's list). The window and
// dravik-cli run the same steps, so they refuse the same things for the same reasons.
class Cataloguer {
public:
    Cataloguer(DiscIndex& index, const common::DriveTable& drives);

    // Why a disc name cannot be used, or nothing when it can: it must pass the file name gate
    // (as name + ".rtf") and read back whole from the disc index.
    [[nodiscard]] static std::optional<QString> refusal(const QString& name);

    // The local folder that the drive letter stands for; throws Error 68 when it has no
    // readable disc.
    std::filesystem::path scanRoot(const QString& drive) const;
    static void markChanged();

    // Walks `drive` and publishes the list as the disc's. Throws common::Error when another walk
    // is running, the drive cannot be read or a file cannot be written; a stopped walk is not
    // published.
    walker::WalkCounts build(const QString& name, const QString& drive,
                             const walker::WalkEngine::Progress& progress,
                             std::stop_token stop = {}) const;

    // The whole cataloguing of a disc: the build, and once its list is published the name is
    // added to the disc index when the index does not hold it yet (without regard to case). So
    // the index never names a disc that has no list: not after a failure, a stop, nor a kill
    // during the walk. Throws like build().
    struct Built {
        walker::WalkCounts counts;
        bool nameAdded = false; // false when the name was listed already, or the walk stopped
        // "12 files added, 3 removed, 2 changed size since 2026-03-01" when the disc had a list
        std::optional<QString> changes;
    };
    Built buildAndRecord(const QString& name, const QString& drive,
                         const walker::WalkEngine::Progress& progress,
                         std::stop_token stop = {}) const;

    // Brings back version `number` of a catalogued disc's list from its history (nothing: the
    // latest one there); the current list goes into the history in turn. Returns the number
    // restored. Throws common::Error when the index does not hold the disc, its history has no
    // such version, or a file cannot be written.
    int restore(const QString& name, std::optional<int> number) const;

    // "Another cataloguing is running (…)": the message for a refused second walk.
    static QString busyMessage(const std::filesystem::path& busyWith);

private:
    enum class Record { ListOnly, ListAndName };
    Built walk(const QString& name, const QString& drive,
               const walker::WalkEngine::Progress& progress, std::stop_token stop,
               Record record) const;
    struct Recording;
    void publish(const QString& name, Record record, Recording& recording, Built& built) const;

    DiscIndex& index_;
    const Catalogue& catalogue_;
    const common::DriveTable& drives_;
};

} // namespace dravik::catalogue
