#include "dravik/search/line_matcher.h"

#include "common/code_page.h"
#include "common/upper_case.h"

#include <QByteArray>

#include <array>
#include <cstdint>
#include <cstring>

namespace dravik::search {

namespace {

// windows-1252 upper-cased byte by byte; a character whose upper case the code page cannot hold
// stays as it is.
std::array<unsigned char, 256> makeUpper1252() {
    std::array<unsigned char, 256> table{};
    for (int b = 0; b < 256; ++b) {
        table[b] = static_cast<unsigned char>(b);
        if (b >= 'a' && b <= 'z') {
            table[b] = static_cast<unsigned char>(b - 32);
        } else if (b >= 0x80) {
            const char byte = static_cast<char>(b);
            const QString upper = common::UpperCase::of(
                common::CodePage::fromWindows1252(std::string_view(&byte, 1)));
            const std::string back = common::CodePage::toWindows1252(upper);
            if (back.size() == 1 && common::CodePage::fromWindows1252(back) == upper)
                table[b] = static_cast<unsigned char>(back[0]);
        }
    }
    return table;
}

const std::array<unsigned char, 256>& upper1252() {
    static const auto table = makeUpper1252();
    return table;
}

bool isAscii(std::string_view bytes) {
    std::size_t i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, bytes.data() + i, 8);
        if (chunk & 0x8080808080808080ull)
            return false;
    }
    for (; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80)
            return false;
    }
    return true;
}

void upper1252Into(std::string& out, std::string_view bytes) {
    out.resize(bytes.size());
    const auto& table = upper1252();
    for (std::size_t i = 0; i < bytes.size(); ++i)
        out[i] = static_cast<char>(table[static_cast<unsigned char>(bytes[i])]);
}

std::string utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

} // namespace

LineMatcher::LineMatcher(const QStringList& words, SearchOptions options) : options_(options) {
    for (const QString& text : words) {
        Word word;
        word.exactUtf8 = utf8Of(text);
        word.upperUtf8 = common::UpperCase::of(std::string_view(word.exactUtf8));
        std::string exact1252 = common::CodePage::toWindows1252(text);
        if (common::CodePage::fromWindows1252(exact1252) == text) {
            std::string upper;
            upper1252Into(upper, exact1252);
            word.exact1252 = std::move(exact1252);
            word.upper1252 = std::move(upper);
        }
        words_.push_back(std::move(word));
    }
}

std::vector<std::string> LineMatcher::upperWords() const {
    std::vector<std::string> out;
    for (const Word& word : words_)
        out.push_back(word.upperUtf8);
    return out;
}

LineMatcher::Code LineMatcher::codeOf(std::string_view line) {
    if (isAscii(line))
        return Code::Ascii;
    return common::CodePage::isValidUtf8(line) ? Code::Utf8 : Code::Windows1252;
}

void LineMatcher::upperCase(std::string_view line, Code code) {
    if (code == Code::Utf8) {
        upper_.assign(line);
        common::UpperCase::inPlace(upper_);
        return;
    }
    // ASCII lines take the same table: it leaves bytes above 0x7F alone only for those.
    upper1252Into(upper_, line);
}

std::string_view LineMatcher::keyOf(std::size_t from, Code code) {
    const std::string_view part = std::string_view(upper_).substr(from);
    if (code != Code::Windows1252)
        return part;
    // The same text read from a windows-1252 list and from a UTF-8 list is the same result.
    key_ = utf8Of(common::CodePage::fromWindows1252(part));
    return key_;
}

bool LineMatcher::isBoundary(char c) {
    return Boundaries.find(c) != std::string_view::npos;
}

std::optional<LineMatcher::Match> LineMatcher::match(std::string_view line) {
    const Code code = codeOf(line);
    upperCase(line, code);
    const std::string_view upper(upper_);
    for (std::size_t i = 0; i < words_.size(); ++i) {
        const Word& word = words_[i];
        const bool in1252 = code == Code::Windows1252;
        if (in1252 && !word.upper1252)
            continue;
        const std::string& needle = in1252 ? *word.upper1252 : word.upperUtf8;
        // Only the first occurrence is examined, as the options say.
        const std::size_t p = upper.find(needle);
        if (p == std::string_view::npos)
            continue;
        const std::size_t end = p + needle.size();
        if (options_.caseRule == CaseRule::ExactCase &&
            line.substr(p, needle.size()) != (in1252 ? *word.exact1252 : word.exactUtf8))
            continue;
        if (options_.wordRule == WordRule::WholeWord &&
            ((p > 0 && !isBoundary(line[p - 1])) || (end < line.size() && !isBoundary(line[end]))))
            continue;
        if (options_.rowRule == RowRule::EachLine)
            return Match{keyOf(0, code), static_cast<int>(i)};
        // The file-name part: everything after the last backslash.
        const std::size_t slash = line.rfind('\\');
        const std::size_t name = slash == std::string_view::npos ? 0 : slash + 1;
        if (upper.substr(name).find(needle) == std::string_view::npos)
            continue;
        return Match{keyOf(name, code), static_cast<int>(i)};
    }
    return std::nullopt;
}

} // namespace dravik::search
