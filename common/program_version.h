#pragma once

#include <string_view>

namespace common {

// The version every program of the build reports with --version.
namespace ProgramVersion {

std::string_view text();

enum class Asked { No, Yes };
// When the only argument is --version, prints "<program> <version>" on standard output: the
// caller then ends with status 0 before opening any window.
Asked printWhenAsked(int argc, const char* const* argv, std::string_view program);

} // namespace ProgramVersion

} // namespace common
