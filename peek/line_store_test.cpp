#include "peek/line_store.h"

#include <gtest/gtest.h>

#include <string>

using peek::LineStore;

TEST(PeekLineStore, StartsEmpty) {
    LineStore store;
    EXPECT_EQ(store.size(), 0u);
    EXPECT_TRUE(store.empty());
    EXPECT_EQ(store.bytes(), 0u);
}

TEST(PeekLineStore, KeepsLinesInOrderIncludingEmptyOnes) {
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

TEST(PeekLineStore, KeepsAnyBytes) {
    LineStore store;
    const std::string odd("a\0b\xff\xfe", 5);
    store.append(odd);
    EXPECT_EQ(store.line(0), odd);
}

TEST(PeekLineStore, ClearGivesEverythingBack) {
    LineStore store;
    store.append("one");
    store.clear();
    EXPECT_TRUE(store.empty());
    store.append("two");
    EXPECT_EQ(store.line(0), "two");
}
