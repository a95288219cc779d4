#pragma once

#include <QString>

#include <filesystem>

// The help shown in the association panel, "AssHP.rtf" in the program folder: the program puts
// its own text there when the file is missing, and the user may replace it.
namespace dravik::launch::AssociationHelp {

// Writes the help into the program folder when no file of that name is there.
void installWhenMissing(const std::filesystem::path& programFolder);
// The help as rich text, or an empty text when the file is missing or cannot be read.
QString load(const std::filesystem::path& programFolder);
// The text the program ships.
QString shipped();

} // namespace dravik::launch::AssociationHelp
