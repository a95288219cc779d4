#include "common/item_reader.h"

#include "common/text_limit.h"

namespace common {

namespace {
bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Takes one item from `rest`; `moreOnLine` tells whether a comma left another one.
void take(std::string_view& rest, bool& moreOnLine, std::string_view& item) {
    std::size_t i = 0;
    while (i < rest.size() && isBlank(rest[i]))
        ++i;
    if (i < rest.size() && rest[i] == '"') {
        const std::size_t close = rest.find('"', i + 1);
        if (close == std::string_view::npos) {
            item = rest.substr(i + 1);
            rest = {};
            moreOnLine = false;
            return;
        }
        item = rest.substr(i + 1, close - i - 1);
        const std::size_t comma = rest.find(',', close + 1);
        moreOnLine = comma != std::string_view::npos;
        rest = moreOnLine ? rest.substr(comma + 1) : std::string_view{};
        return;
    }
    const std::size_t comma = rest.find(',', i);
    std::size_t end = comma == std::string_view::npos ? rest.size() : comma;
    std::size_t last = end;
    while (last > i && isBlank(rest[last - 1]))
        --last;
    item = rest.substr(i, last - i);
    moreOnLine = comma != std::string_view::npos;
    rest = moreOnLine ? rest.substr(comma + 1) : std::string_view{};
}

} // namespace

ItemReader::ItemReader(const std::filesystem::path& path) : lines_(path) {}

ItemReader::ItemReader(const std::filesystem::path& path, const TextLimit& limit)
    : lines_(path, limit), path_(path), maxItems_(limit.maxItems) {}

bool ItemReader::next(std::string_view& item) {
    if (!moreOnLine_) {
        if (!lines_.next(rest_))
            return false;
    }
    take(rest_, moreOnLine_, item);
    if (++items_ > maxItems_)
        TextLimit::refuseItems(path_, maxItems_);
    return true;
}

std::vector<std::string_view> ItemReader::split(std::string_view line) {
    std::vector<std::string_view> items;
    std::string_view item;
    bool more = true;
    while (more) {
        take(line, more, item);
        items.push_back(item);
    }
    return items;
}

std::vector<std::string> ItemReader::readAll(const std::filesystem::path& path) {
    ItemReader reader(path);
    std::vector<std::string> items;
    std::string_view item;
    while (reader.next(item))
        items.emplace_back(item);
    return items;
}

} // namespace common
