#include "common/large_pages.h"

#include <QProcessEnvironment>

#include <cstdlib>
#include <cstring>
#include <string>
#include <unistd.h>

namespace common {

namespace {
constexpr const char* Setting = "glibc.malloc.hugetlb=1";
constexpr const char* Tunables = "GLIBC_TUNABLES";
constexpr const char* Marker = "DRAVIK_LARGE_PAGES";
// The marker's values say what was changed; any other value is the user's own.
constexpr const char* TunablesSet = "tunables-set";
constexpr const char* TunablesAppended = "tunables-appended";
constexpr const char* TunablesKept = "tunables-kept";
} // namespace

LargePages::Restart LargePages::prepareEnvironment() {
    if (std::getenv(Marker))
        return Restart::NotNeeded; // already started again once, or the user said so: never loop
    const char* tunables = std::getenv(Tunables);
    if (tunables && std::strstr(tunables, "glibc.malloc.hugetlb")) {
        setenv(Marker, TunablesKept, 1);
        return Restart::NotNeeded;
    }
    const bool append = tunables && *tunables;
    const std::string value = append ? std::string(tunables) + ":" + Setting : std::string(Setting);
    setenv(Marker, append ? TunablesAppended : TunablesSet, 1);
    setenv(Tunables, value.c_str(), 1);
    return Restart::Needed;
}

void LargePages::preferInMalloc(char** argv) {
    if (prepareEnvironment() == Restart::Needed)
        ::execv("/proc/self/exe", argv);
    // Not started again: go on as we are.
}

void LargePages::restoreUserValues(QProcessEnvironment& environment) {
    const QString marker = environment.value(QString::fromLatin1(Marker));
    if (marker != QLatin1String(TunablesSet) && marker != QLatin1String(TunablesAppended) &&
        marker != QLatin1String(TunablesKept))
        return; // the user's own marker: nothing here is ours
    environment.remove(QString::fromLatin1(Marker));
    const QString tunables = environment.value(QString::fromLatin1(Tunables));
    const QString added = QLatin1Char(':') + QString::fromLatin1(Setting);
    if (marker == QLatin1String(TunablesSet) && tunables == QLatin1String(Setting))
        environment.remove(QString::fromLatin1(Tunables));
    else if (marker == QLatin1String(TunablesAppended) && tunables.endsWith(added))
        environment.insert(QString::fromLatin1(Tunables), tunables.chopped(added.size()));
}

} // namespace common
