// Batched sorted insertion against the one-record-at-a-time rule.
#include "extract/sorted_insert.h"

#include <gtest/gtest.h>

#include <list>
#include <random>

namespace wcraft {
namespace {

// The rule as stated, on a linked list: in front of the first record of a
// sheet not lower than the new one's that the new one precedes, else at
// the end.
template <typename T>
void rule_insert(std::list<T>& list, const T& rec, PositionOrder order) {
    auto it = list.begin();
    for (; it != list.end(); ++it)
        if (it->sheet >= rec.sheet && precedes(sort_point(rec), sort_point(*it), order)) break;
    list.insert(it, rec);
}

struct Tagged {
    short sheet;
    double x, y;
    int id;
    bool operator==(const Tagged&) const = default;
};

std::vector<Tagged> ids(const std::vector<WireSegment>& v) {
    std::vector<Tagged> t;
    for (const WireSegment& w : v) t.push_back({w.sheet, w.start.x, w.start.y, w.wire_number});
    return t;
}
std::vector<Tagged> ids(const std::list<WireSegment>& v) { return ids(std::vector<WireSegment>(v.begin(), v.end())); }

WireSegment seg(short sheet, double x, double y, int id) {
    WireSegment w;
    w.sheet = sheet;
    w.start = {x, y};
    w.wire_number = id;  // identifies the record
    return w;
}

// Feeds batches of random sheets (mostly ascending, some repeated or lower)
// with coordinates from a small grid, so that equal positions are common.
void compare_random(unsigned seed, PositionOrder order, int batches) {
    std::mt19937 rng(seed);
    std::vector<WireSegment> list;
    std::list<WireSegment> model;
    OrderMark mark;
    short sheet = 1;
    int id = 0;
    for (int b = 0; b < batches; ++b) {
        int kind = static_cast<int>(rng() % 10);
        if (kind < 6) sheet = static_cast<short>(sheet + 1);               // next sheet
        else if (kind < 8) sheet = static_cast<short>(rng() % (sheet + 1));  // lower or repeated
        std::vector<WireSegment> batch;
        int n = static_cast<int>(rng() % 12);
        for (int i = 0; i < n; ++i) {
            WireSegment w = seg(sheet, static_cast<double>(rng() % 5), static_cast<double>(rng() % 5), ++id);
            batch.push_back(w);
            rule_insert(model, w, order);
        }
        insert_sorted(list, batch, order, mark);
        ASSERT_TRUE(batch.empty());
        ASSERT_EQ(ids(list), ids(model)) << "seed " << seed << " batch " << b;
    }
}

TEST(SortedInsertion, BatchesGiveTheRuleResultTopDown) {
    for (unsigned seed = 1; seed <= 300; ++seed) compare_random(seed, PositionOrder::TopDown, 40);
}

TEST(SortedInsertion, BatchesGiveTheRuleResultLeftRight) {
    for (unsigned seed = 1; seed <= 300; ++seed) compare_random(seed, PositionOrder::LeftRight, 40);
}

TEST(SortedInsertion, LowerSheetIsPlacedByPositionAmongHigherSheets) {
    std::vector<WireSegment> list;
    OrderMark mark;
    std::vector<WireSegment> b5 = {seg(5, 0, 10, 1), seg(5, 0, 5, 2), seg(5, 0, 1, 3)};
    insert_sorted(list, b5, PositionOrder::TopDown, mark);
    std::vector<WireSegment> b0 = {seg(0, 0, 6, 4), seg(0, 0, 20, 5)};
    insert_sorted(list, b0, PositionOrder::TopDown, mark);
    std::vector<int> order;
    for (auto& w : list) order.push_back(w.wire_number);
    EXPECT_EQ(order, (std::vector<int>{5, 1, 4, 2, 3}));
    std::vector<WireSegment> b6 = {seg(6, 0, 0, 6)};
    insert_sorted(list, b6, PositionOrder::TopDown, mark);
    EXPECT_EQ(list.back().wire_number, 6);
}

TEST(SortedInsertion, ComponentsMoveWithTheirIdPoints) {
    std::vector<Component> list, batch(3);
    OrderMark mark;
    for (int i = 0; i < 3; ++i) {
        batch[i].sheet = 1;
        batch[i].point = {static_cast<double>(3 - i), 0};
        batch[i].ids.resize(i + 1);
    }
    insert_sorted(list, batch, PositionOrder::TopDown, mark);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].point.x, 1);
    EXPECT_EQ(list[0].ids.size(), 3u);
    EXPECT_EQ(list[2].ids.size(), 1u);
}

TEST(SortedInsertion, NotANumberPositionsFollowTheRule) {
    std::vector<WireSegment> list;
    std::list<WireSegment> model;
    OrderMark mark;
    double nan = std::nan("");
    std::vector<std::vector<WireSegment>> batches = {
        {seg(1, 0, 1, 1), seg(1, nan, 2, 2), seg(1, 0, 3, 3)}, {seg(1, 0, nan, 4), seg(1, 0, 0, 5)},
        {seg(2, 5, 5, 6), seg(2, 1, 5, 7)}};
    for (auto& b : batches) {
        for (auto& w : b) rule_insert(model, w, PositionOrder::TopDown);
        insert_sorted(list, b, PositionOrder::TopDown, mark);
        std::vector<int> got, want;
        for (auto& w : list) got.push_back(w.wire_number);
        for (auto& w : model) want.push_back(w.wire_number);
        EXPECT_EQ(got, want);
    }
}

}  // namespace
}  // namespace wcraft
