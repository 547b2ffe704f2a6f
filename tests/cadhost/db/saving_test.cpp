// Reading damaged input, saving atomically, and writing other versions.
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <map>

#include "test_support.h"

using namespace cadhost;
using namespace cadhost::db;
using namespace cadhost::db::test;

namespace {

const char* small_r12 =
    "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
    "  0\nSECTION\n  2\nENTITIES\n"
    "  0\nLINE\n  8\n0\n 10\n1.0\n 20\n2.0\n 30\n0.0\n 11\n3.0\n 21\n4.0\n 31\n0.0\n"
    "  0\nENDSEC\n  0\nEOF\n";

long error_line(const std::string& text) {
    auto r = Drawing::read_text(text, "bad.dxf");
    if (r) return -1;
    EXPECT_EQ(r.error().file, "bad.dxf");
    return r.error().line;
}

size_t count_of(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
    return n;
}

}  // namespace

TEST(Reading, ToleratesCrlfBlanksMissingEofCommentsAndUnknownSections) {
    std::string text = "999\nwritten by hand\n0 \r\nSECTION\r\n  2\r\nFANCY\r\n 1234\r\nwhatever\r\n  0\r\nENDSEC\r\n"
                       "  0\r\nSECTION\r\n  2\r\nHEADER\r\n  0\r\nENDSEC\r\n"
                       "  0\r\nSECTION\r\n  2\r\nENTITIES\r\n  0\r\nPOINT\r\n999\r\nnote\r\n  8\r\n0\r\n 10\r\n1.5\r\n 20\r\n2\r\n"
                       " 30\r\n0\r\n 7777\r\nodd code\r\n  0\r\nENDSEC\r\n";
    auto r = Drawing::read_text(text, "loose.dxf");
    ASSERT_TRUE(r) << r.error().what();
    auto& d = **r;
    EntityRef p = d.first_entity();
    ASSERT_TRUE(p);
    GroupList l = *d.entget(p);
    EXPECT_EQ(std::get<Point>(find_group(l, 10)->value), (Point{1.5, 2, 0}));
    EXPECT_EQ(group_string(l, 7777), "odd code");
    std::string out = d.write_text(d.version());
    EXPECT_NE(out.find("FANCY\n1234\nwhatever\n"), std::string::npos) << "unknown section kept";
    EXPECT_NE(out.find("999\nnote\n"), std::string::npos);
    EXPECT_NE(out.find("7777\nodd code\n"), std::string::npos);
}

TEST(Reading, BrokenStructureNamesTheLine) {
    EXPECT_EQ(error_line("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\nabc\n1\n"), 7);
    EXPECT_EQ(error_line("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\n"), 7) << "code without value";
    EXPECT_EQ(error_line("  0\nLINE\n"), 1) << "entity outside a section";
    EXPECT_EQ(error_line("  0\nSECTION\n  2\nENTITIES\n  0\nSECTION\n"), 5) << "section not closed";
    EXPECT_GT(error_line("  0\nSECTION\n  2\nBLOCKS\n  0\nBLOCK\n  2\nX\n  0\nLINE\n  0\nENDSEC\n"), 0);
    EXPECT_EQ(error_line("  0\nSECTION\n  2\nTABLES\n  0\nLAYER\n  2\nX\n  0\nENDSEC\n"), 5);
    EXPECT_EQ(error_line("  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n\n\n  8\n0\n"), 7) << "blank line inside";
    auto r = Drawing::read_file("/nonexistent/dir/x.dxf");
    ASSERT_FALSE(r);
    EXPECT_EQ(r.error().file, "/nonexistent/dir/x.dxf");
}

TEST(Reading, DamagedCopiesOfAFileNeverCrash) {
    std::string base = small_r12;
    auto files = sample_files();
    if (!files.empty()) base = read_all(files.front());
    // Every truncation point and a few byte flips: each gives a drawing or an error.
    for (size_t cut = 0; cut < base.size(); cut += 1 + base.size() / 400) {
        auto r = Drawing::read_text(base.substr(0, cut), "cut.dxf");
        if (r) (void)(*r)->write_text(DxfVersion::R2000);
        else EXPECT_GT(r.error().line, 0) << cut;
    }
    for (size_t i = 7; i < base.size(); i += 1 + base.size() / 300) {
        std::string t = base;
        t[i] = static_cast<char>(t[i] ^ 0x5A);
        auto r = Drawing::read_text(t, "flip.dxf");
        if (r) {
            auto& d = **r;
            for (EntityRef e = d.first_entity(); e; e = d.next_entity(e)) (void)d.entget(e);
            (void)d.write_text(DxfVersion::R12);
            (void)d.write_text(DxfVersion::R2018);
        }
    }
}

TEST(Reading, AssignsHandlesToFilesWithoutThemDeterministically) {
    auto a = Drawing::read_text(small_r12, "a.dxf");
    auto b = Drawing::read_text(small_r12, "b.dxf");
    ASSERT_TRUE(a && b);
    std::string h = (*a)->handle_of((*a)->first_entity());
    EXPECT_FALSE(h.empty());
    EXPECT_EQ(h, (*b)->handle_of((*b)->first_entity()));
    std::string out = (*a)->write_text(DxfVersion::R12);
    EXPECT_EQ(out, (*b)->write_text(DxfVersion::R12));
    auto c = Drawing::read_text(out, "c.dxf");
    ASSERT_TRUE(c);
    EXPECT_EQ((*c)->handle_of((*c)->first_entity()), h);
    EXPECT_GT(std::stoull(std::get<std::string>((*c)->header_var("$HANDSEED")->value), nullptr, 16), std::stoull(h, nullptr, 16));
}

TEST(Encoding, CodePagesCaretAndUnicodeEscapes) {
    std::string text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_1252\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\nTEXT\n  5\n2A\n  8\nK\xFC" "che\n 10\n0\n 20\n0\n 30\n0\n 40\n1\n  1\nA^ B^IC \\U+0416 \x80\n"
        "  0\nENDSEC\n  0\nEOF\n";
    auto r = Drawing::read_text(text, "cp.dxf");
    ASSERT_TRUE(r) << r.error().what();
    auto& d = **r;
    GroupList l = *d.entget(d.first_entity());
    EXPECT_EQ(group_string(l, 8), "Küche");
    EXPECT_EQ(group_string(l, 1), "A^B\tC Ж €");
    // Unchanged text is written back byte for byte.
    EXPECT_NE(d.write_text(DxfVersion::R2000).find("A^ B^IC \\U+0416 \x80\n"), std::string::npos);
    ASSERT_TRUE(d.entmod({make_ref(-1, d.first_entity()), make_group(1, std::string("x^y\nЖ"))}).ok());
    EXPECT_NE(d.write_text(DxfVersion::R2000).find("\nx^ y^J\\U+0416\n"), std::string::npos);
    // From AC1021 on the file is UTF-8.
    std::string utf8 = d.write_text(DxfVersion::R2018);
    EXPECT_NE(utf8.find("\nx^ y^JЖ\n"), std::string::npos);
    EXPECT_NE(utf8.find("\nKüche\n"), std::string::npos);
    auto back = Drawing::read_text(utf8, "utf8.dxf");
    ASSERT_TRUE(back);
    EXPECT_EQ(group_string(*(*back)->entget((*back)->first_entity()), 1), "x^y\nЖ");
    EXPECT_EQ(group_string(*(*back)->entget((*back)->first_entity()), 8), "Küche");
}

TEST(Encoding, OtherCodePagesDecode) {
    std::string text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1015\n  9\n$DWGCODEPAGE\n  3\nANSI_1251\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n  0\nTEXT\n  8\n0\n 10\n0\n 20\n0\n 40\n1\n  1\n\xC4\xE0\n  0\nENDSEC\n  0\nEOF\n";
    auto r = Drawing::read_text(text, "cp1251.dxf");
    ASSERT_TRUE(r);
    EXPECT_EQ(group_string(*(*r)->entget((*r)->first_entity()), 1), "Да");
    ASSERT_TRUE((*r)->entmod({make_ref(-1, (*r)->first_entity()), make_group(1, std::string("Дом"))}).ok());
    EXPECT_NE((*r)->write_text(DxfVersion::R2000).find("\n\xC4\xEE\xEC\n"), std::string::npos);
}

TEST(Saving, ReplacesTheFileAndCountsChanges) {
    auto d = Drawing::prototype();
    std::string path = temp_dir() + "/atomic.dxf";
    ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
    ASSERT_TRUE(d->entmake({make_group(0, std::string("POINT")), make_group(10, Point{1, 1, 0})}).ok());
    EXPECT_EQ(d->dbmod(), 1);
    ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
    EXPECT_EQ(d->dbmod(), 0);
    EXPECT_EQ(read_all(path), d->write_text(DxfVersion::R2000));
    ASSERT_TRUE(d->save(path, DxfVersion::R2013).ok());
    EXPECT_EQ(d->version(), DxfVersion::R2013);
    EXPECT_EQ(std::get<std::string>(d->header_var("$ACADVER")->value), "AC1027");
    for (const auto& e : std::filesystem::directory_iterator(temp_dir()))
        EXPECT_EQ(e.path().filename().string().find(".atomic.dxf."), std::string::npos) << "temporary file left behind";
}

TEST(Saving, AFailingSaveKeepsTheOldFile) {
    auto d = Drawing::prototype();
    std::string path = temp_dir() + "/keep.dxf";
    ASSERT_TRUE(d->save(path, DxfVersion::R2000).ok());
    std::string before = read_all(path);
    for (int i = 0; i < 3000; ++i)
        ASSERT_TRUE(d->entmake({make_group(0, std::string("LINE")), make_group(10, Point{}), make_group(11, Point{1.0 * i, 1, 0})}).ok());
    EXPECT_FALSE(d->save(temp_dir() + "/no/such/dir/keep.dxf", DxfVersion::R2000).ok());
    // A write that fails midway (file size limit reached) in a child process.
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit lim{static_cast<rlim_t>(before.size() + 1000), static_cast<rlim_t>(before.size() + 1000)};
        setrlimit(RLIMIT_FSIZE, &lim);
        Status s = d->save(path, DxfVersion::R2000);
        _exit(s.ok() ? 1 : 0);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save reported success";
    EXPECT_EQ(read_all(path), before);
    EXPECT_GT(d->dbmod(), 0);
}

TEST(Versions, SamplesConvertBothWaysAndPassTheAudit) {
    auto files = sample_files();
    if (files.empty()) GTEST_SKIP() << "no shared DXF samples";
    for (const auto& path : files) {
        auto d = load(path);
        ASSERT_TRUE(d);
        const DxfVersion original = d->version();
        const size_t lines = count_of(d->write_text(original), "\n  0\nLINE\n");
        for (DxfVersion v : {DxfVersion::R12, DxfVersion::R2000, DxfVersion::R2007, DxfVersion::R2018}) {
            std::string text = d->write_text(v);
            auto back = Drawing::read_text(text, path + " as " + acadver_name(v));
            ASSERT_TRUE(back) << back.error().what();
            EXPECT_EQ((*back)->version(), v);
            if (v == DxfVersion::R12 && original != DxfVersion::R12) {
                EXPECT_EQ(text.find("\nAcDbEntity\n"), std::string::npos);
                EXPECT_EQ(text.find("\nLWPOLYLINE\n"), std::string::npos);
                EXPECT_EQ(text.find("\nOBJECTS\n"), std::string::npos);
            } else if (v != DxfVersion::R12) {
                EXPECT_NE(text.find("\nBLOCK_RECORD\n"), std::string::npos);
            }
            // Lines survive in every version.
            EXPECT_EQ(count_of(text, "\n  0\nLINE\n"), lines) << path << " " << acadver_name(v);
            if (auditor_available()) {
                std::string out = temp_dir() + "/conv.dxf";
                ASSERT_TRUE(d->save(out, v).ok());
                EXPECT_EQ(audit_errors(out), 0) << path << " as " << acadver_name(v);
            }
        }
    }
}

TEST(Versions, PrototypeInEveryVersion) {
    for (DxfVersion v : {DxfVersion::R12, DxfVersion::R2000, DxfVersion::R2004, DxfVersion::R2007, DxfVersion::R2010,
                         DxfVersion::R2013, DxfVersion::R2018}) {
        auto d = Drawing::prototype(v);
        EXPECT_EQ(d->version(), v);
        ASSERT_TRUE(d->entmake({make_group(0, std::string("LWPOLYLINE")), make_group(10, Point{0, 0, 0, 2}),
                                make_group(10, Point{2, 0, 0, 2}), make_short(70, 1)}).ok());
        std::string out = temp_dir() + "/proto.dxf";
        ASSERT_TRUE(d->save(out, v).ok());
        auto back = load(out);
        ASSERT_TRUE(back);
        EXPECT_EQ(back->type_of(back->first_entity()), v == DxfVersion::R12 ? "POLYLINE" : "LWPOLYLINE");
        if (auditor_available()) {
            EXPECT_EQ(audit_errors(out), 0) << acadver_name(v);
        }
    }
}

namespace {

std::map<std::string, int> type_counts(Drawing& d) {
    std::map<std::string, int> counts;
    for (EntityRef e : walk(d, d.first_entity())) counts[d.type_of(e)]++;
    for (auto rec = d.tblnext("BLOCK", true); rec; rec = d.tblnext("BLOCK", false))
        if (const Group* first = find_group(*rec, -2))
            for (EntityRef e : walk(d, std::get<EntityRef>(first->value))) counts["block " + d.type_of(e)]++;
    return counts;
}

}  // namespace

TEST(Versions, R12DrawingsKeepEveryEntityInR2000) {
    int tested = 0;
    for (const auto& path : sample_files()) {
        auto d = load(path);
        if (!d || d->version() != DxfVersion::R12) continue;
        auto up = Drawing::read_text(d->write_text(DxfVersion::R2000), "up.dxf");
        ASSERT_TRUE(up);
        EXPECT_EQ(type_counts(**up), type_counts(*d)) << path;
        // Handles of the entities survive the conversion.
        for (EntityRef e = d->first_entity(); e; e = d->next_entity(e))
            EXPECT_EQ((*up)->type_of((*up)->handent(d->handle_of(e))), d->type_of(e)) << path;
        ++tested;
    }
    if (!tested) GTEST_SKIP() << "no R12 samples";
}

TEST(Versions, R2000DrawingsKeepModelSpaceGeometryInR12) {
    int tested = 0;
    for (const auto& path : sample_files()) {
        auto d = load(path);
        if (!d || d->version() == DxfVersion::R12) continue;
        auto down = Drawing::read_text(d->write_text(DxfVersion::R12), "down.dxf");
        ASSERT_TRUE(down);
        auto before = type_counts(*d), after = type_counts(**down);
        for (const char* t : {"LINE", "CIRCLE", "ARC", "INSERT", "VIEWPORT", "block LINE", "block CIRCLE"})
            EXPECT_EQ(after[t], before[t]) << path << " " << t;
        // MTEXT becomes TEXT lines (none for an empty one), the curves R12
        // lacks polylines.
        EXPECT_GE(after["TEXT"], before["TEXT"]) << path;
        EXPECT_LE(after["TEXT"] == before["TEXT"], before["MTEXT"] == 0) << path;
        EXPECT_EQ(after["POLYLINE"],
                  before["POLYLINE"] + before["LWPOLYLINE"] + before["ELLIPSE"] + before["SPLINE"]) << path;
        ++tested;
    }
    if (!tested) GTEST_SKIP() << "no R13+ samples";
}

TEST(Reading, RepairsRepeatedHandlesALowSeedAndRepeatedHeaderVariables) {
    const char* text =
        "  0\nSECTION\n  2\nHEADER\n  9\n$ACADVER\n  1\nAC1009\n  9\n$HANDSEED\n  5\n2\n  9\n$CLAYER\n  8\nA\n"
        "  9\n$CLAYER\n  8\nB\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\nPOINT\n  5\n1F\n  8\n0\n 10\n0\n 20\n0\n"
        "  0\nPOINT\n  5\n1f\n  8\n0\n 10\n1\n 20\n0\n"
        "  0\nENDSEC\n  0\nEOF\n";
    auto r = Drawing::read_text(text, "repair.dxf");
    ASSERT_TRUE(r);
    auto& d = **r;
    EntityRef a = d.first_entity(), b = d.next_entity(a);
    EXPECT_EQ(d.handle_of(a), "1F");
    EXPECT_NE(d.handle_of(b), "1F");
    EXPECT_EQ(d.handent(d.handle_of(b)), b);
    EXPECT_GT(std::stoull(std::get<std::string>(d.header_var("$HANDSEED")->value), nullptr, 16), 0x1Fu);
    EXPECT_EQ(group_string({*d.header_var("$CLAYER")}, 8), "B");
    std::string out = d.write_text(d.version());
    EXPECT_EQ(out.find("$CLAYER"), out.rfind("$CLAYER")) << "written once";
    auto twice = Drawing::read_text("  0\nSECTION\n  2\nHEADER\n  9\n$USERI1\n 70\n1\n  0\nENDSEC\n"
                                    "  0\nSECTION\n  2\nHEADER\n  9\n$USERI2\n 70\n2\n  0\nENDSEC\n  0\nEOF\n", "twice.dxf");
    ASSERT_TRUE(twice);
    std::string again = (*twice)->write_text(DxfVersion::R12);
    EXPECT_EQ(again.find("HEADER"), again.rfind("HEADER")) << "one HEADER section";
    EXPECT_EQ(*(*twice)->header_var("$USERI2"), make_short(70, 2));
}

// Saving twice gives the same file as saving once: nothing drifts or is
// lost on the second round, whatever odd lines the first file held.
TEST(Saving, ASecondRoundTripChangesNothing) {
    const char* text =
        "  0\nSECTION\n  2\nHEADER\n  1\nbefore any variable\n  9\n$ACADVER\n  1\nAC1009\n  0\nENDSEC\n"
        "  0\nSECTION\n  2\nENTITIES\n"
        "  0\nTEXT\n  8\n0\n 10\n1\n 20\n2\n 40\n2.5\n  1\nvalue\r\r\n999\nnote\r\r\r\n 70\n12x\r\r\n"
        "  0\nENDSEC\n  0\nEOF\n";
    auto first = Drawing::read_text(text, "odd.dxf");
    ASSERT_TRUE(first) << first.error().what();
    std::string once = (*first)->write_text((*first)->version());
    EXPECT_LT(once.find("before any variable"), once.find("$ACADVER")) << "leading header tags stay in front";
    auto second = Drawing::read_text(once, "once.dxf");
    ASSERT_TRUE(second) << second.error().what();
    // The entity's data, apart from its name in each drawing (group -1).
    auto data = [](const Drawing& d) {
        GroupList g = *d.entget(d.first_entity());
        g.erase(g.begin());
        return g;
    };
    EXPECT_EQ(data(**second), data(**first));
    std::string twice = (*second)->write_text((*second)->version());
    EXPECT_EQ(twice, once);
    EXPECT_EQ(group_string(*(*first)->entget((*first)->first_entity()), 1), "value");
}
