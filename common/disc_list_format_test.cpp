#include "common/disc_list_format.h"
#include "common/disc_list_writer.h"
#include "common/item_reader.h"
#include "common/line_reader.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

using common::DiscListWriter;
using common::testing::TempFolder;
namespace DiscListFormat = common::DiscListFormat;

TEST(DiscListWriter, LinesAndSummaryByteForByte) {
    TempFolder dir;
    const auto file = dir / "list.rtf";
    DiscListWriter writer(file);
    writer.appendFile("E:\\", "autorun.inf");
    writer.appendFile("E:\\Photos\\2009\\", "img 001.jpg");
    writer.appendFile("E:\\odd\\", "two\r\nlines\n");
    writer.appendFile("E:\\odd\\", "say \"hi\"\\x");
    writer.finish(1234, 56);
    EXPECT_EQ(TempFolder::read(file), "\"E:\\\",\"autorun.inf\"\r\n"
                                      "\"E:\\Photos\\2009\\\",\"img 001.jpg\"\r\n"
                                      "\"E:\\odd\\\",\"two??lines?\"\r\n"
                                      "\"E:\\odd\\\",\"say ?hi??x\"\r\n"
                                      "1,234 files : 56 folders\r\n");
}

TEST(DiscListFormat, ZeroCountsFormatEmpty) {
    EXPECT_EQ(DiscListFormat::summaryLine(0, 0), " files :  folders");
    EXPECT_EQ(DiscListFormat::summaryLine(0, 3), " files : 3 folders");
    EXPECT_EQ(DiscListFormat::summaryLine(1234567, 0), "1,234,567 files :  folders");
}

// Whatever the walk writes, a reader gets back as the same two fields, and the summary line is
// told from the file lines.
TEST(DiscListFormat, WrittenLinesParseBackIntoTheirFields) {
    const std::vector<std::pair<std::string, std::string>> files = {
        {"E:\\", "autorun.inf"},
        {"E:\\a, b\\", "x, y.txt"},
        {"E:\\Photos\\2009\\", "img 001.jpg"},
        {"E:\\caf\xc3\xa9\\", "cr\xc3\xa8me.doc"},
        {"E:\\", "two\r\nlines"},
        {"E:\\", "say \"hi\"\\x"},
        {"E:\\", ""}};
    TempFolder dir;
    const auto file = dir / "list.rtf";
    DiscListWriter writer(file);
    for (const auto& [folder, name] : files)
        writer.appendFile(folder, name);
    writer.finish(static_cast<long long>(files.size()), 3);

    const auto lines = common::LineReader::readAll(file);
    ASSERT_EQ(lines.size(), files.size() + 1);
    for (std::size_t i = 0; i < files.size(); ++i) {
        const auto fields = DiscListFormat::parseFileLine(lines[i]);
        ASSERT_TRUE(fields) << lines[i];
        EXPECT_FALSE(DiscListFormat::isSummaryLine(lines[i]));
        EXPECT_TRUE(DiscListFormat::startsWithDrive(fields->folder));
        EXPECT_EQ(fields->folder, files[i].first);
        std::string scratch;
        EXPECT_EQ(fields->name, DiscListFormat::cleanName(files[i].second, scratch));
        // Read by items, as the global search and older readers do, too.
        EXPECT_EQ(common::ItemReader::split(lines[i]),
                  (std::vector<std::string_view>{fields->folder, fields->name}));
    }
    EXPECT_TRUE(DiscListFormat::isSummaryLine(lines.back()));
    EXPECT_FALSE(DiscListFormat::parseFileLine(lines.back()));
}

TEST(DiscListFormat, LinesOfOtherShapes) {
    for (const char* line : {"", "\"", "E:\\,a.txt", "\"E:\\\",a.txt", "\"E:\",\"a.txt\""})
        EXPECT_FALSE(DiscListFormat::parseFileLine(line)) << line;
    // A name an older program wrote with quotes of its own still comes back whole.
    const auto fields = DiscListFormat::parseFileLine("\"E:\\a\\\",\"say \"hi\", x\"");
    ASSERT_TRUE(fields);
    EXPECT_EQ(fields->folder, "E:\\a\\");
    EXPECT_EQ(fields->name, "say \"hi\", x");
    EXPECT_FALSE(DiscListFormat::isSummaryLine("\"1 files : 2 folders\""));
    EXPECT_FALSE(DiscListFormat::startsWithDrive("1:\\"));
    EXPECT_FALSE(DiscListFormat::startsWithDrive("E:"));
}
