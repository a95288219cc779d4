#pragma once

#include "common/text_writer.h"

#include <QString>
#include <QStringList>

#include <filesystem>
#include <utility>
#include <vector>

namespace common {

// The per-user settings store: one INI file per application name in the settings folder, named
// after the application folded to lower case, so "DRAVIK 2016" and "Dravik 2016" are one place.
// Sections and keys match without regard to case. Every write re-reads the file under a lock and
// replaces it atomically before returning, so two programs writing at once lose nothing.
class SettingsStore {
public:
    explicit SettingsStore(const QString& application);

    // $DRAVIK_SETTINGS_DIR, else $XDG_CONFIG_HOME/Dravik, else ~/.config/Dravik.
    static std::filesystem::path folder();
    std::filesystem::path file() const { return file_; }
    bool exists() const;

    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;
    bool contains(const QString& section, const QString& key) const;
    QStringList keys(const QString& section) const;
    // `durability` Process spares the disk flush for a value rewritten often (a marker that a
    // killed program must leave behind whole, flushed by the caller once in a while).
    void setValue(const QString& section, const QString& key, const QString& value,
                  TextWriter::Durability durability = TextWriter::Durability::Disk);
    void removeKey(const QString& section, const QString& key);
    void removeSection(const QString& section);
    // Many sections in one rewrite.
    void removeSections(const QStringList& sections);

private:
    struct Section {
        QString name;
        std::vector<std::pair<QString, QString>> entries;
    };
    using Content = std::vector<Section>;

    Content load() const;
    void save(const Content& content, TextWriter::Durability durability) const;
    template <typename Change>
    void update(Change change, TextWriter::Durability durability = TextWriter::Durability::Disk);
    static Section* find(Content& content, const QString& section);

    std::filesystem::path file_;
};

} // namespace common
