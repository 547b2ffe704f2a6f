// Settings and platform, names, error texts, registry rows, picker paging
// and toggles, and the shapes of the insertion list.
#include <gtest/gtest.h>

#include "host/error_table.h"
#include "host/module_state.h"
#include "host/settings.h"
#include "host/text.h"
#include "library/paths.h"
#include "library/registry_rows.h"
#include "picker/insertion.h"
#include "picker/layouts.h"

namespace symvault {
namespace {

TEST(Platform, RowsMatchByBeginningInTableOrder) {
    Settings nt;
    apply_host(nt, "Microsoft Windows NT Version 4.00", "14.0");
    EXPECT_EQ(nt.platform, "MICROSOFT WINDOWS NT");
    EXPECT_EQ(nt.windows, 1);
    EXPECT_EQ(nt.long_names, 1);
    EXPECT_EQ(nt.max_name_length, 16);
    EXPECT_EQ(nt.host_version, 14);
    EXPECT_EQ(nt.version_line, "Vozaradov Version 1.5 C5 (ARX 14.W.L)");

    Settings w3;
    apply_host(w3, "Microsoft Windows Version 3.11", "13.0c");
    EXPECT_EQ(w3.platform, "MICROSOFT WINDOWS VERSION 3");
    EXPECT_EQ(w3.long_names, 0);
    EXPECT_EQ(w3.max_name_length, 8);
    EXPECT_EQ(w3.version_line, "Vozaradov Version 1.5 C5 (ARX 13.W.S)");

    Settings other;
    apply_host(other, "Phar Lap DOS extender", "12");
    EXPECT_EQ(other.platform, "UNKNOWN OPERATING SYSTEM");
    EXPECT_EQ(other.version_line, "Vozaradov Version 1.5 C5 (ARX 12.D.S)");
    EXPECT_STREQ(recognise_platform("microsoft windows 95").name, "MICROSOFT WINDOWS");
    EXPECT_STREQ(recognise_platform("386 DOS Extender 5").name, "386 DOS EXTENDER");
}

TEST(Environment, OptionsAndTheirCorrections) {
    Settings s;
    apply_environment(s, nullptr, nullptr, nullptr);
    EXPECT_EQ(support_dir(s), "C:\\SYMVAULT\\");
    EXPECT_EQ(s.net_option + s.dir_option + s.drive_option, 0);

    Settings moved;
    apply_environment(moved, "SYMS", "\\D:", "N:\\SHARED");
    EXPECT_EQ(moved.drive, "D:") << "a leading backslash goes";
    EXPECT_EQ(moved.net_dir, "N:\\SHARED\\") << "a backslash is added";
    EXPECT_EQ(support_dir(moved), "D:\\SYMS\\");
    Settings kept;
    apply_environment(kept, nullptr, nullptr, "N:\\SHARED\\");
    EXPECT_EQ(kept.net_dir, "N:\\SHARED\\");
    Settings longer;
    apply_environment(longer, std::string(130, 'D').c_str(), std::string(30, 'X').c_str(), nullptr);
    EXPECT_EQ(longer.product_dir.size(), 120u);
    EXPECT_EQ(longer.drive.size(), 20u);
}

TEST(Paths, LocalAndNetworkLibraries) {
    reset_module_state();
    EXPECT_EQ(library_path("ELEC", 0, "SVF"), "C:\\SYMVAULT\\LIBRARY\\ELEC.SVF");
    EXPECT_EQ(library_path("ELEC", 1, "SVF"), "C:\\SYMVAULT\\LIBRARY\\ELEC.SVF") << "no network option";
    EXPECT_EQ(library_dir("ELEC", 0), "C:\\SYMVAULT\\LIBRARY\\ELEC\\");
    apply_environment(settings(), nullptr, nullptr, "N:\\LIBS");
    EXPECT_EQ(library_path("ELEC", 1, "BAK"), "N:\\LIBS\\ELEC.BAK");
    EXPECT_EQ(library_dir("ELEC", 1), "N:\\LIBS\\ELEC\\");
    reset_module_state();
}

TEST(Names, SymbolAndLibraryNames) {
    std::string n = "abc-1";
    EXPECT_EQ(check_name(n, 8), NAME_OK);
    EXPECT_EQ(n, "ABC-1");
    std::string dot = "A.B";
    EXPECT_EQ(check_name(dot, 8), NAME_BAD_CHAR);
    std::string nine = "ABCDEFGHI";
    EXPECT_EQ(check_name(nine, 8), NAME_TOO_LONG);
    EXPECT_EQ(check_name(nine, 16), NAME_OK);
    std::string empty;
    EXPECT_EQ(check_name(empty, 16), NAME_EMPTY);
    std::string blank = "A B";
    EXPECT_EQ(check_name(blank, 16), NAME_BAD_CHAR);
}

TEST(Names, LayersAndNumbers) {
    EXPECT_EQ(check_layer_name("Wiring_1"), 1);
    EXPECT_EQ(check_layer_name(""), 0);
    EXPECT_EQ(check_layer_name("A.B"), 0);
    EXPECT_EQ(check_number("12.5"), 1);
    EXPECT_EQ(check_number("12"), 1);
    EXPECT_EQ(check_number("1.2.3"), 0);
    EXPECT_EQ(check_number("-4"), 0);
    EXPECT_EQ(check_number(""), 0);
}

// Numbers as the library file keeps them, three decimals.
TEST(Names, NumbersAsTheFileKeepsThem) {
    EXPECT_EQ(kept_number(0.25), 0.25);
    EXPECT_EQ(kept_number(-2.5), -2.5);
    EXPECT_EQ(kept_number(1.23456), 1.235);
    EXPECT_EQ(kept_number(0.0004), 0.0) << "too small for the decimals";
    EXPECT_EQ(kept_number(0.0006), 0.001);
}

TEST(ErrorReport, TextsOfKnownUnknownAndAlreadyToldCodes) {
    EXPECT_EQ(error_report_text(9999), "");
    EXPECT_EQ(error_report_text(4242), "SYMVAULT : Error(4242), Undefined error code \n");
    EXPECT_EQ(error_report_text(5041), "SYMVAULT : Error(5041), Invalid PAGE number specified in SV_USELIB function!\n");
    EXPECT_STREQ(error_message(5064), "Out of disk space!") << "ranges of codes share a message";
    EXPECT_STREQ(error_message(5012), "Unexpected failure searching library structure!");
    EXPECT_EQ(error_message(5010), nullptr);
    EXPECT_EQ(error_message(5066), nullptr);
}

TEST(RegistryRows, NetworkMarkAndHiddenNamesInLowerCase) {
    EXPECT_EQ(library_row("ELEC", "Electrical", 1, 0), "ELEC\tElectrical");
    EXPECT_EQ(library_row("ELEC", "Electrical", 0, 1), "*elec\tElectrical");
    AvailableLibrary a;
    EXPECT_TRUE(available_entry("Pumps.Old.SVF", {"***symvault=2", "Pumps", "***show_library"}, 1, a));
    EXPECT_EQ(a.name, "Pumps");
    EXPECT_EQ(a.show, 1);
    EXPECT_EQ(a.location, 1);
    EXPECT_FALSE(available_entry("NOTES.SVF", {"Some notes", "x", "y"}, 0, a)) << "not a library file";
    EXPECT_FALSE(available_entry("SHORT.SVF", {"***SYMVAULT=2", "Only two lines"}, 0, a));
}

TEST(Paging, TwentyFiveSymbolsInTheFirstLayout) {
    const int tiles = picker_layout(0).tiles;
    ASSERT_EQ(tiles, 20);
    PageSpan p0 = page_span(25, 0, tiles, OPENING_FILL);
    EXPECT_EQ(p0.error, PAGE_OK);
    EXPECT_EQ(p0.count, 20u);
    EXPECT_EQ(p0.more, 1);
    PageSpan p1 = page_span(25, 1, tiles, LATER_FILL);
    EXPECT_EQ(p1.start, 20u);
    EXPECT_EQ(p1.count, 5u);
    EXPECT_EQ(p1.more, 0);
    EXPECT_EQ(page_span(25, 2, tiles, OPENING_FILL).error, ERR_PAGE_OPEN);
    EXPECT_EQ(page_span(25, 2, tiles, LATER_FILL).error, ERR_PAGE_LATER);
}

TEST(Paging, FullPagesEmptyGroupsAndThePageAtTheEnd) {
    PageSpan full = page_span(20, 0, 20, OPENING_FILL);
    EXPECT_EQ(full.count, 20u);
    EXPECT_EQ(full.more, 0) << "exactly one page: no next";
    EXPECT_EQ(page_span(0, 0, 20, OPENING_FILL).error, PAGE_OK) << "an empty group shows nothing";
    EXPECT_EQ(page_span(20, 1, 20, LATER_FILL).error, PAGE_OK) << "a page at the end after the last full page";
    EXPECT_EQ(page_span(20, 1, 20, LATER_FILL).count, 0u);
    EXPECT_EQ(page_span(20, 1, 20, OPENING_FILL).error, ERR_PAGE_OPEN);
    EXPECT_EQ(page_span(5, -1, 20, OPENING_FILL).error, ERR_PAGE_OPEN);
    for (int t = 0; t < kLayoutCount; ++t) {
        const PickerLayout& l = picker_layout(t);
        EXPECT_EQ(std::string(l.picker_dcl), "sv_dlg2" + std::to_string(t) + ".dcl");
        PageSpan last = page_span(100, 100 / l.tiles, l.tiles, LATER_FILL);
        EXPECT_EQ(last.start + last.count, 100u) << l.name;
    }
    EXPECT_EQ(picker_layout(7).tiles, 4);
    EXPECT_EQ(picker_layout(8).tiles, 20) << "out of range: the first layout";
}

TEST(Toggles, EnabledByTypeAndTiedInPairs) {
    ToggleModes block = toggle_modes(SYM_BLOCK), group = toggle_modes(SYM_GROUP), dwg = toggle_modes(SYM_DRAWING);
    EXPECT_EQ(block.explode + block.scale + block.rotate + block.xref + block.multi, 5);
    EXPECT_EQ(group.rotate + group.multi, 2);
    EXPECT_EQ(group.explode + group.scale + group.xref, 0);
    EXPECT_EQ(dwg.explode + dwg.scale + dwg.rotate + dwg.xref + dwg.multi, 0);
    for (int t : {SYM_SCRIPT, SYM_PARAMETRIC}) EXPECT_EQ(toggle_modes(t).rotate + toggle_modes(t).multi, 0);

    PickerToggles t;
    t.explode = 1;
    set_toggle(t, "xref", 1);
    EXPECT_EQ(t.explode, 0);
    set_toggle(t, "explode", 1);
    EXPECT_EQ(t.xref, 0);
    set_toggle(t, "multi", 1);
    EXPECT_EQ(t.recall, 0);
    set_toggle(t, "recall", 1);
    EXPECT_EQ(t.multi, 0);
    set_toggle(t, "scale", 1);
    set_toggle(t, "rotate", 1);
    EXPECT_EQ(t.explode + t.recall + t.scale + t.rotate, 4) << "switching off ties nothing";
    set_toggle(t, "explode", 0);
    EXPECT_EQ(t.xref, 0);
    EXPECT_FALSE(set_toggle(t, "names", 1));
}

std::vector<short> codes(const std::vector<Pair>& pairs) {
    std::vector<short> out;
    for (const Pair& p : pairs) out.push_back(p.code);
    return out;
}

const Pair& pair_of(const std::vector<Pair>& pairs, short code) {
    for (const Pair& p : pairs)
        if (p.code == code) return p;
    static const Pair none(-1, std::string());
    return none;
}

struct InsertionFixture : ::testing::Test {
    LibraryRecord lib;
    SymbolRecord sym;
    Choice choice() {
        lib.name = "ELEC";
        lib.block_break_lines = 1;
        lib.debug = 1;
        Choice c;
        c.lib = &lib;
        c.symbol = &sym;
        c.directory = "C:\\SYMVAULT\\LIBRARY\\ELEC\\";
        c.group = "Coils";
        c.page = 1;
        c.toggles.multi = 1;
        c.toggles.recall = 0;
        return c;
    }
};

const std::vector<short> kCommon = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 20, 21, 22, 23, 30, 31, 32, 40, 41, 42, 43};

std::vector<short> with(std::vector<short> tail) {
    std::vector<short> all = kCommon;
    all.insert(all.end(), tail.begin(), tail.end());
    return all;
}

TEST_F(InsertionFixture, BlockWithoutScaleOptionEndsWithItsRoutineFlags) {
    sym.para_post = 1;
    auto pairs = insertion_pairs(choice());
    EXPECT_EQ(codes(pairs), with({50, 51}));
    EXPECT_EQ(pair_of(pairs, 51).kind, Pair::SHORT);
    EXPECT_EQ(pair_of(pairs, 51).number, 1);
    EXPECT_EQ(pair_of(pairs, 11).number, 1) << "multi kept for a block";
    EXPECT_EQ(pair_of(pairs, 30).number, 1);
    EXPECT_EQ(pair_of(pairs, 43).number, 1);
    EXPECT_EQ(pair_of(pairs, 3).text, "C:\\SYMVAULT\\LIBRARY\\ELEC\\");
    EXPECT_EQ(pair_of(pairs, 6).number, 1);
}

TEST_F(InsertionFixture, ScaleChosenSkippedOrNothingToChoose) {
    sym.scale_option = "SIZE";
    Choice c = choice();
    c.scale.outcome = ScaleChoice::CHOSEN;
    c.scale.x = 2, c.scale.y = 3, c.scale.z = 4;
    auto chosen = insertion_pairs(c);
    EXPECT_EQ(codes(chosen), with({50, 51, 60, 61, 62, 63}));
    EXPECT_EQ(pair_of(chosen, 60).number, 1);
    EXPECT_EQ(pair_of(chosen, 62).kind, Pair::REAL);
    EXPECT_EQ(pair_of(chosen, 62).real, 3.0);
    c.scale.outcome = ScaleChoice::SKIPPED;
    auto skipped = insertion_pairs(c);
    EXPECT_EQ(codes(skipped), with({50, 51, 60}));
    EXPECT_EQ(pair_of(skipped, 60).number, 0);
    c.scale.outcome = ScaleChoice::NOTHING;
    EXPECT_EQ(codes(insertion_pairs(c)), with({50, 51}));
}

TEST_F(InsertionFixture, DrawingScriptAndParametricData) {
    sym.type = SYM_DRAWING;
    sym.ins_scale = 2.5;
    sym.scale_option = "SIZE";  // not a block: no scale data
    Choice c = choice();
    c.scale.outcome = ScaleChoice::CHOSEN;
    auto dwg = insertion_pairs(c);
    EXPECT_EQ(codes(dwg), with({50, 51, 52, 53, 54}));
    EXPECT_EQ(pair_of(dwg, 53).kind, Pair::REAL);
    EXPECT_EQ(pair_of(dwg, 53).real, 2.5);
    EXPECT_EQ(pair_of(dwg, 11).number, 0) << "multi is 0 for a drawing even when the toggle is on";
    sym.type = SYM_SCRIPT;
    EXPECT_EQ(codes(insertion_pairs(choice())), kCommon);
    sym.type = SYM_PARAMETRIC;
    sym.app_type = 3;
    auto par = insertion_pairs(choice());
    EXPECT_EQ(codes(par), with({50}));
    EXPECT_EQ(pair_of(par, 50).kind, Pair::SHORT);
    EXPECT_EQ(pair_of(par, 11).number, 0);
}

TEST(ScaleChoiceRules, WhenNoDialogIsNeeded) {
    ScaleChoice c;
    EXPECT_TRUE(scale_without_dialog(nullptr, c));
    EXPECT_EQ(c.outcome, ScaleChoice::NOTHING);
    ScaleOptionRecord o;
    EXPECT_TRUE(scale_without_dialog(&o, c)) << "an option without values";
    EXPECT_EQ(c.outcome, ScaleChoice::NOTHING);
    o.values.push_back(ScaleValueRecord{"Only", 2, 3, 4});
    EXPECT_TRUE(scale_without_dialog(&o, c));
    EXPECT_EQ(c.outcome, ScaleChoice::CHOSEN);
    EXPECT_EQ(c.y, 3.0);
    o.user = 1;
    EXPECT_FALSE(scale_without_dialog(&o, c)) << "the user may type his own";
    EXPECT_EQ(c.x, 2.0) << "the first value is where the dialog starts";
    o.user = 0;
    o.values.push_back(ScaleValueRecord{"Two"});
    EXPECT_FALSE(scale_without_dialog(&o, c));
}

}  // namespace
}  // namespace symvault
