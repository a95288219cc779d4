#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace dravik::media {

// One line of /proc/self/mountinfo.
struct Mount {
    std::string point;  // where it is mounted
    std::string type;   // file-system type
    std::string source; // the device, or what stands for one ("tmpfs")
};

// The mounts of this process, as the kernel lists them.
class MountTable {
public:
    // The mount whose mount point is `folder` itself (the last one when mounts are stacked).
    static std::optional<Mount>
    mountedAt(const std::filesystem::path& folder,
              const std::filesystem::path& table = "/proc/self/mountinfo");
    // One mountinfo line; nothing when it is not one.
    static std::optional<Mount> parse(std::string_view line);
    // A field with the kernel's octal escapes ("\040" for a space) decoded.
    static std::string unescaped(std::string_view field);
};

} // namespace dravik::media
