#include "splitter/line_format.h"

#include "common/code_page.h"

namespace splitter {

namespace {
std::string_view trimBlanks(std::string_view text) {
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

// Characters, not bytes, decide whether a folder keeps its drive: count them in the code page.
std::size_t characters(std::string_view bytes, bool utf8) {
    if (!utf8)
        return bytes.size();
    std::size_t n = 0;
    for (const char c : bytes)
        n += (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    return n;
}

std::size_t prefixBytes(std::string_view bytes, std::size_t chars, bool utf8) {
    if (!utf8)
        return chars;
    std::size_t i = 0;
    while (chars > 0 && i < bytes.size()) {
        ++i;
        while (i < bytes.size() && (static_cast<unsigned char>(bytes[i]) & 0xC0) == 0x80)
            ++i;
        --chars;
    }
    return i;
}
} // namespace

std::string_view LineFormat::degree() {
    return common::CodePage::system() == common::CodePage::Kind::Utf8 ? "\xC2\xB0" : "\xB0";
}

std::string LineFormat::discKey(std::string_view disc) {
    std::string key = " ";
    key += degree();
    key += "* ";
    key += disc;
    key += " *";
    key += degree();
    key += ' ';
    return key;
}

LineFormat::LineFormat(std::string_view disc) {
    afterName_ = std::string(" ") + std::string(degree()) + " ";
    aroundDisc_ = discKey(disc);
    beforeStamp_ = afterName_;
}

void LineFormat::append(const Record& record, std::string& out) const {
    const bool utf8 = common::CodePage::system() == common::CodePage::Kind::Utf8;
    const std::string_view stamp = trimBlanks(record.stamp);
    std::size_t m = 0;
    while (m < stamp.size() && stamp[m] != 'M' && stamp[m] != 'm')
        ++m;
    const std::string_view dateTime =
        m < stamp.size() ? stamp.substr(0, m + 1) : std::string_view{};
    const std::string_view sizePart = m < stamp.size() ? stamp.substr(m + 1) : stamp;

    out += record.name;
    out += afterName_;
    // The size is laid out after its blanks, which depend on its length: write it, then put the
    // blanks in front of it.
    const std::size_t sizeAt = out.size();
    const std::size_t chars = size_.append(SizeText::read(sizePart), out);
    if (chars < SizeWidth)
        out.insert(sizeAt, SizeWidth - chars, ' ');
    out += aroundDisc_;
    if (record.folder.empty())
        out += "--empty--";
    else if (characters(record.folder, utf8) >= 4)
        out += record.folder.substr(prefixBytes(record.folder, 2, utf8));
    else
        out += record.folder;
    out += beforeStamp_;
    out += dateTime;
    out += "\r\n";
}

} // namespace splitter
