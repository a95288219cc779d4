#include "common/error.h"
#include "common/file_name_gate.h"
#include "common/settings_store.h"
#include "common/testing/scoped_code_page.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/cataloguer.h"
#include "dravik/walker/walk_lock.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::catalogue::Catalogue;
using dravik::catalogue::Cataloguer;

namespace {
class CataloguerTest : public common::testing::WorkspaceFixture {
protected:
    Catalogue catalogue{data, program};
    dravik::catalogue::DiscIndex index{catalogue};
    common::DriveTable table = drives();
    Cataloguer cataloguer{index, table};
};
} // namespace

TEST(Cataloguer, RefusesNamesThatCannotBeFilesOrReadBackWhole) {
    for (const char* bad :
         {"", "   ", "a/b", "a\\b", "..", "a:b", "what?", "a*", "say \"hi\"", "<x>", "a|b", "a,b",
          "tab\there", "CON", "lpt1.txt", "ends.", " lead", "trail "}) {
        EXPECT_TRUE(Cataloguer::refusal(QString::fromUtf8(bad)).has_value()) << bad;
    }
    EXPECT_TRUE(Cataloguer::refusal(QString(300, u'x')).has_value());
    for (const char* good :
         {"Disc 1", "Holiday 2009 (Spain)", "caf\xc3\xa9", "a.b", "Console", "80s..90s"})
        EXPECT_FALSE(Cataloguer::refusal(QString::fromUtf8(good)).has_value()) << good;
    EXPECT_EQ(*Cataloguer::refusal("a,b"),
              "A disc name cannot hold a comma: the disc index would read it back as two discs.");
}

TEST(Cataloguer, ANameWhoseListWouldBeOneOfTheProgramsOwnFilesIsRefused) {
    // The data folder may be the program folder: "QReport.rtf" is the quick report there, which
    // the next search would overwrite.
    EXPECT_EQ(Cataloguer::refusal("QReport"), "\"QReport\" is the name of a list the program "
                                              "keeps (QReport.rtf) and cannot name a disc.");
    EXPECT_TRUE(Cataloguer::refusal("qreport").has_value());
    EXPECT_TRUE(Cataloguer::refusal("ASSHP").has_value());
    EXPECT_FALSE(Cataloguer::refusal("QReport 2").has_value());
}

TEST(Cataloguer, OwnFileNamesOfTheCatalogueAreKnownToTheGate) {
    for (const char* own : {Catalogue::IndexName, Catalogue::IndexWorkName,
                            Catalogue::IndexBackupName, Catalogue::WorkFileName})
        EXPECT_TRUE(common::FileNameGate::ownFile(QString::fromLatin1(own))) << own;
}

TEST(Cataloguer, InWindows1252ANameTheCodePageCannotHoldIsRefused) {
    const QString japanese = QString::fromUtf8("Disc \xe6\x97\xa5\xe6\x9c\xac");
    const QString french = QString::fromUtf8("Disc caf\xc3\xa9");
    EXPECT_FALSE(Cataloguer::refusal(japanese).has_value());
    const common::testing::ScopedCodePage windows(common::CodePage::Kind::Windows1252);
    EXPECT_EQ(Cataloguer::refusal(japanese),
              "The disc name holds characters that the catalogue's code page cannot hold.");
    EXPECT_FALSE(Cataloguer::refusal(french).has_value());
}

TEST_F(CataloguerTest, TheIndexHoldsANameWithoutRegardToCase) {
    root.write("data/DK.tex", "Holiday\r\nMUSIC\r\n");
    index.load();
    EXPECT_TRUE(index.holds("music"));
    EXPECT_EQ(*index.spelling("music"), "MUSIC");
    EXPECT_FALSE(index.holds("Holiday 2"));
}

TEST_F(CataloguerTest, BuildPublishesTheListAndRefusesASecondWalk) {
    root.write("disc/a.txt", "x");
    const auto counts = cataloguer.build("Disc 1", "E", {});
    EXPECT_EQ(counts.files, 1);
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"),
              "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));

    dravik::walker::WalkLock other(program);
    ASSERT_TRUE(other.acquire(data / "Other.rtf"));
    EXPECT_EQ(dravik::walker::WalkLock::busyWith(program), data / "Other.rtf");
    try {
        cataloguer.build("Disc 2", "E", {});
        FAIL();
    } catch (const common::Error& e) {
        EXPECT_EQ(e.description(), "Another cataloguing is running (Other.rtf). Wait until it has "
                                   "finished, then try again.");
    }
    EXPECT_FALSE(std::filesystem::exists(data / "Disc 2.rtf"));
    other.release();
    EXPECT_TRUE(dravik::walker::WalkLock::busyWith(program).empty());
}

TEST_F(CataloguerTest, UnreadableDriveIsDeviceUnavailable) {
    table.set('E', (root / "nothing").string());
    for (const QString& drive : {QString("E"), QString()}) {
        try {
            cataloguer.build("Disc", drive, {});
            FAIL();
        } catch (const common::Error& e) {
            EXPECT_EQ(e.number(), 68);
        }
    }
    EXPECT_FALSE(std::filesystem::exists(data / "Disc.rtf"));
}

// The longest name the check lets through must also be one the build can publish: its list
// "<name>.rtf" is 255 bytes, the longest file name there is.
TEST_F(CataloguerTest, TheLongestNameThatPassesTheCheckIsPublished) {
    root.write("disc/a.txt", "x");
    const QString longest(251, u'x');
    EXPECT_FALSE(Cataloguer::refusal(longest).has_value());
    EXPECT_TRUE(Cataloguer::refusal(longest + u'x').has_value());
    const auto built = cataloguer.buildAndRecord(longest, "E", {});
    EXPECT_EQ(built.counts.files, 1);
    EXPECT_TRUE(built.nameAdded);
    EXPECT_EQ(TempFolder::read(data / (std::string(251, 'x') + ".rtf")),
              "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), std::string(251, 'x') + "\r\n");
}

// The index names a disc only once its list is published: while the walk runs (when a kill
// could come) and after any failure, the name is not there.
TEST_F(CataloguerTest, TheIndexNamesADiscOnlyOnceItsListIsPublished) {
    root.write("disc/a.txt", "x");
    std::string index = "Old\r\n";
    root.write("data/DK.tex", index);
    const auto during = [&](const dravik::walker::WalkCounts&) {
        EXPECT_EQ(TempFolder::read(data / "DK.tex"), index);
    };
    auto built = cataloguer.buildAndRecord("Disc 1", "E", during);
    EXPECT_TRUE(built.nameAdded);
    index += "Disc 1\r\n";
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), index);
    // Catalogued again under the name in other letters: the index stays as it is.
    built = cataloguer.buildAndRecord("DISC 1", "E", during);
    EXPECT_FALSE(built.nameAdded);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Old\r\nDisc 1\r\n");

    // A stopped walk, an unreadable drive, a list that cannot be published: no name.
    std::stop_source stop;
    stop.request_stop();
    EXPECT_FALSE(cataloguer.buildAndRecord("Stopped", "E", {}, stop.get_token()).nameAdded);
    EXPECT_THROW(cataloguer.buildAndRecord("No disc", "Q", {}), common::Error);
    root.makeFolder("data/Blocked.rtf");
    EXPECT_THROW(cataloguer.buildAndRecord("Blocked", "E", {}), common::Error);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Old\r\nDisc 1\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Stopped.rtf"));
}

// Whatever fails after the walk, the scan work file goes with it.
TEST_F(CataloguerTest, AFailedPublishRemovesTheWorkFile) {
    root.write("disc/a.txt", "x");
    root.makeFolder("data/Disc 1.rtf"); // a folder where the list should go
    EXPECT_THROW(cataloguer.build("Disc 1", "E", {}), common::Error);
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    EXPECT_TRUE(std::filesystem::is_directory(data / "Disc 1.rtf"));
    EXPECT_TRUE(dravik::walker::WalkLock::busyWith(program).empty());
}
