#include "common/code_page.h"
#include "common/disc_list_format.h"
#include "common/testing/scoped_code_page.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace CodePage = common::CodePage;

TEST(CodePage, EachLineIsUtf8WhenValidElseWindows1252) {
    EXPECT_EQ(CodePage::decodeLine("caf\xc3\xa9"), QString::fromUtf8("caf\xc3\xa9"));
    EXPECT_EQ(CodePage::decodeLine("caf\xe9"), QString::fromUtf8("caf\xc3\xa9"));
    // 0x80 and 0x93 are the euro and a curly quote in windows-1252, not Latin-1 controls.
    EXPECT_EQ(CodePage::decodeLine("\x80\x93"), QString::fromUtf8("\xe2\x82\xac\xe2\x80\x9c"));
    EXPECT_EQ(CodePage::lineToUtf8("\xe9t\xe9"), "\xc3\xa9t\xc3\xa9");
    EXPECT_FALSE(CodePage::isValidUtf8("\xc0\xaf"));        // overlong
    EXPECT_FALSE(CodePage::isValidUtf8("\xed\xa0\x80"));    // surrogate
    EXPECT_FALSE(CodePage::isValidUtf8("abcdefghijk\xc3")); // cut short
    EXPECT_TRUE(CodePage::isValidUtf8("abcdefghijklmnop\xf0\x9f\x98\x80"));
}

TEST(CodePage, WritesInTheChosenCodePage) {
    const QString text = QString::fromUtf8("\xe2\x82\xac caf\xc3\xa9");
    CodePage::setSystem(CodePage::Kind::Windows1252);
    EXPECT_EQ(CodePage::encode(text), "\x80 caf\xe9");
    EXPECT_EQ(CodePage::encode(QString::fromUtf8("\xe4\xb8\xad")), "?");
    CodePage::setSystem(CodePage::Kind::Utf8);
    EXPECT_EQ(CodePage::encode(text), "\xe2\x82\xac caf\xc3\xa9");
    // Every byte survives a round trip through windows-1252.
    std::string all;
    for (int c = 1; c < 256; ++c)
        all += static_cast<char>(c);
    EXPECT_EQ(CodePage::toWindows1252(CodePage::fromWindows1252(all)), all);
}

// A locale's thousands separator that windows-1252 lacks (French: U+202F) is a plain blank, not
// a "?"; other characters it lacks are "?".
TEST(CodePage, BlanksTheCodePageLacksBecomePlainBlanks) {
    EXPECT_EQ(CodePage::toWindows1252(QString::fromUtf8("1\xe2\x80\xaf"
                                                        "234\xc2\xa0x")),
              "1 234\xa0x");
    EXPECT_EQ(CodePage::toWindows1252(QString::fromUtf8("\xe6\x97\xa5\xe2\x80\x89")), "? ");
    const common::testing::ScopedCodePage windows(CodePage::Kind::Windows1252);
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const std::string summary = common::DiscListFormat::summaryLine(1234567, 1234);
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(summary.find('?'), std::string::npos) << summary;
    EXPECT_EQ(summary.substr(summary.size() - 8), " folders");
}

TEST(CodePage, WhatTheSystemCodePageCanHold) {
    const QString japanese = QString::fromUtf8("Disc \xe6\x97\xa5\xe6\x9c\xac");
    const QString french = QString::fromUtf8("Disc caf\xc3\xa9 \xe2\x82\xac");
    {
        const common::testing::ScopedCodePage windows(CodePage::Kind::Windows1252);
        EXPECT_FALSE(CodePage::canEncode(japanese));
        EXPECT_TRUE(CodePage::canEncode(french));
    }
    const common::testing::ScopedCodePage utf8(CodePage::Kind::Utf8);
    EXPECT_TRUE(CodePage::canEncode(japanese));
    EXPECT_FALSE(CodePage::canEncode(QString(QChar(0xD800))));
}

// Bytes read by the text rule come out in the system's code page, untouched when they are in it.
TEST(CodePage, BytesInTheSystemCodePage) {
    std::string scratch;
    const std::string_view ascii = "plain.txt";
    EXPECT_EQ(CodePage::inSystem(ascii, scratch).data(), ascii.data());
    {
        const common::testing::ScopedCodePage windows(CodePage::Kind::Windows1252);
        EXPECT_EQ(CodePage::inSystem("caf\xc3\xa9 \xe6\x97\xa5", scratch), "caf\xe9 ?");
        EXPECT_EQ(CodePage::inSystem("D\xe9mo", scratch), "D\xe9mo");
    }
    const common::testing::ScopedCodePage utf8(CodePage::Kind::Utf8);
    EXPECT_EQ(CodePage::inSystem("D\xe9mo", scratch), "D\xc3\xa9mo");
    EXPECT_EQ(CodePage::inSystem("caf\xc3\xa9", scratch), "caf\xc3\xa9");
}
