#include "splitter/size_text.h"

#include "common/code_page.h"

#include <QLocale>

#include <charconv>
#include <cmath>
#include <cstdio>

namespace splitter {

namespace {
bool skipped(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\'';
}

bool digit(char c) {
    return c >= '0' && c <= '9';
}
} // namespace

SizeText::SizeText() {
    const QLocale locale;
    separator_ = common::CodePage::encode(locale.groupSeparator());
    minus_ = common::CodePage::encode(locale.negativeSign());
}

double SizeText::read(std::string_view text) {
    // Gather the readable characters first, then let the library convert them.
    std::string number;
    std::size_t i = 0;
    auto peek = [&]() -> char {
        while (i < text.size() && skipped(text[i]))
            ++i;
        return i < text.size() ? text[i] : '\0';
    };
    char c = peek();
    if (c == '+' || c == '-') {
        number += c;
        ++i;
        c = peek();
    }
    bool digits = false;
    while (digit(c)) {
        number += c;
        digits = true;
        ++i;
        c = peek();
    }
    if (c == '.') {
        number += c;
        ++i;
        c = peek();
        while (digit(c)) {
            number += c;
            digits = true;
            ++i;
            c = peek();
        }
    }
    if (!digits)
        return 0;
    if (c == 'E' || c == 'e' || c == 'D' || c == 'd') {
        std::string exponent = "e";
        ++i;
        c = peek();
        if (c == '+' || c == '-') {
            exponent += c;
            ++i;
            c = peek();
        }
        bool any = false;
        while (digit(c)) {
            exponent += c;
            any = true;
            ++i;
            c = peek();
        }
        if (any)
            number += exponent;
    }
    double value = 0;
    const char* first = number.data();
    if (*first == '+')
        ++first;
    std::from_chars(first, number.data() + number.size(), value);
    return value;
}

std::size_t SizeText::append(double value, std::string& out) const {
    const double rounded = std::round(value);
    if (rounded == 0 || !std::isfinite(rounded))
        return 0;
    char digits[400];
    int count;
    const double magnitude = std::fabs(rounded);
    if (magnitude < 9e18) {
        const auto r = std::to_chars(digits, digits + sizeof digits,
                                     static_cast<unsigned long long>(magnitude));
        count = static_cast<int>(r.ptr - digits);
    } else {
        count = std::snprintf(digits, sizeof digits, "%.0f", magnitude);
    }
    std::size_t chars = 0;
    if (rounded < 0) {
        out += minus_;
        ++chars;
    }
    for (int k = 0; k < count; ++k) {
        if (k > 0 && (count - k) % 3 == 0) {
            out += separator_;
            ++chars;
        }
        out += digits[k];
        ++chars;
    }
    return chars;
}

} // namespace splitter
