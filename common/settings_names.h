#pragma once

#include <QLatin1String>

namespace common {

// The application names of the settings store. The store folds them to lower case for its file
// names and compares them without regard to case, so the main program's two spellings are one
// place.
namespace SettingsNames {

// The main program: data path, temporary drives, drive table, change notice.
inline constexpr QLatin1String Main("DRAVIK 2016");
// The same settings as the main program spells them where it stores the data path.
inline constexpr QLatin1String MainMixedCase("Dravik 2016");
// One section per disc, key "Size".
inline constexpr QLatin1String DiscSizes("Dravik");
// The splitter's data path and busy marker.
inline constexpr QLatin1String Splitter("Shard13");

} // namespace SettingsNames

} // namespace common
