#include "common/drive_table.h"

#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/mount_table.h"
#include "common/settings_names.h"
#include "common/settings_store.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sys/stat.h>

namespace common {

namespace {

char normal(char letter) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
}

} // namespace

DriveTable DriveTable::fromSystem() {
    DriveTable table;
    if (const char* home = std::getenv("HOME"))
        table.set('C', home);
    char next = 'D';
    for (int i = 0; i < 10 && next <= 'Z'; ++i) {
        const std::string device = "/dev/sr" + std::to_string(i);
        struct stat st {};
        if (::stat(device.c_str(), &st) == 0)
            table.set(next++, device);
    }
    const MountTable mounts = MountTable::read();
    for (const MountEntry& m : mounts.entries()) {
        if (next > 'Z')
            break;
        for (const char* prefix : {"/media/", "/run/media/", "/mnt/"}) {
            if (m.point.rfind(prefix, 0) == 0 && isDeviceName(m.device)) {
                const bool taken = std::any_of(table.roots_.begin(), table.roots_.end(),
                                               [&](const auto& e) { return e.second == m.device; });
                if (!taken)
                    table.set(next++, m.point);
                break;
            }
        }
    }
    try {
        table.addFromSettings();
    } catch (const Error& e) {
        table.settingsFailure_ = e;
    }
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const std::string name = std::string("DRAVIK_DRIVE_") + letter;
        if (const char* value = std::getenv(name.c_str()); value && *value)
            table.set(letter, value);
    }
    return table;
}

void DriveTable::addFromSettings() {
    const SettingsStore settings(SettingsNames::Main);
    const QString section = QStringLiteral("Drives");
    for (const QString& key : settings.keys(section)) {
        if (key.size() == 1 && key[0].isLetter())
            set(key[0].toLatin1(), settings.value(section, key).toStdString());
    }
}

void DriveTable::set(char letter, const std::string& root) {
    roots_[normal(letter)] = root;
}

void DriveTable::remove(char letter) {
    roots_.erase(normal(letter));
}

std::vector<char> DriveTable::letters() const {
    std::vector<char> out;
    for (const auto& entry : roots_)
        out.push_back(entry.first);
    return out;
}

bool DriveTable::has(char letter) const {
    return roots_.count(normal(letter)) > 0;
}

std::string DriveTable::mapping(char letter) const {
    const auto it = roots_.find(normal(letter));
    return it == roots_.end() ? std::string() : it->second;
}

std::filesystem::path DriveTable::mountPointOf(const std::string& device) {
    std::error_code ec;
    const auto real = std::filesystem::weakly_canonical(device, ec);
    const MountTable mounts = MountTable::read();
    for (const MountEntry& m : mounts.entries()) {
        if (m.device == device || (!ec && m.device == real.string()))
            return m.point;
    }
    return {};
}

std::filesystem::path DriveTable::root(char letter) const {
    const std::string drive(1, normal(letter));
    const std::string mapped = mapping(letter);
    if (mapped.empty())
        throw Error(ErrorNumber::DeviceUnavailable,
                    "Drive " + drive + ": is not in the drive table");
    std::filesystem::path folder = mapped;
    if (isDeviceName(mapped)) {
        folder = mountPointOf(mapped);
        if (folder.empty())
            throw Error(ErrorNumber::DeviceUnavailable,
                        "Drive " + drive + ": nothing is mounted from " + mapped);
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
        throw Error(ErrorNumber::DeviceUnavailable,
                    "Drive " + drive + ": " + folder.string() + " cannot be read");
    return folder;
}

bool DriveTable::available(char letter) const {
    try {
        root(letter);
        return true;
    } catch (const Error&) {
        return false; // why it is not is for root() to say when it is used
    }
}

std::filesystem::path DriveTable::toLocal(std::string_view listPath) const {
    if (listPath.size() < 2 || listPath[1] != ':')
        throw Error(ErrorNumber::PathNotFound, std::string(listPath) + ": not a drive path");
    auto local = FileNameGate::below(root(listPath[0]), listPath.substr(2));
    if (!local)
        throw Error(ErrorNumber::InvalidArgument,
                    std::string(listPath) + ": \"..\" cannot climb above the root of the drive");
    return *local;
}

std::optional<char> DriveTable::letterOf(const std::filesystem::path& local) const {
    const auto wanted = local.lexically_normal();
    std::optional<char> best;
    std::size_t bestDepth = 0;
    for (const char letter : letters()) {
        if (!available(letter))
            continue;
        const auto base = root(letter).lexically_normal();
        auto at = wanted.begin();
        bool inside = true;
        std::size_t depth = 0;
        for (const auto& part : base) {
            if (part.empty())
                continue; // the empty last part of a root given with a trailing "/"
            if (at == wanted.end() || *at != part) {
                inside = false;
                break;
            }
            ++at;
            ++depth;
        }
        if (inside && (!best || depth > bestDepth)) {
            best = letter;
            bestDepth = depth;
        }
    }
    return best;
}

std::string DriveTable::toListForm(char letter, const std::filesystem::path& local) const {
    const std::filesystem::path base = root(letter);
    std::string relative = local.lexically_relative(base).generic_string();
    if (relative == ".")
        relative.clear();
    std::replace(relative.begin(), relative.end(), '/', '\\');
    std::string out = std::string(1, normal(letter)) + ":\\" + relative;
    if (out.back() != '\\')
        out += '\\';
    return out;
}

} // namespace common
