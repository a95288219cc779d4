#include "common/upper_case.h"

namespace common {

QString UpperCase::of(const QString& text) {
    QString out = text;
    QChar* d = out.data();
    for (qsizetype i = 0; i < out.size(); ++i) {
        const char16_t u = d[i].unicode();
        if (u < 0x80) {
            if (u >= 'a' && u <= 'z')
                d[i] = QChar(char16_t(u - 32));
        } else if (!d[i].isSurrogate()) {
            const char32_t up = QChar::toUpper(char32_t(u));
            if (up <= 0xFFFF)
                d[i] = QChar(char16_t(up));
        }
    }
    return out;
}

void UpperCase::inPlace(std::string& utf8) {
    const std::size_t n = utf8.size();
    std::size_t i = 0;
    while (i < n) {
        const auto c = static_cast<unsigned char>(utf8[i]);
        if (c < 0x80) {
            if (c >= 'a' && c <= 'z')
                utf8[i] = static_cast<char>(c - 32);
            ++i;
            continue;
        }
        std::size_t len = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        if (i + len > n || len == 1) {
            ++i;
            continue;
        }
        char32_t cp = c & (0x7F >> len);
        for (std::size_t k = 1; k < len; ++k)
            cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
        const char32_t up = QChar::toUpper(cp);
        if (up != cp) {
            const std::string encoded = QString::fromUcs4(&up, 1).toStdString();
            if (encoded.size() == len)
                utf8.replace(i, len, encoded);
        }
        i += len;
    }
}

std::string UpperCase::of(std::string_view utf8) {
    std::string out(utf8);
    inPlace(out);
    return out;
}

bool UpperCase::equal(const QString& a, const QString& b) {
    return a.size() == b.size() && of(a) == of(b);
}

} // namespace common
