#include "common/program_version.h"

#include <cstdio>
#include <cstring>

namespace common {

std::string_view ProgramVersion::text() {
    return DRAVIK_VERSION;
}

ProgramVersion::Asked ProgramVersion::printWhenAsked(int argc, const char* const* argv,
                                                     std::string_view program) {
    if (argc != 2 || std::strcmp(argv[1], "--version") != 0)
        return Asked::No;
    std::printf("%.*s %.*s\n", int(program.size()), program.data(), int(text().size()),
                text().data());
    return Asked::Yes;
}

} // namespace common
