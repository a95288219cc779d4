#pragma once

#include <QString>

#include <filesystem>

namespace common {

// Folder paths that file names are appended to end in a separator, so "data/" + "DK.tex" is a
// file of the folder. An empty path stays empty: the current folder, never the root.
namespace FolderPath {

std::filesystem::path withSeparator(const std::filesystem::path& folder);
QString withSeparator(const QString& folder);

} // namespace FolderPath

} // namespace common
