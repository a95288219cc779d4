#include "common/code_page.h"

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
