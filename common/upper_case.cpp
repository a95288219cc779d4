#include "common/upper_case.h"

#include <numeric>

namespace common {

namespace {

// Stands for a byte that does not begin a well-formed character.
constexpr char32_t NotUtf8 = 0xFFFFFFFF;

char32_t upperOf(char32_t c) {
    if (c == NotUtf8)
        return c;
    if (c < 0x80)
        return c >= 'a' && c <= 'z' ? c - 32 : c;
    return QChar::toUpper(c);
}

// One character of UTF-8 text: its code point and byte count; NotUtf8 and 1 for a byte that
// does not begin a well-formed character.
struct Utf8Char {
    char32_t code;
    std::size_t length;
};

Utf8Char charAt(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead < 0x80)
        return {lead, 1};
    const std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (length == 1 || lead >= 0xF8 || i + length > text.size())
        return {NotUtf8, 1};
    char32_t code = lead & (0x7F >> length);
    for (std::size_t k = 1; k < length; ++k) {
        const auto next = static_cast<unsigned char>(text[i + k]);
        if ((next & 0xC0) != 0x80)
            return {NotUtf8, 1};
        code = (code << 6) | (next & 0x3F);
    }
    return {code, length};
}

std::size_t encode(char32_t c, char* out) {
    if (c < 0x80) {
        out[0] = static_cast<char>(c);
        return 1;
    }
    if (c < 0x800) {
        out[0] = static_cast<char>(0xC0 | (c >> 6));
        out[1] = static_cast<char>(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        out[0] = static_cast<char>(0xE0 | (c >> 12));
        out[1] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out[2] = static_cast<char>(0x80 | (c & 0x3F));
        return 3;
    }
    out[0] = static_cast<char>(0xF0 | (c >> 18));
    out[1] = static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out[2] = static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out[3] = static_cast<char>(0x80 | (c & 0x3F));
    return 4;
}

} // namespace

QString UpperCase::of(const QString& text) {
    QString out = text;
    QChar* d = out.data();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t u = d[i].unicode();
        if (u < 0x80) {
            if (u >= 'a' && u <= 'z')
                d[i] = QChar(char16_t(u - 32));
        } else if (!QChar::isSurrogate(u)) {
            if (const char32_t up = QChar::toUpper(char32_t(u)); !QChar::requiresSurrogates(up))
                d[i] = QChar(char16_t(up));
        } else if (QChar::isHighSurrogate(u) && i + 1 < out.size() && d[i + 1].isLowSurrogate()) {
            const char32_t up = QChar::toUpper(QChar::surrogateToUcs4(d[i], d[i + 1]));
            if (QChar::requiresSurrogates(up)) {
                d[i] = QChar(QChar::highSurrogate(up));
                d[i + 1] = QChar(QChar::lowSurrogate(up));
            }
            ++i;
        }
    }
    return out;
}

bool UpperCase::into(std::string_view utf8, std::string& out, std::vector<std::uint32_t>& origins) {
    out.clear();
    origins.clear();
    out.reserve(utf8.size());
    bool shifted = false;
    for (std::size_t i = 0; i < utf8.size();) {
        const Utf8Char c = charAt(utf8, i);
        const char32_t up = upperOf(c.code);
        char bytes[4];
        const std::size_t length = up == c.code ? c.length : encode(up, bytes);
        if (length != c.length && !shifted) {
            shifted = true;
            origins.resize(out.size());
            std::iota(origins.begin(), origins.end(), 0u);
        }
        out.append(up == c.code ? utf8.data() + i : bytes, length);
        if (shifted)
            origins.insert(origins.end(), length, static_cast<std::uint32_t>(i));
        i += c.length;
    }
    if (shifted)
        origins.push_back(static_cast<std::uint32_t>(utf8.size()));
    return shifted;
}

std::string UpperCase::of(std::string_view utf8) {
    std::string out;
    std::vector<std::uint32_t> origins;
    into(utf8, out, origins);
    return out;
}

bool UpperCase::equal(const QString& a, const QString& b) {
    return a.size() == b.size() && of(a) == of(b);
}

} // namespace common
