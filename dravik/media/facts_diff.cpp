#include "dravik/media/facts_diff.h"

#include "common/disc_list_format.h"
#include "common/line_reader.h"

#include <algorithm>

namespace dravik::media {

FactsDiff::Sizes FactsDiff::fromFacts(const std::vector<FileFact>& files) {
    Sizes sizes;
    sizes.reserve(files.size());
    for (const auto& file : files)
        sizes.emplace(file.path, file.size);
    return sizes;
}

FactsDiff::Sizes FactsDiff::fromList(const std::filesystem::path& list) {
    Sizes sizes;
    for (const std::string& line : common::LineReader::readAll(list)) {
        if (common::DiscListFormat::isSummaryLine(line))
            continue;
        if (const auto fields = common::DiscListFormat::parseFileLine(line)) {
            std::string path(fields->folder);
            path += fields->name;
            sizes.emplace(std::move(path), UnknownSize);
        }
    }
    return sizes;
}

std::vector<FactsDiff::Change> FactsDiff::between(const Sizes& before, const Sizes& after) {
    std::vector<Change> changes;
    for (const auto& [path, size] : after) {
        const auto was = before.find(path);
        if (was == before.end())
            changes.push_back({Kind::Added, path, UnknownSize, size});
        else if (size != UnknownSize && was->second != UnknownSize && size != was->second)
            changes.push_back({Kind::Changed, path, was->second, size});
    }
    for (const auto& [path, size] : before) {
        if (!after.contains(path))
            changes.push_back({Kind::Removed, path, size, UnknownSize});
    }
    std::sort(changes.begin(), changes.end(),
              [](const Change& a, const Change& b) { return a.path < b.path; });
    return changes;
}

FactsDiff::Counts FactsDiff::count(const std::vector<Change>& changes) {
    Counts counts;
    for (const auto& change : changes) {
        switch (change.kind) {
        case Kind::Added:
            ++counts.added;
            break;
        case Kind::Removed:
            ++counts.removed;
            break;
        case Kind::Changed:
            ++counts.changed;
            break;
        }
    }
    return counts;
}

QString FactsDiff::summary(const Counts& counts, const std::string& since) {
    return QStringLiteral("%1 files added, %2 removed, %3 changed size since %4")
        .arg(counts.added)
        .arg(counts.removed)
        .arg(counts.changed)
        .arg(QString::fromStdString(since.substr(0, 10)));
}

} // namespace dravik::media
