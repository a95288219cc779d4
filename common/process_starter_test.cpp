#include "common/large_pages.h"
#include "common/process_starter.h"
#include "common/testing/recording_program.h"
#include "common/testing/scoped_variable.h"
#include "common/testing/temp_folder.h"

#include <QProcessEnvironment>

#include <gtest/gtest.h>

#include <optional>

namespace LargePages = common::LargePages;
namespace ProcessStarter = common::ProcessStarter;
using common::testing::RecordingProgram;
using common::testing::ScopedVariable;
using common::testing::TempFolder;

namespace {

constexpr const char* Tunables = "GLIBC_TUNABLES";
constexpr const char* Marker = "DRAVIK_LARGE_PAGES";

// A variable set or removed for the life of a test.
class ScopedState {
public:
    ScopedState(const char* name, std::optional<const char*> value)
        : variable_(name, value.value_or("")) {
        if (!value)
            qunsetenv(name);
    }

private:
    ScopedVariable variable_;
};

std::optional<QString> valueIn(const QProcessEnvironment& env, const char* name) {
    if (!env.contains(QString::fromLatin1(name)))
        return std::nullopt;
    return env.value(QString::fromLatin1(name));
}

} // namespace

TEST(ProcessStarterTest, AStartedProgramGetsItsArgumentsAndNotOurTuning) {
    TempFolder folder;
    const RecordingProgram program(folder / "record", folder / "received");
    const ScopedState tunables(Tunables, "glibc.malloc.hugetlb=1");
    const ScopedState marker(Marker, "tunables-set");
    const ScopedState other("DRAVIK_TEST_OTHER", "kept");
    ASSERT_TRUE(ProcessStarter::startDetached(QString::fromStdString(program.path().string()),
                                              {"a b", "c,d"}));
    const std::string received = program.received();
    EXPECT_EQ(received.substr(0, received.find("--\n")), "a b\nc,d\n");
    EXPECT_EQ(RecordingProgram::variable(received, Tunables), "");
    EXPECT_EQ(RecordingProgram::variable(received, Marker), "");
    EXPECT_EQ(RecordingProgram::variable(received, "DRAVIK_TEST_OTHER"), "DRAVIK_TEST_OTHER=kept");
    EXPECT_FALSE(
        ProcessStarter::startDetached(QString::fromStdString((folder / "none").string()), {}));
}

TEST(ProcessStarterTest, TheUsersOwnTunablesReachAStartedProgram) {
    TempFolder folder;
    const RecordingProgram program(folder / "record", folder / "received");
    const ScopedState tunables(Tunables, "glibc.malloc.check=3:glibc.malloc.hugetlb=1");
    const ScopedState marker(Marker, "tunables-appended");
    ASSERT_TRUE(ProcessStarter::startDetached(QString::fromStdString(program.path().string()), {}));
    const std::string received = program.received();
    EXPECT_EQ(RecordingProgram::variable(received, Tunables),
              "GLIBC_TUNABLES=glibc.malloc.check=3");
    EXPECT_EQ(RecordingProgram::variable(received, Marker), "");
}

// Whatever the user started with, a started program gets it back after the environment was
// prepared for large pages.
TEST(LargePagesTest, ProgramsStartedGetTheUsersValuesBack) {
    struct Case {
        std::optional<const char*> tunables;
        std::optional<const char*> marker;
        LargePages::Restart restart;
    };
    const Case cases[] = {
        {std::nullopt, std::nullopt, LargePages::Restart::Needed},
        {"glibc.malloc.check=3", std::nullopt, LargePages::Restart::Needed},
        {"glibc.malloc.hugetlb=1", std::nullopt, LargePages::Restart::NotNeeded},
        {"glibc.malloc.hugetlb=1", "1", LargePages::Restart::NotNeeded},
        {std::nullopt, "0", LargePages::Restart::NotNeeded},
    };
    for (const Case& c : cases) {
        const ScopedState tunables(Tunables, c.tunables);
        const ScopedState marker(Marker, c.marker);
        const QProcessEnvironment before = QProcessEnvironment::systemEnvironment();
        EXPECT_EQ(LargePages::prepareEnvironment(), c.restart) << c.tunables.value_or("-");
        QProcessEnvironment now = QProcessEnvironment::systemEnvironment();
        if (c.restart == LargePages::Restart::Needed) {
            EXPECT_TRUE(valueIn(now, Tunables)->contains("glibc.malloc.hugetlb=1"));
        }
        LargePages::restoreUserValues(now);
        EXPECT_EQ(valueIn(now, Tunables), valueIn(before, Tunables)) << c.tunables.value_or("-");
        EXPECT_EQ(valueIn(now, Marker), valueIn(before, Marker)) << c.marker.value_or("-");
        // Started again, the process prepares nothing more.
        EXPECT_EQ(LargePages::prepareEnvironment(), LargePages::Restart::NotNeeded);
    }
}
