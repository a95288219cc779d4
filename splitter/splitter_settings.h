#pragma once

#include "common/settings_store.h"

#include <QString>

namespace splitter {

// The splitter's own two settings (application "Shard13"): the data path and the disc a run is
// working on now, which stays set when a run does not reach its end. Reads and writes throw
// common::Error when the settings file cannot be read or written.
class SplitterSettings {
public:
    using Durability = common::TextWriter::Durability;

    SplitterSettings();

    QString dataPath() const;
    void setDataPath(const QString& path);
    QString busyDisc() const;
    // Each write replaces the file whole; a run writes the marker once per disc and flushes it to
    // the disk only at its start and its end.
    void setBusyDisc(const QString& disc, Durability durability = Durability::Disk);

private:
    common::SettingsStore store_;
};

} // namespace splitter
