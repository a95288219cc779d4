#include "common/settings_store.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/cli/cli.h"

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
    EXPECT_NE(err.str().find("no default CD/DVD drive"), std::string::npos);
    EXPECT_EQ(run({"catalogue", "Disc", "--drive", "Q"}), Cli::Refused);
    EXPECT_NE(err.str().find("holds no readable disc"), std::string::npos);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");

    EXPECT_EQ(run({"catalogue", "Disc", "--drive", "E"}), 0);
    EXPECT_EQ(run({"catalogue", "DISC", "--drive", "E"}), Cli::Refused);
    EXPECT_NE(err.str().find("--rebuild"), std::string::npos);
    EXPECT_EQ(run({"catalogue", "DISC", "--drive", "E", "--rebuild"}), 0);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc\r\n");
}

TEST_F(CliTest, UsageAndHelp) {
    EXPECT_EQ(run({"--help"}), 0);
    EXPECT_NE(out.str().find("Usage: dravik-cli catalogue NAME"), std::string::npos);
    EXPECT_EQ(Cli(out, err).run({}), Cli::Usage);
    EXPECT_EQ(run({"frobnicate"}), Cli::Usage);
    EXPECT_EQ(run({"catalogue"}), Cli::Usage);
}

TEST_F(CliTest, ADiscIndexThatIsAFifoIsRefusedAtOnce) {
    ASSERT_EQ(::mkfifo((data / "DK.tex").c_str(), 0600), 0);
    ::alarm(20); // a blocked open would otherwise hang the test run
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "E"}), Cli::Refused);
    ::alarm(0);
    EXPECT_NE(err.str().find("DK.tex: is not a regular file (error 75)"), std::string::npos)
        << err.str();
    EXPECT_FALSE(std::filesystem::exists(data / "Disc 1.rtf"));
}

TEST_F(CliTest, ADiscThatCannotBeCataloguedLeavesNoNameAndNoWorkFile) {
    root.makeFolder("data/Disc 1.rtf"); // its list cannot be published
    EXPECT_EQ(run({"catalogue", "Disc 1", "--drive", "E"}), Cli::Refused);
    EXPECT_EQ(TempFolder::read(data / "DK.tex"), "");
    EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
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
