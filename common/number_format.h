#pragma once

#include <QString>

namespace common {

// Number texts with the user's locale's thousands separator.
class NumberFormat {
public:
    // "###,###,###,###": a zero gives an empty text.
    static QString hashes(long long n);
    // "#,###,##0": a zero gives "0".
    static QString withZero(long long n);
    // As numbers are printed to text files: a blank, the digits, a blank ("-5 " when negative).
    static QString printed(long long n);
    // As a number-to-text conversion gives it: a blank before a non-negative number.
    static QString signSpace(long long n);
};

} // namespace common
