#include "VozudOzev/Platform/ModelError.hpp"
#include "VozudOzev/Structure/MLArray.hpp"

#include <gtest/gtest.h>

using namespace VozudOzev;
using Type = MultiArray::ElementType;

TEST(MLArray, MakeCopiesRowMajorAndRefusesWrongCounts)
{
    const auto a = MLArray::make({1, 2, 3, 4, 5, 6}, {1, 2, 3});
    EXPECT_EQ(a.type, Type::float32);
    EXPECT_EQ(a.strides, (std::vector<long long>{6, 3, 1}));
    EXPECT_EQ(a.value(4), 5.0);
    EXPECT_EQ(MLArray::floats(a), (std::vector<float>{1, 2, 3, 4, 5, 6}));

    EXPECT_THROW(MLArray::make({1, 2, 3}, {2, 2}), ModelError);     // too few
    EXPECT_THROW(MLArray::make({1, 2, 3, 4, 5}, {2, 2}), ModelError);  // would overrun
    EXPECT_THROW(MLArray::make({}, {-1}), ModelError);
    EXPECT_THROW(MLArray::make({}, {1 << 20, 1 << 20}), ModelError);  // absurd, never allocated
}

TEST(MLArray, FillWritesThroughStrides)
{
    // Column-major 2 x 3: element (r, c) lives at r + 2c.
    MultiArray a({2, 3}, {1, 2}, Type::float32);
    MLArray::fill(a, {1, 2, 3, 4, 5, 6});
    EXPECT_EQ(std::vector<float>(a.floats(), a.floats() + 6), (std::vector<float>{1, 4, 2, 5, 3, 6}));
    EXPECT_EQ(MLArray::floats(a), (std::vector<float>{1, 2, 3, 4, 5, 6}));
}

TEST(MLArray, FloatsReadsEveryLayout)
{
    const struct {
        const char* name;
        MultiArray array;
        std::vector<float> storage;
        std::vector<float> want;
    } cases[] = {
        // A size-1 dimension's stride never matters.
        {"size-1 dimension with odd stride", MultiArray({1, 3}, {99, 1}, Type::float32), {7, 8, 9}, {7, 8, 9}},
        {"padded rows", MultiArray({2, 2}, {3, 1}, Type::float32), {1, 2, -1, 3, 4}, {1, 2, 3, 4}},
        {"transposed", MultiArray({2, 3}, {1, 2}, Type::float32), {1, 4, 2, 5, 3, 6}, {1, 2, 3, 4, 5, 6}},
        {"broadcast row", MultiArray({3, 2}, {0, 1}, Type::float32), {5, 6}, {5, 6, 5, 6, 5, 6}},
        {"zero-dimensional", MultiArray({}, Type::float32), {42}, {42}},
        {"empty", MultiArray({0, 4}, Type::float32), {}, {}},
    };
    for (auto c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_EQ(c.array.storage.size(), c.storage.size() * 4);
        std::copy(c.storage.begin(), c.storage.end(), c.array.floats());
        EXPECT_EQ(MLArray::floats(c.array), c.want);
    }
}

TEST(MLArray, FloatsConvertsOtherElementTypes)
{
    MultiArray d({2}, Type::float64);
    d.setValue(0, 0.1);
    d.setValue(1, -2.5);
    EXPECT_EQ(MLArray::floats(d), (std::vector<float>{0.1f, -2.5f}));
    MultiArray i({1, 3}, {9, 1}, Type::int32);
    i.setValue(0, 3);
    i.setValue(1, -4);
    i.setValue(2, 1e12);  // clamped, not undefined
    EXPECT_EQ(MLArray::floats(i), (std::vector<float>{3, -4, 2147483647.0f}));
}

TEST(MLArray, RefusesArraysWhoseStorageDoesNotHoldThem)
{
    MultiArray a({2, 2}, Type::float32);
    a.storage.resize(8);
    EXPECT_THROW(MLArray::floats(a), ModelError);
    EXPECT_THROW(MLArray::fill(a, {1, 2, 3, 4}), ModelError);
    MultiArray b({2, 2}, Type::float32);
    b.strides = {2};
    EXPECT_THROW(MLArray::floats(b), ModelError);
    MultiArray def;  // no storage at all
    EXPECT_THROW(MLArray::floats(def), ModelError);
}
