// Two dravik-cli processes changing one data folder at the same moment: each change either
// happens whole or is refused as busy, and the index never names a disc without its list.
#include "common/testing/child_process.h"
#include "common/testing/temp_folder.h"
#include "common/testing/workspace_fixture.h"
#include "dravik/catalogue/disc_index.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <memory>
#include <string>
#include <vector>

using common::testing::TempFolder;

namespace {

using common::testing::ChildProcess;

// A dravik-cli run held at the start gate until the test opens it, so runs start together; its
// standard error goes to `errors`.
std::unique_ptr<ChildProcess> heldAtGate(std::vector<std::string> args, const int (&gate)[2],
                                         const std::filesystem::path& errors) {
    return std::make_unique<ChildProcess>(std::move(args), [&] {
        ::close(gate[1]);
        char byte = 0;
        (void)::read(gate[0], &byte, 1); // returns when the test closes the gate's other end
        const int err = ::open(errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(err, STDERR_FILENO);
    });
}

class CliConcurrencyTest : public common::testing::WorkspaceFixture {
protected:
    const std::string Busy =
        "dravik-cli: " + dravik::catalogue::DiscIndex::busyMessage().toStdString() + "\n";

    // Runs `first` and `second` at once; true for each that changed the catalogue. A run that
    // was refused must have been refused as busy.
    std::pair<bool, bool> together(const std::vector<std::string>& first,
                                   const std::vector<std::string>& second) {
        int gate[2];
        EXPECT_EQ(::pipe(gate), 0);
        const auto a = heldAtGate(withData(first), gate, root.path() / "first.err");
        const auto b = heldAtGate(withData(second), gate, root.path() / "second.err");
        ::close(gate[0]);
        ::close(gate[1]);
        return {done(*a, "first.err"), done(*b, "second.err")};
    }

    std::vector<std::string> withData(std::vector<std::string> args) const {
        args.insert(args.begin(), DRAVIK_CLI);
        args.push_back("--data");
        args.push_back(data.string());
        return args;
    }

    bool done(ChildProcess& child, const std::string& errors) {
        const auto status = child.wait();
        const std::string said = TempFolder::read(root.path() / errors);
        EXPECT_TRUE(status == 0 || (status == 1 && said == Busy))
            << "status " << status.value_or(-1) << ": " << said;
        return status == 0;
    }

    void catalogue(const std::vector<std::string>& discs) {
        std::string index;
        for (const auto& disc : discs) {
            index += disc + "\r\n";
            root.write("data/" + disc + ".rtf", "\"E:\\\",\"" + disc + ".txt\"\r\n");
        }
        root.write("data/DK.tex", index);
    }

    std::string indexText() const { return TempFolder::read(data / "DK.tex"); }
    bool hasList(const std::string& disc) const {
        return std::filesystem::exists(data / (disc + ".rtf"));
    }
};

} // namespace

TEST_F(CliConcurrencyTest, RenameAndDeleteAtOnceLoseNothing) {
    constexpr int Trials = 40;
    for (int trial = 0; trial < Trials; ++trial) {
        std::filesystem::remove(data / "Disc Z.rtf");
        catalogue({"Disc A", "Disc B", "Disc C"});
        const auto [renamed, deleted] =
            together({"rename", "Disc A", "Disc Z"}, {"delete", "Disc B"});
        std::string expected = std::string(renamed ? "Disc Z" : "Disc A") + "\r\n" +
                               (deleted ? "" : "Disc B\r\n") + "Disc C\r\n";
        ASSERT_EQ(indexText(), expected) << "trial " << trial;
        EXPECT_EQ(hasList("Disc A"), !renamed) << "trial " << trial;
        EXPECT_EQ(hasList("Disc Z"), renamed) << "trial " << trial;
        EXPECT_EQ(hasList("Disc B"), !deleted) << "trial " << trial;
        EXPECT_TRUE(hasList("Disc C")) << "trial " << trial;
    }
}

TEST_F(CliConcurrencyTest, TwoRenamesAtOnceBothHappen) {
    constexpr int Trials = 20;
    for (int trial = 0; trial < Trials; ++trial) {
        std::filesystem::remove(data / "Disc Y.rtf");
        std::filesystem::remove(data / "Disc Z.rtf");
        catalogue({"Disc A", "Disc B"});
        const auto [first, second] =
            together({"rename", "Disc A", "Disc Y"}, {"rename", "Disc B", "Disc Z"});
        ASSERT_EQ(indexText(), std::string(first ? "Disc Y" : "Disc A") + "\r\n" +
                                   (second ? "Disc Z" : "Disc B") + "\r\n")
            << "trial " << trial;
        EXPECT_EQ(hasList("Disc Y"), first) << "trial " << trial;
        EXPECT_EQ(hasList("Disc Z"), second) << "trial " << trial;
    }
}
