#include "dravik/search/line_matcher.h"

#include "common/code_page.h"
#include "common/upper_case.h"

#include <QByteArray>

namespace dravik::search {

namespace {

std::string utf8Of(const QString& text) {
    const QByteArray bytes = text.toUtf8();
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

// The line with its ASCII letters upper-cased, in one pass; false when it holds other bytes
// than ASCII, which the pass leaves as they are.
bool upperAsciiInto(std::string& out, std::string_view line) {
    out.resize(line.size());
    unsigned char high = 0;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const auto c = static_cast<unsigned char>(line[i]);
        high |= c;
        out[i] = static_cast<char>(c - (static_cast<unsigned>(c - 'a') < 26u ? 32 : 0));
    }
    return high < 0x80;
}

} // namespace

LineMatcher::LineMatcher(const QStringList& words, SearchOptions options) : options_(options) {
    for (const QString& text : words) {
        Word word;
        word.exact = utf8Of(text);
        word.upper = common::UpperCase::of(std::string_view(word.exact));
        words_.push_back(std::move(word));
    }
    if (words_.size() >= ManyWords)
        automaton_.emplace(upperWords());
}

std::vector<std::string> LineMatcher::upperWords() const {
    std::vector<std::string> out;
    for (const Word& word : words_)
        out.push_back(word.upper);
    return out;
}

void LineMatcher::read(std::string_view line) {
    if (upperAsciiInto(upper_, line)) {
        text_ = line;
        shifted_ = false;
        return;
    }
    if (common::CodePage::isValidUtf8(line)) {
        text_ = line;
    } else {
        decoded_ = utf8Of(common::CodePage::fromWindows1252(line));
        text_ = decoded_;
    }
    shifted_ = common::UpperCase::into(text_, upper_, origins_);
}

std::size_t LineMatcher::originOf(std::size_t upperAt) const {
    return shifted_ ? origins_[upperAt] : upperAt;
}

bool LineMatcher::isBoundary(char c) {
    return Boundaries.find(c) != std::string_view::npos;
}

// The tests after the word's first occurrence at `at` of the upper-cased line.
std::optional<LineMatcher::Match> LineMatcher::test(std::size_t word, std::size_t at) const {
    const Word& w = words_[word];
    const std::size_t from = originOf(at);
    const std::size_t to = originOf(at + w.upper.size());
    if (options_.caseRule == CaseRule::ExactCase && text_.substr(from, to - from) != w.exact)
        return std::nullopt;
    if (options_.wordRule == WordRule::WholeWord && ((from > 0 && !isBoundary(text_[from - 1])) ||
                                                     (to < text_.size() && !isBoundary(text_[to]))))
        return std::nullopt;
    const std::string_view upper(upper_);
    if (options_.rowRule == RowRule::EachLine)
        return Match{upper, static_cast<int>(word)};
    // The file-name part: everything after the last backslash.
    const std::size_t slash = upper.rfind('\\');
    const std::size_t name = slash == std::string_view::npos ? 0 : slash + 1;
    if (upper.find(w.upper, name) == std::string_view::npos)
        return std::nullopt;
    return Match{upper.substr(name), static_cast<int>(word)};
}

std::optional<LineMatcher::Match> LineMatcher::matchEach() const {
    for (std::size_t i = 0; i < words_.size(); ++i) {
        // Only the first occurrence is examined, as the options say.
        const std::size_t at = std::string_view(upper_).find(words_[i].upper);
        if (at == std::string_view::npos)
            continue;
        if (auto match = test(i, at))
            return match;
    }
    return std::nullopt;
}

std::optional<LineMatcher::Match> LineMatcher::matchAll() {
    automaton_->firstOccurrences(upper_, found_);
    for (const WordAutomaton::Occurrence& occurrence : found_) {
        if (auto match = test(occurrence.word, occurrence.at))
            return match;
    }
    return std::nullopt;
}

std::optional<LineMatcher::Match> LineMatcher::match(std::string_view line) {
    read(line);
    return automaton_ ? matchAll() : matchEach();
}

} // namespace dravik::search
