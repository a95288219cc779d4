#include "common/disc_list_format.h"

#include "common/code_page.h"
#include "common/number_format.h"

#include <algorithm>

namespace common::DiscListFormat {

namespace {

// CR and LF would end the line, a quote the field, and a backslash would read as a folder
// separator.
bool breaksTheFields(char c) {
    return c == '\r' || c == '\n' || c == '"' || c == '\\';
}

} // namespace

std::string_view cleanName(std::string_view name, std::string& scratch) {
    bool plain = true;
    for (const char c : name) {
        if (breaksTheFields(c) || static_cast<unsigned char>(c) >= 0x80) {
            plain = false;
            break;
        }
    }
    if (plain)
        return name;
    std::string_view text = CodePage::inSystem(name, scratch);
    if (std::none_of(text.begin(), text.end(), breaksTheFields))
        return text;
    if (text.data() != scratch.data())
        scratch.assign(text);
    std::replace_if(scratch.begin(), scratch.end(), breaksTheFields, '?');
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
