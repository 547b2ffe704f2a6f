// PDF and SVG output of plot scenes: page size and turn, the fitted scale,
// colours, dashes and texts as they reach the files, and failed writes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "plot/job.h"
#include "plot/render.h"
#include "plot_fixture.h"

using namespace cadhost::plot;
using namespace cadhost::plot::test;

namespace {

class Render : public ::testing::Test {
protected:
    void SetUp() override {
        dir = std::filesystem::temp_directory_path() / ("cadhost-plot-" + std::to_string(getpid()) + "-" +
                                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
    }
    void TearDown() override { std::filesystem::remove_all(dir); }
    std::string plot(const std::string& drawing, const PageSetup& setup = {}) {
        Scene s = scene_of(drawing);
        auto area = extents_area(s);
        EXPECT_TRUE(area);
        auto st = write_plot(s, *area, setup, (dir / "t.pdf").string(), (dir / "t.svg").string());
        EXPECT_TRUE(st) << st.error().what();
        return slurp("t.svg");
    }
    std::string slurp(const std::string& name) {
        std::ifstream f(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + 1)) ++n;
        return n;
    }
    std::filesystem::path dir;
};

// The numbers of the first drawn path's outline ("M x y L x y ...").
std::vector<double> first_path(const std::string& svg) {
    size_t p = svg.find("<path style=\"fill:none");  // a stroke, not a clip outline
    size_t d = svg.find(" d=\"", p);
    std::istringstream in(svg.substr(d + 4, svg.find('"', d + 4) - d - 4));
    std::vector<double> out;
    std::string tok;
    while (in >> tok)
        if (tok.find_first_of("0123456789") != std::string::npos) out.push_back(std::stod(tok));
    return out;
}

constexpr double kPt = 72 / 25.4;

}  // namespace

TEST_F(Render, ExtentsFitThePaperInsideItsMarginsAndThePageTurnsToTheirShape) {
    std::string wide = plot(dxf("", "", line(1000, 1000, 1200, 1100)));
    EXPECT_NE(wide.find("width=\"1190.55"), std::string::npos) << wide.substr(0, 300);
    auto pts = first_path(wide);
    ASSERT_EQ(pts.size(), 4u);
    // 200 x 100 units on 400 x 277 mm of room: 2 mm a unit, 10 mm margins.
    EXPECT_NEAR(pts[0], 10 * kPt, 0.01);
    EXPECT_NEAR(pts[2], 410 * kPt, 0.01);
    EXPECT_NEAR(pts[1] - pts[3], 200 * kPt, 0.01);  // y runs down the page
    std::string tall = plot(dxf("", "", line(0, 0, 10, 100)));
    EXPECT_NE(tall.find("width=\"841.88"), std::string::npos) << tall.substr(0, 300);
}

TEST_F(Render, FixedScaleAndPaperAreKept) {
    PageSetup a4;
    a4.long_mm = 297, a4.short_mm = 210, a4.scale = 0.5;
    auto pts = first_path(plot(dxf("", "", line(0, 0, 100, 0)), a4));
    ASSERT_EQ(pts.size(), 4u);
    EXPECT_NEAR(pts[2] - pts[0], 50 * kPt, 0.01);
    EXPECT_NE(slurp("t.svg").find("width=\"841.88"), std::string::npos);
}

TEST_F(Render, ColoursDashesAndTextsReachTheSvg) {
    std::string tables = table("LTYPE", tags({{0, "LTYPE"}, {2, "DASHED"}, {70, "0"}, {3, "Dashed"}, {72, "65"},
                                               {73, "2"}, {40, "15"}, {49, "10"}, {49, "-5"}})) +
                         table("LAYER", layer("0", 7) + layer("Y", 2) + layer("D", 5, false, "DASHED"));
    std::string svg = plot(dxf(tables, "",
                               line(0, 0, 100, 0) + line(0, 10, 100, 10, "Y") + line(0, 20, 100, 20, "D") +
                                   tags({{0, "TEXT"}, {8, "0"}, {10, "0"}, {20, "30"}, {40, "5"}, {1, "AB%%dC"}})));
    EXPECT_NE(svg.find("stroke:rgb(0%,0%,0%)"), std::string::npos);    // colour 7 prints black
    EXPECT_EQ(svg.find("stroke:rgb(100%,100%,0%)"), std::string::npos);  // yellow is darkened
    EXPECT_NE(svg.find("stroke:rgb(0%,0%,100%)"), std::string::npos);
    EXPECT_EQ(count(svg, "stroke-dasharray"), 1u);
    // Each character of the text is one glyph drawn: A, B, the degree sign, C.
    EXPECT_EQ(count(svg, "<use xlink:href=\"#glyph"), 4u) << svg;
}

TEST_F(Render, BothFilesAreWrittenAndAFailedWriteLeavesNothing) {
    plot(dxf("", "", line(0, 0, 1, 1)));
    EXPECT_EQ(slurp("t.pdf").rfind("%PDF-", 0), 0u);
    EXPECT_NE(slurp("t.svg").find("<svg"), std::string::npos);
    Scene s = scene_of(dxf("", "", line(0, 0, 1, 1)));
    std::string missing = (dir / "no" / "such" / "x.pdf").string();
    auto st = write_plot(s, Area{{0, 0}, {1, 1}}, {}, missing, (dir / "x.svg").string());
    ASSERT_FALSE(st);
    EXPECT_EQ(st.error().file, missing);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.svg"));
    for (auto& e : std::filesystem::directory_iterator(dir))
        EXPECT_EQ(e.path().string().find(".tmp"), std::string::npos) << e.path();
}
