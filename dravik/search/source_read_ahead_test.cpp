#include "common/testing/temp_folder.h"
#include "dravik/search/source_read_ahead.h"

#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <sys/stat.h>
#include <thread>

using common::testing::TempFolder;
using namespace dravik::search;

namespace {

constexpr int Window = SourceReadAhead::MaxSources;

class SourceReadAheadTest : public ::testing::Test {
protected:
    TempFolder data;
    SourceLocator locator{data.path(), SourceMode::Discs};
    QStringList sources;

    void discs(int count) {
        for (int i = 0; i < count; ++i) {
            const QString name = QString("Disc %1").arg(i);
            data.write(name.toStdString() + ".rtf",
                       "\"E:\\\",\"a.jpg\"\r\n1 files : 1 folders\r\n");
            sources << name;
        }
    }
    // Until the thread has looked at `count` sources; a thread that never does fails by the
    // test's time limit.
    static void waitUntilLooked(const SourceReadAhead& ahead, int count) {
        while (ahead.looked() < count)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
};

TEST_F(SourceReadAheadTest, KeepsItsWindowAheadOfTheSearch) {
    discs(3 * Window);
    SourceReadAhead ahead(locator, sources);
    waitUntilLooked(ahead, Window);
    EXPECT_EQ(ahead.looked(), Window); // and waits there
    ahead.reach(Window / 2 - 1);
    ahead.reach(Window);
    waitUntilLooked(ahead, 2 * Window);
    ahead.reach(3 * Window - 1);
    waitUntilLooked(ahead, 3 * Window);
    EXPECT_EQ(ahead.looked(), 3 * Window);
}

TEST_F(SourceReadAheadTest, PassesOverWhatIsNoListWithoutOpeningIt) {
    discs(1);
    data.makeFolder("Folder.rtf");
    // A FIFO without a writer: opening it for reading without O_NONBLOCK would wait for ever.
    ASSERT_EQ(::mkfifo((data / "Fifo.rtf").c_str(), 0600), 0);
    data.write("Last.rtf", "\"E:\\\",\"b.jpg\"\r\n");
    sources << "Missing"
            << "Folder"
            << "Fifo"
            << "Last";
    SourceReadAhead ahead(locator, sources);
    waitUntilLooked(ahead, 5);
    EXPECT_EQ(ahead.looked(), 5);
}

TEST_F(SourceReadAheadTest, EndsWithTheSearchWhereverItIs) {
    discs(3 * Window);
    std::optional<SourceReadAhead> ahead(std::in_place, locator, sources);
    ahead.reset(); // at once: it may not have started
    ahead.emplace(locator, sources);
    waitUntilLooked(*ahead, Window);
    ahead.reset(); // while it waits for the search
    SUCCEED();
}

TEST_F(SourceReadAheadTest, NothingToSearchIsNothingToReadAhead) {
    SourceReadAhead ahead(locator, sources);
    ahead.reach(0);
    EXPECT_EQ(ahead.looked(), 0);
}

} // namespace
