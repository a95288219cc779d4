#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// One line of a mount table in the /proc/self/mountinfo form.
struct MountEntry {
    int id = 0;         // unique while mounted; a new mount at the same place gets a new one
    std::string device; // the mount source: a device path, or a name such as "tmpfs"
    std::string point;  // where it is mounted
    std::string type;   // the file-system type

    // Whether a drive mapped to `mapping` (a block device such as /dev/sr0, or a folder) shows
    // this mount: by its device, or by its mount point.
    bool shows(const std::string& mapping) const;
};

// Whether a drive mapping or a mount source names a block device.
bool isDeviceName(const std::string& name);

struct MountChange {
    enum class Kind { Mounted, Unmounted };
    Kind kind;
    MountEntry entry;
};

// The mounts of a process's mount namespace, as /proc/self/mountinfo lists them.
class MountTable {
public:
    MountTable() = default;
    // Lines that do not have the mountinfo form are skipped.
    static MountTable parse(std::string_view text);
    // The table in `file`; empty when it cannot be read.
    static MountTable read(const std::filesystem::path& file = "/proc/self/mountinfo");

    const std::vector<MountEntry>& entries() const { return entries_; }
    // What happened between this table and `next`: unmounts first, then mounts, each in the
    // order of their ids. A remount (same id, other options) is neither.
    std::vector<MountChange> changesTo(const MountTable& next) const;
    // The mount whose mount point is `folder` itself; of mounts stacked there, the newest.
    std::optional<MountEntry> mountedAt(const std::filesystem::path& folder) const;

private:
    std::vector<MountEntry> entries_; // kept in id order
};

// Mount tables write blanks, tabs, line ends and backslashes as \ooo.
std::string unescapeMountField(std::string_view field);

} // namespace common
