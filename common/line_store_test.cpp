#include "common/line_store.h"

#include <gtest/gtest.h>

#include <string>

using common::LineStore;

TEST(LineStore, StartsEmpty) {
    LineStore store;
    EXPECT_EQ(store.size(), 0u);
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.bytes(), 0u);
}

TEST(LineStore, KeepsLinesInOrderIncludingEmptyOnes) {
    LineStore store;
    store.reserve(64);
    store.append("\"E:\\\",\"autorun.inf\"");
    store.append("");
    store.append("1 files : 0 folders");
    ASSERT_EQ(store.size(), 3u);
    EXPECT_EQ(store.line(0), "\"E:\\\",\"autorun.inf\"");
    EXPECT_EQ(store.line(1), "");
    EXPECT_EQ(store.line(2), "1 files : 0 folders");
    EXPECT_EQ(store.bytes(), 19u + 19u);
}

TEST(LineStore, KeepsAnyBytes) {
    LineStore store;
    const std::string odd("a\0b\xff\xfe", 5);
    store.append(odd);
    EXPECT_EQ(store.line(0), odd);
}

TEST(LineStore, ClearGivesEverythingBack) {
    LineStore store;
    store.append("one");
    store.clear();
    EXPECT_TRUE(store.empty());
    store.append("two");
    EXPECT_EQ(store.line(0), "two");
}

TEST(LineStore, TheLastLineCanBeTakenBackAndAppendedAgain) {
    LineStore store;
    store.removeLast(); // nothing to take
    store.append("first");
    store.append("sec");
    store.removeLast();
    EXPECT_EQ(store.size(), 1u);
    EXPECT_EQ(store.bytes(), 5u);
    store.append("second");
    EXPECT_EQ(store.line(0), "first");
    EXPECT_EQ(store.line(1), "second");
}
