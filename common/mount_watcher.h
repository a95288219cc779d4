#pragma once

#include "common/file_descriptor.h"
#include "common/mount_table.h"

#include <QObject>

#include <filesystem>
#include <memory>

class QSocketNotifier;

namespace common {

// Notices mounts and unmounts as they happen. The kernel flags a mount table that changed as an
// exceptional condition on its open file (POLLPRI), so the watcher sleeps in the event loop until
// then and re-reads the table only when something changed: no timer, no polling loop.
class MountWatcher : public QObject {
    Q_OBJECT
public:
    // The mounts this process sees.
    explicit MountWatcher(QObject* parent = nullptr);
    // The mounts of the table at `mountInfo`, such as /proc/<pid>/mountinfo of another process.
    explicit MountWatcher(const std::filesystem::path& mountInfo, QObject* parent = nullptr);
    ~MountWatcher() override;

    // False when the table could not be opened: nothing is noticed then.
    bool watching() const { return fd_.isOpen(); }
    // The table as last read.
    const MountTable& table() const { return table_; }

signals:
    // One signal per mount that came or went.
    void changed(const common::MountChange& change);

private:
    void tableChanged();
    // The table as it is now; nothing when it cannot be read.
    bool read(MountTable& table) const;

    FileDescriptor fd_;
    // Declared after the descriptor, so it stops watching before the descriptor closes.
    std::unique_ptr<QSocketNotifier> notifier_;
    MountTable table_;
};

} // namespace common
