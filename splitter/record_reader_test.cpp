#include "splitter/record_reader.h"

#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

using splitter::Record;
using splitter::RecordReader;

namespace {
using Row = std::tuple<std::string, std::string, std::string>;

std::vector<Row> readAll(RecordReader& reader) {
    std::vector<Row> rows;
    Record r;
    while (reader.next(r))
        rows.emplace_back(std::string(r.stamp), std::string(r.folder), std::string(r.name));
    return rows;
}
} // namespace

TEST(RecordReader, ReadsACatalogueListLineByLineAndSkipsTheSummary) {
    common::testing::TempFolder dir;
    const auto list = dir.write("Disc.rtf", "\"E:\\\",\"autorun.inf\"\r\n"
                                            "\"E:\\Photos\\2009\\\",\"img_001.jpg\"\r\n"
                                            "2 files : 2 folders\r\n");
    RecordReader reader(list);
    EXPECT_EQ(reader.layout(), RecordReader::Layout::Catalogue);
    const std::vector<Row> expected = {{"", "E:\\", "autorun.inf"},
                                       {"", "E:\\Photos\\2009\\", "img_001.jpg"}};
    EXPECT_EQ(readAll(reader), expected);
    EXPECT_FALSE(reader.cutShort());
    EXPECT_EQ(reader.consumed(), std::filesystem::file_size(list));
}

TEST(RecordReader, ASummaryWithThousandsIsStillSkipped) {
    common::testing::TempFolder dir;
    std::string text;
    for (int i = 0; i < 3; ++i)
        text += "\"D:\\a\\\",\"f" + std::to_string(i) + ".txt\"\r\n";
    text += "1,234 files : 56 folders\r\n";
    RecordReader reader(dir.write("A.rtf", text));
    EXPECT_EQ(readAll(reader).size(), 3u);
}

TEST(RecordReader, NamesWithQuotesAndCommasStayWhole) {
    common::testing::TempFolder dir;
    RecordReader reader(dir.write("A.rtf", "\"E:\\a, b\\\",\"say \"hi\", x.txt\"\r\n"
                                           "1 files : 1 folders\r\n"));
    EXPECT_EQ(reader.layout(), RecordReader::Layout::Catalogue);
    const std::vector<Row> expected = {{"", "E:\\a, b\\", "say \"hi\", x.txt"}};
    EXPECT_EQ(readAll(reader), expected);
}

TEST(RecordReader, AListWithoutFilesHasNoRecord) {
    common::testing::TempFolder dir;
    RecordReader reader(dir.write("A.rtf", " files : 1,234 folders\r\n"));
    EXPECT_TRUE(readAll(reader).empty());
    EXPECT_FALSE(reader.cutShort());
}

TEST(RecordReader, ReadsStampedListsThreeItemsAtATimeAcrossLines) {
    common::testing::TempFolder dir;
    RecordReader reader(dir.write("A.rtf", "\"1/1/2009 1:00 PM 100\",\"E:\\a\\\",\"b.txt\"\r\n"
                                           "2/2/2010 2:00 AM 2048,  E:\\c\\\r\n"
                                           "d.doc,\"3/3 PM 1\"\r\n"
                                           ",\"\"\r\n"));
    EXPECT_EQ(reader.layout(), RecordReader::Layout::Stamped);
    const std::vector<Row> expected = {{"1/1/2009 1:00 PM 100", "E:\\a\\", "b.txt"},
                                       {"2/2/2010 2:00 AM 2048", "E:\\c\\", "d.doc"},
                                       {"3/3 PM 1", "", ""}};
    EXPECT_EQ(readAll(reader), expected);
    EXPECT_FALSE(reader.cutShort());
}

TEST(RecordReader, ARecordCutShortEndsTheList) {
    common::testing::TempFolder dir;
    RecordReader reader(dir.write("A.rtf", "s PM 1,E:\\a\\,a.txt\r\ns PM 2,E:\\b\\\r\n"));
    EXPECT_EQ(readAll(reader).size(), 1u);
    EXPECT_TRUE(reader.cutShort());
}

TEST(RecordReader, LinesInTheOtherCodePageAreConverted) {
    common::testing::TempFolder dir;
    // "café.jpg" as Windows wrote it, in a UTF-8 system.
    RecordReader reader(dir.write("A.rtf", "\"E:\\\",\"caf\xE9.jpg\"\r\n1 files :  folders\r\n"));
    const std::vector<Row> expected = {{"", "E:\\", "caf\xC3\xA9.jpg"}};
    EXPECT_EQ(readAll(reader), expected);
}
