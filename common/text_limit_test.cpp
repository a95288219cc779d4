#include "common/error.h"
#include "common/item_reader.h"
#include "common/line_reader.h"
#include "common/list_text.h"
#include "common/testing/temp_folder.h"
#include "common/text_limit.h"

#include <gtest/gtest.h>

#include <functional>
#include <sys/stat.h>

using common::ItemReader;
using common::LineReader;
using common::TextLimit;
using common::testing::TempFolder;

namespace {

constexpr TextLimit Small{100, 10, 20};

std::vector<std::string> itemsOf(const std::filesystem::path& file, const TextLimit& limit) {
    ItemReader reader(file, limit);
    std::vector<std::string> items;
    std::string_view item;
    while (reader.next(item))
        items.emplace_back(item);
    return items;
}

// The description of the refusal, or "" when the file was read.
std::string refusal(const std::function<void()>& read) {
    try {
        read();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
        return e.description();
    }
    return {};
}

} // namespace

TEST(TextLimit, AFileWithinItsLimitReadsAsWithout) {
    TempFolder dir;
    std::string bytes = "a,b\r\n0123456789\r\n";
    for (int i = 0; i < 7; ++i)
        bytes += "xxxxxxxxx\r\n";
    const auto file = dir.write("f.txt", bytes + "xxxxxx");
    EXPECT_EQ(itemsOf(file, Small).size(), 11u);
    EXPECT_EQ(LineReader::wholeFile(file, Small).size(), 100u);
}

TEST(TextLimit, AFileLargerThanItsLimitIsRefusedBeforeItIsRead) {
    TempFolder dir;
    const auto file = dir.write("f.txt", std::string(101, '\n'));
    const std::string expected =
        file.string() + ": is too large to load (101 bytes; a file of this kind holds at most 100)";
    EXPECT_EQ(refusal([&] { itemsOf(file, Small); }), expected);
    EXPECT_EQ(refusal([&] { LineReader::wholeFile(file, Small); }), expected);
}

TEST(TextLimit, AHugeSparseListIsRefusedWithoutReadingIt) {
    TempFolder dir;
    const auto file = dir.write("big.rtf", "");
    std::filesystem::resize_file(file, common::TextLimits::ListText.maxBytes + 1);
    EXPECT_NE(refusal([&] { common::ListText::load(file); }).find(": is too large to load ("),
              std::string::npos);
}

TEST(TextLimit, ANulByteAnywhereMakesItNoTextFile) {
    TempFolder dir;
    // Past the first read, so every read is checked.
    std::string bytes;
    for (int i = 0; i < 20000; ++i)
        bytes += "line\r\n";
    bytes += '\0';
    const auto file = dir.write("f.txt", bytes);
    const TextLimit wide{1u << 20, 64, 100000};
    const std::string expected = file.string() + ": is not a text file (it holds NUL bytes)";
    EXPECT_EQ(refusal([&] { itemsOf(file, wide); }), expected);
    EXPECT_EQ(refusal([&] { LineReader::wholeFile(file, wide); }), expected);
    EXPECT_EQ(LineReader::readAll(file).size(), 20001u); // no limit: read as before
}

TEST(TextLimit, ALineLongerThanTheLimitIsRefusedAndOneAtItIsNot) {
    TempFolder dir;
    const auto atLimit = dir.write("at.txt", "0123456789\r\n");
    EXPECT_EQ(itemsOf(atLimit, Small), std::vector<std::string>{"0123456789"});
    EXPECT_EQ(LineReader::wholeFile(atLimit, Small), "0123456789\r\n");
    const auto over = dir.write("over.txt", "a\r\n0123456789X\r\nb\r\n");
    const std::string expected =
        over.string() + ": is not a text file (a line is longer than 10 bytes)";
    EXPECT_EQ(refusal([&] { itemsOf(over, Small); }), expected);
    EXPECT_EQ(refusal([&] { LineReader::wholeFile(over, Small); }), expected);
    const auto lastLine = dir.write("last.txt", "a\r\n0123456789X");
    EXPECT_EQ(refusal([&] { itemsOf(lastLine, Small); }),
              lastLine.string() + ": is not a text file (a line is longer than 10 bytes)");
}

// A file whose lines end in CR alone is one line: refused as soon as that line passes the limit,
// without gathering the rest of the file.
TEST(TextLimit, ACarriageReturnOnlyFileIsOneLongLine) {
    TempFolder dir;
    std::string bytes;
    for (int i = 0; i < 400000; ++i)
        bytes += "ab\r";
    const auto file = dir.write("cr.txt", bytes);
    const TextLimit limit{4u << 20, 1024, 100};
    EXPECT_NE(refusal([&] { itemsOf(file, limit); }).find("a line is longer than 1024 bytes"),
              std::string::npos);
}

TEST(TextLimit, FoldersAndFifosAreRefusedWithoutWaiting) {
    TempFolder dir;
    const auto folder = dir.makeFolder("folder.txt");
    ASSERT_EQ(::mkfifo((dir / "fifo.txt").c_str(), 0600), 0);
    EXPECT_EQ(refusal([&] { itemsOf(folder, Small); }),
              folder.string() + ": is a folder, not a file");
    EXPECT_EQ(refusal([&] { LineReader::wholeFile(dir / "fifo.txt", Small); }),
              (dir / "fifo.txt").string() + ": is not a regular file");
}

TEST(TextLimit, ItemsPastTheLimitAreRefusedAndOnesAtItAreNot) {
    TempFolder dir;
    const auto atLimit = dir.write("at.txt", ",,,,\r\n,,,,\r\n,,,,\r\n,,,,\r\n");
    EXPECT_EQ(itemsOf(atLimit, Small).size(), 20u);
    const auto over = dir.write("over.txt", ",,,,\r\n,,,,\r\n,,,,\r\n,,,,\r\na\r\n");
    EXPECT_EQ(refusal([&] { itemsOf(over, Small); }),
              over.string() +
                  ": is too large to load (a file of this kind holds at most 20 entries)");
    EXPECT_EQ(LineReader::wholeFile(over, Small).size(), 27u); // lines are no items
}
