#include "common/large_pages.h"

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace common {

namespace {
constexpr const char* Setting = "glibc.malloc.hugetlb=1";
constexpr const char* Marker = "DRAVIK_LARGE_PAGES";
} // namespace

void LargePages::preferInMalloc(char** argv) {
    if (std::getenv(Marker))
        return; // already started again once: never loop
    setenv(Marker, "1", 1);
    const char* tunables = std::getenv("GLIBC_TUNABLES");
    if (tunables && std::strstr(tunables, "glibc.malloc.hugetlb"))
        return;
    const std::string value =
        tunables && *tunables ? std::string(tunables) + ":" + Setting : std::string(Setting);
    setenv("GLIBC_TUNABLES", value.c_str(), 1);
    ::execv("/proc/self/exe", argv);
    // Not started again: go on as we are.
}

} // namespace common
