#include "common/number_format.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace NumberFormat = common::NumberFormat;

TEST(NumberFormat, PatternsInTheUsersLocale) {
    EXPECT_EQ(NumberFormat::hashes(0), "");
    EXPECT_EQ(NumberFormat::hashes(1234), "1,234");
    EXPECT_EQ(NumberFormat::hashes(1234567890123LL), "1,234,567,890,123");
    EXPECT_EQ(NumberFormat::withZero(0), "0");
    EXPECT_EQ(NumberFormat::withZero(56), "56");
    EXPECT_EQ(NumberFormat::printed(12), " 12 ");
    EXPECT_EQ(NumberFormat::printed(-3), "-3 ");
    EXPECT_EQ(NumberFormat::signSpace(1234), " 1234");
    EXPECT_EQ(NumberFormat::signSpace(0), " 0");

    const QLocale saved;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(NumberFormat::hashes(1234567), "1.234.567");
    QLocale::setDefault(saved);
}
