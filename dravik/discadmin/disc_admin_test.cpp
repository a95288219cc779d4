#include "common/settings_store.h"
#include "common/testing/scoped_ordinary_user.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"
#include "dravik/discadmin/disc_admin.h"
#include "dravik/discadmin/old_list_cleaner.h"

#include <gtest/gtest.h>

#include <map>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <unistd.h>

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

namespace {
// Counts the files renamed into place in the folders watched: each rewrite of a file is one.
class RewriteCounter {
public:
    RewriteCounter() : fd_(::inotify_init1(IN_NONBLOCK | IN_CLOEXEC)) {}
    ~RewriteCounter() { ::close(fd_); }
    RewriteCounter(const RewriteCounter&) = delete;
    RewriteCounter& operator=(const RewriteCounter&) = delete;

    void watch(const std::filesystem::path& folder) {
        ::inotify_add_watch(fd_, folder.c_str(), IN_MOVED_TO);
    }
    // How often each name was renamed into place since the last call.
    std::map<std::string, int> take() {
        std::map<std::string, int> count;
        alignas(inotify_event) char buffer[1 << 16];
        ssize_t n;
        while ((n = ::read(fd_, buffer, sizeof buffer)) > 0) {
            for (char* at = buffer; at < buffer + n;) {
                const auto* event = reinterpret_cast<const inotify_event*>(at);
                if (event->len > 0)
                    ++count[event->name];
                at += sizeof(inotify_event) + event->len;
            }
        }
        return count;
    }

private:
    int fd_;
};

unsigned modeOf(const std::filesystem::path& file) {
    struct stat st {};
    ::stat(file.c_str(), &st);
    return st.st_mode & 07777;
}
} // namespace

TEST_F(DiscAdminTest, DeletingManyDiscsIsOneIndexSwapAndOneSettingsRewrite) {
    constexpr int Discs = 3000;
    constexpr int Deleted = 500;
    std::string indexText, settingsText;
    QStringList chosen, kept;
    for (int i = 0; i < Discs; ++i) {
        const std::string disc = "Disc " + std::to_string(10000 + i);
        indexText += disc + "\r\n";
        settingsText += "[" + disc + "]\r\nSize=" + std::to_string(i) + "\r\n";
        root.write("data/" + disc + ".rtf", disc + "\r\n");
        (i % (Discs / Deleted) == 0 ? chosen : kept) << QString::fromStdString(disc);
    }
    ASSERT_EQ(chosen.size(), Deleted);
    root.write("data/DK.tex", indexText);
    root.write("settings/dravik.ini", settingsText);
    RewriteCounter rewrites;
    rewrites.watch(data);
    rewrites.watch(root.path() / "settings");

    const auto removal = admin.remove(chosen, trouble);

    const auto counted = rewrites.take();
    EXPECT_EQ(counted.count("DK.tex") ? counted.at("DK.tex") : 0, 1);
    EXPECT_EQ(counted.count("dravik.ini") ? counted.at("dravik.ini") : 0, 1);
    EXPECT_EQ(removal.deleted, chosen);
    EXPECT_EQ(index.names(), kept);
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), indexText);
    for (const QString& disc : chosen) {
        EXPECT_FALSE(std::filesystem::exists(data / (disc.toStdString() + ".rtf")));
        EXPECT_EQ(size(disc), "absent");
    }
    EXPECT_EQ(size("Disc 10001"), "1");
    EXPECT_TRUE(std::filesystem::exists(data / "Disc 10001.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "DK.tex.journal"));
    EXPECT_TRUE(errors.isEmpty());
}

TEST_F(DiscAdminTest, RenameAndDeleteKeepTheModesOfTheIndexAndTheSettings) {
    const mode_t umask = ::umask(022);
    root.write("data/DK.tex", "Holiday\r\nWork\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    common::SettingsStore("Dravik").setValue("Holiday", "Size", "12");
    ::chmod((data / "DK.tex").c_str(), 0600);
    ::chmod((root.path() / "settings/dravik.ini").c_str(), 0600);
    admin.rename("Holiday", "Summer", trouble);
    EXPECT_EQ(modeOf(data / "DK.tex"), 0600u);
    EXPECT_EQ(modeOf(root.path() / "settings/dravik.ini"), 0600u);
    ::chmod((data / "DK.tex").c_str(), 0640);
    admin.remove({"Summer"}, trouble);
    EXPECT_EQ(modeOf(data / "DK.tex"), 0640u);
    EXPECT_EQ(modeOf(root.path() / "settings/dravik.ini"), 0600u);
    EXPECT_TRUE(errors.isEmpty());
    ::umask(umask);
}

TEST_F(DiscAdminTest, ARenameOrDeleteInAReadOnlyCatalogueSaysWhyAndChangesNothing) {
    std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
    root.write("data/DK.tex", "Holiday\r\n");
    root.write("data/Holiday.rtf", "list\r\n");
    ::chmod((data / "DK.tex").c_str(), 0444);
    const common::testing::ScopedOrdinaryUser user;
    const QString why = QStringLiteral("The catalogue in \"") +
                        QString::fromStdString(data.string()) +
                        "\" is read-only: its discs can be opened and searched, but no disc "
                        "can be catalogued, renamed or deleted there.";
    EXPECT_EQ(admin.renameRefusal("Holiday", "Summer"), why);
    EXPECT_THROW(admin.rename("Holiday", "Summer", trouble), common::Error);
    EXPECT_THROW(admin.remove({"Holiday"}, trouble), common::Error);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n");
    EXPECT_TRUE(std::filesystem::exists(data / "Holiday.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "Summer.rtf"));
}
