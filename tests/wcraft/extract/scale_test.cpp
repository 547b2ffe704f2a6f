// Extraction at the size of real projects: a full sheet read whole, and a
// project's worth of sheets inserted without copying the list per sheet.
// (Speed itself is measured by the benchmarks, not here.)

#include "extract/extract.h"
#include "extract/extract_support.h"
#include "extract/sorted_insert.h"
#include "extract/store.h"
#include "extract_fixture.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

class Scale : public ExtractTest {};

TEST_F(Scale, AFullSheetIsReadWhole) {
    set_wires({{"CONTROL", "WCR_WIRE_CONTROL"}});
    set_zones({{"Z0", "ZL0"}});
    std::string ents;
    for (int i = 0; i < 1000; ++i) {
        double v = (i * 37) % 500;
        ents += i % 2 ? line("WCR_WIRE_CONTROL", v, 0, v, 300) : line("WCR_WIRE_CONTROL", 0, v, 300, v);
    }
    for (int i = 0; i < 200; ++i) {
        double x = (i * 13) % 400, y = (i * 7) % 300;
        ents += insert("SYM", "0", x, y,
                       {{"REF", "K" + std::to_string(i)}, {"TAG", "TAG"}, {"CID", "COIL"}, {"ID", "A1", x, y},
                        {"ID", "A2", x, y + 5}, {"USER", "U"}});
    }
    open_sheet(ents);
    extract_wires(log);
    extract_zones(log);
    extract_components(log);
    EXPECT_EQ(store().wires[0].size(), 1000u);
    ASSERT_EQ(store().coils.size(), 200u);
    for (const Component& c : store().coils) EXPECT_EQ(c.ids.size(), 2u);
}

TEST(ScaleInsertion, FiveHundredSheetsOfAThousandSegmentsGrowTheListGeometrically) {
    std::vector<WireSegment> list;
    OrderMark mark;
    size_t growths = 0;  // times the list's room changed
    for (short sheet = 1; sheet <= 500; ++sheet) {
        std::vector<WireSegment> batch(1000);
        for (int i = 0; i < 1000; ++i) {
            batch[i].sheet = sheet;
            batch[i].start = {static_cast<double>((i * 31) % 400), static_cast<double>((i * 17) % 300)};
        }
        size_t room = list.capacity();
        insert_sorted(list, batch, PositionOrder::TopDown, mark);
        if (list.capacity() != room) ++growths;
    }
    // A list reallocated for every sheet copies the whole project 500 times.
    EXPECT_LT(growths, 40u);
    ASSERT_EQ(list.size(), 500000u);
    for (size_t i = 1; i < list.size(); ++i) {
        ASSERT_LE(list[i - 1].sheet, list[i].sheet);
        if (list[i - 1].sheet == list[i].sheet) {
            ASSERT_FALSE(precedes(list[i].start, list[i - 1].start, PositionOrder::TopDown));
        }
    }
}

// A run of many drawings gives its lists room for all of them once the
// first sheet is in, so that the whole project is not copied again as it
// grows; the records end where they would have.
TEST(ScaleInsertion, ARunsListsMakeRoomForEveryDrawingAtTheFirstSheet) {
    reset_module_state();
    wcr().drawing_count = 200;
    std::vector<Component> list, alone;
    OrderMark mark, alone_mark;
    size_t growths = 0;
    for (short sheet = 1; sheet <= 200; ++sheet) {
        std::vector<Component> batch(50);
        for (int i = 0; i < 50; ++i) {
            batch[i].sheet = sheet;
            batch[i].point = {static_cast<double>((i * 31) % 40), static_cast<double>((i * 17) % 30)};
            batch[i].ref.set("K" + std::to_string(sheet * 100 + i));
        }
        std::vector<Component> copy = batch;
        size_t room = list.capacity();
        insert_batch_reporting(list, batch, mark, "test");
        if (list.capacity() != room) ++growths;
        insert_sorted(alone, copy, PositionOrder::TopDown, alone_mark);
    }
    EXPECT_EQ(growths, 1u);
    ASSERT_EQ(list.size(), alone.size());
    for (size_t i = 0; i < list.size(); ++i) ASSERT_EQ(list[i].ref.view(), alone[i].ref.view()) << i;
    reset_module_state();
}

}  // namespace
}  // namespace wcraft::test
