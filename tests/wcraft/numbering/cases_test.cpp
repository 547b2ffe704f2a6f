// Wire numbering on small hand-made projects: joints, node points, numbers
// with links and increments, pass-through terminals and the log lines.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/module_state.h"
#include "numbering/wire_numbering.h"
#include "numbering_support.h"

namespace wcraft::test {
namespace {

class WireNumbering : public ::testing::Test {
protected:
    void SetUp() override {
        reset_module_state();
        store().reset();
        command_line().clear();
        types(1);
    }
    void types(int n, int init = 1, int incr = 1, int nodepts = 1) {
        for (int t = 0; t < n; ++t) {
            WireDefn& w = config().wire_defs[t];
            w.w_name = "W" + std::to_string(t);
            w.init = init;
            w.incr = incr;
            w.nodepts = nodepts;
        }
        config().wire_defs[n].w_name = kListEnd;
    }
    // Appends a segment as extraction stores it; callers add them in list order.
    void seg(double x1, double y1, double x2, double y2, int16_t sheet = 1, int type = 0) {
        WireSegment s;
        s.sheet = sheet;
        s.start = XY{x1, y1};
        s.end = XY{x2, y2};
        if (s.start.y < s.end.y) std::swap(s.start.y, s.end.y);
        if (s.end.x < s.start.x) std::swap(s.start.x, s.end.x);
        store().wires[type].push_back(s);
    }
    void link(int number, double x, double y, int16_t sheet = 1) {
        WireLink wl;
        wl.sheet = sheet;
        wl.point = XY{x, y};
        wl.link = number;
        store().links.push_back(wl);
    }
    void terminal(const char* tag, const std::vector<XY>& ids, int16_t sheet = 1) {
        Component c;
        c.sheet = sheet;
        c.tag = tag;
        for (const XY& p : ids) c.ids.push_back(IdPoint{p, {}, 0, 0, 0});
        store().terminals.push_back(c);
    }
    void terminal_definition(const char* name, int cont_wire) {
        config().term_defs[0].name = name;
        config().term_defs[0].cont_wire = cont_wire;
        config().term_defs[1].name = kListEnd;
    }
    void run() {
        MemoryLog log;
        number_wires(log.file());
        log_text = log.text();
    }
    const WireSegment& at(size_t i, int type = 0) { return store().wires[type].at(i); }
    int number(size_t i, int type = 0) { return at(i, type).wire_number; }
    std::vector<int> numbers(int type = 0) {
        std::vector<int> out;
        for (const WireSegment& s : store().wires[type]) out.push_back(s.wire_number);
        return out;
    }
    size_t count_in_log(const std::string& text) {
        size_t n = 0;
        for (size_t p = 0; (p = log_text.find(text, p)) != std::string::npos; p += text.size()) ++n;
        return n;
    }
    std::string log_text;
};

// ---- joints and node points

TEST_F(WireNumbering, AnLJointIsOneWireWithoutANodePoint) {
    seg(0, 10, 5, 10);
    seg(5, 10, 5, 0);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 1}));
    EXPECT_EQ(at(0).group, at(1).group);
    EXPECT_TRUE(store().nodes[0].empty());
    EXPECT_EQ(at(0).state, SEG_DONE);
}

TEST_F(WireNumbering, ATJunctionIsOneWireAndItsNodePointIsRecordedOnce) {
    seg(5, 20, 5, 10);  // arm above, ending on the bar
    seg(0, 10, 10, 10);
    seg(5, 10, 5, 0);  // arm below, starting on the bar
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 1, 1}));
    ASSERT_EQ(store().nodes[0].size(), 1u);
    EXPECT_EQ(store().nodes[0][0].sheet, 1);
    EXPECT_EQ(store().nodes[0][0].point.x, 5);
    EXPECT_EQ(store().nodes[0][0].point.y, 10);
}

TEST_F(WireNumbering, NodePointsAreRecordedOnlyWithTheFlagAtOne) {
    for (int flag : {0, 2}) {
        SetUp();
        types(1, 1, 1, flag);
        seg(0, 10, 10, 10);
        seg(5, 10, 5, 0);
        run();
        EXPECT_EQ(numbers(), (std::vector<int>{1, 1})) << flag;
        EXPECT_TRUE(store().nodes[0].empty()) << flag;
    }
}

TEST_F(WireNumbering, ACrossingIsTwoWires) {
    seg(5, 10, 5, 0);
    seg(0, 5, 10, 5);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(store().nodes[0].empty());
}

TEST_F(WireNumbering, SegmentsTouchOnlyOnTheSameSheet) {
    seg(0, 10, 5, 10, 1);
    seg(5, 10, 5, 0, 2);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2}));
}

TEST_F(WireNumbering, GroupNumbersRunOnThroughTheWireTypes) {
    types(2);
    seg(0, 10, 5, 10, 1, 0);
    seg(0, 0, 5, 0, 1, 0);
    seg(0, 10, 5, 10, 1, 1);
    run();
    EXPECT_EQ(at(0, 0).group, 1);
    EXPECT_EQ(at(1, 0).group, 2);
    EXPECT_EQ(at(0, 1).group, 3);
    EXPECT_EQ(number(0, 1), 1);  // each wire type numbers on its own
}

TEST_F(WireNumbering, WireTypesAfterTheListEndAreLeftAlone) {
    config().wire_defs[1].w_name = "*ND*OLD";
    seg(0, 10, 5, 10, 1, 0);
    seg(0, 10, 5, 10, 1, 1);
    link(3, 2, 10);
    run();
    EXPECT_EQ(number(0, 0), 3);
    EXPECT_EQ(number(0, 1), 0);
    EXPECT_EQ(at(0, 1).group, 0);
    EXPECT_EQ(store().links[0].attached.wire_type, 0);
}

// ---- numbers, links and increments

TEST_F(WireNumbering, AutomaticNumbersStepByTheIncrementAndSkipLinkedNumbers) {
    types(1, 100, 2);
    seg(0, 30, 10, 30);
    seg(0, 20, 10, 20);
    seg(0, 10, 10, 10);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{100, 102, 104}));

    SetUp();
    types(1, 100, 2);
    seg(0, 30, 10, 30);
    seg(0, 20, 10, 20);
    seg(0, 10, 10, 10);
    seg(0, 10, 10, 10, 2);
    link(102, 5, 10, 2);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{100, 104, 106, 102}));
}

TEST_F(WireNumbering, EqualPositiveLinksOnTwoSheetsGiveTheirNumber) {
    seg(0, 10, 10, 10, 1);
    seg(0, 10, 10, 10, 2);
    seg(0, 10, 10, 10, 3);
    link(7, 5, 10, 1);
    link(7, 5, 10, 3);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{7, 1, 7}));
    EXPECT_EQ(store().links[1].attached.index, 2);
    // the link rule reached the sheet 3 segment while it was unvisited
    EXPECT_EQ(at(0).link_pending, 1);
    EXPECT_EQ(at(2).link_pending, 0);
}

TEST_F(WireNumbering, NegativeLinksJoinWiresButNeverBecomeTheirNumber) {
    seg(0, 20, 10, 20, 1);
    seg(0, 10, 10, 10, 1);
    seg(0, 10, 10, 10, 2);
    link(-5, 5, 10, 1);
    link(-5, 5, 10, 2);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2, 2}));
}

TEST_F(WireNumbering, TwoLinksOnOneWireKeepTheFirstAndReportTheOther) {
    seg(0, 10, 5, 10);
    seg(5, 10, 5, 0);
    link(7, 2, 10);
    link(9, 5, 5);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{7, 7}));
    EXPECT_EQ(count_in_log("\n:Warning, wire link conflict, link (9), on sheet 1, ignored!"), 1u);
    EXPECT_EQ(count_in_log("wire link conflict"), 1u);
}

TEST_F(WireNumbering, ASecondLinkOnTheSameSegmentIsAConflict) {
    seg(0, 10, 10, 10);
    link(7, 2, 10);
    link(9, 8, 10);
    run();
    EXPECT_EQ(count_in_log("\n:Warning, conflicting wire link found, link (9), on sheet 1, at x,y(8.000000,10.000000), ignored!"), 1u);
    EXPECT_EQ(at(0).link, 7);
    EXPECT_EQ(at(0).user_link, 9);  // the user link is set before the check
    EXPECT_EQ(number(0), 7);
}

TEST_F(WireNumbering, AWireLinkOnNoSegmentIsReportedAndChangesNothing) {
    seg(0, 10, 10, 10);
    link(4, 50, 50);
    run();
    EXPECT_EQ(count_in_log("\n:Unattached wire link (4), on sheet 1, at x,y(50.000000,50.000000), ignored!"), 1u);
    EXPECT_TRUE(store().links[0].attached.empty());
    EXPECT_EQ(number(0), 1);
}

TEST_F(WireNumbering, AWireLinkAttachesToTheFirstWireTypeHoldingIt) {
    types(2);
    seg(0, 0, 10, 0, 1, 0);
    seg(0, 10, 10, 10, 1, 1);
    link(12, 5, 10);
    run();
    EXPECT_EQ(store().links[0].attached.wire_type, 1);
    EXPECT_EQ(store().links[0].attached.index, 0);
    EXPECT_EQ(at(0, 1).link_wire_type, 1);
    EXPECT_EQ(number(0, 1), 12);
}

TEST_F(WireNumbering, InitialNumberZeroIsGivenEvenWithALinkOfZero) {
    types(1, 0, 1);
    seg(0, 20, 10, 20);
    seg(0, 10, 10, 10);
    link(0, 5, 20);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{0, 1}));
    EXPECT_FALSE(store().links[0].attached.empty());
    EXPECT_EQ(at(0).user_link, 0);
    EXPECT_EQ(at(0).link, 0);
}

TEST_F(WireNumbering, AZeroIncrementStepsPastNumbersInUseAndThenStays) {
    types(1, 5, 0);
    seg(0, 30, 10, 30);
    seg(0, 20, 10, 20);
    seg(0, 10, 10, 10);
    link(5, 5, 10);
    link(6, 5, 20);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{7, 6, 5}));
}

TEST_F(WireNumbering, ANegativeIncrementCountsDownPastZero) {
    types(1, 3, -2);
    seg(0, 40, 10, 40);
    seg(0, 30, 10, 30);
    seg(0, 20, 10, 20);
    seg(0, 10, 10, 10);
    link(3, 5, 10);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, -1, -3, 3}));
}

// ---- pass-through terminals

TEST_F(WireNumbering, AContinueWireTerminalJoinsTheWiresOnItsSides) {
    seg(0, 10, 4, 10);
    seg(6, 10, 10, 10);
    seg(0, 0, 10, 0);
    terminal("tb", {{4, 10}, {6, 10}});
    terminal_definition("TB", 1);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 1, 2}));
    ASSERT_EQ(store().phantoms.size(), 2u);
    EXPECT_EQ(store().phantoms[0].link, -10001);
    EXPECT_EQ(store().phantoms[1].link, -10001);
    EXPECT_TRUE(store().phantoms[0].attached.empty());
    EXPECT_EQ(at(0).label, 1);
    EXPECT_EQ(at(1).label, 1);
    EXPECT_EQ(at(2).label, 0);
    EXPECT_EQ(at(1).link, -10001);

    SetUp();
    seg(0, 10, 4, 10);
    seg(6, 10, 10, 10);
    terminal("tb", {{4, 10}, {6, 10}});
    terminal_definition("TB", 0);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{1, 2}));
    EXPECT_TRUE(store().phantoms.empty());
}

TEST_F(WireNumbering, PassThroughGroupsMeetingOnOneSegmentBecomeOne) {
    seg(0, 10, 2, 10);
    seg(4, 10, 8, 10);
    seg(10, 10, 12, 10);
    seg(0, 0, 12, 0);
    terminal("TB", {{2, 10}, {4, 10}});
    terminal("TB", {{8, 10}, {10, 10}});
    terminal_definition("TB", 1);
    run();
    ASSERT_EQ(store().phantoms.size(), 4u);
    for (const WireLink& p : store().phantoms) EXPECT_EQ(p.link, -10001);
    EXPECT_EQ(numbers(), (std::vector<int>{1, 1, 1, 2}));
    EXPECT_EQ(at(2).link, -10001);
}

TEST_F(WireNumbering, AWireLinkOnAPassThroughWireNumbersBothSides) {
    seg(0, 10, 4, 10, 1);
    seg(6, 10, 10, 10, 1);
    seg(0, 10, 10, 10, 2);
    terminal("TB", {{4, 10}, {6, 10}});
    terminal_definition("TB", 1);
    link(12, 8, 10, 1);
    link(12, 5, 10, 2);
    run();
    EXPECT_EQ(numbers(), (std::vector<int>{12, 12, 12}));
    EXPECT_EQ(at(0).link, 12);
    EXPECT_EQ(at(0).user_link, 0);
    EXPECT_EQ(at(1).user_link, 12);
}

TEST_F(WireNumbering, APassThroughPointOnNoWireIsReported) {
    seg(0, 10, 4, 10);
    terminal("TB", {{4, 10}, {50, 50}});
    terminal_definition("TB", 1);
    run();
    EXPECT_EQ(count_in_log("\n:Warning, Couldn't continue wire number through terminal/component on sheet 1, at "
                           "x,y(50.000000, 50.000000)"),
              1u);
}

// ---- the run's texts

TEST_F(WireNumbering, TheRunIsAnnouncedInTheLogAndOnTheCommandLine) {
    seg(0, 10, 4, 10);
    run();
    EXPECT_EQ(log_text.rfind("\nCalculating wire numbering...", 0), 0u);
    EXPECT_NE(command_line().find("\n:Calculating wire numbers ... :  "), std::string::npos);
}

// ---- the touch test

TEST(PointTouchesLine, EndsTouchWithoutANodeAndInnerPointsRecordOneNode) {
    reset_module_state();
    store().reset();
    EXPECT_EQ(point_touches_line(0, 10, 0, 10, 0, 0, 1, 0, 1), 1);
    EXPECT_EQ(point_touches_line(0, 0, 0, 10, 0, 0, 1, 0, 1), 1);
    EXPECT_TRUE(store().nodes[0].empty());
    EXPECT_EQ(point_touches_line(0, 4, 0, 10, 0, 0, 1, 0, 1), 1);
    EXPECT_EQ(point_touches_line(-0.0, 4, 0, 10, 0, 0, 1, 0, 1), 1);  // -0.0 is the same point
    EXPECT_EQ(point_touches_line(0, 4, 0, 10, 0, 0, 1, 0, 2), 1);     // another sheet: another node
    ASSERT_EQ(store().nodes[0].size(), 2u);
    EXPECT_EQ(store().nodes[0][1].sheet, 2);
    EXPECT_EQ(point_touches_line(0, 5, 0, 10, 0, 0, 0, 0, 1), 1);  // node mode 0 records nothing
    EXPECT_EQ(point_touches_line(0, 11, 0, 10, 0, 0, 1, 0, 1), 0);
    EXPECT_EQ(point_touches_line(1, 5, 0, 10, 0, 0, 1, 0, 1), 0);
    EXPECT_EQ(store().nodes[0].size(), 2u);
}

}  // namespace
}  // namespace wcraft::test
