#include "common/error.h"
#include "common/list_text.h"
#include "common/settings_store.h"
#include "common/testing/scoped_ordinary_user.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/catalogue.h"
#include "dravik/catalogue/change_journal.h"
#include "dravik/catalogue/disc_index.h"

#include <gtest/gtest.h>

#include <cstring>
#include <sys/stat.h>

using common::testing::TempFolder;
using dravik::catalogue::Catalogue;
using dravik::catalogue::ChangeJournal;
using dravik::catalogue::DiscIndex;

namespace {
class CatalogueTest : public common::testing::WorkspaceFixture {
protected:
    Catalogue catalogue{data, program};
};
} // namespace

TEST_F(CatalogueTest, DiscIndexAppendReadAndCommas) {
    EXPECT_TRUE(catalogue.readDiscIndex().isEmpty());
    EXPECT_TRUE(std::filesystem::exists(data / "DK.tex")); // created empty
    catalogue.appendDiscName("Holiday 2009");
    catalogue.appendDiscName("Music, vol 1");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday 2009\r\nMusic, vol 1\r\n");
    // A name holding a comma is written whole but comes back as two entries.
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Holiday 2009", "Music", "vol 1"}));
}

TEST_F(CatalogueTest, NamesResolveWithoutRegardToCase) {
    root.write("data/dk.TEX", "Old\r\n");
    root.write("data/PHOTOS.rtf", "x\r\n");
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Old"}));
    catalogue.appendDiscName("New");
    EXPECT_EQ(TempFolder::read(data / "dk.TEX"), "Old\r\nNew\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "DK.tex"));
    EXPECT_EQ(catalogue.discListPath("photos"), data / "PHOTOS.rtf");
    EXPECT_EQ(catalogue.discListPath("New disc"), data / "New disc.rtf");
}

TEST_F(CatalogueTest, RewriteKeepsBackupAndLeavesNoWorkFile) {
    catalogue.appendDiscName("A");
    catalogue.appendDiscName("B");
    catalogue.rewriteDiscIndex({"B", "C"});
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "A\r\nB\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "DkFetch.xxx"));
    catalogue.rewriteDiscIndex({"C"});
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "B\r\nC\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "C\r\n");
}

TEST_F(CatalogueTest, PublishReplacesTheListWholeAndRemovesTheWorkFile) {
    root.write("data/Disc 1.rtf", "old list, much longer than the new one\r\n");
    root.write("program/File.List.Qel", "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    catalogue.publishWorkFile("disc 1");
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    // Without a work file nothing is touched.
    EXPECT_THROW(catalogue.publishWorkFile("disc 1"), common::Error);
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"), "\"E:\\\",\"a\"\r\n1 files :  folders\r\n");
}

TEST(Catalogue, CountListLines) {
    EXPECT_EQ(Catalogue::countListLines(""), 1);
    EXPECT_EQ(Catalogue::countListLines("a"), 1);
    // N file lines and the summary line, ending in a line break: N + 2.
    EXPECT_EQ(
        Catalogue::countListLines("\"E:\\\",\"a\"\r\n\"E:\\\",\"b\"\r\n2 files :  folders\r\n"), 4);
}

TEST_F(CatalogueTest, AppendingToAnIndexWithoutAFinalLineEndKeepsTheNamesApart) {
    root.write("data/DK.tex", "Old\r\nNoEOLAfter");
    catalogue.appendDiscName("New");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Old\r\nNoEOLAfter\r\nNew\r\n");
    EXPECT_EQ(catalogue.readDiscIndex(), (QStringList{"Old", "NoEOLAfter", "New"}));
}

TEST_F(CatalogueTest, AListWhoseNameIsNotUtf8IsFoundByTheNameTheIndexGivesIt) {
    root.write("data/D\xe9mo.rtf", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    root.write("data/DK.tex", "D\xe9mo\r\n");
    const QStringList discs = catalogue.readDiscIndex();
    ASSERT_EQ(discs, QStringList{QString::fromUtf8("D\xc3\xa9mo")});
    EXPECT_EQ(catalogue.discListPath(discs[0]), data / "D\xe9mo.rtf");
    EXPECT_EQ(common::ListText::load(catalogue.discListPath(discs[0])),
              "\"E:\\\",\"a.txt\"\n1 files :  folders\n");
}

namespace {
unsigned modeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}
} // namespace

TEST_F(CatalogueTest, ARewriteOfTheIndexKeepsItsMode) {
    const mode_t umask = ::umask(022);
    for (const unsigned mode : {0600u, 0640u, 0664u}) {
        root.write("data/DK.tex", "A\r\n");
        ::chmod((data / "DK.tex").c_str(), mode);
        catalogue.rewriteDiscIndex({"B"});
        EXPECT_EQ(modeOf(data / "DK.tex"), mode);
        EXPECT_EQ(modeOf(data / "Dk.Tex.Bak"), mode);
    }
    ::umask(umask);
}

namespace {
// A catalogue the running user may read but not change: run by root, the test acts as an
// ordinary user, so the temporary folders must let others in.
class ReadOnlyCatalogueTest : public CatalogueTest {
protected:
    void SetUp() override {
        std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
        root.write("data/DK.tex", "Holiday\r\nWork\r\n");
        root.write("data/Holiday.rtf", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    }
    void TearDown() override { std::filesystem::permissions(data, std::filesystem::perms(0755)); }
};
} // namespace

TEST_F(ReadOnlyCatalogueTest, AReadOnlyIndexIsReadAndAChangeSaysWhyNot) {
    ::chmod((data / "DK.tex").c_str(), 0444);
    const common::testing::ScopedOrdinaryUser user;
    DiscIndex index(catalogue);
    index.load(DiscIndex::WhenMissing::Create);
    EXPECT_EQ(index.names(), (QStringList{"Holiday", "Work"}));
    const std::string why = "The catalogue in \"" + data.string() +
                            "\" is read-only: its discs can be opened and searched, but no disc "
                            "can be catalogued, renamed or deleted there.";
    EXPECT_EQ(index.readOnlyRefusal(), QString::fromStdString(why));
    try {
        const DiscIndex::Change change(index);
        ADD_FAILURE() << "a change of a read-only index";
    } catch (const common::Error& e) {
        EXPECT_EQ(e.number(), common::ErrorNumber::PermissionDenied);
        EXPECT_EQ(e.description(), why);
    }
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nWork\r\n");
}

TEST_F(ReadOnlyCatalogueTest, AReadOnlyFolderIsReadAndWithoutAnIndexHoldsNoDiscs) {
    const Catalogue empty(root.makeFolder("empty"), program);
    for (const auto& folder : {data, empty.dataFolder()})
        std::filesystem::permissions(folder, std::filesystem::perms(0555));
    const common::testing::ScopedOrdinaryUser user;
    DiscIndex index(catalogue);
    index.load(DiscIndex::WhenMissing::Create);
    EXPECT_EQ(index.names(), (QStringList{"Holiday", "Work"}));
    EXPECT_TRUE(index.readOnlyRefusal());
    EXPECT_THROW(index.add("New"), common::Error);
    catalogue.removeLeftOvers();
    EXPECT_TRUE(empty.readDiscIndex().isEmpty());
    EXPECT_FALSE(std::filesystem::exists(empty.dataFolder() / "DK.tex"));
}

namespace {
// What a killed rename or delete left: its record and the state at the moment of the kill.
class KilledChangeTest : public CatalogueTest {
protected:
    ChangeJournal journal{catalogue};

    void SetUp() override {
        root.write("data/Mine.rtf", "the user's own file, named by no index line\r\n");
        common::SettingsStore sizes("Dravik");
        for (const char* disc : {"Holiday", "Work", "Music"}) {
            root.write("data/" + std::string(disc) + ".rtf", std::string(disc) + "\r\n");
            sizes.setValue(disc, "Size", QString::number(std::strlen(disc)));
        }
    }
    static QString size(const QString& disc) {
        return common::SettingsStore("Dravik").value(disc, "Size", "absent");
    }
    bool hasList(const std::string& disc) const {
        return std::filesystem::exists(data / (disc + ".rtf"));
    }
};
} // namespace

TEST_F(KilledChangeTest, ADeleteKilledAfterTheIndexSwapIsFinishedAtTheNextStart) {
    journal.recordDelete({"Holiday", "Work"});
    root.write("data/DK.tex", "Music\r\n"); // swapped; lists and settings still there
    catalogue.removeLeftOvers();
    EXPECT_FALSE(hasList("Holiday"));
    EXPECT_FALSE(hasList("Work"));
    EXPECT_EQ(size("Holiday"), "absent");
    EXPECT_EQ(size("Work"), "absent");
    EXPECT_TRUE(hasList("Music"));
    EXPECT_EQ(size("Music"), "5");
    EXPECT_TRUE(hasList("Mine"));
    EXPECT_FALSE(journal.pending());
    EXPECT_FALSE(std::filesystem::exists(data / "DK.tex.journal"));
}

TEST_F(KilledChangeTest, ADeleteKilledBeforeTheIndexSwapDeletesNothing) {
    journal.recordDelete({"Holiday"});
    root.write("data/DK.tex", "Holiday\r\nMusic\r\n");
    catalogue.removeLeftOvers();
    EXPECT_TRUE(hasList("Holiday"));
    EXPECT_EQ(size("Holiday"), "7");
    EXPECT_FALSE(journal.pending());
}

TEST_F(KilledChangeTest, ARenameKilledBeforeTheIndexSwapIsUndoneAndCanBeMadeAgain) {
    root.write("data/DK.tex", "Holiday\r\nMusic\r\n");
    journal.recordRename("Holiday", "Summer", data / "Holiday.rtf", data / "Summer.rtf");
    std::filesystem::create_hard_link(data / "Holiday.rtf", data / "Summer.rtf");
    catalogue.removeLeftOvers();
    EXPECT_FALSE(hasList("Summer"));
    EXPECT_EQ(TempFolder::read(data / "Holiday.rtf"), "Holiday\r\n");
    EXPECT_EQ(size("Holiday"), "7");
    EXPECT_FALSE(journal.pending());
}

TEST_F(KilledChangeTest, ARenameKilledAfterTheIndexSwapIsFinished) {
    root.write("data/DK.tex", "Summer\r\nMusic\r\n");
    journal.recordRename("Holiday", "Summer", data / "Holiday.rtf", data / "Summer.rtf");
    std::filesystem::create_hard_link(data / "Holiday.rtf", data / "Summer.rtf");
    catalogue.removeLeftOvers();
    EXPECT_FALSE(hasList("Holiday"));
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "Holiday\r\n");
    EXPECT_EQ(size("Summer"), "7");
    EXPECT_EQ(size("Holiday"), "absent");
    // Killed between the two settings writes: the value is not moved twice.
    common::SettingsStore("Dravik").setValue("Work", "Size", "4");
    root.write("data/DK.tex", "Summer\r\nJob\r\n");
    journal.recordRename("Work", "Job", {}, {});
    common::SettingsStore("Dravik").setValue("Job", "Size", "4");
    catalogue.removeLeftOvers();
    EXPECT_EQ(size("Job"), "4");
    EXPECT_EQ(size("Work"), "absent");
    EXPECT_TRUE(hasList("Mine"));
}

TEST_F(KilledChangeTest, ARecordOfAChangeStillRunningIsLeftToIt) {
    root.write("data/DK.tex", "Music\r\n");
    DiscIndex running(catalogue);
    const DiscIndex::Change change(running);
    journal.recordDelete({"Holiday"});
    catalogue.removeLeftOvers(); // does not wait for the running change
    EXPECT_TRUE(journal.pending());
    EXPECT_TRUE(hasList("Holiday"));
}
