// The flat handle index against a plain map, under the mixes of work a
// drawing gives it: handles read in runs, replaced, removed and made anew.
#include <gtest/gtest.h>

#include <random>
#include <unordered_map>
#include <vector>

#include "db/handle_index.h"

using cadhost::db::HandleIndex;

namespace {

void expect_same(const HandleIndex& index, const std::unordered_map<uint64_t, uint32_t>& model,
                 const std::vector<uint64_t>& handles) {
    ASSERT_EQ(index.size(), model.size());
    for (uint64_t h : handles) {
        auto it = model.find(h);
        ASSERT_EQ(index.find(h), it == model.end() ? 0u : it->second) << "handle " << h;
    }
}

TEST(HandleIndex, AgreesWithAPlainMapThroughInsertsReplacementsAndRemovals) {
    // Few distinct handles against many operations, so removals keep
    // opening gaps inside probe runs and later finds must see past them.
    // Handles of any bit pattern land anywhere in the table and pile up,
    // runs included that wrap past its end; 0 is among them but is never
    // indexed.
    for (size_t count : {47u, 95u, 700u, 5000u}) {
        std::mt19937_64 rng(count);
        std::vector<uint64_t> handles(count + 1);
        for (uint64_t& h : handles) h = rng();
        handles[0] = 0;
        HandleIndex index;
        std::unordered_map<uint64_t, uint32_t> model;
        uint32_t next_id = 1;
        for (int step = 0; step < 20000; ++step) {
            uint64_t h = handles[rng() % handles.size()];
            switch (rng() % 3) {
                case 0:
                case 1:
                    index.set(h, next_id);
                    if (h) model[h] = next_id;
                    ++next_id;
                    break;
                default:
                    index.erase(h);
                    model.erase(h);
            }
            if (step % 97 == 0) expect_same(index, model, handles);
        }
        expect_same(index, model, handles);
    }
}

TEST(HandleIndex, KeepsEveryEntryOfALongRunOfHandlesAcrossGrowth) {
    HandleIndex index;
    index.reserve(10);  // far too little: the table grows many times
    const uint64_t first = 0x20;
    for (uint64_t h = first; h < first + 100000; ++h) index.set(h, static_cast<uint32_t>(h - first + 1));
    ASSERT_EQ(index.size(), 100000u);
    for (uint64_t h = first; h < first + 100000; ++h) ASSERT_EQ(index.find(h), h - first + 1);
    EXPECT_EQ(index.find(first - 1), 0u);
    EXPECT_EQ(index.find(first + 100000), 0u);
    // Every other one removed: the rest still found, the removed ones not.
    for (uint64_t h = first; h < first + 100000; h += 2) index.erase(h);
    for (uint64_t h = first; h < first + 100000; ++h)
        ASSERT_EQ(index.find(h), (h - first) % 2 ? h - first + 1 : 0u) << h;
    index.clear();
    EXPECT_EQ(index.size(), 0u);
    EXPECT_EQ(index.find(first + 1), 0u);
    index.set(first + 1, 7);
    EXPECT_EQ(index.find(first + 1), 7u);
}

TEST(HandleIndex, WideHandlesAndHandleZero) {
    HandleIndex index;
    EXPECT_EQ(index.find(0), 0u);
    index.erase(5);  // nothing there
    index.set(0, 3);
    EXPECT_EQ(index.size(), 0u);
    std::vector<uint64_t> wide = {~0ull, 1ull << 63, (1ull << 63) + 1, 0xFFFFFFFFull, 0x100000000ull};
    for (size_t i = 0; i < wide.size(); ++i) index.set(wide[i], static_cast<uint32_t>(i + 1));
    for (size_t i = 0; i < wide.size(); ++i) EXPECT_EQ(index.find(wide[i]), i + 1);
    index.set(~0ull, 99);
    EXPECT_EQ(index.find(~0ull), 99u);
    EXPECT_EQ(index.size(), wide.size());
}

}  // namespace
