#include "common/wildcard.h"

#include <cctype>

namespace common {

namespace {

char fold(char c) {
    return static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
}

bool glob(std::string_view p, std::string_view n) {
    std::size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || fold(p[pi]) == fold(n[ni]))) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*')
        ++pi;
    return pi == p.size();
}

} // namespace

bool Wildcard::matches(std::string_view pattern, std::string_view name) {
    if (pattern.empty())
        return false;
    if (pattern == "*" || pattern == "*.*")
        return true;
    // "name." also matches "name": a trailing dot stands for "no extension".
    if (pattern.size() > 1 && pattern.back() == '.' && name.find('.') == std::string_view::npos)
        return glob(pattern.substr(0, pattern.size() - 1), name);
    // "*.txt" style patterns also match when the name has no dot only if the part after the
    // dot is all stars ("x.*" matches "x").
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos)
        return glob(pattern.substr(0, pattern.size() - 2), name);
    return glob(pattern, name);
}

bool Wildcard::matchesAny(std::string_view patterns, std::string_view name) {
    std::size_t start = 0;
    while (start <= patterns.size()) {
        std::size_t end = patterns.find(';', start);
        if (end == std::string_view::npos)
            end = patterns.size();
        std::string_view one = patterns.substr(start, end - start);
        while (!one.empty() && one.front() == ' ')
            one.remove_prefix(1);
        while (!one.empty() && one.back() == ' ')
            one.remove_suffix(1);
        if (matches(one, name))
            return true;
        start = end + 1;
    }
    return false;
}

} // namespace common
