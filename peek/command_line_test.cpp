#include "peek/command_line.h"

#include <gtest/gtest.h>

namespace CommandLine = peek::CommandLine;

TEST(PeekCommandLine, NothingAfterTheProgramNameIsAnEmptyPath) {
    const char* argv[] = {"peek"};
    EXPECT_EQ(CommandLine::path(1, argv), "");
}

TEST(PeekCommandLine, OneArgumentIsTakenUnchanged) {
    const char* argv[] = {"peek", "/data/My Discs/Holiday 2009.rtf"};
    EXPECT_EQ(CommandLine::path(2, argv), "/data/My Discs/Holiday 2009.rtf");
}

TEST(PeekCommandLine, SeveralArgumentsAreJoinedWithSingleBlanks) {
    // What a shell makes of: peek /data/My Discs/Holiday 2009.rtf
    const char* argv[] = {"peek", "/data/My", "Discs/Holiday", "2009.rtf"};
    EXPECT_EQ(CommandLine::path(4, argv), "/data/My Discs/Holiday 2009.rtf");
}

TEST(PeekCommandLine, QuotesAndBlanksInsideAnArgumentStay) {
    const char* argv[] = {"peek", "\"/data/a  b.rtf\"", " "};
    EXPECT_EQ(CommandLine::path(3, argv), "\"/data/a  b.rtf\"  ");
}
