// The project file: defaults, the 2.0 round trip, older layouts, version
// and header rules, corrupt files, long lines and write failures.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "host/error_codes.h"
#include "project/project_config.h"
#include "project/project_format.h"

using namespace wcraft;

namespace {

std::unique_ptr<ProjectConfig> defaults() {
    auto c = std::make_unique<ProjectConfig>();
    fill_defaults(*c);
    return c;
}

// A temporary file holding `text`, rewound for reading.
FILE* file_with(const std::string& text) {
    FILE* f = tmpfile();
    fputs(text.c_str(), f);
    rewind(f);
    return f;
}

std::string written(const ProjectConfig& c) {
    FILE* f = tmpfile();
    EXPECT_TRUE(write_project(f, c));
    rewind(f);
    std::string out;
    for (int ch; (ch = fgetc(f)) != EOF;) out.push_back(static_cast<char>(ch));
    fclose(f);
    return out;
}

struct Loaded {
    int error;
    std::string log;
};

Loaded load(const std::string& text, ProjectConfig& c) {
    FILE* f = file_with(text);
    Loaded r;
    r.error = read_project(f, c, [&r](const std::string& t) { r.log += t; });
    fclose(f);
    return r;
}

std::vector<std::string> split_lines(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        out.push_back(text.substr(start, nl - start));
    return out;
}

std::string join(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

// A configuration that differs from the defaults in every group, including
// slots behind the list-end markers.
std::unique_ptr<ProjectConfig> edited() {
    auto c = defaults();
    c->p_name = "ELEC";
    c->p_dir = "C:\\DWG\\ELEC";
    c->p_title = "Pump station control";
    c->en = 1, c->v_x = 0.5, c->h_x = -1.25, c->v_y = 3.0, c->h_y = 2.2, c->height = 1.75;
    c->ls = 0, c->gs = 0, c->ftg = 0;
    c->wire_defs[1].pp_mode = PP_NONE;
    c->wire_defs[2].nodepts = 0;
    c->wire_defs[99].w_name = "LAST";
    c->wire_defs[99].colnum = 200;
    c->zone_defs[249].z_name = "END_ZONE";
    c->zone_defs[3].level = 9;
    c->zone_levels[8] = "LEVEL8";
    c->f_mode = FM_DIRECTORY;
    c->f_mask = "SHT";
    c->f_names[499] = "LASTDWG";
    c->cv = "VOLTS";
    c->comp_defs[0].cont_wire = 1;
    c->term_defs[99].cont_wire = 1;
    c->term_defs[99].pp_mode = PP_POSTFIX;
    c->tm_postfix = "~";
    c->audit = 1, c->sheet_rot = 1;
    c->int5f = "IFACE5";
    c->int5x = "RUN_IFACE";
    return c;
}

}  // namespace

TEST(ProjectDefaults, ListsHoldTheDefaultEntriesInOrder) {
    auto c = defaults();
    ASSERT_EQ(wire_count(*c), 8);
    const char* wires[] = {"CONTROL", "PH1", "PH2", "PH3", "PHN", "12V", "5V", "0"};
    for (int i = 0; i < 8; ++i) EXPECT_EQ(c->wire_defs[i].w_name.view(), wires[i]);
    EXPECT_EQ(c->wire_defs[7].colnum, 253);
    EXPECT_EQ(c->wire_defs[8].colnum, 7);
    EXPECT_EQ(c->wire_defs[20].w_name.view(), "@");
    EXPECT_EQ(zone_count(*c), 7);
    EXPECT_EQ(c->zone_defs[6].parent.view(), "CUBICLE_2");
    EXPECT_EQ(file_name_count(*c), 4);
    EXPECT_EQ(comp_count(c->comp_defs, kMaxCompDefs), 4);
    EXPECT_EQ(c->comp_defs[0].name.view(), "PUSH BUTTON");
    EXPECT_EQ(c->term_defs[3].pp_val.view(), "TB4");
    EXPECT_EQ(c->zone_levels[2].view(), "SUB-RACK");
    EXPECT_EQ(c->zone_levels[9].view(), "*UNDEFINED");
    int defaults_marked = 0;
    for (const auto& w : c->wire_defs) defaults_marked += w.is_default;
    EXPECT_EQ(defaults_marked, 1);
}

TEST(ProjectDefaults, AFullListHasNoMarkerAndCountsToTheArrayEnd) {
    auto c = defaults();
    for (auto& w : c->wire_defs) w.w_name = "W";
    for (auto& z : c->zone_defs) z.z_name = "Z";
    for (auto& f : c->f_names) f = "F";
    EXPECT_EQ(wire_count(*c), 100);
    EXPECT_EQ(zone_count(*c), 250);
    EXPECT_EQ(file_name_count(*c), 500);
}

TEST(ProjectFile, VersionTwoRoundTripKeepsEveryStoredField) {
    auto c = edited();
    std::string text = written(*c);
    std::vector<std::string> lines = split_lines(text);
    ASSERT_EQ(lines.size(), 4527u);
    EXPECT_EQ(lines[0], "Wirecraft Project header file!");
    EXPECT_EQ(lines[1], "Ver2.0");
    EXPECT_EQ(lines[6], "0.500000");  // v_x on line 7
    EXPECT_EQ(lines[17], "CONTROL");  // first wire block on line 18
    EXPECT_EQ(lines[1517], "CONTROL_SUITE");  // first zone block on line 1518
    EXPECT_EQ(lines[2776], "DIRECTORY");      // f_mode on line 2777
    EXPECT_EQ(lines[3278], "GRIDREF_HOR");    // first attribute name on line 3279
    EXPECT_EQ(lines[4526], "End of project file!");

    auto back = std::make_unique<ProjectConfig>();  // all empty and zero
    Loaded r = load(text, *back);
    ASSERT_EQ(r.error, 0);
    EXPECT_EQ(r.log, " - project file version Ver2.0 - OK!");
    EXPECT_EQ(written(*back), text);
    EXPECT_EQ(back->h_x, -1.25);
    EXPECT_EQ(back->wire_defs[99].w_name.view(), "LAST");
    EXPECT_EQ(back->term_defs[99].pp_mode, PP_POSTFIX);
    EXPECT_EQ(back->int5x.view(), "RUN_IFACE");
}

TEST(ProjectFile, LevelNineAndZoneAttributeAreNotStored) {
    auto c = edited();
    std::string text = written(*c);
    auto target = defaults();
    target->zone_levels[9] = "KEEP9";
    target->zonename = "KEEPZ";
    ASSERT_EQ(load(text, *target).error, 0);
    EXPECT_EQ(target->zone_levels[9].view(), "KEEP9");
    EXPECT_EQ(target->zonename.view(), "KEEPZ");
    EXPECT_EQ(target->zone_levels[8].view(), "LEVEL8");
}

TEST(ProjectFile, RealsAreStoredWithSixDecimals) {
    auto c = defaults();
    c->height = 1.0 / 3.0;
    c->wire_defs[0].x_off = 2.2;
    auto back = defaults();
    ASSERT_EQ(load(written(*c), *back).error, 0);
    EXPECT_EQ(back->height, 0.333333);
    EXPECT_EQ(back->wire_defs[0].x_off, 2.2);
}

TEST(ProjectFile, VersionLineRules) {
    std::vector<std::string> lines = split_lines(written(*defaults()));
    struct Case {
        const char* line;
        int error;
    } cases[] = {{"Ver2.01", 0},          {"Ver2.1", ERR_CFG_VERSION}, {"Ver0.9", ERR_CFG_VERSION},
                 {"Version 2", ERR_CFG_VERSION}, {"2.0", ERR_CFG_VERSION_MISSING}, {"Ver1.6", 0}};
    for (const Case& k : cases) {
        lines[1] = k.line;
        auto c = defaults();
        EXPECT_EQ(load(join(lines), *c).error, k.error) << k.line;
    }
}

TEST(ProjectFile, HeaderRules) {
    std::vector<std::string> lines = split_lines(written(*defaults()));
    auto c = defaults();
    lines[0] = "DYNAMOHALL 4 Project header file!";
    EXPECT_EQ(load(join(lines), *c).error, 0);
    lines[0] = "Wirecraft Project header file!  ";
    EXPECT_EQ(load(join(lines), *c).error, ERR_CFG_HEADER);
    lines[0] = "wirecraft project header file!";
    EXPECT_EQ(load(join(lines), *c).error, ERR_CFG_HEADER);
}

TEST(ProjectFile, CorruptFilesGiveTheirCodes) {
    std::vector<std::string> lines = split_lines(written(*defaults()));
    auto c = defaults();
    EXPECT_EQ(load("", *c).error, ERR_CFG_EOF);
    EXPECT_EQ(load("Wirecraft Project header file!\n", *c).error, ERR_CFG_EOF);
    std::vector<std::string> cut(lines.begin(), lines.begin() + 2000);
    EXPECT_EQ(load(join(cut), *c).error, ERR_CFG_FOOTER) << "a short file is read to the end, then the footer fails";
    std::vector<std::string> bad_footer = lines;
    bad_footer.back() = "End of project file";
    EXPECT_EQ(load(join(bad_footer), *c).error, ERR_CFG_FOOTER);
    std::vector<std::string> extra = lines;
    extra.insert(extra.begin() + 10, "1.000000");
    EXPECT_EQ(load(join(extra), *c).error, ERR_CFG_FOOTER) << "one line too many shifts the footer";
}

TEST(ProjectFile, KeywordLinesReadExactly) {
    std::vector<std::string> lines = split_lines(written(*defaults()));
    lines[17 + 8] = "prefix";  // pp_mode of the first wire
    lines[2776] = "mask please";
    lines[17 + 13] = "enabled";  // nodepts of the first wire
    auto c = defaults();
    c->f_mode = FM_FILENAME;
    ASSERT_EQ(load(join(lines), *c).error, 0);
    EXPECT_EQ(c->wire_defs[0].pp_mode, PP_NONE);
    EXPECT_EQ(c->f_mode, FM_MASK);
    EXPECT_EQ(c->wire_defs[0].nodepts, 0);
}

TEST(ProjectFile, LongTextsAreCutAndDoNotShiftTheLayout) {
    std::vector<std::string> lines = split_lines(written(*defaults()));
    lines[2] = "VERYLONGPROJECTNAME";
    lines[4] = std::string(300, 'T');  // longer than any line the reader keeps
    auto c = defaults();
    ASSERT_EQ(load(join(lines), *c).error, 0);
    EXPECT_EQ(c->p_name.view(), "VERYLONG");
    EXPECT_EQ(c->p_title.view(), std::string(58, 'T'));
    EXPECT_EQ(c->en, 0);
    EXPECT_EQ(c->wire_defs[0].w_name.view(), "CONTROL");
}

TEST(ProjectFile, CrLfLinesRead) {
    std::string text = written(*edited());
    std::string crlf;
    for (char ch : text) crlf += ch == '\n' ? std::string("\r\n") : std::string(1, ch);
    auto c = defaults();
    ASSERT_EQ(load(crlf, *c).error, 0);
    EXPECT_EQ(c->p_title.view(), "Pump station control");
}

TEST(ProjectFile, WriteFailureIsReported) {
    FILE* f = fopen("/dev/full", "w");
    if (!f) GTEST_SKIP() << "no /dev/full";
    EXPECT_FALSE(write_project(f, *defaults()));
    fclose(f);
}

namespace {

// A file in an older layout, written by hand from the layout rules, with
// values that differ from the defaults.
std::string old_layout(double v, const std::string& version_line) {
    std::vector<std::string> L = {"Wirecraft Project header file!", version_line, "OLDPROJ", "C:\\OLD", "Old title"};
    if (v >= 1.3) L.insert(L.end(), {"YES", "3.000000", "3.000000", "3.000000", "3.000000"});
    if (v >= 1.4) L.insert(L.end(), {"4.000000", "NO", "NO", "NO", "NO", "NO", "NO"});
    for (int i = 0; i < 100; ++i) {
        L.push_back(i == 0 ? "W0" : i == 1 ? "*ND*" : "@");
        L.push_back("LAYER_W0");
        if (v >= 1.4) L.push_back("3");
        L.insert(L.end(), {"RED", "1.5", "SIG", "5", "2", "POSTFIX", "P", "1.000000", "0.500000", "0.250000",
                           "DISABLED", i == 0 ? "YES" : "NO"});
    }
    for (int i = 0; i < 50; ++i) {
        L.push_back(i == 0 ? "Z0" : i == 1 ? "*ND*" : "NONAME");
        L.push_back("WCR_ZONE_Z0");
        if (v >= 1.4) L.push_back("9");
    }
    L.insert(L.end(), {"FILENAME", "MASKX", "DWG1", "*ND*"});
    for (int i = 2; i < 500; ++i) L.push_back("NULLFILE");
    for (int i = 1; i <= 12; ++i) L.push_back("A" + std::to_string(i));
    for (int pass = 0; pass < 2; ++pass)
        for (int i = 0; i < 100; ++i) {
            L.insert(L.end(), {pass == 0 ? "COMP" : "TERM", "PREFIX", "PV"});
            if (v >= (pass == 0 ? 1.2 : 1.1)) L.push_back("YES");
            L.insert(L.end(), {"3", "4"});
        }
    for (int i = 1; i <= 11; ++i) L.push_back("R" + std::to_string(i));
    for (int i = 0; i < 15; ++i) L.push_back("ENABLED");
    for (int i = 1; i <= 10; ++i) L.push_back("I" + std::to_string(i));
    L.push_back("End of project file!");
    return join(L);
}

}  // namespace

TEST(ProjectFile, OlderLayoutsLoadAsTheirVersionSays) {
    struct Case {
        double v;
        const char* line;
    } cases[] = {{1.0, "Ver1.0"}, {1.1, "Ver1.1"}, {1.2, "Ver1.2"}, {1.3, "Ver1.3"}, {1.4, "Ver1.4"}, {1.5, "Ver1.5"}};
    for (const Case& k : cases) {
        SCOPED_TRACE(k.line);
        auto c = defaults();
        c->zone_defs[60].z_name = "UNTOUCHED";
        c->zone_defs[0].level = 5;
        ASSERT_EQ(load(old_layout(k.v, k.line), *c).error, 0);
        EXPECT_EQ(c->p_name.view(), "OLDPROJ");
        EXPECT_EQ(c->en, k.v >= 1.3 ? 1 : 0);
        EXPECT_EQ(c->v_x, k.v >= 1.3 ? 3.0 : 2.5);
        EXPECT_EQ(c->height, k.v >= 1.4 ? 4.0 : 2.5);
        EXPECT_EQ(c->ls, k.v >= 1.4 ? 0 : 1);
        EXPECT_EQ(c->wire_defs[0].colnum, k.v >= 1.4 ? 3 : 7);
        EXPECT_EQ(c->wire_defs[0].signal.view(), "SIG");
        EXPECT_EQ(c->wire_defs[0].nodepts, 0);
        EXPECT_EQ(c->wire_defs[0].is_default, 1);
        EXPECT_EQ(c->zone_defs[0].z_name.view(), "Z0");
        EXPECT_EQ(c->zone_defs[0].colnum, k.v >= 1.4 ? 9 : 7);
        EXPECT_EQ(c->zone_defs[0].level, 0);
        EXPECT_EQ(c->zone_defs[0].parent.view(), "*");
        EXPECT_EQ(c->zone_defs[60].z_name.view(), "UNTOUCHED");
        EXPECT_EQ(c->zone_levels[0].view(), "*SUITE");
        EXPECT_EQ(c->zone_levels[3].view(), "*ZONE");
        EXPECT_EQ(c->zone_levels[9].view(), "*UNDEFINED");
        EXPECT_EQ(c->f_mode, FM_FILENAME);
        EXPECT_EQ(c->cv.view(), "A12");
        EXPECT_EQ(c->comp_defs[0].cont_wire, k.v >= 1.2 ? 1 : 0);
        EXPECT_EQ(c->term_defs[0].cont_wire, k.v >= 1.1 ? 1 : 0);
        EXPECT_EQ(c->term_defs[99].incr, 4);
        EXPECT_EQ(c->tm_postfix.view(), "R11");
        EXPECT_EQ(c->audit, 1);
        EXPECT_EQ(c->int5x.view(), "I10");
    }
}
