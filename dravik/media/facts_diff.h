#pragma once

#include "dravik/media/medium_facts.h"

#include <QString>

#include <cstdint>
#include <filesystem>
#include <string>
#include <unordered_map>
#include <vector>

namespace dravik::media {

// What changed between two versions of a disc's list: files added, removed, and files whose size
// changed (known only when both versions have facts).
class FactsDiff {
public:
    static constexpr std::int64_t UnknownSize = -1;
    // Each file's path as the list spells it, with its size.
    using Sizes = std::unordered_map<std::string, std::int64_t>;

    enum class Kind { Added, Removed, Changed };
    struct Change {
        Kind kind;
        std::string path;
        std::int64_t before = UnknownSize;
        std::int64_t after = UnknownSize;
    };
    struct Counts {
        long long added = 0;
        long long removed = 0;
        long long changed = 0;
    };

    static Sizes fromFacts(const std::vector<FileFact>& files);
    // A list without facts: its files, sizes unknown. Throws common::Error when it cannot be read.
    static Sizes fromList(const std::filesystem::path& list);

    // The changes, ordered by path.
    static std::vector<Change> between(const Sizes& before, const Sizes& after);
    static Counts count(const std::vector<Change>& changes);
    // "12 files added, 3 removed, 2 changed size since 2026-03-01"; `since` is the earlier
    // version's catalogue time, of which the date is shown.
    static QString summary(const Counts& counts, const std::string& since);
};

} // namespace dravik::media
