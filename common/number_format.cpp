#include "common/number_format.h"

#include <QLocale>

namespace common {

QString NumberFormat::withZero(long long n) {
    QLocale locale;
    locale.setNumberOptions(locale.numberOptions() & ~QLocale::OmitGroupSeparator);
    return locale.toString(n);
}

QString NumberFormat::hashes(long long n) {
    return n == 0 ? QString() : withZero(n);
}

QString NumberFormat::printed(long long n) {
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n) + QLatin1Char(' ');
}

QString NumberFormat::signSpace(long long n) {
    return (n < 0 ? QString() : QStringLiteral(" ")) + QString::number(n);
}

} // namespace common
