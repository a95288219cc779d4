// dravik-cli catalogue killed at every point of a re-cataloguing: the next start leaves the
// list, the disc index, the facts and the history consistent, with the old list or the new.
#include "common/testing/child_process.h"
#include "common/testing/cut_short_run.h"
#include "common/testing/temp_folder.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/media/facts_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <csignal>
#include <optional>
#include <string>
#include <vector>

using common::testing::ChildProcess;
using common::testing::TempFolder;
using dravik::media::FactsStore;
using dravik::media::VersionState;

namespace {

constexpr int Files = 300;

class CliMediaKillTest : public common::testing::WorkspaceFixture {
protected:
    void SetUp() override {
        for (int i = 0; i < Files; ++i)
            root.write("disc/folder " + std::to_string(i % 7) + "/file number " +
                           std::to_string(i) + ".txt",
                       std::string(i % 13, 'x'));
    }

    // Runs dravik-cli on the data folder, cut short by `limit` (see runCutShortAt).
    std::optional<int> run(std::vector<std::string> args, std::optional<rlim_t> limit = {}) {
        args.insert(args.begin(), DRAVIK_CLI);
        args.push_back("--data");
        args.push_back(data.string());
        return common::testing::runCutShortAt(std::move(args), limit);
    }
    std::optional<int> rebuild(std::optional<rlim_t> limit = {}) {
        return run({"catalogue", "Disc", "--drive", "E", "--rebuild"}, limit);
    }
    std::string list() const { return TempFolder::read(data / "Disc.rtf"); }

    // The state a start finds, checked after it settled what the killed run left: which list
    // is in place, and that the facts and history agree with it.
    enum class Found { OldList, NewList };
    Found consistent(const std::string& oldList, const std::string& newList) {
        EXPECT_EQ(run({"list"}), 0); // the next start settles what was left
        EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc\r\n");
        const std::string now = list();
        EXPECT_TRUE(now == oldList || now == newList);
        FactsStore store(data);
        const auto versions = store.versions("Disc");
        int current = 0;
        for (const auto& v : versions) {
            EXPECT_NE(v.state, VersionState::Pending);
            if (v.state == VersionState::Current) {
                ++current;
                EXPECT_EQ(v.listHash, FactsStore::hashOf(data / "Disc.rtf"));
            } else {
                EXPECT_EQ(v.listHash, FactsStore::hashOf(store.historyList(v.id)));
            }
        }
        EXPECT_EQ(current, 1);
        std::size_t kept = 0;
        for ([[maybe_unused]] const auto& entry :
             std::filesystem::directory_iterator(data / ".dravik-history"))
            ++kept;
        EXPECT_EQ(kept, versions.size() - 1); // one kept list per history version, no other
        EXPECT_FALSE(std::filesystem::exists(program / "File.List.Qel"));
        return now == oldList ? Found::OldList : Found::NewList;
    }
};

} // namespace

TEST_F(CliMediaKillTest, KilledAtAnyWriteOfARecatalogueTheNextStartFindsOneConsistentState) {
    ASSERT_EQ(run({"catalogue", "Disc", "--drive", "E"}), 0);
    std::filesystem::create_directories(data / ".dravik-history");
    const std::string oldList = list();
    root.write("disc/added later.txt", "new");
    std::filesystem::remove(disc / "folder 0/file number 0.txt");
    // The new list, from a run that was not killed, in a data folder of its own.
    TempFolder other;
    std::string newList;
    {
        std::filesystem::copy(data, other.path() / "data",
                              std::filesystem::copy_options::recursive);
        ChildProcess child({DRAVIK_CLI, "catalogue", "Disc", "--drive", "E", "--rebuild", "--data",
                            (other.path() / "data").string()},
                           [] {
                               const int null = ::open("/dev/null", O_WRONLY);
                               ::dup2(null, STDOUT_FILENO);
                           });
        ASSERT_EQ(child.wait(), 0);
        newList = TempFolder::read(other.path() / "data" / "Disc.rtf");
    }
    ASSERT_NE(oldList, newList);

    int killed = 0, keptOld = 0, gotNew = 0;
    for (rlim_t limit = 0; limit < 400000; limit += limit < 40000 ? 2000 : 20000) {
        std::optional<int> status = rebuild(limit);
        killed += status ? 0 : 1;
        const Found found = consistent(oldList, newList);
        if (!status)
            (found == Found::OldList ? keptOld : gotNew) += 1;
        // Back to the old list for the next trial, through the history.
        if (found == Found::NewList) {
            ASSERT_EQ(run({"restore", "Disc"}), 0); // the list replaced last
        }
        ASSERT_EQ(list(), oldList);
    }
    // Runs were ended while the walk wrote, and at points where the new list was in place.
    EXPECT_GT(keptOld, 0);
    EXPECT_GT(killed, keptOld);
    (void)gotNew;
}

// SIGKILL after a growing number of steps of the child's own: whatever the moment, the next
// start finds one consistent state.
TEST_F(CliMediaKillTest, AKillNineAtAnyMomentLeavesOneConsistentState) {
    ASSERT_EQ(run({"catalogue", "Disc", "--drive", "E"}), 0);
    const std::string oldList = list();
    root.write("disc/added later.txt", "new");
    for (int trial = 0; trial < 12; ++trial) {
        ChildProcess child(
            {DRAVIK_CLI, "catalogue", "Disc", "--drive", "E", "--rebuild", "--data", data.string()},
            [] {
                const int null = ::open("/dev/null", O_WRONLY);
                ::dup2(null, STDOUT_FILENO);
                ::dup2(null, STDERR_FILENO);
            });
        // The parent yields the processor a growing number of times before the kill.
        for (int i = 0; i < trial * trial * 40; ++i)
            ::sched_yield();
        child.kill();
        child.wait();
        EXPECT_EQ(run({"list"}), 0);
        EXPECT_EQ(TempFolder::read(data / "DK.tex"), "Disc\r\n");
        FactsStore store(data);
        const auto current = store.current("Disc");
        ASSERT_TRUE(current);
        EXPECT_EQ(current->listHash, FactsStore::hashOf(data / "Disc.rtf"));
        for (const auto& v : store.versions("Disc")) {
            EXPECT_NE(v.state, VersionState::Pending);
            if (v.state == VersionState::History) {
                EXPECT_EQ(v.listHash, FactsStore::hashOf(store.historyList(v.id)));
            }
        }
    }
    (void)oldList;
}
