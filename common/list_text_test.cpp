#include "common/error.h"
#include "common/list_text.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

namespace ListText = common::ListText;

namespace {

QString decode(const std::string& bytes) {
    return ListText::decode(bytes);
}

} // namespace

TEST(ListTextTest, LineBreaksBecomeLfAndAFinalBreakStays) {
    EXPECT_EQ(decode("a\r\nb\r\n"), "a\nb\n");
    EXPECT_EQ(decode("a\r\nb"), "a\nb");
    EXPECT_EQ(decode("a\nb\r\n\r\n"), "a\nb\n\n");
    EXPECT_EQ(decode("a\r\nb\r"), "a\nb");       // a CR that ends the file is a line end too
    EXPECT_EQ(decode("a\rb\r\r\n"), "a\rb\r\n"); // only the CR before a LF goes
    EXPECT_EQ(decode(""), "");
    EXPECT_EQ(decode("\r\n"), "\n");
}

TEST(ListTextTest, Utf8AndWindows1252LinesAreDecodedEachOnItsOwn) {
    const std::string utf8 = "\"E:\\\xc3\x85re\\\",\"Caf\xc3\xa9 \xe2\x82\xac.jpg\"";
    const std::string cp1252 = "\"E:\\\xc5re\\\",\"Caf\xe9 \x80.jpg\"";
    const QString line = QString::fromUtf8("\"E:\\Åre\\\",\"Café €.jpg\"");
    EXPECT_EQ(decode(utf8 + "\r\n" + utf8 + "\r\n"), line + "\n" + line + "\n");
    EXPECT_EQ(decode(utf8 + "\r\n" + cp1252 + "\r\n" + utf8), line + "\n" + line + "\n" + line);
    EXPECT_EQ(decode(cp1252 + "\r\n" + cp1252 + "\r\n"), line + "\n" + line + "\n");
    // A cut-off UTF-8 sequence makes its line windows-1252, and only that line.
    EXPECT_EQ(decode("\xc3\r\n\xc3\xa9\r\n"), QString::fromUtf8("Ã\né\n"));
}

TEST(ListTextTest, NulAndControlBytesAreKept) {
    const QString text = decode(std::string("a\0b\tc\r\n", 7));
    ASSERT_EQ(text.size(), 6);
    EXPECT_EQ(text, QString::fromUtf16(u"a\0b\tc\n", 6));
}

TEST(ListTextTest, LoadReadsTheFileAndAMissingOneIsReported) {
    common::testing::TempFolder root;
    const auto file = root.write("Disc.rtf", "\"E:\\\",\"a.jpg\"\r\n1 files : 0 folders\r\n");
    EXPECT_EQ(ListText::load(file), "\"E:\\\",\"a.jpg\"\n1 files : 0 folders\n");
    try {
        ListText::load(root / "None.rtf");
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), common::ErrorNumber::FileNotFound);
    }
}
