#include "splitter/splitter_settings.h"

#include "common/settings_names.h"

namespace splitter {

SplitterSettings::SplitterSettings() : store_(common::SettingsNames::Splitter) {}

QString SplitterSettings::dataPath() const {
    return store_.value(QStringLiteral("Paths"), QStringLiteral("MainPad"));
}

void SplitterSettings::setDataPath(const QString& path) {
    store_.setValue(QStringLiteral("Paths"), QStringLiteral("MainPad"), path);
}

QString SplitterSettings::busyDisc() const {
    return store_.value(QStringLiteral("Busy"), QStringLiteral("Disc"));
}

void SplitterSettings::setBusyDisc(const QString& disc, Durability durability) {
    store_.setValue(QStringLiteral("Busy"), QStringLiteral("Disc"), disc, durability);
}

} // namespace splitter
