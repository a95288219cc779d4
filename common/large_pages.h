#pragma once

class QProcessEnvironment;

namespace common {

// Touching fresh memory is slow page by page; lists of a whole disc take tens of megabytes at
// once. With glibc's malloc asking for transparent huge pages, opening such a list costs half.
// The setting is read when a process starts, so the program starts itself again with it once.
// The setting is this program's own tuning: programs it starts get the user's values back.
namespace LargePages {

// Call first thing in main(). Returns only when the process already has the setting, or
// when starting again failed (then the program simply goes on without it).
void preferInMalloc(char** argv);

// The environment part of preferInMalloc(): sets the variables and says whether the process
// must start again to get them. The marker it leaves records what it changed.
enum class Restart { Needed, NotNeeded };
Restart prepareEnvironment();

// Puts back in `environment` the values the user had before prepareEnvironment() changed
// them. Values the user set before this program started stay as they are.
void restoreUserValues(QProcessEnvironment& environment);

} // namespace LargePages

} // namespace common
