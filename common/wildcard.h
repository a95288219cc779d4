#pragma once

#include <string_view>

namespace common {

// File-name patterns as Windows matches them: "*" any run of characters, "?" one character,
// letters without regard to case, "*.*" every name with or without a dot, and a pattern ending in
// "." (such as "*.") names without an extension.
namespace Wildcard {

bool matches(std::string_view pattern, std::string_view name);
// "*.exe;*.com;*.bat": true when any of the patterns matches.
bool matchesAny(std::string_view patterns, std::string_view name);

} // namespace Wildcard

} // namespace common
