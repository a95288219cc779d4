#include "common/name_resolver.h"

#include "common/code_page.h"
#include "common/file_descriptor.h"
#include "common/upper_case.h"
#include "common/wildcard.h"

#include <algorithm>
#include <sys/stat.h>

namespace common {

namespace {

// The name read by the text rule and upper-cased: what two names are compared by.
std::string comparable(std::string_view name) {
    return UpperCase::of(std::string_view(CodePage::lineToUtf8(name)));
}

} // namespace

bool NameResolver::sameName(std::string_view a, std::string_view b) {
    return comparable(a) == comparable(b);
}

std::filesystem::path NameResolver::resolve(const std::filesystem::path& folder,
                                            const std::string& name) {
    const std::filesystem::path exact = folder / name;
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0)
        return exact;
    const DirectoryStream dir = openDirectory(folder);
    if (!dir)
        return exact;
    const std::string wanted = comparable(name);
    const bool nameIsUtf8 = CodePage::isValidUtf8(name);
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view candidate(entry->d_name);
        // Names of the same code page and another length cannot match: skip them unread.
        const bool mayMatch =
            candidate.size() == name.size() || !nameIsUtf8 || !CodePage::isValidUtf8(candidate);
        if (mayMatch && comparable(candidate) == wanted)
            return folder / std::string(candidate);
    }
    return exact;
}

std::vector<NameResolver::ListedName>
NameResolver::filesMatching(const std::filesystem::path& folder, std::string_view patterns) {
    std::vector<ListedName> files;
    const DirectoryStream dir = openDirectory(folder);
    if (!dir)
        return files;
    while (const dirent* entry = ::readdir(dir.get())) {
        const std::string_view name(entry->d_name);
        if (!Wildcard::matchesAny(patterns, name))
            continue;
        struct stat st {};
        if (::fstatat(::dirfd(dir.get()), entry->d_name, &st, 0) != 0 || !S_ISREG(st.st_mode))
            continue;
        files.push_back({std::string(name), CodePage::decodeLine(name)});
    }
    std::sort(files.begin(), files.end(), [](const ListedName& a, const ListedName& b) {
        return a.shown.compare(b.shown, Qt::CaseInsensitive) < 0;
    });
    return files;
}

} // namespace common
