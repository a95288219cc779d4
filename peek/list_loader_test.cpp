#include "peek/list_loader.h"

#include "common/error.h"
#include "common/line_store.h"
#include "common/testing/temp_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using common::LineStore;
using common::testing::TempFolder;
using peek::ListLoader;

namespace {

std::string numberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "line " + std::to_string(i) + "\r\n";
    return text;
}

// The totals reported while loading, and the final count.
struct Loaded {
    std::vector<std::size_t> steps;
    std::size_t total = 0;
};

Loaded load(const std::filesystem::path& file, LineStore& store) {
    Loaded run;
    ListLoader loader(file);
    run.total = loader.load(store, [&](std::size_t total) {
        run.steps.push_back(total);
        return true;
    });
    return run;
}

int errorNumberOpening(const std::filesystem::path& file) {
    try {
        ListLoader loader(file);
    } catch (const common::Error& e) {
        return e.number();
    }
    return 0;
}

} // namespace

TEST(PeekListLoader, ReadsCrLfAndLoneLfLinesWithoutTheirEnds) {
    TempFolder temp;
    const auto file = temp.write("a.rtf", "one\r\n\r\ntwo\nthree\r\nlast without end");
    LineStore store;
    const Loaded run = load(file, store);
    EXPECT_EQ(run.total, 5u);
    ASSERT_EQ(store.size(), 5u);
    EXPECT_EQ(store.line(0), "one");
    EXPECT_EQ(store.line(1), "");
    EXPECT_EQ(store.line(2), "two");
    EXPECT_EQ(store.line(3), "three");
    EXPECT_EQ(store.line(4), "last without end");
}

TEST(PeekListLoader, AnEmptyFileHasNoLinesAndNoSteps) {
    TempFolder temp;
    LineStore store;
    const Loaded run = load(temp.write("empty.rtf", ""), store);
    EXPECT_EQ(run.total, 0u);
    EXPECT_TRUE(run.steps.empty());
    EXPECT_TRUE(store.empty());
}

TEST(PeekListLoader, ExactlyOneThousandLinesReportNoStep) {
    TempFolder temp;
    LineStore store;
    const Loaded run = load(temp.write("a.rtf", numberedLines(1000)), store);
    EXPECT_EQ(run.total, 1000u);
    EXPECT_TRUE(run.steps.empty());
}

TEST(PeekListLoader, OneThousandAndOneLinesReportOneThousandOnce) {
    TempFolder temp;
    LineStore store;
    const Loaded run = load(temp.write("a.rtf", numberedLines(1001)), store);
    EXPECT_EQ(run.total, 1001u);
    EXPECT_EQ(run.steps, std::vector<std::size_t>({1000}));
}

TEST(PeekListLoader, StepsCountUpInThousands) {
    TempFolder temp;
    LineStore store;
    const Loaded run = load(temp.write("a.rtf", numberedLines(3001)), store);
    EXPECT_EQ(run.total, 3001u);
    EXPECT_EQ(run.steps, std::vector<std::size_t>({1000, 2000, 3000}));
    EXPECT_EQ(store.line(3000), "line 3001");
}

TEST(PeekListLoader, AStepThatSaysStopEndsTheLoad) {
    TempFolder temp;
    const auto file = temp.write("a.rtf", numberedLines(5000));
    LineStore store;
    ListLoader loader(file);
    std::vector<std::size_t> steps;
    loader.load(store, [&](std::size_t total) {
        steps.push_back(total);
        return total < 2000;
    });
    EXPECT_TRUE(loader.stopped());
    EXPECT_EQ(steps, std::vector<std::size_t>({1000, 2000}));
    EXPECT_EQ(store.size(), 2001u);
}

TEST(PeekListLoader, KeepsNulBytesAndInvalidUtf8AsTheyAre) {
    TempFolder temp;
    const std::string odd("nul\0inside\xff\xfe\xc3", 13);
    const auto file = temp.write("odd.rtf", odd + "\r\n\xe9t\xe9\r\n");
    LineStore store;
    load(file, store);
    ASSERT_EQ(store.size(), 2u);
    EXPECT_EQ(store.line(0), odd);
    EXPECT_EQ(store.line(1), "\xe9t\xe9");
}

TEST(PeekListLoader, AHugeLineComesInPieces) {
    TempFolder temp;
    const std::string huge(common::LineReader::MaxLine + 10, 'x');
    const auto file = temp.write("huge.rtf", huge + "\r\nafter\r\n");
    LineStore store;
    const Loaded run = load(file, store);
    ASSERT_EQ(run.total, 3u);
    EXPECT_EQ(store.line(0).size() + store.line(1).size(), huge.size());
    EXPECT_EQ(store.line(2), "after");
}

TEST(PeekListLoader, RefusesAMissingFile) {
    TempFolder temp;
    EXPECT_EQ(errorNumberOpening(temp / "missing.rtf"), common::ErrorNumber::FileNotFound);
    EXPECT_EQ(errorNumberOpening(temp / "no folder" / "missing.rtf"),
              common::ErrorNumber::PathNotFound);
}

TEST(PeekListLoader, RefusesAFolderAndADevice) {
    TempFolder temp;
    EXPECT_EQ(errorNumberOpening(temp.makeFolder("discs")), common::ErrorNumber::PathFileAccess);
    EXPECT_EQ(errorNumberOpening("/dev/zero"), common::ErrorNumber::PathFileAccess);
}

TEST(PeekListLoader, RefusesAFileItMayNotRead) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads every file";
    TempFolder temp;
    const auto file = temp.write("secret.rtf", "x\r\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    EXPECT_EQ(errorNumberOpening(file), common::ErrorNumber::PermissionDenied);
}
