#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

using common::testing::TempFolder;

TEST(TempFolder, GoesWithEveryNameRightAndKindInIt) {
    const TempFolder outside;
    const auto kept = outside.write("kept.txt", "stays");
    std::filesystem::path path;
    {
        const TempFolder folder;
        path = folder.path();
        EXPECT_EQ(path.filename().string().rfind("dravik-test-", 0), 0u);
        folder.write("\xff\xfe name.txt", "not UTF-8");
        folder.write("sub/\xe9t\xe9/x.rtf", "a windows-1252 folder name");
        ASSERT_EQ(::mkfifo((folder / "fifo").c_str(), 0600), 0);
        std::filesystem::create_symlink(outside.path(), folder / "link to a folder");
        std::filesystem::create_symlink(kept, folder / "link to a file");
        const auto closed = folder.makeFolder("closed/inner");
        folder.write("closed/inner/file", "x");
        ::chmod(closed.c_str(), 0);
        ::chmod(closed.parent_path().c_str(), 0500);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path)));
    EXPECT_EQ(TempFolder::read(kept), "stays"); // links are not followed
}

TEST(TempFolder, TakesItsPrefix) {
    const TempFolder folder("dravik-tests");
    EXPECT_EQ(folder.path().filename().string().rfind("dravik-tests-", 0), 0u);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path()));
}
