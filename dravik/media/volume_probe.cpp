#include "dravik/media/volume_probe.h"

#include "common/mount_table.h"

#include <blkid/blkid.h>
#include <sys/statvfs.h>

#include <cstdlib>
#include <cstring>
#include <memory>

namespace dravik::media {

namespace {

// One libblkid probe, freed when it goes.
using Probe = std::unique_ptr<blkid_struct_probe, void (*)(blkid_probe)>;

std::string valueOf(blkid_probe probe, const char* name) {
    const char* value = nullptr;
    size_t length = 0;
    if (blkid_probe_lookup_value(probe, name, &value, &length) != 0 || !value)
        return {};
    return std::string(value, ::strnlen(value, length));
}

// The name under which udev links the device in /dev/disk/by-<kind>/, decoded ("\x20").
std::string linkNaming(const std::filesystem::path& device, const char* kind) {
    std::error_code ec;
    const auto target = std::filesystem::canonical(device, ec);
    if (ec)
        return {};
    for (std::filesystem::directory_iterator it(std::string("/dev/disk/by-") + kind, ec), end;
         !ec && it != end; it.increment(ec)) {
        std::error_code linkError;
        if (std::filesystem::canonical(it->path(), linkError) != target || linkError)
            continue;
        std::string name = it->path().filename().string(), out;
        for (std::size_t i = 0; i < name.size(); ++i) {
            if (name.compare(i, 2, "\\x") == 0 && i + 3 < name.size()) {
                out += static_cast<char>(std::strtol(name.substr(i + 2, 2).c_str(), nullptr, 16));
                i += 3;
            } else {
                out += name[i];
            }
        }
        return out;
    }
    return {};
}

} // namespace

VolumeFacts VolumeProbe::ofDevice(const std::filesystem::path& device) {
    VolumeFacts facts;
    facts.device = device.string();
    probe(device, facts);
    return facts;
}

VolumeFacts VolumeProbe::ofRoot(const std::filesystem::path& root) {
    VolumeFacts facts;
    const auto mount = common::MountTable::read().mountedAt(root);
    if (mount) {
        facts.type = mount->type;
        if (common::isDeviceName(mount->device)) {
            facts.device = mount->device;
            probe(mount->device, facts);
        }
    }
    struct statvfs vfs {};
    if (::statvfs(root.c_str(), &vfs) == 0) {
        facts.capacity = static_cast<std::uint64_t>(vfs.f_blocks) * vfs.f_frsize;
        facts.used = static_cast<std::uint64_t>(vfs.f_blocks - vfs.f_bfree) * vfs.f_frsize;
    }
    return facts;
}

void VolumeProbe::probe(const std::filesystem::path& device, VolumeFacts& facts) {
    Probe probe(blkid_new_probe_from_filename(device.c_str()), &blkid_free_probe);
    if (!probe) {
        // A device this user may not read: udev's links still name its label and UUID.
        fromDiskLinks(device, facts);
        return;
    }
    blkid_probe_enable_superblocks(probe.get(), 1);
    blkid_probe_set_superblocks_flags(probe.get(),
                                      BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID | BLKID_SUBLKS_TYPE);
    if (blkid_do_safeprobe(probe.get()) != 0) {
        facts.identity = Identity::Unreadable;
        return;
    }
    facts.identity = Identity::Probed;
    facts.label = valueOf(probe.get(), "LABEL");
    facts.uuid = valueOf(probe.get(), "UUID");
    facts.type = valueOf(probe.get(), "TYPE");
}

void VolumeProbe::fromDiskLinks(const std::filesystem::path& device, VolumeFacts& facts) {
    facts.label = linkNaming(device, "label");
    facts.uuid = linkNaming(device, "uuid");
    facts.identity =
        facts.label.empty() && facts.uuid.empty() ? Identity::Unreadable : Identity::Probed;
}

std::string VolumeProbe::identityNote(Identity identity) {
    switch (identity) {
    case Identity::Probed:
        return {};
    case Identity::PlainFolder:
        return "no label or UUID: the drive is a folder, not a mounted medium";
    case Identity::Unreadable:
        return "no label or UUID: the medium's device could not be read";
    }
    return {};
}

} // namespace dravik::media
