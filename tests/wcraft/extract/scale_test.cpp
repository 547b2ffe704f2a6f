// Extraction at the size of real projects: a full sheet read in
// milliseconds, and a project's worth of sheets inserted in linear time.
#include <chrono>

#include "extract/extract.h"
#include "extract/sorted_insert.h"
#include "extract/store.h"
#include "extract_fixture.h"
#include "host/module_state.h"

namespace wcraft::test {
namespace {

double seconds_since(std::chrono::steady_clock::time_point t0) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

class Scale : public ExtractTest {};

TEST_F(Scale, AFullSheetIsReadQuickly) {
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
    auto t0 = std::chrono::steady_clock::now();
    extract_wires(log);
    extract_zones(log);
    extract_components(log);
    double took = seconds_since(t0);
    EXPECT_EQ(store().wires[0].size(), 1000u);
    EXPECT_EQ(store().coils.size(), 200u);
    EXPECT_LT(took, 0.5) << "host calls included";
    RecordProperty("sheet_seconds", std::to_string(took));
}

TEST(ScaleInsertion, FiveHundredSheetsOfAThousandSegments) {
    std::vector<WireSegment> list;
    OrderMark mark;
    auto t0 = std::chrono::steady_clock::now();
    for (short sheet = 1; sheet <= 500; ++sheet) {
        std::vector<WireSegment> batch(1000);
        for (int i = 0; i < 1000; ++i) {
            batch[i].sheet = sheet;
            batch[i].start = {static_cast<double>((i * 31) % 400), static_cast<double>((i * 17) % 300)};
        }
        insert_sorted(list, batch, PositionOrder::TopDown, mark);
    }
    double took = seconds_since(t0);
    ASSERT_EQ(list.size(), 500000u);
    for (size_t i = 1; i < list.size(); ++i) {
        ASSERT_LE(list[i - 1].sheet, list[i].sheet);
        if (list[i - 1].sheet == list[i].sheet) {
            ASSERT_FALSE(precedes(list[i].start, list[i - 1].start, PositionOrder::TopDown));
        }
    }
    EXPECT_LT(took, 2.0);
}

}  // namespace
}  // namespace wcraft::test
