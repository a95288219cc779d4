#include "dravik/media/mount_table.h"

#include <fstream>
#include <vector>

namespace dravik::media {

namespace {

std::vector<std::string_view> fields(std::string_view line) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < line.size()) {
        const std::size_t end = std::min(line.find(' ', at), line.size());
        if (end > at)
            out.push_back(line.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

bool isOctal(char c) {
    return c >= '0' && c <= '7';
}

} // namespace

std::string MountTable::unescaped(std::string_view field) {
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

// "36 35 98:0 /mnt1 /mnt2 rw,noatime master:1 - ext3 /dev/root rw,errors=continue": optional
// fields end at the lone "-"; type and source follow it.
std::optional<Mount> MountTable::parse(std::string_view line) {
    const auto parts = fields(line);
    if (parts.size() < 7)
        return std::nullopt;
    std::size_t dash = 6;
    while (dash < parts.size() && parts[dash] != "-")
        ++dash;
    if (dash + 2 >= parts.size())
        return std::nullopt;
    return Mount{unescaped(parts[4]), unescaped(parts[dash + 1]), unescaped(parts[dash + 2])};
}

std::optional<Mount> MountTable::mountedAt(const std::filesystem::path& folder,
                                           const std::filesystem::path& table) {
    std::error_code ec;
    const auto wanted = std::filesystem::canonical(folder, ec);
    if (ec)
        return std::nullopt;
    std::ifstream in(table);
    std::optional<Mount> found;
    for (std::string line; std::getline(in, line);) {
        auto mount = parse(line);
        if (mount && std::filesystem::path(mount->point) == wanted)
            found = std::move(mount);
    }
    return found;
}

} // namespace dravik::media
