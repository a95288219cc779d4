#include "dravik/media/facts_collector.h"

#include "common/disc_list_format.h"

namespace dravik::media {

void FactsCollector::fileListed(std::string_view folder, std::string_view name,
                                const walker::FileStat& stat) {
    const std::size_t at = paths_.size();
    paths_ += folder;
    paths_ += common::DiscListFormat::cleanName(name, scratch_);
    entries_.push_back({at, paths_.size() - at, stat});
    bytes_ += stat.size;
}

} // namespace dravik::media
