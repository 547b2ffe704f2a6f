// Slide files, slide libraries, slide names, drawing slides into tiles,
// rendering a view to a slide, and SVG output.
#include <gtest/gtest.h>

#include <map>

#include "slide/image.h"
#include "slide/slide.h"
#include "slide/slide_library.h"
#include "slide/svg.h"
#include "slide/view_render.h"

using namespace cadhost::slide;

namespace {

Slide sample_slide() {
    Slide s;
    s.high_x = 639, s.high_y = 479, s.aspect = 4.0 / 3.0;
    s.add_vector(0, 0, 639, 479, 1);
    s.add_vector(10, 20, 30, 40, 1);
    s.add_fill({{1, 1}, {100, 1}, {50, 80}}, 5);
    s.add_vector(300, 200, 301, 201, 7);
    return s;
}

// Header of a slide with the given byte order marker and screen size.
Bytes header(bool big_endian, int high_x, int high_y) {
    Bytes b;
    const char sig[] = "AutoCAD Slide\r\n\x1a";
    b.assign(sig, sig + 17);
    b.push_back(56), b.push_back(2);
    auto word = [&](int v) {
        if (big_endian) b.push_back(uint8_t(v >> 8)), b.push_back(uint8_t(v));
        else b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
    };
    word(high_x), word(high_y);
    for (uint8_t c : {0x80, 0x96, 0x98, 0x00}) b.push_back(c);  // aspect 1.0
    word(0), word(0x1234);
    return b;
}

Bytes slide_bytes(const Slide& s) {
    auto r = write_slide(s);
    EXPECT_TRUE(r.ok());
    return r.ok() ? r.value() : Bytes{};
}

}  // namespace

TEST(SlideFile, RoundTripKeepsVectorsFillsColoursAndOrder) {
    Slide s = sample_slide();
    Bytes b = slide_bytes(s);
    auto back = read_slide(b);
    ASSERT_TRUE(back.ok()) << back.error().what();
    EXPECT_EQ(back->high_x, 639);
    EXPECT_EQ(back->high_y, 479);
    EXPECT_NEAR(back->aspect, 4.0 / 3.0, 1e-7);
    EXPECT_EQ(back->shapes, s.shapes);
}

TEST(SlideFile, ReadsCompactRecordsInBothByteOrders) {
    for (bool big : {false, true}) {
        Bytes b = header(big, 99, 99);
        auto word = [&](int v) {
            if (big) b.push_back(uint8_t(v >> 8)), b.push_back(uint8_t(v));
            else b.push_back(uint8_t(v)), b.push_back(uint8_t(v >> 8));
        };
        word(0xff03);                                 // colour 3
        word(10), word(20), word(30), word(40);       // vector; last point (10,20)
        word(0xfb00 | 0x05), b.push_back(0xfe), b.push_back(2), b.push_back(3);  // offset vector
        word(0xfe00 | 0x04), b.push_back(0x06);       // common endpoint from (15,18)
        word(0xfc00);
        auto s = read_slide(b);
        ASSERT_TRUE(s.ok()) << s.error().what();
        ASSERT_EQ(s->shapes.size(), 3u);
        EXPECT_EQ(s->shapes[0].vector, (SlideVector{10, 20, 30, 40, 3}));
        EXPECT_EQ(s->shapes[1].vector, (SlideVector{15, 18, 12, 23, 3}));
        EXPECT_EQ(s->shapes[2].vector, (SlideVector{15, 18, 19, 24, 3}));
    }
}

TEST(SlideFile, RejectsBrokenFiles) {
    Bytes good = slide_bytes(sample_slide());
    Bytes truncated(good.begin(), good.end() - 5);
    EXPECT_FALSE(read_slide(truncated).ok());
    Bytes no_end(good.begin(), good.end() - 2);
    EXPECT_FALSE(read_slide(no_end).ok());
    Bytes bad_sig = good;
    bad_sig[0] = 'X';
    EXPECT_FALSE(read_slide(bad_sig).ok());
    Bytes unknown = header(false, 9, 9);
    unknown.push_back(0), unknown.push_back(0x90);
    auto r = read_slide(unknown, "u.sld");
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().file, "u.sld");
    Slide big;
    big.high_x = big.high_y = 10;
    big.add_vector(-1, 0, 5, 5, 1);
    EXPECT_FALSE(write_slide(big).ok());
    Slide many;
    many.high_x = many.high_y = 10;
    many.add_fill(std::vector<std::pair<int, int>>(11, {1, 1}), 1);
    EXPECT_FALSE(write_slide(many).ok());
}

TEST(SlideLibrary, BuildsDirectoryAndServesSlidesByName) {
    Slide a = sample_slide(), b;
    b.high_x = b.high_y = 99;
    b.add_vector(1, 2, 3, 4, 2);
    Bytes ab = slide_bytes(a), bb = slide_bytes(b);
    auto lib = write_library({{"ABCDEFGHIJKLMNOP", ab}, {"second", bb}});
    ASSERT_TRUE(lib.ok());
    const Bytes& f = lib.value();
    ASSERT_EQ(f.size(), 32 + 2 * 36 + ab.size() + bb.size());
    EXPECT_EQ(std::string(f.begin(), f.begin() + 25), "AutoCAD Slide Library 1.0");
    EXPECT_EQ(f[25], '\r');
    EXPECT_EQ(f[27], 0x1a);
    EXPECT_EQ(f[32 + 32], 104);  // first slide right after the directory
    for (int i = 16; i < 32; ++i) EXPECT_EQ(f[32 + i], 0) << i;
    auto parsed = SlideLibrary::parse(f, "sym.slb");
    ASSERT_TRUE(parsed.ok()) << parsed.error().what();
    ASSERT_EQ(parsed->entries().size(), 2u);
    EXPECT_EQ(parsed->slide_bytes("ABCDEFGHIJKLMNOP").value(), ab);
    EXPECT_EQ(parsed->slide_bytes("SECOND").value(), bb);  // names are found without regard to case
    EXPECT_FALSE(parsed->slide_bytes("third").ok());

    std::map<std::string, Bytes> files{{"lib/sym.slb", f}, {"lib/one.sld", bb}};
    FileReader reader = [&](const std::string& p) -> cadhost::Result<Bytes> {
        auto it = files.find(p);
        if (it == files.end()) return cadhost::Error{"no file", p, 0};
        return it->second;
    };
    auto s1 = load_slide("lib/sym(second)", reader);
    ASSERT_TRUE(s1.ok()) << s1.error().what();
    EXPECT_EQ(s1->shapes, b.shapes);
    auto s2 = load_slide("lib/sym(ABCDEFGHIJKLMNOP)", reader);
    ASSERT_TRUE(s2.ok());
    EXPECT_EQ(s2->shapes, a.shapes);
    EXPECT_TRUE(load_slide("lib/one", reader).ok());
    EXPECT_FALSE(load_slide("lib/sym(none)", reader).ok());
}

TEST(SlideLibrary, RejectsBadNamesAndBrokenDirectories) {
    Bytes s = slide_bytes(sample_slide());
    EXPECT_FALSE(write_library({{"a", s}, {"a", s}}).ok());
    EXPECT_FALSE(write_library({{"", s}}).ok());
    EXPECT_FALSE(write_library({{std::string(32, 'x'), s}}).ok());
    EXPECT_TRUE(write_library({{std::string(31, 'x'), s}}).ok());
    Bytes f = write_library({{"a", s}}).value();
    f[32 + 32] = 0xff, f[32 + 33] = 0xff;  // address past the end
    EXPECT_FALSE(SlideLibrary::parse(f).ok());
    Bytes empty = write_library({}).value();
    auto e = SlideLibrary::parse(empty);
    ASSERT_TRUE(e.ok());
    EXPECT_TRUE(e->entries().empty());
}

TEST(SlideName, SplitsLibraryAndMember) {
    auto n = parse_slide_name("c:\\sym\\pipes(valve)");
    ASSERT_TRUE(n.ok());
    EXPECT_EQ(n->file, "c:\\sym\\pipes.slb");
    EXPECT_EQ(n->member, "valve");
    EXPECT_EQ(parse_slide_name("a.b/icon").value().file, "a.b/icon.sld");
    EXPECT_EQ(parse_slide_name("icon.xyz").value().file, "icon.xyz");
    for (const char* bad : {"", "lib(", "(a)", "lib()", "lib(a)b", "lib(a(b))", "a)"})
        EXPECT_FALSE(parse_slide_name(bad).ok()) << bad;
}

TEST(ViewRender, MapsTheViewOntoTheScreenAndClips) {
    ViewSpec v;
    v.centre_x = 10, v.centre_y = 5, v.height = 10, v.aspect = 2, v.high_y = 100;
    // x from -10 to 30: a segment across the whole view and beyond.
    auto s = render_view({{-100, 5, 100, 5, 3}, {10, 0, 10, 10, 2}, {50, 50, 60, 60, 1}}, v);
    ASSERT_TRUE(s.ok());
    EXPECT_EQ(s->high_x, 200);
    ASSERT_EQ(s->shapes.size(), 2u);  // the third lies outside
    EXPECT_EQ(s->shapes[0].vector, (SlideVector{0, 50, 200, 50, 3}));
    EXPECT_EQ(s->shapes[1].vector, (SlideVector{100, 0, 100, 100, 2}));
    v.height = 0;
    EXPECT_FALSE(render_view({}, v).ok());
}

TEST(DrawSlide, FitsKeepingAspectAndFlipsY) {
    Slide s;
    s.high_x = s.high_y = 100, s.aspect = 1;
    s.add_vector(0, 0, 100, 100, 1);
    s.add_fill({{0, 100}, {100, 100}, {50, 0}}, 2);
    ImageOps ops;
    draw_slide(s, 0, 0, 201, 101, ops);
    ASSERT_EQ(ops.size(), 2u);
    // 101 pixels high, so 101 wide, centred in 201.
    EXPECT_EQ(ops[0].kind, OpKind::Vector);
    EXPECT_EQ(ops[0].x1, 50);
    EXPECT_EQ(ops[0].y1, 100);
    EXPECT_EQ(ops[0].x2, 150);
    EXPECT_EQ(ops[0].y2, 0);
    EXPECT_EQ(ops[1].kind, OpKind::Polygon);
    EXPECT_EQ(ops[1].points[2], (std::pair<int, int>{100, 100}));
}

TEST(Svg, WritesEachPanelClippedWithEscapedTitle) {
    ImageOps ops{{OpKind::Fill, 0, 0, 10, 10, {}, 0}, {OpKind::Vector, 1, 2, 3, 4, {}, 1}};
    std::string svg = svg_document({{"a<b", 10, 10, ops}, {"c", 20, 5, {}}});
    EXPECT_NE(svg.find("<rect x=\"0\" y=\"0\" width=\"10\" height=\"10\" fill=\"#000000\"/>"), std::string::npos);
    EXPECT_NE(svg.find("<line x1=\"1\" y1=\"2\" x2=\"3\" y2=\"4\" stroke=\"#ff0000\"/>"), std::string::npos);
    EXPECT_NE(svg.find("a&lt;b"), std::string::npos);
    EXPECT_NE(svg.find("clip-path=\"url(#clip1)\""), std::string::npos);
    EXPECT_EQ(svg, svg_document({{"a<b", 10, 10, ops}, {"c", 20, 5, {}}}));
    EXPECT_EQ(color_hex(250), "#333333");
    EXPECT_EQ(color_hex(10), "#ff0000");
}
