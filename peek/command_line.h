#pragma once

#include <string>

namespace peek {

// The path to show is everything after the program name. Dravik passes it as one argument; a
// person typing `peek /path with blanks/list.rtf` in a shell passes several, joined again here
// with single blanks, so a path with blanks needs no quotes either way.
namespace CommandLine {

// The path as bytes, the way the file system names it; empty when nothing was given.
std::string path(int argc, const char* const* argv);

} // namespace CommandLine

} // namespace peek
