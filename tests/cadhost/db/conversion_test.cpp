// Saving in another version keeps every entity and reference the target can
// hold, converts what has a faithful R12 form, and reports the rest; checked
// through the entity API and as ezdxf reads the saved files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "test_support.h"

using namespace cadhost;
using namespace cadhost::db;
using namespace cadhost::db::test;

namespace {

using Tags = std::vector<std::pair<int, std::string>>;

std::string dxf_text(const Tags& tags) {
    std::string out;
    for (const auto& [code, text] : tags) {
        std::string c = std::to_string(code);
        out += std::string(c.size() < 3 ? 3 - c.size() : 0, ' ') + c + "\n" + text + "\n";
    }
    return out;
}

std::unique_ptr<Drawing> read(const std::string& text) {
    auto r = Drawing::read_text(text, "conversion.dxf");
    if (!r) {
        ADD_FAILURE() << r.error().what();
        return nullptr;
    }
    return r.release();
}

std::string save(Drawing& d, const std::string& name, DxfVersion v) {
    std::string path = temp_dir() + "/" + name;
    Status st = d.save(path, v);
    EXPECT_TRUE(st.ok()) << st.error().what();
    return path;
}

std::string write_file(const std::string& name, const std::string& text) {
    std::string path = temp_dir() + "/" + name;
    FILE* f = fopen(path.c_str(), "wb");
    fwrite(text.data(), 1, text.size(), f);
    fclose(f);
    return path;
}

const ReadBack* first_of(const std::vector<ReadBack>& all, const std::string& type) {
    for (const ReadBack& e : all)
        if (e.type == type) return &e;
    return nullptr;
}

Point parse_point(const std::string& s) {
    Point p{NAN, NAN, NAN};
    sscanf(s.c_str(), "(%lf,%lf,%lf)", &p.x, &p.y, &p.z);
    return p;
}

// An R12 drawing whose block OUTER inserts INNER, defined after it, with a
// dimension style naming the arrow block ARROW (group 5), no 105, and a
// paper space viewport.
const Tags forward_r12 = {
    {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1009"}, {0, "ENDSEC"},
    {0, "SECTION"}, {2, "TABLES"},
    {0, "TABLE"}, {2, "APPID"}, {70, "1"}, {0, "APPID"}, {2, "ACAD"}, {70, "0"}, {0, "ENDTAB"},
    {0, "TABLE"}, {2, "DIMSTYLE"}, {70, "1"},
    {0, "DIMSTYLE"}, {2, "ARCH"}, {70, "0"}, {5, "ARROW"}, {40, "1.0"}, {41, "0.18"},
    {0, "ENDTAB"}, {0, "ENDSEC"},
    {0, "SECTION"}, {2, "BLOCKS"},
    {0, "BLOCK"}, {8, "0"}, {2, "OUTER"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
    {0, "INSERT"}, {8, "0"}, {2, "INNER"}, {10, "1.0"}, {20, "1.0"}, {30, "0.0"},
    {0, "LINE"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {11, "2.0"}, {21, "0.0"}, {31, "0.0"},
    {0, "ENDBLK"}, {8, "0"},
    {0, "BLOCK"}, {8, "0"}, {2, "INNER"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
    {0, "CIRCLE"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {40, "0.5"},
    {0, "ENDBLK"}, {8, "0"},
    {0, "BLOCK"}, {8, "0"}, {2, "ARROW"}, {70, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
    {0, "SOLID"}, {8, "0"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"}, {11, "-1.0"}, {21, "0.2"}, {31, "0.0"},
    {12, "-1.0"}, {22, "-0.2"}, {32, "0.0"}, {13, "-1.0"}, {23, "-0.2"}, {33, "0.0"},
    {0, "ENDBLK"}, {8, "0"},
    {0, "ENDSEC"},
    {0, "SECTION"}, {2, "ENTITIES"},
    {0, "INSERT"}, {8, "0"}, {2, "OUTER"}, {10, "5.0"}, {20, "5.0"}, {30, "0.0"},
    {0, "VIEWPORT"}, {67, "1"}, {8, "0"}, {10, "5.0"}, {20, "4.0"}, {30, "0.0"}, {40, "10.0"}, {41, "8.0"},
    {68, "1"}, {69, "1"},
    // The view as R12 keeps it: target, direction, twist, height, centre,
    // lens, clipping, modes, snap and grid.
    {1001, "ACAD"}, {1000, "MVIEW"}, {1002, "{"}, {1070, "16"},
    {1010, "0.0"}, {1020, "0.0"}, {1030, "0.0"}, {1010, "0.0"}, {1020, "0.0"}, {1030, "1.0"},
    {1040, "0.0"}, {1040, "8.0"}, {1040, "5.0"}, {1040, "4.0"}, {1040, "50.0"}, {1040, "0.0"}, {1040, "0.0"},
    {1070, "0"}, {1070, "100"}, {1070, "1"}, {1070, "3"}, {1070, "0"}, {1070, "0"}, {1070, "0"}, {1070, "0"},
    {1040, "0.0"}, {1040, "0.0"}, {1040, "0.0"}, {1040, "1.0"}, {1040, "1.0"}, {1040, "1.0"}, {1040, "1.0"},
    {1070, "0"}, {1002, "{"}, {1002, "}"}, {1002, "}"},
    {0, "ENDSEC"}, {0, "EOF"},
};

}  // namespace

TEST(Conversion, R12DimstyleKeepsItsArrowBlockInEveryVersion) {
    auto d = read(dxf_text(forward_r12));
    ASSERT_TRUE(d);
    auto rec = d->tblsearch("DIMSTYLE", "ARCH");
    ASSERT_TRUE(rec);
    EXPECT_EQ(group_string(*rec, 5), "ARROW") << "group 5 of a DIMSTYLE is DIMBLK, not a handle";
    std::string r12 = d->write_text(DxfVersion::R12);
    EXPECT_NE(r12.find("ARCH\n 70\n0\n  5\nARROW\n"), std::string::npos) << r12.substr(0, 600);
    EXPECT_NE(r12.find("\n105\n"), std::string::npos) << "the entry's handle is a 105";
    for (DxfVersion v : {DxfVersion::R12, DxfVersion::R2000, DxfVersion::R2018}) {
        std::string path = save(*d, "dimstyle.dxf", v);
        auto back = read(read_all(path));
        ASSERT_TRUE(back);
        EXPECT_EQ(group_string(*back->tblsearch("DIMSTYLE", "ARCH"), 5), "ARROW") << acadver_name(v);
        auto ez = ezdxf_read(path);
        if (!ez) GTEST_SKIP() << "ezdxf not installed";
        std::string cmd = "/usr/bin/python3 -c \"import ezdxf; print(ezdxf.readfile('" + path +
                          "').dimstyles.get('ARCH').dxf.dimblk)\"";
        FILE* p = popen(cmd.c_str(), "r");
        char buf[256] = {};
        ASSERT_TRUE(fgets(buf, sizeof buf, p));
        pclose(p);
        EXPECT_EQ(std::string(buf), "ARROW\n") << acadver_name(v);
    }
}

TEST(Conversion, InsertsNamingLaterBlocksAndThePaperSpaceViewportReachR2000) {
    std::string source = write_file("forward_r12.dxf", dxf_text(forward_r12));
    auto d = read(read_all(source));
    ASSERT_TRUE(d);
    for (DxfVersion v : {DxfVersion::R2000, DxfVersion::R2018}) {
        std::string path = save(*d, "forward.dxf", v);
        EXPECT_TRUE(d->last_write_report().empty()) << d->last_write_report().describe(v);
        auto back = read(read_all(path));
        ASSERT_TRUE(back);
        auto outer = back->tblsearch("BLOCK", "OUTER");
        ASSERT_TRUE(outer);
        EntityRef first = std::get<EntityRef>(find_group(*outer, -2)->value);
        EXPECT_EQ(back->type_of(first), "INSERT");
        EXPECT_EQ(group_string(*back->entget(first), 2), "INNER");
        auto src = ezdxf_read(source);
        if (!src) GTEST_SKIP() << "ezdxf not installed";
        auto got = ezdxf_read(path);
        EXPECT_EQ(counts_by_type(*got), counts_by_type(*src)) << acadver_name(v);
        EXPECT_EQ(counts_by_type(*got)["VIEWPORT in *PAPER_SPACE"], 1);
        EXPECT_EQ(counts_by_type(*got)["INSERT in OUTER"], 1);
    }
}

TEST(Conversion, R14BlocksWithoutRecordsGetThemAndKeepTheirEntities) {
    Tags r14 = {
        {0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, "AC1014"}, {9, "$HANDSEED"}, {5, "FFFF"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "TABLES"},
        {0, "TABLE"}, {2, "BLOCK_RECORD"}, {5, "1"}, {100, "AcDbSymbolTable"}, {70, "1"},
        {0, "BLOCK_RECORD"}, {5, "1F"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbBlockTableRecord"}, {2, "*MODEL_SPACE"},
        {0, "BLOCK_RECORD"}, {5, "1B"}, {100, "AcDbSymbolTableRecord"}, {100, "AcDbBlockTableRecord"}, {2, "*PAPER_SPACE"},
        {0, "ENDTAB"}, {0, "ENDSEC"},
        {0, "SECTION"}, {2, "BLOCKS"},
        {0, "BLOCK"}, {5, "20"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "*MODEL_SPACE"}, {70, "0"},
        {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
        {0, "ENDBLK"}, {5, "21"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"},
        {0, "BLOCK"}, {5, "30"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockBegin"}, {2, "PART"}, {70, "0"},
        {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
        {0, "LINE"}, {5, "31"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbLine"}, {10, "0.0"}, {20, "0.0"}, {30, "0.0"},
        {11, "1.0"}, {21, "1.0"}, {31, "0.0"},
        {0, "ENDBLK"}, {5, "32"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockEnd"},
        {0, "ENDSEC"},
        {0, "SECTION"}, {2, "ENTITIES"},
        {0, "INSERT"}, {5, "40"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbBlockReference"}, {2, "PART"},
        {10, "3.0"}, {20, "3.0"}, {30, "0.0"},
        {0, "ENDSEC"}, {0, "EOF"},
    };
    auto d = read(dxf_text(r14));
    ASSERT_TRUE(d);
    EXPECT_TRUE(d->tblobjname("BLOCK_RECORD", "PART")) << "the block gets a record on reading";
    EXPECT_EQ(d->dbmod(), 0);
    std::string path = save(*d, "r14.dxf", d->version());
    EXPECT_NE(read_all(path).find("$ACADVER\n  1\nAC1014\n"), std::string::npos)
        << "an R14 file saved as it was read keeps its version, which other readers upgrade themselves";
    auto back = read(read_all(path));
    ASSERT_TRUE(back);
    EXPECT_TRUE(back->tblobjname("BLOCK_RECORD", "PART"));
    auto ez = ezdxf_read(path);
    if (!ez) GTEST_SKIP() << "ezdxf not installed";
    auto n = counts_by_type(*ez);
    EXPECT_EQ(n["LINE in PART"], 1);
    EXPECT_EQ(n["INSERT in *MODEL_SPACE"], 1);
    EXPECT_EQ(audit_errors(path), 0);
    // Written as R2000 proper, the blocks are found through their records.
    std::string r2018 = save(*d, "r14_as_2018.dxf", DxfVersion::R2018);
    EXPECT_EQ(counts_by_type(*ezdxf_read(r2018))["LINE in PART"], 1);
}

// Files that say they are R12 or older yet hold an R2000 polyline: other
// programs read an older file's one as it is, but not an R12 file's.
TEST(Conversion, LaterPolylinesInEarlyAndR12FilesStayClosedForOtherReaders) {
    auto file = [](const char* acadver) {
        return dxf_text({{0, "SECTION"}, {2, "HEADER"}, {9, "$ACADVER"}, {1, acadver}, {0, "ENDSEC"},
                         {0, "SECTION"}, {2, "ENTITIES"},
                         {0, "LWPOLYLINE"}, {100, "AcDbEntity"}, {8, "0"}, {100, "AcDbPolyline"}, {90, "3"}, {70, "1"},
                         {10, "0.0"}, {20, "0.0"}, {10, "4.0"}, {20, "0.0"}, {10, "4.0"}, {20, "3.0"},
                         {0, "ENDSEC"}, {0, "EOF"}});
    };
    // The older file keeps its version and its polyline.
    auto early = read(file("AC1006"));
    ASSERT_TRUE(early);
    std::string early_path = save(*early, "r10.dxf", early->version());
    std::string early_text = read_all(early_path);
    EXPECT_NE(early_text.find("$ACADVER\n  1\nAC1006\n"), std::string::npos);
    auto early_back = read(early_text);
    ASSERT_TRUE(early_back);
    EXPECT_EQ(early_back->type_of(early_back->first_entity()), "LWPOLYLINE");
    EXPECT_EQ(group_int(*early_back->entget(early_back->first_entity()), 70), 1);

    // The R12 file's polyline is written in the R12 form.
    auto r12 = read(file("AC1009"));
    ASSERT_TRUE(r12);
    std::string path = save(*r12, "r12_lw.dxf", r12->version());
    auto back = read(read_all(path));
    ASSERT_TRUE(back);
    EntityRef pl = back->first_entity();
    ASSERT_EQ(back->type_of(pl), "POLYLINE");
    EXPECT_EQ(group_int(*back->entget(pl), 70) & 1, 1);
    EXPECT_EQ(walk(*back, pl).size(), 5u) << "three vertices and SEQEND";

    for (const std::string& f : {early_path, path}) {
        auto ez = ezdxf_read(f);
        if (!ez) GTEST_SKIP() << "ezdxf not installed";
        const ReadBack* p = first_of(*ez, f == path ? "POLYLINE" : "LWPOLYLINE");
        ASSERT_TRUE(p) << f;
        EXPECT_EQ(std::stoi("0" + (*p)["flags"]) & 1, 1) << f;
    }
    EXPECT_EQ(counts_by_type(*ezdxf_read(path))["VERTEX in *MODEL_SPACE"], 3);
}

class ToR12 : public ::testing::Test {
protected:
    void SetUp() override {
        d = Drawing::prototype(DxfVersion::R2000);
        make({make_group(0, std::string("MTEXT")), make_group(10, Point{1, 10, 0}), make_group(40, 2.0),
              make_short(71, 1), make_group(1, std::string("{\\H1.5x;First} line\\PSecond \\S1^2;"))});
        make({make_group(0, std::string("ELLIPSE")), make_group(10, Point{5, 5, 0}), make_group(11, Point{4, 0, 0}),
              make_group(40, 0.5), make_group(41, 0.0), make_group(42, M_PI)});
        GroupList spline = {make_group(0, std::string("SPLINE")), make_group(100, std::string("AcDbEntity")),
                            make_group(8, std::string("0")), make_group(100, std::string("AcDbSpline")),
                            make_short(70, 8), make_short(71, 3), make_short(72, 8), make_short(73, 4)};
        for (double k : {0, 0, 0, 0, 1, 1, 1, 1}) spline.push_back(make_group(40, k));
        for (Point p : {Point{0, 0, 0}, Point{1, 2, 0}, Point{3, 2, 0}, Point{4, 0, 0}}) spline.push_back(make_group(10, p));
        make(spline);
        for (int i = 0; i < 2; ++i)
            make({make_group(0, std::string("HATCH")), make_group(100, std::string("AcDbEntity")),
                  make_group(8, std::string("0")), make_group(100, std::string("AcDbHatch")), make_group(10, Point{}),
                  make_group(2, std::string("SOLID")), make_short(70, 1), make_short(71, 0), make_long(91, 0)});
        make({make_group(0, std::string("WIPEOUT")), make_group(100, std::string("AcDbEntity")),
              make_group(8, std::string("0")), make_group(100, std::string("AcDbWipeout")), make_group(10, Point{})});
        make({make_group(0, std::string("LINE")), make_group(10, Point{0, 0, 0}), make_group(11, Point{1, 1, 0})});
    }
    void make(const GroupList& l) {
        auto r = d->entmake(l);
        ASSERT_TRUE(r) << r.error().what();
    }
    std::unique_ptr<Drawing> d;
};

TEST_F(ToR12, ReportsWhatItLeavesOutByTypeAndCount) {
    std::string path = save(*d, "to_r12.dxf", DxfVersion::R12);
    EXPECT_EQ(d->last_write_report().describe(DxfVersion::R12),
              "2 HATCH, 1 WIPEOUT not saved: R12 has no such entities\n");
    (void)d->write_text(DxfVersion::R2000);
    EXPECT_TRUE(d->last_write_report().empty()) << "each write reports for itself";
    auto back = read(read_all(path));
    ASSERT_TRUE(back);
    std::map<std::string, int> types;
    for (EntityRef e = back->first_entity(); e; e = back->next_entity(e)) ++types[back->type_of(e)];
    EXPECT_EQ(types["LINE"], 1);
    EXPECT_EQ(types["TEXT"], 2) << "the MTEXT's two lines";
    EXPECT_EQ(types["POLYLINE"], 2) << "the ellipse and the spline";
    EXPECT_EQ(types.count("HATCH") + types.count("MTEXT") + types.count("ELLIPSE") + types.count("SPLINE"), 0u);
}

TEST_F(ToR12, ConvertedEntitiesKeepTheirGeometry) {
    std::string path = save(*d, "to_r12_geometry.dxf", DxfVersion::R12);
    auto ez = ezdxf_read(path);
    if (!ez) GTEST_SKIP() << "ezdxf not installed";
    std::vector<const ReadBack*> texts, ellipse, spline;
    int polylines = 0;
    for (const ReadBack& e : *ez) {
        if (e.type == "TEXT") texts.push_back(&e);
        if (e.type == "POLYLINE") ++polylines;
        if (e.type == "VERTEX") (polylines == 1 ? ellipse : spline).push_back(&e);
    }
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_EQ((*texts[0])["text"], "First line");
    EXPECT_EQ((*texts[1])["text"], "Second 1/2");
    // Top-left attachment: the first line's top at the insertion point, the
    // next one line space (5/3 of the height) lower.
    EXPECT_EQ(parse_point((*texts[0])["align_point"]), (Point{1, 10, 0}));
    Point second = parse_point((*texts[1])["align_point"]);
    EXPECT_NEAR(second.y, 10 - 2 * 5.0 / 3.0, 1e-9);
    EXPECT_EQ((*texts[0])["valign"], "3");
    // Every vertex on the half ellipse, from its start to its end.
    ASSERT_GE(ellipse.size(), 8u);
    for (const ReadBack* v : ellipse) {
        Point p = parse_point((*v)["location"]);
        double u = (p.x - 5) / 4, w = (p.y - 5) / 2;
        EXPECT_NEAR(u * u + w * w, 1, 1e-9);
        EXPECT_GE(p.y, 5 - 1e-9);
    }
    EXPECT_EQ(parse_point((*ellipse.front())["location"]), (Point{9, 5, 0}));
    Point end = parse_point((*ellipse.back())["location"]);
    EXPECT_NEAR(end.x, 1, 1e-9);
    EXPECT_NEAR(end.y, 5, 1e-9);
    // The clamped spline starts and ends at its end control points and
    // passes through its middle at (2, 1.5).
    ASSERT_GE(spline.size(), 8u);
    EXPECT_EQ(parse_point((*spline.front())["location"]), (Point{0, 0, 0}));
    EXPECT_EQ(parse_point((*spline.back())["location"]), (Point{4, 0, 0}));
    bool middle = false;
    for (const ReadBack* v : spline) middle = middle || parse_point((*v)["location"]) == Point{2, 1.5, 0};
    EXPECT_TRUE(middle);
}

namespace {

// What ezdxf reads of a file, entity by entity without handles (files
// without handles get them on reading, in each program's own order),
// sorted.
std::vector<std::string> read_back_lines(const std::vector<ReadBack>& all) {
    std::vector<std::string> out;
    for (const ReadBack& e : all) {
        std::string l = e.block + " " + e.type;
        for (const auto& [k, v] : e.attribs) l += " " + k + "=" + v;
        out.push_back(l);
    }
    std::sort(out.begin(), out.end());
    return out;
}

// Counts in the layouts and in the blocks the host itself reads from the
// file: readers may make blocks of their own on reading older files.
std::map<std::string, int> counts_in_file_blocks(const std::vector<ReadBack>& all, Drawing& d) {
    std::set<std::string> blocks = {"*MODEL_SPACE", "*PAPER_SPACE"};
    for (auto rec = d.tblnext("BLOCK", true); rec; rec = d.tblnext("BLOCK", false)) {
        std::string n = group_string(*rec, 2);
        if (!n.empty() && n[0] == '*')
            for (char& c : n) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        blocks.insert(n);
    }
    std::map<std::string, int> out;
    for (const auto& [key, n] : counts_by_type(all))
        if (blocks.count(key.substr(key.find(" in ") + 4))) out[key] = n;
    return out;
}

// Each file round-trips as ezdxf reads it and keeps its entity counts in
// R2000 and 2018.
void check_round_trips(const std::string& path) {
    SCOPED_TRACE(path);
    auto source = ezdxf_read(path);
    auto d = load(path);
    ASSERT_TRUE(d && source);
    std::string same = save(*d, "round_trip.dxf", d->version());
    auto back = ezdxf_read(same);
    EXPECT_EQ(read_back_lines(*back), read_back_lines(*source));
    for (DxfVersion v : {DxfVersion::R2000, DxfVersion::R2018}) {
        std::string out = save(*d, "converted.dxf", v);
        auto conv = ezdxf_read(out);
        EXPECT_EQ(counts_in_file_blocks(*conv, *d), counts_in_file_blocks(*source, *d)) << acadver_name(v);
    }
}

}  // namespace

TEST(RoundTrips, DrawingsEzdxfWritesInEveryVersion) {
    if (!auditor_available()) GTEST_SKIP() << "ezdxf not installed";
    for (const char* v : {"R12", "R2000", "R2004", "R2007", "R2010", "R2013", "R2018"}) {
        std::string path = temp_dir() + "/ezdxf_" + v + ".dxf";
        std::string cmd = std::string("/usr/bin/python3 ") + CH_DB_TEST_DIR + "/ezdxf_make.py " + v + " '" + path + "'";
        ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
        check_round_trips(path);
    }
}

TEST(RoundTrips, SharedSamples) {
    if (!auditor_available()) GTEST_SKIP() << "ezdxf not installed";
    auto files = sample_files();
    if (files.empty()) GTEST_SKIP() << "no shared samples";
    for (const std::string& f : files) check_round_trips(f);
}
