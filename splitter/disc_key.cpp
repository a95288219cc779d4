#include "splitter/disc_key.h"

#include "common/code_page.h"
#include "common/upper_case.h"
#include "splitter/line_format.h"

namespace splitter {

namespace {
char asciiUpper(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
}
} // namespace

DiscKey::DiscKey(const QString& disc)
    : open_(" " + std::string(LineFormat::degree()) + "* "),
      close_(" *" + std::string(LineFormat::degree()) + " "), disc_(common::CodePage::encode(disc)),
      upper_(common::UpperCase::of(disc)), ascii_(common::CodePage::isAscii(disc_)) {}

bool DiscKey::in(std::string_view line) const {
    const std::size_t whole = open_.size() + disc_.size() + close_.size();
    for (std::size_t at = line.find(open_); at != std::string_view::npos;
         at = line.find(open_, at + 1)) {
        if (line.size() - at < whole)
            return false;
        const std::size_t name = at + open_.size();
        // Upper-casing keeps lengths, so a match is as long as the name.
        if (line.compare(name + disc_.size(), close_.size(), close_) == 0 &&
            sameDisc(line.substr(name, disc_.size())))
            return true;
    }
    return false;
}

bool DiscKey::sameDisc(std::string_view candidate) const {
    if (candidate == disc_)
        return true;
    if (ascii_ && common::CodePage::isAscii(candidate)) {
        for (std::size_t i = 0; i < candidate.size(); ++i) {
            if (asciiUpper(candidate[i]) != asciiUpper(disc_[i]))
                return false;
        }
        return true;
    }
    if (ascii_) // ASCII matches only ASCII when lengths are kept
        return false;
    return common::UpperCase::of(common::CodePage::decodeLine(candidate)) == upper_;
}

} // namespace splitter
