#include "common/program_version.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <regex>
#include <string>
#include <vector>

namespace ProgramVersion = common::ProgramVersion;
using Asked = ProgramVersion::Asked;

namespace {

// What the call printed on standard output, and its answer.
std::pair<std::string, Asked> captured(std::initializer_list<const char*> args) {
    std::vector<const char*> argv(args);
    std::fflush(stdout);
    testing::internal::CaptureStdout();
    const Asked asked =
        ProgramVersion::printWhenAsked(int(argv.size()), argv.data(), "dravik-peek");
    std::fflush(stdout);
    return {testing::internal::GetCapturedStdout(), asked};
}

} // namespace

TEST(ProgramVersion, TheOnlyArgumentVersionPrintsNameAndVersion) {
    const auto [out, asked] = captured({"dravik-peek", "--version"});
    EXPECT_EQ(asked, Asked::Yes);
    EXPECT_EQ(out, "dravik-peek " + std::string(ProgramVersion::text()) + "\n");
}

TEST(ProgramVersion, TheVersionIsDottedNumbers) {
    EXPECT_TRUE(
        std::regex_match(std::string(ProgramVersion::text()), std::regex("[0-9]+(\\.[0-9]+)+")));
}

TEST(ProgramVersion, AnythingElseIsLeftToTheProgram) {
    EXPECT_EQ(captured({"dravik-peek"}).second, Asked::No);
    EXPECT_EQ(captured({"dravik-peek", "--version", "x"}).second, Asked::No);
    EXPECT_EQ(captured({"dravik-peek", "/lists/--version"}).second, Asked::No);
    EXPECT_EQ(captured({"dravik-peek", "-version"}).first, "");
}
