#include "common/code_page.h"
#include "common/upper_case.h"

#include <gtest/gtest.h>

namespace UpperCase = common::UpperCase;

namespace {

std::string utf8Of(const QString& text) {
    return text.toUtf8().toStdString();
}

} // namespace

TEST(UpperCase, LettersWhoseUpperCaseIsShorterOrLongerInUtf8AreUpperCased) {
    EXPECT_EQ(UpperCase::of(std::string_view("E:\\K\xc4\xb1rm\xc4\xb1z\xc4\xb1\\")),
              "E:\\KIRMIZI\\");
    EXPECT_EQ(UpperCase::of(std::string_view("\xc5\xbf")), "S");
    // U+0250 (2 bytes) upper-cases to U+2C6F (3 bytes).
    EXPECT_EQ(UpperCase::of(std::string_view("x\xc9\x90y")), "X\xe2\xb1\xafY");
    EXPECT_EQ(UpperCase::of(QStringLiteral(u"K\u0131rm\u0131z\u0131 \u017f")),
              QStringLiteral(u"KIRMIZI S"));
}

TEST(UpperCase, OriginsLeadEachUpperCasedByteBackToItsCharacter) {
    std::string out;
    std::vector<std::uint32_t> origins;
    EXPECT_FALSE(UpperCase::into("caf\xc3\xa9", out, origins));
    EXPECT_EQ(out, "CAF\xc3\x89");
    EXPECT_TRUE(origins.empty());

    // a ı b ɐ c: 1 + 2 + 1 + 2 + 1 bytes become 1 + 1 + 1 + 3 + 1.
    EXPECT_TRUE(UpperCase::into("a\xc4\xb1"
                                "b\xc9\x90"
                                "c",
                                out, origins));
    EXPECT_EQ(out, "AIB\xe2\xb1\xaf"
                   "C");
    EXPECT_EQ(origins, (std::vector<std::uint32_t>{0, 1, 3, 4, 4, 4, 6, 7}));
}

TEST(UpperCase, BytesThatAreNotUtf8StayAsTheyAre) {
    EXPECT_EQ(UpperCase::of(std::string_view("a\xff\xc3(b\xe2\x82")), "A\xff\xc3(B\xe2\x82");
    EXPECT_EQ(UpperCase::of(std::string_view("\xc4\xb1\xc4")), "I\xc4");
    EXPECT_EQ(UpperCase::of(std::string_view("", 0)), "");
    EXPECT_EQ(UpperCase::of(std::string_view("a\0b", 3)), std::string("A\0B", 3));
}

// Both forms upper-case every character alike, so a text compares the same whichever form
// holds it, and the UTF-16 form keeps its length.
TEST(UpperCase, Utf8AndUtf16AgreeOnEveryCharacter) {
    int changed = 0;
    for (char32_t c = 1; c <= 0x10FFFF; ++c) {
        if (QChar::isSurrogate(c))
            continue;
        const QString text = QString::fromUcs4(&c, 1);
        const QString up = UpperCase::of(text);
        const char32_t expected = QChar::toUpper(c);
        ASSERT_EQ(up, QString::fromUcs4(&expected, 1)) << std::hex << unsigned(c);
        ASSERT_EQ(UpperCase::of(std::string_view(utf8Of(text))), utf8Of(up))
            << std::hex << unsigned(c);
        changed += up != text;
    }
    EXPECT_GT(changed, 1000);
}

// The windows-1252 characters upper-case as they do in UTF-8: µ and ƒ to letters the code page
// lacks, ÿ to Ÿ, which it holds.
TEST(UpperCase, Windows1252TextUpperCasesAsItsUtf8) {
    for (int b = 0x80; b < 0x100; ++b) {
        const char byte = static_cast<char>(b);
        const QString text = common::CodePage::fromWindows1252(std::string_view(&byte, 1));
        EXPECT_EQ(UpperCase::of(std::string_view(common::CodePage::lineToUtf8({&byte, 1}))),
                  utf8Of(UpperCase::of(text)))
            << b;
    }
    EXPECT_EQ(UpperCase::of(std::string_view(common::CodePage::lineToUtf8("\xb5\x83\xff"))),
              "\xce\x9c\xc6\x91\xc5\xb8");
}
