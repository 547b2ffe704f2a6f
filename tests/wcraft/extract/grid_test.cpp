// Grid references read from the first sheet and the lookup of a point.
#include "extract/extract.h"
#include "extract/store.h"
#include "extract_fixture.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

class Grid : public ExtractTest {
protected:
    std::string lookup(short sheet, double x, double y) {
        GridText t;
        grid_ref_lookup(sheet, x, y, t);
        return t.c_str();
    }
    std::string texts() {
        std::string s;
        for (const GridRef& g : store().grid) s += std::string(g.text.view()) + ";";
        return s;
    }
    const std::string kHead = "\nExtracting grid references on layer :GRIDREF_HOR ";
};

TEST_F(Grid, ARowAlongTheTopPlacesPointsByX) {
    open_sheet(text("GRIDREF_HOR", 150, 400, "3") + text("GRIDREF_HOR", 50, 400, "1") +
               text("GRIDREF_HOR", 200, 400, "4") + text("GRIDREF_HOR", 100, 400, "2") + text("OTHER", 120, 0, "X"));
    EXPECT_EQ(extract_grid_refs(log), 1);
    EXPECT_EQ(store().grid_orientation, GRID_HORIZONTAL);
    EXPECT_EQ(texts(), "1;2;3;4;");
    EXPECT_EQ(lookup(4, 110, -5), "4,2");
    EXPECT_EQ(lookup(1, 1000, 0), "1,4");
    EXPECT_EQ(lookup(2, 75, 0), "2,1") << "half way: the earlier record";
    EXPECT_EQ(log_text(), kHead);
}

TEST_F(Grid, AColumnDownTheSidePlacesPointsByY) {
    open_sheet(text("GRIDREF_HOR", 10, 100, "B") + text("GRIDREF_HOR", 10, 300, "A") +
               text("GRIDREF_HOR", 10, 50, "C"));
    extract_grid_refs(log);
    EXPECT_EQ(store().grid_orientation, GRID_VERTICAL);
    EXPECT_EQ(texts(), "A;B;C;");
    EXPECT_EQ(lookup(7, 999, 120), "7,B");
    EXPECT_EQ(lookup(100, 0, 0), "100,C");
}

TEST_F(Grid, JustifiedTextsStandAtTheirAlignmentPoint) {
    open_sheet(text("GRIDREF_HOR", 0, 0, "1", 1, 50, 400) + text("GRIDREF_HOR", 0, 0, "2", 1, 100, 400));
    extract_grid_refs(log);
    EXPECT_EQ(store().grid_orientation, GRID_HORIZONTAL);
    EXPECT_EQ(lookup(1, 95, 0), "1,2");
}

TEST_F(Grid, ASingleTextLeavesTheGridUndefined) {
    open_sheet(text("GRIDREF_HOR", 50, 400, "1"));
    extract_grid_refs(log);
    EXPECT_EQ(store().grid_orientation, GRID_UNDEFINED);
    EXPECT_EQ(log_text(), kHead + "\n:Error, grid references on incorrect layer or missing");
    EXPECT_EQ(lookup(3, 50, 400), "3,*");
}

TEST_F(Grid, NoTextsOnTheLayer) {
    open_sheet(text("OTHER", 50, 400, "1"));
    extract_grid_refs(log);
    EXPECT_EQ(log_text(), kHead +
                              "\n:No grid reference text values found on layer :GRIDREF_HOR"
                              "\n:Error, grid references on incorrect layer or missing");
    EXPECT_TRUE(store().grid.empty());
}

TEST_F(Grid, TooLongTextsGiveAnEmptyReference) {
    open_sheet(text("GRIDREF_HOR", 50, 400, "1") + text("GRIDREF_HOR", 100, 400, "ABCD") +
               text("GRIDREF_HOR", 150, 400, "XYZ"));
    extract_grid_refs(log);
    EXPECT_EQ(texts(), "1;;XYZ;");
    EXPECT_EQ(lookup(5, 101, 0), "5,") << "the empty reference takes part in the lookup";
    EXPECT_EQ(log_text(), kHead + "\n:Error in grid ref, string too long(max 3), ignored!");
}

TEST_F(Grid, MisalignedTexts) {
    // The first text at X 0 sets no reference; the row is then broken by a
    // text below the reference one.
    open_sheet(text("GRIDREF_HOR", 0, 400, "0") + text("GRIDREF_HOR", 50, 400, "1") +
               text("GRIDREF_HOR", 100, 400, "2") + text("GRIDREF_HOR", 50, 300, "3"));
    extract_grid_refs(log);
    EXPECT_EQ(store().grid_orientation, GRID_HORIZONTAL);
    EXPECT_EQ(log_text(), kHead + "\n:Error, grid references incorrectly aligned");
    EXPECT_EQ(store().grid.size(), 4u);
}

TEST(GridText, TheFieldHoldsEverySheetNumber) {
    store().reset();
    store().grid_orientation = GRID_HORIZONTAL;
    GridRef g;
    g.text = "ABC";
    store().grid.push_back(g);
    GridText t;
    grid_ref_lookup(100, 0, 0, t);
    EXPECT_EQ(t, "100,ABC");
    grid_ref_lookup(-32768, 0, 0, t);
    EXPECT_EQ(t, "-32768,ABC");
    store().reset();
}

}  // namespace
}  // namespace wcraft::test
