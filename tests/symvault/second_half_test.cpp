// The rules of the editor, the slide library file, the menu texts, the
// application control file and the line tools, without a host.
#include <gtest/gtest.h>

#include <cmath>

#include "apps/app_file.h"
#include "editor/edit_rules.h"
#include "linetools/line_geometry.h"
#include "menus/menu_text.h"
#include "menus/slide_pack.h"

namespace symvault {
namespace {

LibraryRecord library_of(std::vector<std::pair<std::string, std::vector<std::string>>> groups) {
    LibraryRecord lib;
    lib.name = "PUMPS";
    lib.description = "Pump symbols";
    for (auto& [g, syms] : groups) {
        GroupRecord gr;
        gr.name = g;
        for (auto& s : syms) {
            SymbolRecord r;
            r.name = s;
            r.description = s + " symbol";
            gr.symbols.push_back(r);
        }
        lib.groups.push_back(gr);
    }
    return lib;
}

TEST(SlideLibrary, CountsEverySymbolAndPacksEachSlideOnce) {
    LibraryRecord lib = library_of({{"A", {"P1", "P2", "P3"}}, {"B", {"P1"}}});
    int symbols = 0, found = 0;
    auto names = slide_names(lib, [](const std::string& n) { return n != "P2"; }, &symbols, &found);
    EXPECT_EQ(symbols, 4);
    EXPECT_EQ(found, 3);
    EXPECT_EQ(names, (std::vector<std::string>{"P1", "P3"})) << "P1 of group B is the same slide";
}

TEST(SlideLibrary, HeaderAndDirectoryByteForByte) {
    std::vector<uint8_t> head = slide_library_head({"P1", "ABCDEFGHIJKLMNOP"}, {10, 20});
    ASSERT_EQ(head.size(), 32u + 2 * 36u);
    const char sig[] = "AutoCAD Slide Library 1.0\r\n\x1a";
    EXPECT_EQ(std::string(head.begin(), head.begin() + 28), std::string(sig, 28));
    for (size_t i = 28; i < 32; ++i) EXPECT_EQ(head[i], 0) << i;
    EXPECT_EQ(std::string(head.begin() + 32, head.begin() + 34), "P1");
    for (size_t i = 34; i < 64; ++i) EXPECT_EQ(head[i], 0) << "name field zero-padded at " << i;
    EXPECT_EQ(head[64] | head[65] << 8 | head[66] << 16 | head[67] << 24, 104) << "first slide right after the directory";
    EXPECT_EQ(std::string(head.begin() + 68, head.begin() + 84), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(head[84], 0) << "a 16-character name fills half its field";
    EXPECT_EQ(head[100] | head[101] << 8, 114) << "second address: the first plus its size";
}

std::vector<AvailableLibrary> two_libraries() {
    return {{"PUMPS", "Pump symbols", 1, 0}, {"HIDDEN", "Not shown", 0, 0}, {"VALVESLONG", "Valves", 1, 1}};
}

TEST(Menus, ToolbarAndPullDownLinesForShownLibrariesOnly) {
    EXPECT_EQ(toolbar_line(two_libraries()[0]),
              "ID_SV_PUMPS" + std::string(15, ' ') +
                  "[_Button(\"Pump symbols\", PUMPSS.BMP, PUMPSL.BMP)]^C^CSVLIBRARY PUMPS");
    EXPECT_EQ(bitmap_name("VALVESLONG", 'S'), "VALVESLS.BMP");
    EXPECT_EQ(help_string_line(two_libraries()[0]), "ID_SV_PUMPS" + std::string(15, ' ') + "[Pump symbols]");
    std::vector<std::string> tpl{"head", "//begin_toolbar", "middle", "//BEGIN_HELPSTRING x", "tail"};
    std::vector<std::string> out = toolbar_menu(tpl, two_libraries());
    ASSERT_EQ(out.size(), 7u);
    EXPECT_EQ(out[0], "head");
    EXPECT_NE(out[1].find("SVLIBRARY PUMPS"), std::string::npos);
    EXPECT_NE(out[2].find("SVLIBRARY VALVESLONG"), std::string::npos) << "the hidden library has no button";
    EXPECT_EQ(out[3], "middle");
    EXPECT_EQ(out[6], "tail");
    auto pd = pulldown_lines(two_libraries());
    EXPECT_EQ(pd, (std::vector<std::string>{"      [Pump symbols]^C^CSVLIBRARY;PUMPS;",
                                            "      [Valves]^C^CSVLIBRARY;VALVESLONG;", "      [--]",
                                            "      [<-Update library entries...]^C^CSV_UPDATE_MENU;"}));
}

const std::vector<std::string> kSection{"[->SYMVAULT]", "   [Editor]^C^C(SV_EDITLIB)", "   [->LIBRARIES]",
                                        "   [<-ABOUT]^C^CSV_ABOUT"};

TEST(Menus, UpdateRunTwiceReplacesTheSection) {
    std::vector<std::string> menu{"***MENUGROUP=ACAD", "***POP9", "[&Tools]", "[Other]^C^COTHER", "***IMAGE",
                                  "**IM1"};
    MenuUpdate once = update_menu(menu, kSection, two_libraries());
    ASSERT_EQ(once.error, 0);
    MenuUpdate twice = update_menu(once.lines, kSection, two_libraries());
    ASSERT_EQ(twice.error, 0);
    EXPECT_EQ(twice.lines, once.lines) << "no second section";
    std::vector<std::string> expect{"***MENUGROUP=ACAD", "***POP9", "[&Tools]", "[->SYMVAULT]",
                                    "   [Editor]^C^C(SV_EDITLIB)", "   [->LIBRARIES]",
                                    "      [Pump symbols]^C^CSVLIBRARY;PUMPS;",
                                    "      [Valves]^C^CSVLIBRARY;VALVESLONG;", "      [--]",
                                    "      [<-Update library entries...]^C^CSV_UPDATE_MENU;",
                                    "   [<-ABOUT]^C^CSV_ABOUT", "[Other]^C^COTHER", "***IMAGE", "**IM1"};
    EXPECT_EQ(once.lines, expect);
}

TEST(Menus, UpdateWithoutPop9AddsOneBeforeTheImages) {
    MenuUpdate r = update_menu({"***MENUGROUP=X", "***image", "**IM1"}, kSection, {});
    ASSERT_EQ(r.error, 0);
    ASSERT_GE(r.lines.size(), 4u);
    EXPECT_EQ(r.lines[1], "***POP9");
    EXPECT_EQ(r.lines[2], "[&Applications]");
    EXPECT_EQ(r.lines[3], "[->SYMVAULT]");
    EXPECT_EQ(r.lines[r.lines.size() - 2], "***image");
    EXPECT_EQ(update_menu({"***MENUGROUP=X", "***POP1"}, kSection, {}).error, 5107);
}

TEST(Menus, LtMenuCleansLabelsAndAnswersByType) {
    EXPECT_EQ(clean_label("Valves (gate, globe)"), "Valves <gate  globe>");
    EXPECT_EQ(clean_label("[A&B]"), "<A/B>");
    LibraryRecord lib = library_of({{"Main (1)", {"P1", "P2", "P3"}}});
    lib.groups[0].symbols[0].description = "Valves (gate, globe)";
    lib.groups[0].symbols[1].type = SYM_GROUP;
    lib.groups[0].symbols[2].type = SYM_SCRIPT;
    LtMenu m = lt_menu(lib, false);
    EXPECT_NE(m.menu.find("***MENUGROUP=SV_PUMPS\n***POP10\n[PUMPS]\n[Main <1>]^C^C$I=SV_PUMPS.G1 $I=*;\n\n\n***IMAGE\n"),
              std::string::npos)
        << m.menu;
    EXPECT_NE(m.menu.find("[PUMPS(P1,Valves <gate  globe>)]^C^CINSERT;PUMPS/P1;\\;;\n"), std::string::npos);
    EXPECT_NE(m.menu.find("[PUMPS(P2,P2 symbol)]^C^CINSERT;*PUMPS/P2;\\;\n"), std::string::npos) << "exploded";
    EXPECT_EQ(m.menu.find("P3"), std::string::npos) << "script symbols are left out";
    EXPECT_EQ(m.sheet, "Symvault Symbol Library Data Sheet\nLibrary Name : PUMPS\nDescription  : Pump symbols\n\n"
                       "[Main (1)]\nValves (gate, globe)\nP2 symbol\n\n\n");
    EXPECT_NE(lt_menu(lib, true).menu.find("INSERT;PUMPS/P1;\n"), std::string::npos) << "the host asks everything";
}

LineSource source(const std::vector<std::string>& lines) {
    auto at = std::make_shared<size_t>(0);
    return [lines, at]() -> std::optional<std::string> {
        if (*at >= lines.size()) return std::nullopt;
        return lines[(*at)++];
    };
}

TEST(AppFile, RoundTripKeepsEntriesFlagsAndOrder) {
    std::vector<ApplicationEntry> in{{"C:\\A\\ONE.ARX", "One", APP_ARX, 0, 1}, {"TWO.LSP", "Two", APP_LSP, 1, 0},
                                     {"THREE.EXE", "Three", APP_ADS, 1, 1}};
    AppFile back = parse_app_file(source(app_file_lines(in)));
    ASSERT_TRUE(back.valid);
    ASSERT_EQ(back.entries.size(), 3u);
    for (size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(back.entries[i].name, in[i].name);
        EXPECT_EQ(back.entries[i].description, in[i].description);
        EXPECT_EQ(back.entries[i].type, in[i].type);
        EXPECT_EQ(back.entries[i].enabled, in[i].enabled);
        EXPECT_EQ(back.entries[i].debug, in[i].debug);
    }
    EXPECT_EQ(app_row(in[0]), "[ARX - d ]\tOne");
}

TEST(AppFile, DefaultsAndTheQuirksOfReading) {
    AppFile f = parse_app_file(source({"***application_control v1.0", "junk outside", "***BEGIN_APPLICATION",
                                       "**app_name=X.LSP", "***BEGIN_APPLICATION", "**APP_DISABLED",
                                       "***END_APPLICATION", "***END_OF_FILE", "***BEGIN_APPLICATION"}));
    ASSERT_TRUE(f.valid);
    ASSERT_EQ(f.entries.size(), 1u) << "a begin line inside an open entry is skipped; nothing after the end";
    EXPECT_EQ(f.entries[0].name, "X.LSP");
    EXPECT_EQ(f.entries[0].type, APP_LSP) << "no type line: AutoLISP";
    EXPECT_EQ(f.entries[0].enabled, 0) << "the keys after the second begin still change the open entry";
    EXPECT_FALSE(parse_app_file(source({"***APPLICATION_CONTROL V2.0"})).valid);
    EXPECT_FALSE(parse_app_file(source({})).valid);
}

TEST(LineTools, BreakPointsOfARotatedAndScaledBlock) {
    InsertPlacement ins{{10, 5, 0}, 2, 2, M_PI / 2, {0, 0, 0}};
    Pt3 a = place_block_point(ins, {0, -1, 0}), b = place_block_point(ins, {0, 1, 0});
    EXPECT_NEAR(a.x, 12, 1e-12);
    EXPECT_NEAR(a.y, 5, 1e-12);
    EXPECT_NEAR(b.x, 8, 1e-12);
    auto pieces = cut_line({{0, 5, 0}, {20, 5, 0}}, a, b);
    EXPECT_NEAR(pieces.first.end.x, 8, 1e-12) << "the start goes to the nearer point";
    EXPECT_NEAR(pieces.second.start.x, 12, 1e-12);
    EXPECT_EQ(pieces.second.end.x, 20);
    // A block written from the drawing keeps its objects where they were:
    // its points count from its base point.
    InsertPlacement based{{15, 50, 0}, 1, 1, 0, {5, 0, 0}};
    EXPECT_EQ(place_block_point(based, {3, 0, 0}).x, 13);
    EXPECT_EQ(place_block_point(based, {7, 0, 0}).x, 17);
    Pt3 alignment{3, 4, 0};
    EXPECT_EQ(attribute_point({1, 1, 0}, alignment, 0, 0, 0).x, 1);
    EXPECT_EQ(attribute_point({1, 1, 0}, alignment, 1, 0, 0).x, 3) << "centred: its alignment point";
    std::vector<Pt3> one{{1, 2, 0}};
    complete_pairs(one);
    EXPECT_EQ(one.size(), 2u);
}

TEST(LineTools, FixJoinsHorizontalAndSlopingPiecesButNotVertical) {
    auto h = joined_line({{12, 5, 0}, {20, 5, 0}}, {{8, 5, 0}, {0, 5, 0}});
    ASSERT_TRUE(h);
    EXPECT_EQ(h->start.x, 0);
    EXPECT_EQ(h->end.x, 20);
    EXPECT_TRUE(joined_line({{0, 0, 0}, {1, 1, 0}}, {{2, 2, 0}, {3, 3, 0}}));
    EXPECT_FALSE(joined_line({{0, 0, 0}, {0, 4, 0}}, {{0, 6, 0}, {0, 10, 0}})) << "equal X: never joined";
    EXPECT_FALSE(joined_line({{0, 0, 0}, {4, 0, 0}}, {{6, 1, 0}, {10, 1, 0}})) << "not collinear";
}

TEST(EditRules, ScaleOptionAndValueOrderAndClashes) {
    std::vector<ScaleOptionRecord> opts;
    for (const char* n : {"Metric", "imperial", "Custom"}) {
        ScaleOptionRecord o;
        o.name = n;
        opts.insert(opts.begin() + static_cast<long>(ordered_place(opts, n)), o);
    }
    EXPECT_EQ(opts[0].name, "Custom");
    EXPECT_EQ(opts[1].name, "imperial");
    EXPECT_EQ(opts[2].name, "Metric");
    EXPECT_EQ(clash(opts, "METRIC"), 2);
    EXPECT_EQ(clash(opts, "METRIC", 2), -1) << "the option itself does not count when modified";
}

TEST(EditRules, NewLibraryTemplateAndTypeSwitch) {
    LibraryRecord lib = new_library("PUMPS", "", 0, SYM_DRAWING);
    ASSERT_EQ(lib.groups.size(), 1u);
    EXPECT_EQ(lib.groups[0].name, "DEFAULT");
    EXPECT_EQ(lib.description, "PUMPS");
    EXPECT_EQ(lib.slides, 1);
    EXPECT_EQ(fill_template_line("(defun %symname% () ; %LibName%", "LIB", "SYM"), "(defun SYM () ; LIB");
    SymbolRecord s = symbol_defaults(SYM_BLOCK);
    s.name = "X";
    s.para_pre = 1;
    s.scale_option = "Metric";
    change_symbol_type(s, SYM_DRAWING);
    EXPECT_EQ(s.name, "X");
    EXPECT_EQ(s.scale_option, "");
    EXPECT_EQ(s.ins_scale, 1.0);
    EXPECT_EQ(s.para_pre, 0);
    for (const char* bad : {"..", "A\\B", "A/B", "..X", ""}) EXPECT_FALSE(safe_file_part(bad)) << bad;
    EXPECT_TRUE(safe_file_part("PUMPS"));
    LibraryRecord two = library_of({{"A", {"P1"}}, {"B", {"P2"}}});
    EXPECT_TRUE(symbol_name_taken(two, "P2", &two.groups[0].symbols[0])) << "a name of another group";
    EXPECT_FALSE(symbol_name_taken(two, "P1", &two.groups[0].symbols[0])) << "the symbol itself";
}

}  // namespace
}  // namespace symvault
