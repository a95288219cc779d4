#include "common/mount_table.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <iterator>
#include <sstream>

namespace common {

namespace {

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

// The blank-separated fields of one line.
std::vector<std::string_view> fieldsOf(std::string_view line) {
    std::vector<std::string_view> fields;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at)
            fields.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return fields;
}

// "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw": optional fields run up
// to the lone "-", after which come type, source and super-block options.
bool parseLine(std::string_view line, MountEntry& entry) {
    const std::vector<std::string_view> fields = fieldsOf(line);
    const auto dash = std::find(fields.begin(), fields.end(), std::string_view("-"));
    if (fields.size() < 6 || dash == fields.end() || fields.end() - dash < 3 ||
        dash - fields.begin() < 6)
        return false;
    const std::string_view id = fields[0];
    if (std::from_chars(id.data(), id.data() + id.size(), entry.id).ec != std::errc())
        return false;
    entry.point = unescapeMountField(fields[4]);
    entry.type = unescapeMountField(dash[1]);
    entry.device = unescapeMountField(dash[2]);
    return true;
}

bool byId(const MountEntry& a, const MountEntry& b) {
    return a.id < b.id;
}

} // namespace

std::string unescapeMountField(std::string_view field) {
    std::string out;
    out.reserve(field.size());
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && isOctal(field[i + 1]) &&
            isOctal(field[i + 2]) && isOctal(field[i + 3])) {
            out += static_cast<char>((field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 +
                                     (field[i + 3] - '0'));
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

MountTable MountTable::parse(std::string_view text) {
    MountTable table;
    std::size_t at = 0;
    while (at < text.size()) {
        const std::size_t end = std::min(text.find('\n', at), text.size());
        MountEntry entry;
        if (parseLine(text.substr(at, end - at), entry))
            table.entries_.push_back(std::move(entry));
        at = end + 1;
    }
    std::stable_sort(table.entries_.begin(), table.entries_.end(), byId);
    return table;
}

bool isDeviceName(const std::string& name) {
    return name.rfind("/dev/", 0) == 0;
}

bool MountEntry::shows(const std::string& mapping) const {
    // Spelled as the user typed it: "/dev/cdrom" is a link, "/media/disc/" has a slash more.
    const auto normal = [](const std::string& path) {
        std::error_code error;
        const auto real = std::filesystem::weakly_canonical(path, error);
        return ((error ? std::filesystem::path(path) : real) / "").lexically_normal();
    };
    if (mapping.empty())
        return false;
    return normal(mapping) == normal(isDeviceName(mapping) ? device : point);
}

MountTable MountTable::read(const std::filesystem::path& file) {
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return parse(text.str());
}

std::optional<MountEntry> MountTable::mountedAt(const std::filesystem::path& folder) const {
    std::error_code ec;
    const auto wanted = std::filesystem::canonical(folder, ec);
    if (ec)
        return std::nullopt;
    // In id order, so the last match is the mount on top.
    for (auto entry = entries_.rbegin(); entry != entries_.rend(); ++entry) {
        if (std::filesystem::path(entry->point) == wanted)
            return *entry;
    }
    return std::nullopt;
}

std::vector<MountChange> MountTable::changesTo(const MountTable& next) const {
    std::vector<MountChange> changes;
    std::vector<MountEntry> gone;
    std::set_difference(entries_.begin(), entries_.end(), next.entries_.begin(),
                        next.entries_.end(), std::back_inserter(gone), byId);
    for (MountEntry& entry : gone)
        changes.push_back({MountChange::Kind::Unmounted, std::move(entry)});
    std::vector<MountEntry> added;
    std::set_difference(next.entries_.begin(), next.entries_.end(), entries_.begin(),
                        entries_.end(), std::back_inserter(added), byId);
    for (MountEntry& entry : added)
        changes.push_back({MountChange::Kind::Mounted, std::move(entry)});
    return changes;
}

} // namespace common
