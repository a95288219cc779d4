#include "common/error.h"
#include "common/testing/temp_folder.h"
#include "dravik/search/find_history.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::search::FindHistory;

TEST(FindHistory, ReadsKeepsEachWordsOnceAndWritesThemBack) {
    TempFolder data;
    FindHistory history;
    int resets = 0;
    std::vector<int> added;
    QObject::connect(&history, &FindHistory::changed, [&] { ++resets; });
    QObject::connect(&history, &FindHistory::added, [&](int row) { added.push_back(row); });

    history.save(); // nothing read yet: nothing written
    EXPECT_FALSE(std::filesystem::exists(data / "FTex.Lys"));
    history.load(data.path());
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys"), ""); // created when missing
    std::filesystem::remove(data / "FTex.Lys");
    data.write("ftex.lys", "kamera|camera\r\n\"a,b\",jpg\n");
    history.load(data.path());
    EXPECT_EQ(resets, 2);
    EXPECT_EQ(history.entries(), (QStringList{"kamera|camera", "a,b", "jpg"}));

    EXPECT_FALSE(history.remember("JPG")); // compared without regard to case
    EXPECT_TRUE(history.remember("Ünïcode"));
    EXPECT_FALSE(history.remember("üNÏCODE"));
    EXPECT_EQ(added, std::vector<int>{3});
    history.save();
    EXPECT_FALSE(std::filesystem::exists(data / "FTex.Lys")); // the file's own spelling kept
    EXPECT_EQ(TempFolder::read(data / "ftex.lys"),
              "kamera|camera\r\na,b\r\njpg\r\n\xc3\x9cn\xc3\xaf"
              "code\r\n");

    history.clear();
    EXPECT_EQ(resets, 3);
    EXPECT_TRUE(history.entries().isEmpty());
    history.save();
    EXPECT_EQ(TempFolder::read(data / "ftex.lys"), "");
}

TEST(FindHistory, AFileThatCannotBeReadIsReportedAndNeverReplaced) {
    TempFolder data;
    data.write("FTex.Lys/inside", "x"); // a folder where the list belongs
    FindHistory history;
    history.remember("left over");
    try {
        history.load(data.path());
        FAIL() << "a folder read as the history";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), 75);
        EXPECT_NE(e.description().find("FTex.Lys"), std::string::npos) << e.description();
    }
    EXPECT_FALSE(history.loaded());
    EXPECT_TRUE(history.entries().isEmpty());
    history.remember("new");
    EXPECT_NO_THROW(history.save()); // a history that was never read is not written
    EXPECT_EQ(TempFolder::read(data / "FTex.Lys" / "inside"), "x");
}
