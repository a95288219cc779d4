#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/testing/temp_folder.h"
#include "common/text_writer.h"
#include "dravik/reports/quick_report.h"
#include "dravik/reports/saved_reports.h"
#include "dravik/search/result_rows.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::reports::QuickReport;
using dravik::reports::SavedReports;

TEST(QuickReport, ItsFileIsKnownToTheNameGate) {
    EXPECT_TRUE(common::FileNameGate::ownFile(QString::fromLatin1(QuickReport::FileName)));
}

TEST(QuickReport, EmptiedAtTheStartAndWrittenWholeAtTheEnd) {
    TempFolder program;
    program.write("qreport.RTF", "old\r\n"); // found without regard to case
    const QuickReport report(program.path());
    report.createEmpty();
    EXPECT_EQ(TempFolder::read(program / "qreport.RTF"), "");

    dravik::search::ResultRows rows;
    rows.add("*Disc 1* \"E:\\\",\"a.txt\"");
    rows.add(std::string("*W* caf\xe9", 8));
    rows.add("");
    report.write([&](common::TextWriter& writer) { rows.writeTo(writer); });
    EXPECT_EQ(TempFolder::read(program / "qreport.RTF"),
              "*Disc 1* \"E:\\\",\"a.txt\"\r\n*W* caf\xe9\r\n\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(program.path()), {}), 1);
    EXPECT_EQ(rows.at(1), std::string("*W* caf\xe9", 8));
    rows.clear();
    EXPECT_TRUE(rows.empty());
}

TEST(SavedReports, SavesAByteForByteCopyAfterTheNameRule) {
    TempFolder dir;
    const auto data = dir.makeFolder("data");
    const auto quick = dir.write("program/QReport.rtf", std::string("*D* caf\xe9\r\n*D* x", 16));
    const SavedReports reports(data);
    EXPECT_TRUE(reports.list().isEmpty()); // no report folder yet

    for (const char* refused : {"kamera|camera", "a/b", "..", "QReport", "asshp", ""}) {
        EXPECT_TRUE(SavedReports::refusal(refused)) << refused;
        EXPECT_THROW(reports.save(refused, quick), common::Error) << refused;
    }
    EXPECT_FALSE(std::filesystem::exists(data / "QReport")); // nothing written before refusing

    EXPECT_EQ(reports.save("Holiday", quick), data / "QReport" / "Holiday.rtf");
    // A report is read from its own file, never from a list of names: a comma is fine.
    EXPECT_EQ(reports.save("Rome, Paris", quick), data / "QReport" / "Rome, Paris.rtf");
    std::filesystem::remove(data / "QReport" / "Rome, Paris.rtf");
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Holiday.rtf"), TempFolder::read(quick));
    dir.write("program/QReport.rtf", "new\r\n");
    EXPECT_EQ(reports.save("HOLIDAY", quick), data / "QReport" / "Holiday.rtf"); // replaced
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Holiday.rtf"), "new\r\n");

    dir.write("data/QReport/apple.rtf", "");
    dir.write("data/QReport/notes.txt", "");
    dir.makeFolder("data/QReport/folder.rtf");
    EXPECT_EQ(reports.list(), QStringList({"apple.rtf", "Holiday.rtf"}));
}

TEST(SavedReports, LoadReportTextComesWithItsHeaderLine) {
    TempFolder dir;
    dir.write("data/QReport/a.rtf", "*D* one\r\n*D* two\r\n");
    dir.write("data/QReport/b.rtf", "*E* caf\xe9\r\n");
    const SavedReports reports(dir / "data");
    EXPECT_EQ(SavedReports::header("a.rtf"), "\n================a.rtf==============\n");
    EXPECT_EQ(reports.loadText("a.rtf") + reports.loadText("B.RTF"),
              QString::fromUtf8("\n================a.rtf==============\n*D* one\n*D* two\n"
                                "\n================B.RTF==============\n*E* caf\xc3\xa9\n"));
    EXPECT_THROW(reports.loadText("gone.rtf"), common::Error);
}

TEST(SavedReports, TheDiscNameRuleInTheWordsOfAReport) {
    EXPECT_EQ(*SavedReports::refusal("kamera|camera"),
              "A report name cannot hold any of  : * ? \" < > |");
    EXPECT_EQ(*SavedReports::refusal(""), "Type a name for the report first.");
    // Reports are listed from their folder, never read back from a list of names.
    EXPECT_FALSE(SavedReports::refusal("a,b"));
    EXPECT_TRUE(SavedReports::refusal("QREPORT"));
    EXPECT_FALSE(SavedReports::refusal("80s..90s"));
    EXPECT_FALSE(SavedReports::refusal("Holiday photos"));
}
