// Storage for large arrays: small and large allocations hold what is put
// in them, large ones start on a 2 MB boundary, vectors over them grow and
// shrink as any other, and the hint never changes what memory holds.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "extract/huge_pages.h"

namespace wcraft {

namespace {

constexpr size_t kMiB = size_t{1} << 20;

TEST(HugePages, AllocationsHoldEveryByteAndLargeOnesAreAligned) {
    for (size_t bytes : {size_t{1}, size_t{4096}, 2 * kMiB - 1, 2 * kMiB, 2 * kMiB + 1, 5 * kMiB + 123}) {
        auto* p = static_cast<unsigned char*>(huge_allocate(bytes));
        ASSERT_NE(p, nullptr) << bytes;
#if !defined(__SANITIZE_ADDRESS__)  // there the storage comes from operator new
        if (bytes >= 2 * kMiB) {
            EXPECT_EQ(reinterpret_cast<uintptr_t>(p) % (2 * kMiB), 0u) << bytes;
        }
#endif
        for (size_t i = 0; i < bytes; ++i) p[i] = static_cast<unsigned char>(i * 7);
        size_t wrong = 0;
        for (size_t i = 0; i < bytes; ++i) wrong += p[i] != static_cast<unsigned char>(i * 7);
        EXPECT_EQ(wrong, 0u) << bytes;
        huge_deallocate(p, bytes);
    }
    huge_deallocate(nullptr, 3 * kMiB);  // nothing to give back
}

TEST(HugePages, VectorsOverThemBehaveAsAnyOther) {
    HugeVector<int32_t> v;
    for (int32_t i = 0; i < 1500000; ++i) v.push_back(i);  // grows past 2 MB several times
    std::vector<int32_t> expected(1500000);
    std::iota(expected.begin(), expected.end(), 0);
    EXPECT_TRUE(std::equal(v.begin(), v.end(), expected.begin(), expected.end()));
    v.assign(3 * kMiB, -1);
    EXPECT_EQ(std::count(v.begin(), v.end(), -1), static_cast<long>(3 * kMiB));
    v.resize(10);
    v.shrink_to_fit();
    EXPECT_EQ(v, HugeVector<int32_t>(10, -1));
    HugeVector<int32_t> w(4 * kMiB, 5);
    v.swap(w);
    EXPECT_EQ(v.size(), 4 * kMiB);
    EXPECT_EQ(w.size(), 10u);
}

TEST(HugePages, GrowingKeepsTheRecordsAndHintsChangeNothing) {
    std::vector<double> v;
    for (int i = 0; i < 700000; ++i) {
        grow_huge(v, 1);
        v.push_back(i * 0.5);
    }
    ASSERT_EQ(v.size(), 700000u);
    for (size_t i = 0; i < v.size(); i += 997) ASSERT_EQ(v[i], static_cast<double>(i) * 0.5);
    size_t before = v.capacity();
    grow_huge(v, before - v.size());  // room enough already: nothing moves
    EXPECT_EQ(v.capacity(), before);
    std::vector<double> copy = v;
    prefer_huge_pages(v.data() + 1, v.size() * sizeof(double) - 8);  // unaligned ends
    prefer_huge_pages(v.data(), 100);                                // less than a huge page
    prefer_huge_pages(nullptr, 0);
    EXPECT_EQ(v, copy);
    reserve_huge(v, v.size() + 3000000);
    EXPECT_EQ(v, copy);
}

}  // namespace

}  // namespace wcraft
