#pragma once

#include "common/settings_store.h"

#include <QString>

namespace splitter {

// The splitter's own two settings (application "Shard13"): the data path and the disc a run is
// splitting now, which stays set when a run does not reach its end.
class SplitterSettings {
public:
    SplitterSettings();

    QString dataPath() const;
    void setDataPath(const QString& path);
    QString busyDisc() const;
    void setBusyDisc(const QString& disc);

private:
    common::SettingsStore store_;
};

} // namespace splitter
