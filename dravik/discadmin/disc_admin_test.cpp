#include "common/settings_store.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/discadmin/old_list_cleaner.h"

#include <gtest/gtest.h>

using common::testing::TempFolder;
using dravik::catalogue::DiscIndex;
using dravik::discadmin::DiscAdmin;
namespace OldListCleaner = dravik::discadmin::OldListCleaner;

namespace {

class DiscAdminTest : public ::testing::Test {
protected:
    TempFolder root;
    std::filesystem::path data = root.makeFolder("data");
    common::testing::ScopedVariable settings{"DRAVIK_SETTINGS_DIR",
                                             root.makeFolder("settings").c_str()};
    DiscIndex index{dravik::catalogue::Catalogue(data, root.makeFolder("program"))};
    DiscAdmin admin{index};
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
    admin.rename("holiday", "Summer", trouble); // acts on the index's own spelling
    EXPECT_EQ(index.names(), (QStringList{"Summer", "Work"}));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Holiday\r\nWork\r\n");
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "list\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Holiday.rtf"));
    EXPECT_EQ(size("Summer"), "12");
    EXPECT_EQ(size("Holiday"), "absent");
    admin.rename("Work", "Job", trouble); // no list and no size: the index changes, Size is "0"
    EXPECT_EQ(size("Job"), "0");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Summer\r\nWork\r\n");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DiscAdminTest, RenameRefusesAnotherDiscsNameABadNameAStrayListAndANameNotCatalogued) {
    root.write("data/DK.tex", "Holiday\r\nWork\r\n");
    EXPECT_TRUE(admin.renameRefusal("Holiday", "work"));
    EXPECT_TRUE(admin.renameRefusal("Holiday", "a/b"));
    EXPECT_TRUE(admin.renameRefusal("Holiday", "x:y"));
    EXPECT_FALSE(admin.renameRefusal("Holiday", "HOLIDAY")); // the same disc
    EXPECT_FALSE(admin.renameRefusal("Holiday", "Summer"));
    root.write("data/summer.rtf", "left over\r\n");
    EXPECT_TRUE(admin.renameRefusal("Holiday", "Summer"));
    EXPECT_EQ(*admin.renameRefusal("", "Anything"),
              "No disc named \"\" is in the catalogue; nothing was changed.");
}

TEST_F(DiscAdminTest, ANameTheIndexDoesNotHoldIsNeverRenamedNorDeleted) {
    root.write("data/DK.tex", "Holiday\r\n");
    root.write("data/Ghost.rtf", "a list the index does not name\r\n");
    root.makeFolder("data/QReport");
    root.write("data/QReport/Holiday finds.rtf", "report\r\n");
    root.write("outside.rtf", "not the catalogue's\r\n");
    EXPECT_EQ(*admin.renameRefusal("Ghost", "Phantom"),
              "No disc named \"Ghost\" is in the catalogue; nothing was changed.");
    EXPECT_THROW(admin.rename("Ghost", "Phantom", trouble), common::Error);
    EXPECT_THROW(admin.rename("", "FromEmpty", trouble), common::Error);
    for (const char* typed : {"Ghost", "QReport/Holiday finds", "../outside"}) {
        const auto removal = admin.remove({typed}, trouble);
        EXPECT_TRUE(removal.deleted.isEmpty()) << typed;
        EXPECT_EQ(removal.notCatalogued, QStringList{typed});
    }
    EXPECT_TRUE(std::filesystem::exists(data / "Ghost.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "Phantom.rtf"));
    EXPECT_TRUE(std::filesystem::exists(data / "QReport/Holiday finds.rtf"));
    EXPECT_TRUE(std::filesystem::exists(root.path() / "outside.rtf"));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n");
    EXPECT_EQ(size("FromEmpty"), "absent");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DiscAdminTest, AnIndexLineLeadingOutOfTheDataFolderLosesItsLineButNoFile) {
    root.write("data/DK.tex", "Holiday\r\n../outside\r\n");
    root.write("outside.rtf", "not the catalogue's\r\n");
    const auto removal = admin.remove({"../outside"}, trouble);
    EXPECT_EQ(removal.deleted, QStringList{"../outside"});
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n");
    EXPECT_EQ(TempFolder::read(root.path() / "outside.rtf"), "not the catalogue's\r\n");
    ASSERT_EQ(errors.size(), 1);
    EXPECT_EQ(errors[0], "\"../outside\" is not a disc name of the data folder");
    root.write("data/DK.tex", "..\r\n");
    EXPECT_THROW(admin.rename("..", "Up", trouble), common::Error); // nothing to move from
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "..\r\n");
}

TEST_F(DiscAdminTest, ChangesStartFromTheFileNotFromWhatTheModelLastSaw) {
    root.write("data/DK.tex", "Work\r\n");
    index.load();
    // Another program catalogues and renames meanwhile.
    root.write("data/DK.tex", "Work\r\nBrand New\r\n");
    root.write("data/Brand New.rtf", "new\r\n");
    admin.remove({"Work"}, trouble);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Brand New\r\n");
    EXPECT_EQ(index.names(), QStringList{"Brand New"});
    EXPECT_TRUE(std::filesystem::exists(data / "Brand New.rtf"));
}

TEST_F(DiscAdminTest, ARenameThatCannotSwapTheIndexLeavesEverythingAsItWas) {
    root.write("data/DK.tex", "Holiday\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    root.makeFolder("data/DkFetch.xxx"); // the work file cannot be written
    EXPECT_THROW(admin.rename("Holiday", "Summer", trouble), common::Error);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n");
    EXPECT_EQ(TempFolder::read(data / "Holiday.rtf"), "list\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Summer.rtf"));
    EXPECT_EQ(index.names(), QStringList{"Holiday"});
}

TEST_F(DiscAdminTest, ARenameWhoseSettingCannotMoveIsDoneAndSaysWhatFailed) {
    root.write("data/DK.tex", "Holiday\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    root.makeFolder("settings/dravik.ini"); // the settings file cannot be written
    admin.rename("Holiday", "Summer", trouble);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\n");
    EXPECT_EQ(index.names(), QStringList{"Summer"});
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "list\r\n");
    EXPECT_EQ(errors.size(), 1);
}

TEST_F(DiscAdminTest, DeleteDropsEveryEntryOfTheNameWithItsListAndSettings) {
    root.write("data/DK.tex", "Work\r\nHoliday\r\nWORK\r\nMusic\r\n");
    root.write("data/Work.rtf", "list\r\n");
    common::SettingsStore("Dravik").setValue("Work", "Size", "5");
    const auto removal = admin.remove({"work"}, trouble);
    EXPECT_EQ(removal.deleted, QStringList{"Work"});
    EXPECT_EQ(index.names(), (QStringList{"Holiday", "Music"}));
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\nMusic\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Work\r\nHoliday\r\nWORK\r\nMusic\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Work.rtf"));
    EXPECT_EQ(size("Work"), "absent");
    EXPECT_TRUE(errors.isEmpty());
    // Several at once keep the others in their order; a missing list is no failure.
    admin.remove({"Music", "Holiday"}, trouble);
    EXPECT_TRUE(index.names().isEmpty());
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DiscAdminTest, AListIsNeverDeletedWhileTheIndexStillNamesIt) {
    root.write("data/DK.tex", "Work\r\n");
    root.write("data/Work.rtf", "list\r\n");
    root.makeFolder("data/DkFetch.xxx");
    EXPECT_THROW(admin.remove({"Work"}, trouble), common::Error);
    EXPECT_EQ(TempFolder::read(data / "Work.rtf"), "list\r\n");
    EXPECT_EQ(index.names(), QStringList{"Work"});
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
