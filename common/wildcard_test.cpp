#include "common/wildcard.h"

#include <gtest/gtest.h>

namespace Wildcard = common::Wildcard;

TEST(Wildcard, WindowsRules) {
    EXPECT_TRUE(Wildcard::matches("*.*", "readme"));
    EXPECT_TRUE(Wildcard::matches("*.*", "photo.jpg"));
    EXPECT_TRUE(Wildcard::matches("*.*", ".hidden"));
    EXPECT_TRUE(Wildcard::matches("*", "a.b.c"));
    EXPECT_TRUE(Wildcard::matches("*.JPG", "img_001.jpg"));
    EXPECT_FALSE(Wildcard::matches("*.jpg", "img_001.jpeg"));
    EXPECT_TRUE(Wildcard::matches("img_00?.jpg", "IMG_007.JPG"));
    EXPECT_FALSE(Wildcard::matches("img_00?.jpg", "img_0007.jpg"));
    EXPECT_TRUE(Wildcard::matches("*.", "Makefile"));
    EXPECT_FALSE(Wildcard::matches("*.", "a.txt"));
    EXPECT_TRUE(Wildcard::matches("*song*", "My Song.mp3"));
    EXPECT_TRUE(Wildcard::matches("notes.*", "notes"));
    EXPECT_FALSE(Wildcard::matches("", "x"));
}

TEST(Wildcard, PatternLists) {
    EXPECT_TRUE(Wildcard::matchesAny("*.exe;*.com;*.bat", "RUN.BAT"));
    EXPECT_TRUE(Wildcard::matchesAny("*.exe; *.com", "x.com"));
    EXPECT_FALSE(Wildcard::matchesAny("*.exe;*.com;*.bat", "run.sh"));
}
