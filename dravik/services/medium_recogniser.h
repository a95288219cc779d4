#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

#include <filesystem>
#include <optional>

namespace dravik::services {

// How a medium tells itself apart from every other one.
struct MediumIdentity {
    QString label;       // the volume label; empty when it has none
    QString uuid;        // the file-system UUID (for ISO 9660, its volume creation time)
    QString fileSystem;  // "ext4", "iso9660", ...
    qint64 capacity = 0; // in bytes
};

// The catalogued disc a medium was recognised as.
struct CataloguedDisc {
    QString name;
    QDate catalogued;
};

// Which medium is in a drive, and whether the catalogue knows it. Both calls may block (a drive
// spinning up, a busy database), so the window makes them off its own thread, one at a time.
class MediumRecogniser {
public:
    virtual ~MediumRecogniser() = default;
    // What is mounted at the drive root `root` now; nothing for no medium or a plain folder.
    virtual std::optional<MediumIdentity> identify(const std::filesystem::path& root) const = 0;
    // The disc catalogued in `dataFolder` with that identity, if there is one.
    virtual std::optional<CataloguedDisc> find(const MediumIdentity& medium,
                                               const std::filesystem::path& dataFolder) const = 0;
};

} // namespace dravik::services
