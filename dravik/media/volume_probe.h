#pragma once

#include <cstdint>
#include <filesystem>
#include <string>

namespace dravik::media {

// How a medium's identity was read.
enum class Identity {
    Probed,      // label, UUID and type read from the device or image
    PlainFolder, // the drive is a folder, not the root of a mounted medium: no label, no UUID
    Unreadable,  // the device could not be read (no permission, gone): no label, no UUID
};

// What a medium is. For ISO 9660 the UUID is the volume's creation time, which is how such discs
// are told apart.
struct VolumeFacts {
    Identity identity = Identity::PlainFolder;
    std::string device; // "/dev/sr0", an image file, or empty for a plain folder
    std::string label;
    std::string uuid;
    std::string type;           // "ext4", "iso9660", …
    std::uint64_t capacity = 0; // bytes
    std::uint64_t used = 0;     // bytes
};

// Reads a medium's identity with libblkid and its capacity with statvfs.
class VolumeProbe {
public:
    // The medium whose root folder is `root`: the device of its mount (/proc/self/mountinfo)
    // is probed. A folder that is not a mount's root is a plain folder; its capacity is still
    // that of the file system holding it.
    static VolumeFacts ofRoot(const std::filesystem::path& root);
    // A device or an image file probed as it is; capacity and use are left at zero.
    static VolumeFacts ofDevice(const std::filesystem::path& device);

    // "no label or UUID: the drive is a folder, not a medium", and the like; empty when probed.
    static std::string identityNote(Identity identity);

private:
    static void probe(const std::filesystem::path& device, VolumeFacts& facts);
    static void fromDiskLinks(const std::filesystem::path& device, VolumeFacts& facts);
};

} // namespace dravik::media
