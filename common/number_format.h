#pragma once

#include <QString>

namespace common {

// Number texts with the user's locale's thousands separator.
namespace NumberFormat {

// "###,###,###,###": a zero gives an empty text.
QString hashes(long long n);
// "#,###,##0": a zero gives "0".
QString withZero(long long n);
// As numbers are printed to text files: a blank, the digits, a blank ("-5 " when negative).
QString printed(long long n);
// As a number-to-text conversion gives it: a blank before a non-negative number.
QString signSpace(long long n);

} // namespace NumberFormat

} // namespace common
