#pragma once

namespace common {

// Touching fresh memory is slow page by page; lists of a whole disc take tens of megabytes at
// once. With glibc's malloc asking for transparent huge pages, opening such a list costs half.
// The setting is read when a process starts, so the program starts itself again with it once.
namespace LargePages {

// Call first thing in main(). Returns only when the process already has the setting, or
// when starting again failed (then the program simply goes on without it).
void preferInMalloc(char** argv);

} // namespace LargePages

} // namespace common
