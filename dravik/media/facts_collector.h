#pragma once

#include "dravik/media/medium_facts.h"
#include "dravik/walker/walk_observer.h"

#include <string>
#include <vector>

namespace dravik::media {

// Keeps what the walk tells of each listed file, the paths packed in one buffer so a large
// medium costs no allocation per file.
class FactsCollector : public walker::WalkObserver {
public:
    struct Entry {
        std::size_t at;
        std::size_t length;
        walker::FileStat stat;
    };

    void fileListed(std::string_view folder, std::string_view name,
                    const walker::FileStat& stat) override;

    const std::vector<Entry>& entries() const { return entries_; }
    std::string_view path(const Entry& entry) const {
        return std::string_view(paths_).substr(entry.at, entry.length);
    }
    std::int64_t bytes() const { return bytes_; }

private:
    std::string paths_;
    std::vector<Entry> entries_;
    std::string scratch_;
    std::int64_t bytes_ = 0;
};

} // namespace dravik::media
