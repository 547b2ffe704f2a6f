// The write-back's per-run lookups against the walks of the whole lists
// they replace, on generated lists, and their rebuilding after a reset or
// a list's growth.
#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "extract/entity_access.h"
#include "extract/store.h"
#include "update/run_index.h"

namespace wcraft::test {
namespace {

template <typename T>
std::vector<uint32_t> walk_for_sheet(const std::vector<T>& list, short sheet) {
    std::vector<uint32_t> v;
    for (uint32_t i = 0; i < list.size(); ++i)
        if (list[i].sheet == sheet) v.push_back(i);
    return v;
}

std::vector<uint32_t> got(IndexSpan s) { return std::vector<uint32_t>(s.begin(), s.end()); }

long walk_for_partner(const std::vector<WireLink>& links, size_t i) {
    if (links[i].link == 0) return -1;
    for (size_t j = i + 1; j < links.size(); ++j)
        if (links[j].link == links[i].link) return static_cast<long>(j);
    for (size_t j = 0; j < i; ++j)
        if (links[j].link == links[i].link) return static_cast<long>(j);
    return -1;
}

const RelayMark* walk_for_mark(const std::vector<RelayMark>& marks, short sheet, std::string_view ref) {
    for (const RelayMark& m : marks)
        if (m.sheet == sheet && same_text_nocase(m.iref.view(), ref)) return &m;
    return nullptr;
}

// Sheets mostly ascending, with now and then one read out of order.
short some_sheet(std::mt19937& rng, size_t i, size_t n) {
    short s = static_cast<short>(1 + i * 6 / n);
    return rng() % 9 == 0 ? static_cast<short>(1 + rng() % 6) : s;
}

const char* const kRefs[] = {"K1", "k1", "K2", "KA-1", "ka-1", "Q10", "", "K1 "};

class RunIndexes : public ::testing::Test {
protected:
    void SetUp() override { store().reset(); }
    void TearDown() override { store().reset(); }
    void fill(std::mt19937& rng, size_t n) {
        Store& s = store();
        for (size_t i = 0; i < n; ++i) {
            Component c;
            c.sheet = some_sheet(rng, i, n);
            s.coils.push_back(c);
            s.contacts.push_back(c);
            WireLink l;
            l.sheet = some_sheet(rng, i, n);
            l.link = static_cast<int32_t>(rng() % 12) - 3;  // 0 among them, and negatives
            s.links.push_back(l);
            RelayMark m;
            m.sheet = some_sheet(rng, i, n);
            m.iref = kRefs[rng() % std::size(kRefs)];
            s.relay_marks.push_back(m);
        }
    }
    void expect_agreement(const std::string& round) {
        const Store& s = store();
        for (short sheet = 0; sheet <= 7; ++sheet) {
            EXPECT_EQ(got(sheet_records(SheetList::Coils, sheet)), walk_for_sheet(s.coils, sheet)) << round;
            EXPECT_EQ(got(sheet_records(SheetList::Contacts, sheet)), walk_for_sheet(s.contacts, sheet)) << round;
            EXPECT_EQ(got(sheet_records(SheetList::WireLinks, sheet)), walk_for_sheet(s.links, sheet)) << round;
            for (const char* ref : kRefs)
                EXPECT_EQ(relay_mark_for(sheet, ref), walk_for_mark(s.relay_marks, sheet, ref)) << round << ref;
        }
        for (size_t i = 0; i < s.links.size(); ++i)
            EXPECT_EQ(link_partner(i), walk_for_partner(s.links, i)) << round << " link " << i;
    }
};

TEST_F(RunIndexes, AgreeWithTheWalksOnGeneratedLists) {
    std::mt19937 rng(8301);
    size_t wrapped = 0, none = 0, marks_found = 0;
    for (int round = 0; round < 20; ++round) {
        store().reset();
        size_t n = 5 + rng() % 200;
        fill(rng, n);
        expect_agreement("round " + std::to_string(round));
        const Store& s = store();
        for (size_t i = 0; i < s.links.size(); ++i) {
            long p = walk_for_partner(s.links, i);
            wrapped += p >= 0 && static_cast<size_t>(p) < i;
            none += p < 0 && s.links[i].link != 0;
        }
        for (short sheet = 1; sheet <= 6; ++sheet) marks_found += walk_for_mark(s.relay_marks, sheet, "KA-1") != nullptr;
    }
    // The generated lists do reach the cases that matter.
    EXPECT_GT(wrapped, 50u);
    EXPECT_GT(none, 0u);
    EXPECT_GT(marks_found, 20u);
}

TEST_F(RunIndexes, AreBuiltAgainForANewRunOrAGrownList) {
    std::mt19937 rng(77);
    fill(rng, 40);
    expect_agreement("first");
    // A new run with lists of the same sizes but other content.
    std::vector<WireLink> links = store().links;
    std::vector<RelayMark> marks = store().relay_marks;
    std::vector<Component> coils = store().coils;
    store().reset();
    for (WireLink& l : links) l.link = -l.link + 1;
    for (RelayMark& m : marks) m.sheet = static_cast<short>(7 - m.sheet);
    for (Component& c : coils) c.sheet = static_cast<short>(7 - c.sheet);
    store().links = links;
    store().relay_marks = marks;
    store().coils = coils;
    store().contacts = coils;
    expect_agreement("after reset");
    // Records added within the run.
    fill(rng, 3);
    expect_agreement("grown");
}

}  // namespace
}  // namespace wcraft::test
