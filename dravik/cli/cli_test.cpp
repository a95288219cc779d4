#include "common/settings_store.h"
#include "common/testing/scoped_code_page.h"
#include "common/testing/scoped_file_size_limit.h"
#include "common/testing/scoped_ordinary_user.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/cli/cli.h"
#include "dravik/walker/walk_lock.h"

#include <QDir>

#include <gtest/gtest.h>

#include <sstream>
#include <sys/stat.h>
#include <unistd.h>

using common::testing::TempFolder;
using dravik::cli::Cli;

namespace {
class CliTest : public common::testing::WorkspaceFixture {
protected:
    std::ostringstream out, err;

    void SetUp() override { root.write("disc/Music/song.mp3", "x"); }
    int run(QStringList args) {
        out.str({});
        err.str({});
        args << "--data" << QString::fromStdString(data.string());
        return Cli(out, err).run(args);
    }
};
} // namespace

TEST_F(CliTest, CataloguesLikeTheWindow) {
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "e"}), 0) << err.str();
    EXPECT_EQ(out.str(), "1 files : 1 folders\n");
    EXPECT_EQ(TempFolder::read(data / "Disc 1.rtf"),
              "\"E:\\Music\\\",\"song.mp3\"\r\n1 files : 1 folders\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc 1\r\n");
    EXPECT_EQ(common::SettingsStore("Dravik 2016").value("Changes", "NewDisc"), "True");
}

TEST_F(CliTest, DefaultDriveComesFromTheProgramFolder) {
    root.write("program/SSc.ini", "E\r\n");
    EXPECT_EQ(run({"catalogue", "Disc 2"}), 0) << err.str();
    EXPECT_TRUE(std::filesystem::exists(data / "Disc 2.rtf"));
}

TEST_F(CliTest, RefusesWhatTheWindowRefuses) {
    EXPECT_EQ(run({"catalogue", "a/b", "--drive", "E"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: A disc name cannot hold / or \\.\n");
    EXPECT_EQ(run({"catalogue", "Disc"}), Cli::Refused); // no default drive
    EXPECT_EQ(err.str(), "dravik-cli: no default CD/DVD drive is set; use --drive LETTER or set it "
                         "with \"Set CD/DVD\" in the window\n");
    EXPECT_EQ(run({"catalogue", "Disc", "--drive", "Q"}), Cli::Refused);
    EXPECT_EQ(err.str(),
              "dravik-cli: drive Q: holds no readable disc (Drive Q: is not in the drive "
              "table). The disc in the drive may be blank, a RW disc that cannot be "
              "read here, or unreadable.\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");

    EXPECT_EQ(run({"catalogue", "Disc", "--drive", "E"}), 0);
    EXPECT_EQ(run({"catalogue", "DISC", "--drive", "E"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: a disc named \"DISC\" is already in the catalogue; add "
                         "--rebuild to catalogue it again under that name\n");
    EXPECT_EQ(run({"catalogue", "DISC", "--drive", "E", "--rebuild"}), 0);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc\r\n");
}

TEST_F(CliTest, ADiscNamedLikeOneOfTheProgramsOwnFilesIsRefused) {
    // No data path set and started in the program folder: the quick report is there.
    root.write("program/QReport.rtf", "last search\r\n");
    data = program;
    EXPECT_EQ(run({"catalogue", "QReport", "--drive", "E"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: \"QReport\" is the name of a list the program keeps "
                         "(QReport.rtf) and cannot name a disc.\n");
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), "last search\r\n");
    EXPECT_FALSE(std::filesystem::exists(program / "DK.tex"));
}

TEST_F(CliTest, UsageAndHelp) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("Usage: dravik-cli catalogue NAME"), std::string::npos);
    EXPECT_EQ(Cli(out, err).run({}), Cli::Usage);
    EXPECT_EQ(run({"frobnicate"}), Cli::Usage);
    EXPECT_EQ(run({"catalogue"}), Cli::Usage);
}

TEST_F(CliTest, HelpAndVersionBeforeAnyCommand) {
    for (const char* help : {"-h", "help"}) {
        EXPECT_EQ(Cli(out, err).run({help}), 0) << help;
        EXPECT_EQ(out.str().rfind("Usage: dravik-cli catalogue NAME", 0), 0u) << help;
        out.str({});
    }
    EXPECT_EQ(Cli(out, err).run({"--version"}), 0);
    EXPECT_EQ(out.str(), "dravik-cli 1.0.0\n");
    EXPECT_EQ(err.str(), "");
}

TEST_F(CliTest, WritesEachUsageErrorAsOneLine) {
    const auto usage = [this](QStringList args, const char* line) {
        out.str({});
        err.str({});
        EXPECT_EQ(Cli(out, err).run(args), Cli::Usage) << line;
        EXPECT_EQ(err.str(), line);
        EXPECT_EQ(out.str(), "");
    };
    usage({"frobnicate"}, "dravik-cli: unknown command \"frobnicate\" (try --help)\n");
    usage({"--frob", "list"}, "dravik-cli: unknown option \"--frob\" (try --help)\n");
    usage({"-x"}, "dravik-cli: unknown option \"-x\" (try --help)\n");
    usage({"--data"}, "dravik-cli: --data needs a folder (try --help)\n");
    usage({"list", "--data"}, "dravik-cli: --data needs a folder (try --help)\n");
    usage({"list", "extra"}, "dravik-cli: list takes no names (try --help)\n");
    usage({"catalogue"}, "dravik-cli: catalogue needs a disc name (try --help)\n");
    usage({"catalogue", "A", "B"}, "dravik-cli: unexpected \"B\" (try --help)\n");
    usage({"search"}, "dravik-cli: search needs a text to find (try --help)\n");
    usage({"search", "a", "--frob"}, "dravik-cli: unexpected \"--frob\" (try --help)\n");
    usage({"rename", "A"}, "dravik-cli: rename needs the old name and the new one (try --help)\n");
    usage({"delete"}, "dravik-cli: delete needs the names of the discs (try --help)\n");
}

TEST_F(CliTest, TheDataFolderMayComeBeforeTheCommand) {
    root.write("data/DK.tex", "Holiday\r\n");
    EXPECT_EQ(Cli(out, err).run({"--data", QString::fromStdString(data.string()), "list"}), 0)
        << err.str();
    EXPECT_EQ(out.str(), "Holiday\t\n");
}

namespace {
class CliSearchTest : public CliTest {
protected:
    void SetUp() override {
        root.write("data/DK.tex", "Disc 1\r\nDisc 2\r\n");
        root.write("data/Disc 1.rtf", "\"E:\\Sun\\\",\"beach.jpg\"\r\n1 files : 1 folders\r\n");
        root.write("data/Disc 2.rtf", "\"E:\\\",\"Beach.JPG\"\r\n\"E:\\x\\\",\"beach.jpg\"\r\n");
        root.write("program/QReport.rtf", "last search\r\n");
    }
};
} // namespace

TEST_F(CliSearchTest, PrintsTheQuickReportBytesAndTheCounts) {
    EXPECT_EQ(run({"search", "beach|sun"}), 0);
    EXPECT_EQ(out.str(), "*Disc 1* \"E:\\Sun\\\",\"beach.jpg\"\r\n"
                         "*Disc 2* \"E:\\\",\"Beach.JPG\"\r\n"
                         "*Disc 2* \"E:\\x\\\",\"beach.jpg\"\r\n");
    EXPECT_EQ(err.str(), "3 links, 8 examined\n");
    EXPECT_EQ(TempFolder::read(program / "QReport.rtf"), "last search\r\n"); // not touched

    EXPECT_EQ(run({"search", "beach", "--names", "--disc", "Disc 2", "--disc", "disc 1"}), 0);
    EXPECT_EQ(out.str(), "*Disc 2* \"E:\\\",\"Beach.JPG\"\r\n");
    EXPECT_EQ(run({"search", "Beach", "--case", "--word"}), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "0 links, 4 examined\n");

    root.write("data/TheShards-13/JPG.rtf", "beach.jpg \xb0 E:\\\r\n");
    EXPECT_EQ(run({"search", "beach", "--ext", "jpg", "--ext", "gif"}), 0);
    EXPECT_EQ(out.str(), "*JPG* beach.jpg \xc2\xb0 E:\\\r\n"); // in the system's code page
}

TEST_F(CliSearchTest, EachRowIsInOneCodePageOnScreenAndInTheReport) {
    root.write("data/M\xc3\xbcnze.rtf", "\"E:\\\",\"M\xfcnze.jpg\"\r\n"); // made on Windows
    root.write("data/Caf\xc3\xa9.rtf", "\"E:\\\",\"Caf\xc3\xa9.jpg\"\r\n");
    const QString coin = QString::fromUtf8("M\xc3\xbcnze");
    const QString cafe = QString::fromUtf8("Caf\xc3\xa9");
    EXPECT_EQ(run({"search", "jpg", "--disc", coin, "--disc", cafe, "--report", "Coins"}), 0);
    EXPECT_EQ(out.str(), "*M\xc3\xbcnze* \"E:\\\",\"M\xc3\xbcnze.jpg\"\r\n"
                         "*Caf\xc3\xa9* \"E:\\\",\"Caf\xc3\xa9.jpg\"\r\n");
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Coins.rtf"), out.str());

    const common::testing::ScopedCodePage cp1252(common::CodePage::Kind::Windows1252);
    EXPECT_EQ(run({"search", "jpg", "--disc", coin, "--disc", cafe, "--report", "Coins"}), 0);
    EXPECT_EQ(out.str(), "*M\xfcnze* \"E:\\\",\"M\xfcnze.jpg\"\r\n"
                         "*Caf\xe9* \"E:\\\",\"Caf\xe9.jpg\"\r\n");
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Coins.rtf"), out.str());
}

TEST_F(CliSearchTest, AListThatIsAFifoIsRefusedAndTheSearchGoesOn) {
    std::filesystem::remove(data / "Disc 1.rtf");
    ASSERT_EQ(::mkfifo((data / "Disc 1.rtf").c_str(), 0600), 0);
    ::alarm(20); // a blocked open would otherwise hang the test run
    EXPECT_EQ(run({"search", "beach"}), 2);
    ::alarm(0);
    EXPECT_EQ(out.str(),
              "*Disc 2* \"E:\\\",\"Beach.JPG\"\r\n*Disc 2* \"E:\\x\\\",\"beach.jpg\"\r\n");
    EXPECT_EQ(err.str(), "dravik-cli: " + (data / "Disc 1.rtf").string() +
                             ": is not a regular file (error 75)\n2 links, 2 examined\n");
}

TEST_F(CliSearchTest, ALineTooLongToSearchIsNamedAndNeverCut) {
    root.write("data/Disc 1.rtf",
               "beach 1\r\n" + std::string(16u << 20, 'x') + "beach\r\nbeach 3\r");
    EXPECT_EQ(run({"search", "beach", "--disc", "Disc 1"}), 2);
    EXPECT_EQ(out.str(), "*Disc 1* beach 1\r\n*Disc 1* beach 3\r\n");
    EXPECT_EQ(err.str(), "dravik-cli: Disc 1: line 2 is longer than 16 MiB and was not searched\n"
                         "2 links, 2 examined\n");
}

TEST_F(CliSearchTest, SavesTheRowsAsANamedReport) {
    EXPECT_EQ(run({"search", "beach", "--report", "Beaches"}), 0);
    EXPECT_EQ(TempFolder::read(data / "QReport" / "Beaches.rtf"), out.str());
    EXPECT_EQ(run({"search", "beach", "--report", "beach|sun"}), 2);
    EXPECT_EQ(err.str(), "dravik-cli: A report name cannot hold any of  : * ? \" < > |\n");
    EXPECT_EQ(run({"search", "beach", "--report", "qreport"}), 2); // the quick report's name
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(data / "QReport"), {}), 1);
}

TEST_F(CliSearchTest, ErrorsAndUsage) {
    std::filesystem::remove(data / "Disc 1.rtf");
    root.makeFolder("data/Disc 1.rtf");
    EXPECT_EQ(run({"search", "beach"}), 2);
    EXPECT_EQ(out.str(),
              "*Disc 2* \"E:\\\",\"Beach.JPG\"\r\n*Disc 2* \"E:\\x\\\",\"beach.jpg\"\r\n");
    EXPECT_EQ(err.str(), "dravik-cli: " + (data / "Disc 1.rtf").string() +
                             ": is a folder, not a file (error 75)\n2 links, 2 examined\n");
    EXPECT_EQ(run({"search", "x", "--data", (root / "nowhere").string().c_str()}), 2);
    EXPECT_EQ(run({"search"}), Cli::Usage);
    EXPECT_EQ(run({"search", "a", "b"}), Cli::Usage);
    EXPECT_EQ(run({"search", "a", "--frob"}), Cli::Usage);
}

TEST_F(CliTest, ADiscIndexThatIsAFifoIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((data / "DK.tex").c_str(), 0600), 0);
    ::alarm(20); // a blocked open would otherwise hang the test run
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "E"}), Cli::Refused);
    ::alarm(0);
    EXPECT_EQ(err.str(),
              "dravik-cli: " + (data / "DK.tex").string() + ": is not a regular file (error 75)\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Disc 1.rtf"));
}

TEST_F(CliTest, ADiscThatCannotBeCataloguedLeavesNoNameAndNoWorkFile) {
    root.makeFolder("data/Disc 1.rtf"); // its list cannot be published
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "E"}), Cli::Refused);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
}

TEST_F(CliTest, AFullDiskLeavesTheIndexWholeAndNoListBehind) {
    std::string index;
    for (int i = 0; i < 200; ++i)
        index += "Disc " + std::to_string(i) + "\r\n";
    root.write("data/DK.tex", index);
    {
        const common::testing::ScopedFileSizeLimit full(index.size() + 3);
        EXPECT_EQ(run({"catalogue", "Tiny one", "--drive", "E"}), Cli::Refused);
    }
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), index);
    EXPECT_FALSE(std::filesystem::exists(data / "Tiny one.rtf"));
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
    EXPECT_EQ(run({"catalogue", "Tiny two", "--drive", "E"}), 0) << err.str();
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), index + "Tiny two\r\n");
}

TEST_F(CliTest, LeftOverFilesOfKilledRewritesAreRemoved) {
    const auto stale = root.write("data/DK.tex.new-Ab12Cd", "killed\r\n");
    const auto own = root.write("data/.dravik-AbCd1234.new", "killed\r\n");
    for (const auto& file : {stale, own})
        TempFolder::makeOlder(file, std::chrono::hours(1));
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "E"}), 0) << err.str();
    EXPECT_FALSE(std::filesystem::exists(stale));
    EXPECT_FALSE(std::filesystem::exists(own));
}

// Any command tidies up at its start: the new files of killed rewrites, however young, and the
// work file of a killed walk; a walk that runs keeps its work file.
TEST_F(CliTest, AnyCommandRemovesWhatAKilledProgramLeftBehind) {
    const auto own = root.write("data/.dravik-AbCd1234.new", "killed a moment ago\r\n");
    const auto work = root.write("program/File.List.Qel", "half a walk\r\n");
    {
        dravik::walker::WalkLock running(program);
        ASSERT_TRUE(running.acquire(data / "Other.rtf"));
        EXPECT_EQ(run({"list"}), 0) << err.str();
        EXPECT_FALSE(std::filesystem::exists(own));
        EXPECT_TRUE(std::filesystem::exists(work));
    }
    root.write("data/.dravik-AbCd1234.new", "killed a moment ago\r\n");
    EXPECT_EQ(run({"search", "beach"}), 1) << err.str();
    EXPECT_FALSE(std::filesystem::exists(own));
    EXPECT_FALSE(std::filesystem::exists(work));
}

namespace {
class CliDiscsTest : public CliTest {
protected:
    void SetUp() override {
        root.write("data/DK.tex", "Holiday\r\nWork\r\nMusic\r\nWORK\r\n");
        root.write("data/Holiday.rtf", "list\r\n");
        root.write("data/Work.rtf", "w\r\n");
        common::SettingsStore("Dravik").setValue("Holiday", "Size", "12");
    }
};
} // namespace

TEST_F(CliDiscsTest, ListsTheDiscsInOrderWithTheirSize) {
    EXPECT_EQ(run({"list"}), 0);
    EXPECT_EQ(out.str(), "Holiday\t12\nWork\t\nMusic\t\nWORK\t\n");
    EXPECT_EQ(run({"list", "extra"}), Cli::Usage);
}

TEST_F(CliDiscsTest, RenamesAsTheWindowDoes) {
    const std::string before = TempFolder::read(data / "DK.tex");
    EXPECT_EQ(run({"rename", "holiday", "Summer"}), 0) << err.str();
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\nMusic\r\nWORK\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), before);
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "list\r\n");
    EXPECT_EQ(common::SettingsStore("Dravik").value("Summer", "Size"), "12");
    EXPECT_EQ(run({"rename", "Summer", "music"}), Cli::Refused); // another disc's name
    EXPECT_NE(err.str().find("already in the catalogue"), std::string::npos);
    EXPECT_EQ(run({"rename", "Summer", "a/b"}), Cli::Refused);
    EXPECT_EQ(run({"rename", "Nothing", "New"}), Cli::Refused);
    EXPECT_EQ(err.str(), "dravik-cli: no disc named \"Nothing\" is catalogued\n");
    EXPECT_EQ(run({"rename", "Summer", "SUMMER"}), 0); // the same disc: nothing changes
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\nMusic\r\nWORK\r\n");
    EXPECT_EQ(run({"rename", "Summer"}), Cli::Usage);
}

TEST_F(CliDiscsTest, DeletesSeveralInOneSwapOrNoneWhenANameIsUnknown) {
    EXPECT_EQ(run({"delete", "work", "Nothing"}), Cli::Refused);
    EXPECT_EQ(err.str(),
              "dravik-cli: no disc named \"Nothing\" is catalogued; nothing was deleted\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Dk.Tex.Bak")); // nothing written
    EXPECT_EQ(run({"delete", "work", "Holiday"}), 0) << err.str();
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Music\r\n");
    EXPECT_EQ(TempFolder::read(data / "Dk.Tex.Bak"), "Holiday\r\nWork\r\nMusic\r\nWORK\r\n");
    EXPECT_FALSE(std::filesystem::exists(data / "Work.rtf"));
    EXPECT_FALSE(std::filesystem::exists(data / "Holiday.rtf"));
    EXPECT_EQ(common::SettingsStore("Dravik").value("Holiday", "Size", "absent"), "absent");
    EXPECT_EQ(run({"delete"}), Cli::Usage);
}

TEST_F(CliDiscsTest, AnIndexLineLeadingOutOfTheDataFolderNeverReachesAFile) {
    root.write("data/DK.tex", "Holiday\r\n../outside\r\n");
    root.write("outside.rtf", "not the catalogue's\r\n");
    EXPECT_EQ(run({"delete", "../outside"}), Cli::Incomplete);
    EXPECT_EQ(TempFolder::read(root.path() / "outside.rtf"), "not the catalogue's\r\n");
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Holiday\r\n"); // the bad line goes
    EXPECT_NE(err.str().find("\"../outside\" is not a disc name of the data folder"),
              std::string::npos)
        << err.str();
    EXPECT_NE(err.str().find("deleted 1 of 1 disc(s) from the index"), std::string::npos);
}

TEST_F(CliDiscsTest, ARenameDoneInPartSaysSoInItsStatus) {
    std::filesystem::remove(settings / "dravik.ini");
    root.makeFolder("settings/dravik.ini"); // the "Size" setting cannot move
    EXPECT_EQ(run({"rename", "Holiday", "Summer"}), Cli::Incomplete);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Summer\r\nWork\r\nMusic\r\nWORK\r\n");
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "list\r\n");
    EXPECT_EQ(err.str().rfind("dravik-cli: renamed to \"Summer\", but ", 0), 0u) << err.str();
}

TEST_F(CliTest, ListAndSearchSayWhatIsWrongWithAnIndexThatIsNoFile) {
    ::alarm(20); // a blocked open would otherwise hang the test run
    ASSERT_EQ(::mkfifo((data / "DK.tex").c_str(), 0600), 0);
    EXPECT_EQ(run({"list"}), 2);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(),
              "dravik-cli: " + (data / "DK.tex").string() + ": is not a regular file (error 75)\n");
    EXPECT_EQ(run({"search", "beach"}), 2);
    EXPECT_EQ(err.str(),
              "dravik-cli: " + (data / "DK.tex").string() + ": is not a regular file (error 75)\n");
    std::filesystem::remove(data / "DK.tex");
    root.makeFolder("data/DK.tex");
    EXPECT_EQ(run({"list"}), 2);
    EXPECT_EQ(err.str(), "dravik-cli: " + (data / "DK.tex").string() +
                             ": is a folder, not a file (error 75)\n");
    EXPECT_EQ(run({"search", "beach"}), 2);
    EXPECT_EQ(err.str(), "dravik-cli: " + (data / "DK.tex").string() +
                             ": is a folder, not a file (error 75)\n");
    ::alarm(0);
}

TEST_F(CliTest, AReadOnlyCatalogueIsListedAndSearchedButNotChanged) {
    // Run by root the test acts as an ordinary user, who must be let into the folders.
    std::filesystem::permissions(root.path(), std::filesystem::perms(0755));
    root.write("data/DK.tex", "Disc 1\r\nDisc 2\r\n");
    root.write("data/Disc 1.rtf", "\"E:\\Sun\\\",\"beach.jpg\"\r\n1 files : 1 folders\r\n");
    root.write("data/Disc 2.rtf", "\"E:\\\",\"notes.txt\"\r\n1 files :  folders\r\n");
    common::SettingsStore("Dravik").setValue("Disc 1", "Size", "1 files : 1 folders");
    // The data folder as the program names it, ending in a separator.
    const std::string refused = "dravik-cli: The catalogue in \"" + data.string() +
                                "/\" is read-only: its discs can be opened and searched, but no "
                                "disc can be catalogued, renamed or deleted there. (error 70)\n";
    for (const bool folder : {false, true}) {
        ::chmod((data / "DK.tex").c_str(), folder ? 0644 : 0444);
        std::filesystem::permissions(data, std::filesystem::perms(folder ? 0555 : 0755));
        const common::testing::ScopedOrdinaryUser user;
        EXPECT_EQ(run({"list"}), 0) << err.str();
        EXPECT_EQ(out.str(), "Disc 1\t1 files : 1 folders\nDisc 2\t\n");
        EXPECT_EQ(run({"search", "beach"}), 0) << err.str();
        EXPECT_EQ(out.str(), "*Disc 1* \"E:\\Sun\\\",\"beach.jpg\"\r\n");
        EXPECT_EQ(run({"rename", "Disc 1", "Disc 3"}), Cli::Refused);
        EXPECT_EQ(err.str(), refused);
        EXPECT_EQ(run({"delete", "Disc 2"}), Cli::Refused);
        EXPECT_EQ(err.str(), refused);
        EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc 1\r\nDisc 2\r\n");
    }
    std::filesystem::permissions(data, std::filesystem::perms(0755));
}
