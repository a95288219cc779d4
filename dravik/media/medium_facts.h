#pragma once

#include "dravik/media/volume_probe.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace dravik::media {

// What a cataloguing found on a medium, beside the list it wrote.
struct MediumFacts {
    VolumeFacts volume;
    std::string cataloguedAt; // UTC, "2026-03-01T14:05:09Z"
    std::int64_t files = 0;
    std::int64_t folders = 0;
    std::int64_t bytes = 0; // total of the files' sizes
};

// One file's facts: its path as the list spells it ("E:\Photos\a.jpg"), size and time.
struct FileFact {
    std::string path;
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0;
};

// "2026-03-01T14:05:09Z" for now.
std::string utcNow();

} // namespace dravik::media
