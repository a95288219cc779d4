#include "common/name_resolver.h"

#include "common/upper_case.h"

#include <dirent.h>
#include <sys/stat.h>

namespace common {

bool NameResolver::sameName(const std::string& a, const std::string& b) {
    if (a.size() != b.size())
        return false;
    return UpperCase::of(std::string_view(a)) == UpperCase::of(std::string_view(b));
}

std::filesystem::path NameResolver::resolve(const std::filesystem::path& folder,
                                            const std::string& name) {
    const std::filesystem::path exact = folder / name;
    struct stat st {};
    if (::lstat(exact.c_str(), &st) == 0)
        return exact;
    DIR* dir = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!dir)
        return exact;
    const std::string wanted = UpperCase::of(std::string_view(name));
    std::filesystem::path found = exact;
    while (const dirent* entry = ::readdir(dir)) {
        const std::string_view candidate(entry->d_name);
        if (candidate.size() == name.size() && UpperCase::of(candidate) == wanted) {
            found = folder / std::string(candidate);
            break;
        }
    }
    ::closedir(dir);
    return found;
}

} // namespace common
