#include "splitter/line_format.h"

#include "common/code_page.h"
#include "common/number_format.h"

#include <gtest/gtest.h>

using splitter::LineFormat;
using splitter::Record;
using splitter::SizeText;

namespace {
const std::string Deg = "\xC2\xB0";

std::string lineOf(std::string_view stamp, std::string_view folder, std::string_view name,
                   std::string_view disc = "Holiday") {
    std::string out;
    LineFormat(disc).append(Record{stamp, folder, name}, out);
    return out;
}
} // namespace

TEST(LineFormat, LaysOutARecordByteForByte) {
    EXPECT_EQ(lineOf("12/05/2009 10:15:22 PM 1234567", "E:\\Photos\\2009\\", "photo.JPG"),
              "photo.JPG " + Deg + "       1,234,567 " + Deg + "* Holiday *" + Deg +
                  " \\Photos\\2009\\ " + Deg + " 12/05/2009 10:15:22 PM\r\n");
}

TEST(LineFormat, ASevenDigitSizeGetsSixBlanks) {
    const std::string line = lineOf("1/1/2001 1:00 AM 7654321", "E:\\", "a.txt");
    EXPECT_NE(line.find(" " + Deg + "       7,654,321 " + Deg + "* "), std::string::npos);
    EXPECT_EQ(std::string("       7,654,321").size(), 16u); // the blank after ° plus 15
}

TEST(LineFormat, ASizeWithoutDigitsIsFifteenBlanks) {
    EXPECT_EQ(lineOf("1/1/2001 1:00 AM", "E:\\", "a.txt"),
              "a.txt " + Deg + " " + std::string(15, ' ') + " " + Deg + "* Holiday *" + Deg +
                  " E:\\ " + Deg + " 1/1/2001 1:00 AM\r\n");
}

TEST(LineFormat, EmptyRootAndShortFolders) {
    EXPECT_NE(lineOf("", "", "a.txt").find("*" + Deg + " --empty-- " + Deg), std::string::npos);
    EXPECT_NE(lineOf("", "E:\\", "a.txt").find("*" + Deg + " E:\\ " + Deg), std::string::npos);
    EXPECT_NE(lineOf("", "E:\\Music\\", "a.txt").find("*" + Deg + " \\Music\\ " + Deg),
              std::string::npos);
    EXPECT_NE(lineOf("", "E:x", "a.txt").find("*" + Deg + " E:x " + Deg), std::string::npos);
}

TEST(LineFormat, ACatalogueRecordHasNoSizeAndNoDate) {
    EXPECT_EQ(lineOf("", "E:\\Photos\\2009\\", "img_001.jpg", "Disc 1"),
              "img_001.jpg " + Deg + " " + std::string(15, ' ') + " " + Deg + "* Disc 1 *" + Deg +
                  " \\Photos\\2009\\ " + Deg + " \r\n");
}

TEST(LineFormat, AStampWithoutMIsAllSize) {
    EXPECT_EQ(lineOf("  1234  ", "E:\\", "a.txt"), "a.txt " + Deg + "           1,234 " + Deg +
                                                       "* Holiday *" + Deg + " E:\\ " + Deg +
                                                       " \r\n");
}

TEST(LineFormat, TheFirstMEndsTheDateWhateverItsCase) {
    const std::string line = lineOf("2009-01-01 9:00 am 2048", "E:\\", "a.txt");
    EXPECT_NE(line.find("           2,048 "), std::string::npos);
    EXPECT_TRUE(line.ends_with(Deg + " 2009-01-01 9:00 am\r\n")) << line;
}

TEST(LineFormat, ApostrophesAndBlanksInsideTheSizeAreSkipped) {
    EXPECT_NE(lineOf("x PM 1'234'567", "E:\\", "a.b").find("       1,234,567 "), std::string::npos);
    EXPECT_NE(lineOf("x PM 1 2 3 4x99", "E:\\", "a.b").find("           1,234 "),
              std::string::npos);
}

TEST(LineFormat, ASizeLongerThanFifteenIsWrittenWhole) {
    const std::string line = lineOf("x PM 1234567890123456", "E:\\", "a.b");
    EXPECT_NE(line.find(Deg + " 1,234,567,890,123,456 " + Deg + "*"), std::string::npos);
}

TEST(LineFormat, WindowsCodePageHasAOneByteDegreeSign) {
    common::CodePage::setSystem(common::CodePage::Kind::Windows1252);
    const std::string line = lineOf("", "E:\\", "a.txt", "D");
    common::CodePage::setSystem(common::CodePage::Kind::Utf8);
    EXPECT_EQ(line, "a.txt \xB0 " + std::string(15, ' ') + " \xB0* D *\xB0 E:\\ \xB0 \r\n");
}

TEST(LineFormat, DiscKeyIsTheMarkersAroundTheName) {
    EXPECT_EQ(LineFormat::discKey("Holiday"), " " + Deg + "* Holiday *" + Deg + " ");
}

TEST(SizeText, ReadsTheWayTheListsNeed) {
    EXPECT_EQ(SizeText::read(""), 0);
    EXPECT_EQ(SizeText::read("abc"), 0);
    EXPECT_EQ(SizeText::read(" 12 34"), 1234);
    EXPECT_EQ(SizeText::read("\t5\n6"), 56);
    EXPECT_EQ(SizeText::read("-42x"), -42);
    EXPECT_EQ(SizeText::read("1.5E3"), 1500);
    EXPECT_EQ(SizeText::read("7.25"), 7.25);
}

TEST(SizeText, AgreesWithTheLocaleFormat) {
    const SizeText size;
    for (const long long n :
         {1LL, 12LL, 999LL, 1000LL, 65536LL, 1234567LL, 999999999999LL, -1234LL}) {
        std::string out;
        size.append(static_cast<double>(n), out);
        EXPECT_EQ(QString::fromStdString(out), common::NumberFormat::hashes(n)) << n;
    }
    std::string zero;
    EXPECT_EQ(size.append(0, zero), 0u);
    EXPECT_TRUE(zero.empty());
}
