#pragma once

#include <filesystem>
#include <string>

namespace common {

// File names in the data and program folders are matched without regard to letter case: "DK.tex",
// "dk.tex" and "DK.Tex" name one file. This is the one place that compares file names.
namespace NameResolver {

// The existing entry of `folder` whose name equals `name` without regard to case (an exact
// match first); when there is none, folder / name as given.
std::filesystem::path resolve(const std::filesystem::path& folder, const std::string& name);
bool sameName(const std::string& a, const std::string& b);

} // namespace NameResolver

} // namespace common
