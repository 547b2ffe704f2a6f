// MSLIDE: the current view of a drawing written as a slide and read back.
#include <fstream>
#include <iterator>

#include "../../tools/host_run.h"
#include "slide/slide.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Mslide : public HostRun {
protected:
    cadhost::slide::Slide read(const std::string& name) {
        std::ifstream f(dir / name, std::ios::binary);
        cadhost::slide::Bytes bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
        auto s = cadhost::slide::read_slide(bytes, name);
        EXPECT_TRUE(s.ok()) << (s.ok() ? "" : s.error().what());
        return s.ok() ? *s : cadhost::slide::Slide{};
    }
};

TEST_F(Mslide, TheViewSetByZoomDecidesWhatTheSlideShows) {
    RunResult all = run("ZOOM\nE\nMSLIDE\nALL\nZOOM\nW\n500,500\n600,600\nMSLIDE\nEMPTY\nQUIT\n", "IN.DXF");
    ASSERT_TRUE(std::filesystem::exists(dir / "ALL.sld")) << all.out;
    auto whole = read("ALL.sld");
    auto empty = read("EMPTY.sld");
    // Lines, the frame, two terminal circles and a text box: many vectors.
    EXPECT_GT(whole.shapes.size(), 20u);
    EXPECT_EQ(empty.shapes.size(), 0u) << "nothing of the drawing lies in that window";
}

}  // namespace
