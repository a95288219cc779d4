#include "peek/mapped_array.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>

using peek::MappedArray;

TEST(PeekMappedArray, GrowsPastItsReservationKeepingEveryValue) {
    MappedArray<std::size_t> values;
    values.reserve(10);
    const std::size_t firstCapacity = values.capacity();
    for (std::size_t i = 0; i < 3 * firstCapacity; ++i)
        values.push_back(i * 7);
    EXPECT_GT(values.capacity(), firstCapacity);
    ASSERT_EQ(values.size(), 3 * firstCapacity);
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(values[i], i * 7) << "at " << i;
}

TEST(PeekMappedArray, AppendsRunsOfBytesLargerThanItHolds) {
    MappedArray<char> bytes;
    const std::string run(5u << 20, 'r');
    bytes.append("ab", 2);
    bytes.append(run.data(), run.size());
    bytes.append("", 0);
    ASSERT_EQ(bytes.size(), run.size() + 2);
    EXPECT_EQ(std::string(bytes.data(), 2), "ab");
    EXPECT_EQ(bytes[bytes.size() - 1], 'r');
}

TEST(PeekMappedArray, MovesAndSwapsOwnership) {
    MappedArray<int> a;
    a.push_back(1);
    MappedArray<int> b(std::move(a));
    EXPECT_EQ(a.size(), 0u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0], 1);
    MappedArray<int> c;
    c = std::move(b);
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(b.data(), nullptr);
}
