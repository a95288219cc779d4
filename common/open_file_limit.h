#pragma once

#include <cstddef>

namespace common {

// The process's limit on open files. A program that keeps hundreds of files open (the splitter's
// extension files) raises its soft limit as far as the hard limit allows and sizes its tables by
// what is left.
namespace OpenFileLimit {

// Raises the soft limit to the hard limit; returns the soft limit in force afterwards.
std::size_t raiseToHard();
// The soft limit in force.
std::size_t soft();
// How many descriptors the process holds now.
std::size_t inUse();

} // namespace OpenFileLimit

} // namespace common
