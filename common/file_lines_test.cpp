#include "common/file_lines.h"

#include "common/error.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using common::FileLines;
using common::testing::TempFolder;

namespace {

const common::TextLimit Limit{1u << 30, 64 * 1024, common::TextLimits::NoItemLimit};

std::vector<std::string> all(const FileLines& lines) {
    std::vector<std::string> out;
    for (std::size_t row = 0; row < lines.size(); ++row)
        out.push_back(lines.line(row));
    return out;
}

std::vector<std::string> scanned(const FileLines& lines, std::size_t first) {
    std::vector<std::string> out;
    lines.scan(first, [&](std::size_t row, std::string_view line) {
        EXPECT_EQ(row, first + out.size());
        out.emplace_back(line);
        return true;
    });
    return out;
}

std::string numbered(int count) {
    std::string text;
    for (int i = 0; i < count; ++i)
        text += "\"E:\\Photos\\\",\"IMG_" + std::to_string(i) + ".JPG\"\r\n";
    return text;
}

} // namespace

TEST(FileLines, LinesAreAsTheTextHasThem) {
    TempFolder folder;
    const FileLines crlf(folder.write("a.rtf", "one\r\ntwo\nthree\r\n"), Limit);
    EXPECT_EQ(all(crlf), (std::vector<std::string>{"one", "two", "three", ""}));
    const FileLines open(folder.write("b.rtf", "one\r\ntwo"), Limit);
    EXPECT_EQ(all(open), (std::vector<std::string>{"one", "two"}));
    const FileLines empty(folder.write("c.rtf", ""), Limit);
    EXPECT_EQ(all(empty), std::vector<std::string>{""});
    const FileLines blank(folder.write("d.rtf", "\r\n\n"), Limit);
    EXPECT_EQ(all(blank), (std::vector<std::string>{"", "", ""}));
    EXPECT_EQ(crlf.longest(), 5u);
    EXPECT_EQ(crlf.line(4), "");
}

TEST(FileLines, BytesStayAsTheFileHoldsThem) {
    TempFolder folder;
    const FileLines lines(folder.write("a.rtf", "caf\xe9\r\n\xc3\x85re\r\nlone\rcr\r\n"), Limit);
    EXPECT_EQ(all(lines), (std::vector<std::string>{"caf\xe9", "\xc3\x85re", "lone\rcr", ""}));
}

TEST(FileLines, AScanReadsEveryLineAcrossPieces) {
    TempFolder folder;
    const std::string text = numbered(60000); // some 2 MB: more than one piece
    const FileLines lines(folder.write("big.rtf", text), Limit);
    ASSERT_EQ(lines.size(), 60001u);
    const std::vector<std::string> from = scanned(lines, 59990);
    ASSERT_EQ(from.size(), 11u);
    EXPECT_EQ(from[0], "\"E:\\Photos\\\",\"IMG_59990.JPG\"");
    EXPECT_EQ(from[10], "");
    const std::vector<std::string> every = scanned(lines, 0);
    ASSERT_EQ(every.size(), 60001u);
    EXPECT_EQ(every[31234], "\"E:\\Photos\\\",\"IMG_31234.JPG\"");
    EXPECT_EQ(lines.line(45678), every[45678]);
    int visited = 0;
    lines.scan(10, [&](std::size_t, std::string_view) { return ++visited < 3; });
    EXPECT_EQ(visited, 3);
}

TEST(FileLines, AFileCutWhileShownReadsItsLostLinesEmpty) {
    TempFolder folder;
    const auto file = folder.write("a.rtf", "first\r\nsecond\r\nthird\r\n");
    const FileLines lines(file, Limit);
    std::filesystem::resize_file(file, 10); // "first\r\nsec"
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines.line(0), "first");
    EXPECT_EQ(lines.line(1), "sec");
    EXPECT_EQ(lines.line(2), "");
    EXPECT_EQ(scanned(lines, 0), (std::vector<std::string>{"first", "sec", "", ""}));
}

TEST(FileLines, AFileReplacedWhileShownStillReadsAsItWas) {
    TempFolder folder;
    const auto file = folder.write("a.rtf", "old one\r\nold two\r\n");
    const FileLines lines(file, Limit);
    const auto fresh = folder.write("new.rtf", "NEW\r\n");
    std::filesystem::rename(fresh, file);
    EXPECT_EQ(all(lines), (std::vector<std::string>{"old one", "old two", ""}));
    // Changed in place, the bytes read are the new ones.
    const auto other = folder.write("b.rtf", "abc\r\ndef\r\n");
    const FileLines changed(other, Limit);
    folder.write("b.rtf", "ABC\r\nDEF\r\n");
    EXPECT_EQ(changed.line(1), "DEF");
}

TEST(FileLines, BinaryHugeAndMissingFilesAreRefused) {
    TempFolder folder;
    EXPECT_THROW(FileLines(folder.write("nul.rtf", std::string("a\r\nb\0c\r\n", 8)), Limit),
                 common::Error);
    const common::TextLimit shortLines{1u << 30, 8, common::TextLimits::NoItemLimit};
    EXPECT_NO_THROW(FileLines(folder.write("ok.rtf", "12345678\r\n"), shortLines));
    EXPECT_THROW(FileLines(folder.write("long.rtf", "123456789\r\n"), shortLines), common::Error);
    EXPECT_THROW(FileLines(folder.write("tail.rtf", "1\r\n123456789"), shortLines), common::Error);
    const common::TextLimit small{16, 64, common::TextLimits::NoItemLimit};
    EXPECT_THROW(FileLines(folder.write("big.rtf", numbered(2)), small), common::Error);
    EXPECT_THROW(FileLines(folder / "missing.rtf", Limit), common::Error);
    EXPECT_THROW(FileLines(folder.path(), Limit), common::Error);
}
