// The plot scene built from small drawings: which entities reach it, where
// their geometry lands through block references, and how layers, colours
// and linetypes resolve.
#include <gtest/gtest.h>

#include <cmath>

#include "plot/colours.h"
#include "plot_fixture.h"

using namespace cadhost::plot;
using namespace cadhost::plot::test;

namespace {

Box box_of(const Path& p) {
    Box b;
    for (Vec2 q : p.pts) b.add(q);
    return b;
}

void expect_near(Vec2 a, Vec2 b, const char* what) {
    EXPECT_NEAR(a.x, b.x, 1e-6) << what;
    EXPECT_NEAR(a.y, b.y, 1e-6) << what;
}

std::string lw(const Tags& extra, const std::vector<std::pair<double, double>>& pts, const Tags& per_vertex = {}) {
    Tags t{{0, "LWPOLYLINE"}, {8, "0"}, {90, std::to_string(pts.size())}};
    t.insert(t.end(), extra.begin(), extra.end());
    for (size_t i = 0; i < pts.size(); ++i) {
        t.push_back({10, std::to_string(pts[i].first)});
        t.push_back({20, std::to_string(pts[i].second)});
        if (i == 0) t.insert(t.end(), per_vertex.begin(), per_vertex.end());  // the first segment's
    }
    return tags(t);
}

}  // namespace

TEST(SceneGeometry, ArcsCirclesAndEllipsesSpanExactlyTheirCurves) {
    Scene s = scene_of(dxf("", "",
                           tags({{0, "ARC"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "10"}, {50, "0"}, {51, "90"}}) +
                               tags({{0, "CIRCLE"}, {8, "0"}, {10, "100"}, {20, "0"}, {40, "5"}}) +
                               tags({{0, "ELLIPSE"}, {8, "0"}, {10, "200"}, {20, "0"}, {11, "10"}, {21, "0"},
                                     {40, "0.5"}, {41, "0"}, {42, "6.283185307179586"}})));
    auto strokes = items_of<Stroke>(s);
    ASSERT_EQ(strokes.size(), 3u);
    Box arc = box_of(strokes[0]->path), circle = box_of(strokes[1]->path), ell = box_of(strokes[2]->path);
    expect_near(arc.lo, {0, 0}, "quarter arc");
    expect_near(arc.hi, {10, 10}, "quarter arc");
    expect_near(circle.lo, {95, -5}, "circle");
    expect_near(circle.hi, {105, 5}, "circle");
    EXPECT_EQ(strokes[1]->path.ops.back(), Path::Op::Close);
    expect_near(ell.lo, {190, -5}, "ellipse");
    expect_near(ell.hi, {210, 5}, "ellipse");
}

TEST(SceneGeometry, BulgeSignChoosesTheSideOfTheArc) {
    // Bulge 1 from (0,0) to (10,0) turns counterclockwise: below the chord.
    Scene below = scene_of(dxf("", "", lw({}, {{0, 0}, {10, 0}}, {{42, "1"}})));
    Scene above = scene_of(dxf("", "", lw({}, {{0, 0}, {10, 0}}, {{42, "-1"}})));
    auto b = box_of(items_of<Stroke>(below).at(0)->path), a = box_of(items_of<Stroke>(above).at(0)->path);
    EXPECT_NEAR(b.lo.y, -5, 1e-6);
    EXPECT_NEAR(b.hi.y, 0, 1e-6);
    EXPECT_NEAR(a.lo.y, 0, 1e-6);
    EXPECT_NEAR(a.hi.y, 5, 1e-6);
}

TEST(SceneGeometry, PolylineWidthsGiveWidePensOrFilledOutlines) {
    Scene constant = scene_of(dxf("", "", lw({{43, "2"}, {70, "1"}}, {{0, 0}, {10, 0}, {10, 10}})));
    auto c = items_of<Stroke>(constant);
    ASSERT_EQ(c.size(), 1u);
    EXPECT_DOUBLE_EQ(c[0]->pen.width, 2);
    EXPECT_EQ(c[0]->path.ops.back(), Path::Op::Close);
    // A taper from 2 to 0 is an outline, 1 either side at its start.
    Scene taper = scene_of(dxf("", "", lw({}, {{0, 0}, {10, 0}}, {{40, "2"}, {41, "0"}})));
    auto f = items_of<Fill>(taper);
    ASSERT_EQ(f.size(), 1u);
    EXPECT_TRUE(items_of<Stroke>(taper).empty());
    Box fb = box_of(f[0]->path);
    expect_near(fb.lo, {0, -1}, "taper");
    expect_near(fb.hi, {10, 1}, "taper");
}

TEST(SceneGeometry, OldPolylinesTakeVertexWidthsAndSkipSplineFrames) {
    std::string pl = tags({{0, "POLYLINE"}, {8, "0"}, {66, "1"}, {10, "0"}, {20, "0"}, {70, "4"}}) +
                     tags({{0, "VERTEX"}, {8, "0"}, {10, "0"}, {20, "0"}, {70, "8"}}) +
                     tags({{0, "VERTEX"}, {8, "0"}, {10, "500"}, {20, "500"}, {70, "16"}}) +
                     tags({{0, "VERTEX"}, {8, "0"}, {10, "10"}, {20, "0"}, {70, "8"}}) + tags({{0, "SEQEND"}, {8, "0"}});
    Scene s = scene_of(dxf("", "", pl));
    auto st = items_of<Stroke>(s);
    ASSERT_EQ(st.size(), 1u);
    Box b = box_of(st[0]->path);
    EXPECT_DOUBLE_EQ(b.hi.x, 10);
    EXPECT_DOUBLE_EQ(b.hi.y, 0);  // the frame point at 500,500 is not drawn
}

TEST(SceneGeometry, SolidCornersRunRoundTheOutlineAndPointsAreDots) {
    Scene s = scene_of(dxf("", "",
                           tags({{0, "SOLID"}, {8, "0"}, {10, "0"}, {20, "0"}, {11, "10"}, {21, "0"}, {12, "0"},
                                 {22, "10"}, {13, "10"}, {23, "10"}}) +
                               tags({{0, "POINT"}, {8, "0"}, {10, "3"}, {20, "4"}})));
    auto f = items_of<Fill>(s);
    ASSERT_EQ(f.size(), 1u);
    std::vector<Vec2> want{{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_EQ(f[0]->path.pts, want);
    auto d = items_of<Dot>(s);
    ASSERT_EQ(d.size(), 1u);
    EXPECT_EQ(d[0]->at, (Vec2{3, 4}));
}

TEST(SceneBlocks, NestedReferencesCombineBaseScaleRotationAndPosition) {
    std::string blocks = block("INNER", 1, 0, line(1, 0, 2, 0)) +
                         block("OUTER", 0, 0,
                               tags({{0, "INSERT"}, {8, "0"}, {2, "INNER"}, {10, "0"}, {20, "0"}, {41, "2"}, {42, "2"}}));
    Scene s = scene_of(dxf("", blocks, tags({{0, "INSERT"}, {8, "0"}, {2, "OUTER"}, {10, "100"}, {20, "100"}, {50, "90"}})));
    auto st = items_of<Stroke>(s);
    ASSERT_EQ(st.size(), 1u);
    expect_near(st[0]->path.pts[0], {100, 100}, "start");
    expect_near(st[0]->path.pts[1], {100, 102}, "end");
}

TEST(SceneBlocks, ArraysRepeatTheBlockAtTheirSpacing) {
    Scene s = scene_of(dxf("", block("B", 0, 0, line(0, 0, 1, 0)),
                           tags({{0, "INSERT"}, {8, "0"}, {2, "B"}, {10, "0"}, {20, "0"}, {70, "3"}, {71, "2"}, {44, "10"},
                                 {45, "5"}})));
    auto st = items_of<Stroke>(s);
    ASSERT_EQ(st.size(), 6u);
    expect_near(st.back()->path.pts[0], {20, 5}, "last copy");
}

TEST(SceneBlocks, LayerZeroAndByblockTakeTheReferencesLayerAndColour) {
    std::string tables = table("LAYER", layer("0", 7) + layer("RED", 1) + layer("L3", 3));
    std::string body = line(0, 0, 1, 0, "0") + line(0, 1, 1, 1, "0", {{62, "0"}}) + line(0, 2, 1, 2, "L3");
    Scene s = scene_of(dxf(tables, block("B", 0, 0, body),
                           tags({{0, "INSERT"}, {8, "RED"}, {62, "5"}, {2, "B"}, {10, "0"}, {20, "0"}})));
    auto st = items_of<Stroke>(s);
    ASSERT_EQ(st.size(), 3u);
    EXPECT_EQ(st[0]->pen.colour, on_white_paper(index_colour(1)));  // layer 0 -> the reference's layer RED
    EXPECT_EQ(st[1]->pen.colour, on_white_paper(index_colour(5)));  // BYBLOCK -> the reference's colour
    EXPECT_EQ(st[2]->pen.colour, on_white_paper(index_colour(3)));  // its own layer
}

TEST(SceneBlocks, VisibleAttributesAreTextsAndDefinitionsInBlocksAreNot) {
    std::string body = line(0, 0, 1, 0) + tags({{0, "ATTDEF"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, ""},
                                                 {3, "Tag?"}, {2, "TAG"}, {70, "0"}});
    std::string ents = tags({{0, "INSERT"}, {8, "0"}, {66, "1"}, {2, "B"}, {10, "0"}, {20, "0"}}) +
                       tags({{0, "ATTRIB"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "K1"}, {2, "TAG"}, {70, "0"}}) +
                       tags({{0, "ATTRIB"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "1"}, {1, "HIDDEN"}, {2, "T2"}, {70, "1"}}) +
                       tags({{0, "SEQEND"}, {8, "0"}}) +
                       tags({{0, "ATTDEF"}, {8, "0"}, {10, "5"}, {20, "5"}, {40, "1"}, {1, ""}, {3, "P"}, {2, "LOOSE"}, {70, "0"}});
    Scene s = scene_of(dxf("", block("B", 0, 0, body), ents));
    std::vector<std::string> texts;
    for (auto* t : items_of<Text>(s)) texts.push_back(t->lines.at(0).at(0).text);
    EXPECT_EQ(texts, (std::vector<std::string>{"K1", "LOOSE"}));
}

TEST(SceneBlocks, OffAndFrozenLayersAreNotPlotted) {
    std::string tables = table("LAYER", layer("0", 7) + layer("OFF", -2) + layer("ICE", 4, true) + layer("SEEN", 6) +
                                            layer("DEFPOINTS", 7));
    std::string ents = line(0, 0, 1, 0, "OFF") + line(0, 0, 1, 0, "ICE") + line(0, 0, 1, 0, "DEFPOINTS") +
                       tags({{0, "INSERT"}, {8, "OFF"}, {2, "B"}, {10, "0"}, {20, "0"}}) +
                       tags({{0, "INSERT"}, {8, "ICE"}, {2, "B"}, {10, "50"}, {20, "0"}});
    Scene s = scene_of(dxf(tables, block("B", 0, 0, line(0, 5, 1, 5, "SEEN") + line(0, 6, 1, 6, "0")), ents));
    auto st = items_of<Stroke>(s);
    // Only the block's line on SEEN, through the reference on the layer that
    // is off; the frozen reference shows nothing, the layer-0 line follows OFF.
    ASSERT_EQ(st.size(), 1u);
    expect_near(st[0]->path.pts[0], {0, 5}, "line on SEEN");
}

TEST(SceneBlocks, SelfReferenceAndMissingBlocksAreNotedNotFollowed) {
    std::string blocks = block("LOOP", 0, 0, line(0, 0, 1, 0) + tags({{0, "INSERT"}, {8, "0"}, {2, "LOOP"}, {10, "1"}, {20, "0"}}));
    Scene s = scene_of(dxf("", blocks,
                           tags({{0, "INSERT"}, {8, "0"}, {2, "LOOP"}, {10, "0"}, {20, "0"}}) +
                               tags({{0, "INSERT"}, {8, "0"}, {2, "GONE"}, {10, "0"}, {20, "0"}})));
    EXPECT_EQ(items_of<Stroke>(s).size(), 1u);
    ASSERT_EQ(s.notes.size(), 2u);
    EXPECT_NE(s.notes[0].find("GONE"), std::string::npos);
    EXPECT_NE(s.notes[1].find("LOOP"), std::string::npos);
}

TEST(SceneLinetypes, DashesComeFromTheTableScaledByLtscaleAndTheEntity) {
    std::string tables = table("LTYPE", tags({{0, "LTYPE"}, {2, "DASHED"}, {70, "0"}, {3, "Dashed"}, {72, "65"}, {73, "2"},
                                               {40, "0.75"}, {49, "0.5"}, {49, "-0.25"}})) +
                         table("LAYER", layer("0", 7) + layer("D", 7, false, "DASHED"));
    std::string header = tags({{9, "$LTSCALE"}, {40, "2.0"}});
    Scene s = scene_of(dxf(tables, "", line(0, 0, 1, 0, "D", {{48, "3"}}) + line(0, 0, 1, 0, "0", {{6, "DASHED"}}) +
                                           line(0, 0, 1, 0, "D", {{6, "CONTINUOUS"}}),
                           header));
    auto st = items_of<Stroke>(s);
    ASSERT_EQ(st.size(), 3u);
    EXPECT_EQ(st[0]->pen.dashes, (std::vector<double>{3, -1.5}));    // BYLAYER, 2 x 3
    EXPECT_EQ(st[1]->pen.dashes, (std::vector<double>{1, -0.5}));    // its own, 2 x 1
    EXPECT_TRUE(st[2]->pen.dashes.empty());
}

TEST(SceneTexts, JustificationPicksTheAlignmentPointAndAnchor) {
    Scene s = scene_of(dxf("", "",
                           tags({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "ABCD"}, {50, "90"},
                                 {72, "2"}, {11, "50"}, {21, "50"}}) +
                               tags({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "ABCD"}, {72, "5"},
                                     {11, "20"}, {21, "0"}}) +
                               tags({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "ABCD"}, {72, "3"},
                                     {11, "0"}, {21, "20"}}) +
                               tags({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "0"}, {40, "2"}, {1, "AB"}, {72, "1"},
                                     {73, "3"}, {11, "7"}, {21, "8"}, {41, "0.5"}})));
    auto t = items_of<Text>(s);
    ASSERT_EQ(t.size(), 4u);
    // Right: the text ends at the second point, read upwards.
    EXPECT_EQ(t[0]->halign, HAlign::Right);
    expect_near(t[0]->place.apply({0, 0}), {50, 50}, "right anchor");
    expect_near(t[0]->place.apply_linear({1, 0}), {0, 1}, "rotated 90");
    auto right = layout_text(*t[0], half_width);
    EXPECT_DOUBLE_EQ(right.at(0).x, -4);
    // Fit stretches sideways only; aligned scales both ways and turns the baseline.
    auto fit = layout_text(*t[1], half_width);
    EXPECT_DOUBLE_EQ(fit.at(0).sx, 5);
    EXPECT_DOUBLE_EQ(fit.at(0).sy, 1);
    auto aligned = layout_text(*t[2], half_width);
    EXPECT_DOUBLE_EQ(aligned.at(0).sx, 5);
    EXPECT_DOUBLE_EQ(aligned.at(0).sy, 5);
    expect_near(t[2]->place.apply_linear({1, 0}), {0, 1}, "aligned along its points");
    // Top centre with width factor one half: half as wide, baseline a height below.
    auto top = layout_text(*t[3], half_width);
    EXPECT_DOUBLE_EQ(top.at(0).width, 1);
    EXPECT_DOUBLE_EQ(top.at(0).x, -0.5);
    EXPECT_DOUBLE_EQ(top.at(0).baseline, -2);
    expect_near(t[3]->place.apply({0, 0}), {7, 8}, "top centre anchor");
}

TEST(SceneTexts, ParagraphTextsWrapAtTheirWidthAndStackFromTheAttachment) {
    Scene s = scene_of(dxf("", "",
                           tags({{0, "MTEXT"}, {8, "0"}, {10, "5"}, {20, "5"}, {40, "1"}, {41, "2"}, {71, "7"},
                                 {1, "aa bb cc"}})));
    auto t = items_of<Text>(s);
    ASSERT_EQ(t.size(), 1u);
    EXPECT_EQ(t[0]->valign, VAlign::Bottom);
    auto lines = layout_text(*t[0], half_width);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[2].runs.at(0).text, "cc");
    // Bottom attachment: the last line sits just above the point.
    EXPECT_NEAR(lines[2].baseline, kDescent, 1e-12);
    EXPECT_NEAR(lines[0].baseline - lines[1].baseline, 5.0 / 3.0, 1e-12);
}

TEST(SceneTexts, ExtentsCoverTextsAsMeasured) {
    Scene s = scene_of(dxf("", "", tags({{0, "TEXT"}, {8, "0"}, {10, "10"}, {20, "10"}, {40, "2"}, {1, "ABCD"}})));
    Box b = s.extents(half_width);
    expect_near(b.lo, {10, 10 - kDescent * 2}, "text extents");
    expect_near(b.hi, {14, 12}, "text extents");
}

TEST(PaperColours, WhitePrintsBlackAndLightColoursAreDarkenedKeepingTheirHue) {
    EXPECT_EQ(on_white_paper(index_colour(7)), (Rgb{0, 0, 0}));
    EXPECT_EQ(on_white_paper(index_colour(255)), (Rgb{0, 0, 0}));
    Rgb yellow = on_white_paper(index_colour(2));
    EXPECT_EQ(yellow.r, yellow.g);
    EXPECT_EQ(yellow.b, 0);
    EXPECT_GT(yellow.r, 100);  // darkened, not black
    EXPECT_EQ(on_white_paper(index_colour(5)), index_colour(5));  // blue reads as it is
    for (int i = 1; i <= 255; ++i)
        EXPECT_LE(luminance(on_white_paper(index_colour(i))), kMaxPaperLuminance + 1.0 / 255) << "index " << i;
}

TEST(PaperColours, PaletteRunsThroughHuesAndShades) {
    EXPECT_EQ(index_colour(1), (Rgb{255, 0, 0}));
    EXPECT_EQ(index_colour(10), (Rgb{255, 0, 0}));
    EXPECT_EQ(index_colour(130).r, 0);  // the cyan hue
    EXPECT_EQ(index_colour(130).g, 255);
    EXPECT_LT(luminance(index_colour(18)), luminance(index_colour(10)));  // deeper shade of the same hue
    EXPECT_EQ(index_colour(250), (Rgb{51, 51, 51}));
    EXPECT_EQ(packed_colour(0x123456), (Rgb{0x12, 0x34, 0x56}));
}

TEST(PaperColours, TrueColourOutranksTheIndex) {
    Scene s = scene_of(dxf("", "", line(0, 0, 1, 0, "0", {{62, "1"}, {420, "255"}})));
    EXPECT_EQ(items_of<Stroke>(s).at(0)->pen.colour, (Rgb{0, 0, 255}));
}
