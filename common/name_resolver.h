#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace common {

// File names in the data and program folders are matched without regard to letter case: "DK.tex",
// "dk.tex" and "DK.Tex" name one file. Names are read by the text rule (UTF-8 when valid, else
// windows-1252), so a file copied from an old Windows disc ("D\xe9mo.rtf") is found for the name
// the catalogue knows it by ("Démo.rtf"). This is the one place that compares file names.
namespace NameResolver {

// The existing entry of `folder` whose name equals `name` without regard to case (an exact
// match first), as the directory listing spells it; when there is none, folder / name as given.
[[nodiscard]] std::filesystem::path resolve(const std::filesystem::path& folder,
                                            const std::string& name);
[[nodiscard]] bool sameName(std::string_view a, std::string_view b);

// A file's name as the directory listing gives it, to open it by, and as it is shown.
struct ListedName {
    std::string bytes;
    QString shown;
};
// The regular files of `folder` that match any of the patterns ("*.rtf", "*.exe;*.com"), sorted
// by the shown name without regard to case.
std::vector<ListedName> filesMatching(const std::filesystem::path& folder,
                                      std::string_view patterns);

} // namespace NameResolver

} // namespace common
