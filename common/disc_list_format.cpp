#include "common/disc_list_format.h"

#include "common/code_page.h"
#include "common/number_format.h"

namespace common::DiscListFormat {

namespace {

bool breaksTheLine(char c) {
    return c == '\r' || c == '\n';
}

} // namespace

std::string_view cleanName(std::string_view name, std::string& scratch) {
    const char* p = name.data();
    const char* end = p + name.size();
    while (p != end && !breaksTheLine(*p))
        ++p;
    if (p == end)
        return name;
    scratch.assign(name);
    for (char& c : scratch) {
        if (breaksTheLine(c))
            c = '?';
    }
    return scratch;
}

std::string summaryLine(long long files, long long folders) {
    return CodePage::encode(NumberFormat::hashes(files) +
                            " files : " + NumberFormat::hashes(folders) + " folders");
}

bool isSummaryLine(std::string_view line) {
    constexpr std::string_view files = " files : ";
    constexpr std::string_view folders = " folders";
    return !line.empty() && line.front() != '"' && line.find(files) != std::string_view::npos &&
           line.ends_with(folders);
}

std::optional<FileLine> parseFileLine(std::string_view line) {
    if (line.size() < 2 || line.front() != '"' || line.back() != '"')
        return std::nullopt;
    const std::string_view inner = line.substr(1, line.size() - 2);
    const std::size_t joint = inner.find("\\\",\"");
    if (joint == std::string_view::npos)
        return std::nullopt;
    return FileLine{inner.substr(0, joint + 1), inner.substr(joint + 4)};
}

bool startsWithDrive(std::string_view folder) {
    if (folder.size() < 3 || folder[1] != ':' || folder[2] != '\\')
        return false;
    const char c = folder[0];
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace common::DiscListFormat
