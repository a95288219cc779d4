#include "common/huge_page_array.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <string>

using common::HugePageArray;

namespace {
bool onHugePage(const void* p) {
    return reinterpret_cast<std::uintptr_t>(p) % common::HugePages::Size == 0;
}
} // namespace

TEST(HugePageArray, GrowsPastItsReservationKeepingEveryValue) {
    HugePageArray<std::size_t> values;
    values.reserve(10);
    const std::size_t firstCapacity = values.capacity();
    for (std::size_t i = 0; i < 3 * firstCapacity; ++i)
        values.push_back(i * 7);
    EXPECT_GT(values.capacity(), firstCapacity);
    ASSERT_EQ(values.size(), 3 * firstCapacity);
    for (std::size_t i = 0; i < values.size(); ++i)
        ASSERT_EQ(values[i], i * 7) << "at " << i;
}

TEST(HugePageArray, AppendsRunsOfBytesLargerThanItHolds) {
    HugePageArray<char> bytes;
    const std::string run(5u << 20, 'r');
    bytes.append("ab", 2);
    bytes.append(run.data(), run.size());
    bytes.append("", 0);
    ASSERT_EQ(bytes.size(), run.size() + 2);
    EXPECT_EQ(std::string(bytes.data(), 2), "ab");
    EXPECT_EQ(bytes[bytes.size() - 1], 'r');
}

TEST(HugePageArray, StartsOnAHugePageAndStaysThereAsItGrows) {
    HugePageArray<char> first, second;
    first.reserve(1);
    second.reserve(1); // likely right beside the first, so one of them must move to grow
    EXPECT_TRUE(onHugePage(first.data()));
    EXPECT_EQ(first.capacity(), common::HugePages::Size);
    const std::string run(common::HugePages::Size + 1, 'g');
    for (HugePageArray<char>* array : {&first, &second}) {
        array->append("x", 1);
        array->append(run.data(), run.size());
        EXPECT_TRUE(onHugePage(array->data()));
        EXPECT_EQ(array->capacity(), 2 * common::HugePages::Size);
        EXPECT_EQ((*array)[0], 'x');
        EXPECT_EQ((*array)[array->size() - 1], 'g');
    }
}

TEST(HugePageArray, ZeroedHoldsZerosAndGrowsOn) {
    struct Slot {
        std::uint32_t tag, key;
    };
    auto slots = HugePageArray<Slot>::zeroed(100000);
    ASSERT_EQ(slots.size(), 100000u);
    for (std::size_t i = 0; i < slots.size(); ++i)
        ASSERT_EQ(slots[i].tag | slots[i].key, 0u) << "at " << i;
    slots[99999] = Slot{1, 2};
    slots.push_back(Slot{3, 4});
    EXPECT_EQ(slots[99999].key, 2u);
    EXPECT_EQ(slots[100000].tag, 3u);
    EXPECT_TRUE(HugePageArray<Slot>::zeroed(0).empty());
}

TEST(HugePageArray, ClearGivesTheMemoryBackAndItCanBeUsedAgain) {
    HugePageArray<int> values;
    values.push_back(1);
    values.clear();
    EXPECT_EQ(values.size(), 0u);
    EXPECT_EQ(values.capacity(), 0u);
    EXPECT_EQ(values.data(), nullptr);
    values.push_back(2);
    EXPECT_EQ(values[0], 2);
}

TEST(HugePageArray, MoreThanTheAddressSpaceIsBadAlloc) {
    HugePageArray<std::uint64_t> values;
    EXPECT_THROW(values.reserve(SIZE_MAX / sizeof(std::uint64_t)), std::bad_alloc);
    EXPECT_THROW(values.reserve(std::size_t(1) << 60), std::bad_alloc); // past what mmap gives
    EXPECT_EQ(values.data(), nullptr);
}

TEST(HugePageArray, MovesAndSwapsOwnership) {
    HugePageArray<int> a;
    a.push_back(1);
    HugePageArray<int> b(std::move(a));
    EXPECT_EQ(a.size(), 0u);
    ASSERT_EQ(b.size(), 1u);
    EXPECT_EQ(b[0], 1);
    HugePageArray<int> c;
    c = std::move(b);
    EXPECT_EQ(c[0], 1);
    EXPECT_EQ(b.data(), nullptr);
}
