#include "dravik/search/byte_arena.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

using dravik::search::ByteArena;

TEST(ByteArena, GivesEveryStringBackAcrossBlocks) {
    ByteArena arena;
    std::vector<ByteArena::Ref> refs;
    std::vector<std::string> strings;
    // 5 MiB in strings of 1000 bytes fill more than one 4 MiB block.
    for (int i = 0; i < 5 * 1024; ++i) {
        strings.push_back(std::string(1000, char('a' + i % 26)) + std::to_string(i));
        refs.push_back(arena.add(strings.back()));
    }
    EXPECT_GT(std::uint64_t{refs.back().block}, 0u);
    for (std::size_t i = 0; i < refs.size(); ++i)
        ASSERT_EQ(arena.at(refs[i]), strings[i]) << "at " << i;
}

TEST(ByteArena, AStringLongerThanABlockHasOneOfItsOwn) {
    ByteArena arena;
    const auto small = arena.add("before");
    const std::string huge(5u << 20, 'h');
    const auto big = arena.add(huge);
    const auto empty = arena.add("");
    const auto after = arena.add("after");
    EXPECT_EQ(std::uint64_t{big.block}, small.block + 1);
    EXPECT_EQ(std::uint64_t{big.offset}, 0u);
    EXPECT_EQ(std::uint64_t{after.block}, big.block + 1);
    EXPECT_EQ(arena.at(small), "before");
    EXPECT_EQ(arena.at(big), huge);
    EXPECT_EQ(arena.at(empty), "");
    EXPECT_EQ(arena.at(after), "after");
    arena.clear();
    EXPECT_EQ(arena.at(arena.add("again")), "again");
}
