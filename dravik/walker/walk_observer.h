#pragma once

#include <cstdint>
#include <string_view>

namespace dravik::walker {

// What the file system says of one listed file.
struct FileStat {
    std::int64_t size = 0;
    std::int64_t modifiedNs = 0; // modification time, nanoseconds since 1970 (UTC)
};

// Told of every file the walk lists, with its size and time read relative to the folder already
// open for the listing. A walk without an observer reads neither.
class WalkObserver {
public:
    virtual ~WalkObserver() = default;
    // `folder` in list form ("E:\Photos\"), `name` as the folder's listing gave it (not cleaned).
    virtual void fileListed(std::string_view folder, std::string_view name,
                            const FileStat& stat) = 0;
};

} // namespace dravik::walker
