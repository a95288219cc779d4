// dravik-cli rename and delete killed part-way, at fixed points: the next start of a program
// finishes or undoes what the killed run left, and the same change can be made again.
#include "common/settings_store.h"
#include "common/testing/cut_short_run.h"
#include "common/testing/temp_folder.h"
#include "common/testing/workspace_fixture.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

using common::testing::TempFolder;

namespace {

constexpr int Discs = 40;
// Larger than any list, the index or a change's record, smaller than the settings file: a run
// limited to it ends at its first settings rewrite, after the index swap.
constexpr rlim_t BeforeSettings = 20000;
// Larger than a change's record, smaller than the index: the run ends writing the new index.
constexpr rlim_t BeforeIndexSwap = 200;

class CliKillTest : public common::testing::WorkspaceFixture {
protected:
    void SetUp() override {
        std::string index;
        common::SettingsStore sizes("Dravik");
        for (int i = 0; i < Discs; ++i) {
            index += disc(i) + "\r\n";
            root.write("data/" + disc(i) + ".rtf", "\"E:\\\",\"" + disc(i) + ".txt\"\r\n");
        }
        root.write("data/DK.tex", index);
        root.write("data/Mine.rtf", "the user's own file, named by no index line\r\n");
        std::string settingsText = "[Padding]\r\nText=" + std::string(BeforeSettings, 'x') + "\r\n";
        for (int i = 0; i < Discs; ++i)
            settingsText += "[" + disc(i) + "]\r\nSize=" + std::to_string(i) + "\r\n";
        root.write("settings/dravik.ini", settingsText);
    }

    static std::string disc(int i) { return "Disc " + std::to_string(10 + i); }

    // Runs dravik-cli on the data folder, cut short by `limit` (see runCutShortAt).
    std::optional<int> run(std::vector<std::string> args, std::optional<rlim_t> limit = {}) {
        args.insert(args.begin(), DRAVIK_CLI);
        args.push_back("--data");
        args.push_back(data.string());
        return common::testing::runCutShortAt(std::move(args), limit);
    }

    bool hasList(const std::string& name) const {
        return std::filesystem::exists(data / (name + ".rtf"));
    }
    static std::string size(const std::string& name) {
        return common::SettingsStore("Dravik")
            .value(QString::fromStdString(name), "Size", "absent")
            .toStdString();
    }
    std::string index() const { return TempFolder::read(data / "DK.tex"); }
    bool journalLeft() const { return std::filesystem::exists(data / "DK.tex.journal"); }
    std::string indexWithout(int from, int to) const {
        std::string text;
        for (int i = 0; i < Discs; ++i) {
            if (i < from || i >= to)
                text += disc(i) + "\r\n";
        }
        return text;
    }
};

} // namespace

TEST_F(CliKillTest, ADeleteKilledAfterTheIndexSwapIsFinishedAtTheNextStart) {
    std::vector<std::string> args{"delete"};
    for (int i = 0; i < Discs / 2; ++i)
        args.push_back(disc(i));
    EXPECT_EQ(run(args, BeforeSettings), std::nullopt);
    // Killed where it hurts: the index no longer names the discs, their lists and sizes stay.
    ASSERT_EQ(index(), indexWithout(0, Discs / 2));
    ASSERT_TRUE(hasList(disc(0)));
    ASSERT_EQ(size(disc(0)), "0");

    EXPECT_EQ(run({"list"}), 0);
    for (int i = 0; i < Discs; ++i) {
        const bool kept = i >= Discs / 2;
        EXPECT_EQ(hasList(disc(i)), kept) << disc(i);
        EXPECT_EQ(size(disc(i)), kept ? std::to_string(i) : "absent") << disc(i);
    }
    EXPECT_TRUE(hasList("Mine"));
    EXPECT_FALSE(journalLeft());
    EXPECT_EQ(index(), indexWithout(0, Discs / 2));
}

TEST_F(CliKillTest, ARenameKilledBeforeTheIndexSwapCanBeMadeAgain) {
    EXPECT_EQ(run({"rename", disc(0), "Summer"}, BeforeIndexSwap), std::nullopt);
    ASSERT_EQ(index(), indexWithout(Discs, Discs));
    ASSERT_TRUE(hasList("Summer")); // the new name's link was made

    EXPECT_EQ(run({"rename", disc(0), "Summer"}), 0);
    EXPECT_FALSE(hasList(disc(0)));
    EXPECT_EQ(TempFolder::read(data / "Summer.rtf"), "\"E:\\\",\"" + disc(0) + ".txt\"\r\n");
    EXPECT_EQ(size("Summer"), "0");
    EXPECT_EQ(size(disc(0)), "absent");
    EXPECT_FALSE(journalLeft());
}

TEST_F(CliKillTest, ARenameKilledAfterTheIndexSwapTakesItsSizeAlongAtTheNextStart) {
    EXPECT_EQ(run({"rename", disc(3), "Summer"}, BeforeSettings), std::nullopt);
    ASSERT_NE(index().find(disc(2) + "\r\nSummer\r\n" + disc(4)), std::string::npos);
    ASSERT_EQ(size(disc(3)), "3");

    EXPECT_EQ(run({"list"}), 0);
    EXPECT_EQ(size("Summer"), "3");
    EXPECT_EQ(size(disc(3)), "absent");
    EXPECT_FALSE(hasList(disc(3)));
    EXPECT_TRUE(hasList("Summer"));
    EXPECT_FALSE(journalLeft());
}

// Every point a change can be killed at, from its first write to none at all: after the next
// start each disc the index names has its list and size, and no other list or size is left.
TEST_F(CliKillTest, KilledAtAnyPointTheNextStartLeavesNothingHalfDone) {
    const std::vector<rlim_t> limits{0,       1, 40, BeforeIndexSwap, 400, 1000, BeforeSettings,
                                     1u << 30};
    int killed = 0;
    for (const rlim_t limit : limits) {
        for (const bool renaming : {false, true}) {
            SetUp();
            std::filesystem::remove(data / "Summer.rtf");
            common::SettingsStore("Dravik").removeSection("Summer");
            const auto status = renaming ? run({"rename", disc(1), "Summer"}, limit)
                                         : run({"delete", disc(1), disc(2)}, limit);
            killed += status ? 0 : 1;
            ASSERT_EQ(run({"list"}), 0);
            const std::string text = index();
            std::vector<std::string> names{"Summer"};
            for (int i = 0; i < Discs; ++i)
                names.push_back(disc(i));
            for (const std::string& name : names) {
                const bool named = text.find(name + "\r\n") != std::string::npos;
                EXPECT_EQ(hasList(name), named) << name << ", limit " << limit;
                EXPECT_EQ(size(name) != "absent", named) << name << ", limit " << limit;
            }
            EXPECT_TRUE(hasList("Mine"));
            EXPECT_FALSE(journalLeft()) << "limit " << limit;
        }
    }
    // Every limit short of the last ends the run somewhere: each point was really reached.
    EXPECT_EQ(killed, 2 * static_cast<int>(limits.size() - 1));
}
