#include "common/testing/child_process.h"
#include "common/testing/temp_folder.h"
#include "dravik/media/volume_probe.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using common::testing::ChildProcess;
using common::testing::TempFolder;
using dravik::media::Identity;
using dravik::media::VolumeProbe;

namespace {

// The first of `names` found in the usual program folders; empty when none is installed.
std::string tool(const std::string& name) {
    for (const char* folder : {"/usr/sbin/", "/sbin/", "/usr/bin/", "/bin/"}) {
        if (::access((folder + name).c_str(), X_OK) == 0)
            return folder + name;
    }
    return {};
}

// Runs a tool quietly; true when it succeeded.
bool quietly(std::vector<std::string> args) {
    ChildProcess child(std::move(args), [] {
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::dup2(null, STDERR_FILENO);
    });
    return child.wait() == 0;
}

class VolumeProbeTest : public ::testing::Test {
protected:
    TempFolder folder;
    std::filesystem::path tree = folder.makeFolder("tree");
    void SetUp() override {
        folder.write("tree/a.txt", "hello\n");
        folder.write("tree/Photos/b.jpg", "jpeg bytes");
    }
};

} // namespace

TEST_F(VolumeProbeTest, AnExt4ImageGivesItsLabelUuidAndType) {
    const std::string mkfs = tool("mkfs.ext4");
    if (mkfs.empty())
        GTEST_SKIP() << "mkfs.ext4 is not installed (Debian package e2fsprogs)";
    const auto image = folder / "disc.img";
    ASSERT_TRUE(quietly({mkfs, "-q", "-F", "-L", "Holiday 2009", "-U",
                         "0b5f3c64-2d8e-4c1a-9f3e-6a7b8c9d0e1f", "-d", tree.string(),
                         image.string(), "4M"}));
    const auto facts = VolumeProbe::ofDevice(image);
    EXPECT_EQ(facts.identity, Identity::Probed);
    EXPECT_EQ(facts.label, "Holiday 2009");
    EXPECT_EQ(facts.uuid, "0b5f3c64-2d8e-4c1a-9f3e-6a7b8c9d0e1f");
    EXPECT_EQ(facts.type, "ext4");
    EXPECT_EQ(facts.device, image.string());
}

TEST_F(VolumeProbeTest, AnIsoImageIsToldApartByItsCreationTime) {
    const std::string xorriso = tool("xorriso");
    if (xorriso.empty())
        GTEST_SKIP() << "xorriso is not installed (Debian package xorriso)";
    const auto image = folder / "disc.iso";
    ASSERT_TRUE(
        quietly({xorriso, "-as", "mkisofs", "-quiet", "-V", "SUMMER_09",
                 "--modification-date=2026030114050900", "-o", image.string(), tree.string()}));
    const auto facts = VolumeProbe::ofDevice(image);
    EXPECT_EQ(facts.identity, Identity::Probed);
    EXPECT_EQ(facts.label, "SUMMER_09");
    EXPECT_EQ(facts.uuid, "2026-03-01-14-05-09-00");
    EXPECT_EQ(facts.type, "iso9660");
}

TEST_F(VolumeProbeTest, AFileThatHoldsNoFileSystemHasNoIdentity) {
    const auto facts = VolumeProbe::ofDevice(folder.write("blank.img", std::string(65536, '\0')));
    EXPECT_EQ(facts.identity, Identity::Unreadable);
    EXPECT_EQ(facts.label, "");
    EXPECT_EQ(facts.uuid, "");
}

TEST_F(VolumeProbeTest, ADriveMappedToAFolderHasNoLabelOrUuidAndSaysSo) {
    const auto facts = VolumeProbe::ofRoot(tree);
    EXPECT_EQ(facts.identity, Identity::PlainFolder);
    EXPECT_EQ(facts.label, "");
    EXPECT_EQ(facts.uuid, "");
    EXPECT_EQ(facts.device, "");
    EXPECT_GT(facts.capacity, 0u); // the rest is still recorded
    EXPECT_LE(facts.used, facts.capacity);
    EXPECT_EQ(VolumeProbe::identityNote(facts.identity),
              "no label or UUID: the drive is a folder, not a mounted medium");
    EXPECT_EQ(VolumeProbe::identityNote(Identity::Probed), "");
}
