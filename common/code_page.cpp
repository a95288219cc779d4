#include "common/code_page.h"

#include <QByteArray>

#include <algorithm>
#include <clocale>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <langinfo.h>
#include <optional>
#include <strings.h>

namespace common {

namespace {

// windows-1252 differs from Latin-1 only in 0x80..0x9F; 0 marks the five unassigned bytes, which
// are taken as the C1 control of the same value, as Windows does.
constexpr char16_t Cp1252High[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

std::optional<CodePage::Kind> chosen;

// The windows-1252 byte of a UTF-16 unit, when the code page has one.
std::optional<char> windows1252Byte(char16_t u) {
    if (u < 0x80 || (u >= 0xA0 && u <= 0xFF))
        return static_cast<char>(u);
    for (int k = 0; k < 32; ++k) {
        if (Cp1252High[k] == u || (Cp1252High[k] == 0 && u == 0x80 + k))
            return static_cast<char>(0x80 + k);
    }
    return std::nullopt;
}

CodePage::Kind detect() {
    if (const char* env = std::getenv("DRAVIK_CODEPAGE")) {
        if (std::strcmp(env, "1252") == 0)
            return CodePage::Kind::Windows1252;
        if (std::strcmp(env, "65001") == 0 || strcasecmp(env, "utf-8") == 0)
            return CodePage::Kind::Utf8;
    }
    // The locale's character set, without changing the program's own locale for long.
    const char* before = std::setlocale(LC_CTYPE, nullptr);
    const std::string saved = before ? before : "C";
    std::setlocale(LC_CTYPE, "");
    const std::string codeset = nl_langinfo(CODESET);
    std::setlocale(LC_CTYPE, saved.c_str());
    for (const char* latin : {"ISO-8859-1", "ISO-8859-15", "CP1252", "WINDOWS-1252"}) {
        if (strcasecmp(codeset.c_str(), latin) == 0)
            return CodePage::Kind::Windows1252;
    }
    return CodePage::Kind::Utf8;
}

} // namespace

CodePage::Kind CodePage::system() {
    if (!chosen)
        chosen = detect();
    return *chosen;
}

void CodePage::setSystem(Kind kind) {
    chosen = kind;
}

bool CodePage::isValidUtf8(std::string_view bytes) {
    const auto* s = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t i = 0;
    while (i < n) {
        // ASCII fast path, eight bytes at a time.
        while (i + 8 <= n) {
            std::uint64_t chunk;
            std::memcpy(&chunk, s + i, 8);
            if (chunk & 0x8080808080808080ull)
                break;
            i += 8;
        }
        if (i >= n)
            break;
        const unsigned char c = s[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        std::size_t len;
        std::uint32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;
        }
        if (i + len > n)
            return false;
        for (std::size_t k = 1; k < len; ++k) {
            if ((s[i + k] & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (s[i + k] & 0x3F);
        }
        if ((len == 3 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (len == 4 && (cp < 0x10000 || cp > 0x10FFFF)))
            return false;
        i += len;
    }
    return true;
}

QString CodePage::fromWindows1252(std::string_view bytes) {
    QString out(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* d = out.data();
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const auto c = static_cast<unsigned char>(bytes[i]);
        char16_t u = c;
        if (c >= 0x80 && c <= 0x9F && Cp1252High[c - 0x80] != 0)
            u = Cp1252High[c - 0x80];
        d[i] = QChar(u);
    }
    return out;
}

std::string CodePage::toWindows1252(const QString& text) {
    std::string out;
    out.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar ch : text) {
        const auto mapped = windows1252Byte(ch.unicode());
        if (mapped)
            out += *mapped;
        else
            out += ch.category() == QChar::Separator_Space ? ' ' : '?';
    }
    return out;
}

bool CodePage::canEncode(const QString& text) {
    if (system() == Kind::Utf8)
        return text.isValidUtf16();
    return std::all_of(text.begin(), text.end(),
                       [](QChar ch) { return windows1252Byte(ch.unicode()).has_value(); });
}

bool CodePage::isAscii(std::string_view bytes) {
    // Eight bytes at a time: nearly every name and line is plain ASCII.
    const char* p = bytes.data();
    std::size_t n = bytes.size();
    std::uint64_t high = 0;
    for (; n >= 8; p += 8, n -= 8) {
        std::uint64_t chunk;
        std::memcpy(&chunk, p, 8);
        high |= chunk;
    }
    for (; n > 0; ++p, --n)
        high |= static_cast<unsigned char>(*p);
    return (high & 0x8080808080808080ull) == 0;
}

std::string_view CodePage::inSystem(std::string_view bytes, std::string& scratch) {
    if (isAscii(bytes))
        return bytes;
    const bool utf8 = isValidUtf8(bytes);
    if (utf8 == (system() == Kind::Utf8))
        return bytes;
    scratch =
        utf8 ? toWindows1252(QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())))
             : lineToUtf8(bytes);
    return scratch;
}

QString CodePage::decodeLine(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    return fromWindows1252(bytes);
}

std::string CodePage::lineToUtf8(std::string_view bytes) {
    if (isValidUtf8(bytes))
        return std::string(bytes);
    const QByteArray utf8 = fromWindows1252(bytes).toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

std::string CodePage::encode(const QString& text) {
    if (system() == Kind::Windows1252)
        return toWindows1252(text);
    const QByteArray utf8 = text.toUtf8();
    return std::string(utf8.constData(), static_cast<std::size_t>(utf8.size()));
}

} // namespace common
