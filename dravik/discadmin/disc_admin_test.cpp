#include "common/settings_store.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/discadmin/old_list_cleaner.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::discadmin::DiscAdmin;
namespace OldListCleaner = dravik::discadmin::OldListCleaner;

namespace {

class DiscAdminTest : public ::testing::Test {
protected:
    TempFolder root;
    std::filesystem::path data = root.makeFolder("data");
    common::testing::ScopedVariable settings{"DRAVIK_SETTINGS_DIR",
                                             root.makeFolder("settings").c_str()};
    DiscAdmin admin{dravik::catalogue::Catalogue(data, root.makeFolder("program"))};
    QStringList errors;
    DiscAdmin::Trouble trouble = [this](const common::Error& e) {
        errors << QString::fromStdString(e.description());
    };

    QString size(const QString& disc) {
        return common::SettingsStore("Dravik").value(disc, "Size", "absent");
    }
};

} // namespace

TEST_F(DiscAdminTest, RenameMovesTheListTheSizeAndTheIndexKeepingABackup) {
    root.write("data/DK.tex", "Holiday\r\nWork\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    common::SettingsStore("Dravik").setValue("Holiday", "Size", "12");
    const QStringList after = admin.rename({"Holiday", "Work"}, "Holiday", "Summer");
    EXPECT_EQ(after, (QStringList{"Summer", "Work"}));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Holiday\r\nWork\r\n");
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "list\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Holiday.rtf"));
    EXPECT_EQ(size("Summer"), "12");
    EXPECT_EQ(size("Holiday"), "absent");
    admin.rename(after, "Work", "Job"); // no list and no size: the index changes, Size is "0"
    EXPECT_EQ(size("Job"), "0");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Summer\r\nWork\r\n");
}

TEST_F(DiscAdminTest, RenameRefusesAnotherDiscsNameABadNameAndAStrayList) {
    const QStringList discs = {"Holiday", "Work"};
    EXPECT_TRUE(admin.renameRefusal(discs, "Holiday", "work"));
    EXPECT_TRUE(admin.renameRefusal(discs, "Holiday", "a/b"));
    EXPECT_TRUE(admin.renameRefusal(discs, "Holiday", "x:y"));
    EXPECT_FALSE(admin.renameRefusal(discs, "Holiday", "HOLIDAY")); // the same disc
    EXPECT_FALSE(admin.renameRefusal(discs, "Holiday", "Summer"));
    root.write("data/summer.rtf", "left over\r\n");
    EXPECT_TRUE(admin.renameRefusal(discs, "Holiday", "Summer"));
}

TEST_F(DiscAdminTest, ARenameThatCannotSwapTheIndexLeavesEverythingAsItWas) {
    root.write("data/DK.tex", "Holiday\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    root.makeFolder("data/DkFetch.xxx"); // the work file cannot be written
    EXPECT_THROW(admin.rename({"Holiday"}, "Holiday", "Summer"), common::Error);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n");
    EXPECT_EQ(TempFolder::read(data / "Holiday.rtf"), "list\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Summer.rtf"));
}

TEST_F(DiscAdminTest, DeleteDropsEveryEntryOfTheNameWithItsListAndSettings) {
    root.write("data/DK.tex", "Work\r\nHoliday\r\nWORK\r\nMusic\r\n");
    root.write("data/Work.rtf", "list\r\n");
    common::SettingsStore("Dravik").setValue("Work", "Size", "5");
    const auto after = admin.remove({"Work", "Holiday", "WORK", "Music"}, {"work"}, trouble);
    EXPECT_EQ(after, (QStringList{"Holiday", "Music"}));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nMusic\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Work\r\nHoliday\r\nWORK\r\nMusic\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Work.rtf"));
    EXPECT_EQ(size("Work"), "absent");
    EXPECT_TRUE(errors.isEmpty());
    // Several at once keep the others in their order; a missing list is no failure.
    const auto rest = admin.remove(after, {"Music", "Holiday"}, trouble);
    EXPECT_TRUE(rest.isEmpty());
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DiscAdminTest, AListIsNeverDeletedWhileTheIndexStillNamesIt) {
    root.write("data/DK.tex", "Work\r\n");
    root.write("data/Work.rtf", "list\r\n");
    root.makeFolder("data/DkFetch.xxx");
    EXPECT_THROW(admin.remove({"Work"}, {"Work"}, trouble), common::Error);
    EXPECT_EQ(TempFolder::read(data / "Work.rtf"), "list\r\n");
}

TEST_F(DiscAdminTest, OldListsKeepTheirEntriesAndGetTheirLineCount) {
    std::string old;
    for (int i = 0; i < 10; ++i)
        old += (i % 3 == 1 ? "   entry " : "header ") + std::to_string(i) + "\r\n";
    const auto list = root.write("data/Old.rtf", old);
    const auto result = OldListCleaner::clean(list);
    EXPECT_EQ(result.linesRead, 10);
    EXPECT_EQ(result.obsolete, 7);
    EXPECT_FALSE(result.skipped);
    EXPECT_EQ(TempFolder::read(list), "   entry 1\r\n   entry 4\r\n   entry 7\r\n 10 \r\n");
    const auto current = root.write("data/New.rtf", "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    const auto untouched = OldListCleaner::clean(current);
    EXPECT_TRUE(untouched.skipped);   // never destroyed
    EXPECT_EQ(untouched.obsolete, 0); // and its lines are not counted as dropped
    EXPECT_EQ(TempFolder::read(current), "\"E:\\\",\"a.txt\"\r\n1 files :  folders\r\n");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data),
                            std::filesystem::directory_iterator()),
              2); // no temporary file left beside the lists
}
