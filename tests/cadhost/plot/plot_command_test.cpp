// PLOT at the command line and cadhost --plot, run as whole sessions: the
// default answers of the application's batch plot, settings files, where
// the files go, and the exit status.
#include <filesystem>

#include "../../tools/host_run.h"
#include "plot_fixture.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;
using namespace cadhost::plot::test;

namespace {

class Plot : public HostRun {
protected:
    void SetUp() override {
        HostRun::SetUp();
        write("FAR.DXF", dxf("", "", line(1000, 1000, 1200, 1100)));
        std::filesystem::create_directories(dir / "WCRAFT");
    }
    // The x coordinates where the first path of an SVG starts and ends.
    std::pair<double, double> first_path_x(const std::string& svg) {
        size_t d = svg.find(" d=\"M ", svg.find("<path style=\"fill:none"));  // a stroke, not a clip outline
        double x1 = 0, y1 = 0, x2 = 0;
        sscanf(svg.c_str() + d + 6, "%lf %lf L %lf", &x1, &y1, &x2);
        return {x1, x2};
    }
    void expect_extents(const std::string& svg, const std::string& out) {
        auto [x1, x2] = first_path_x(svg);
        EXPECT_NEAR(x1, 10 * 72 / 25.4, 0.01) << out;
        EXPECT_NEAR(x2, 410 * 72 / 25.4, 0.01) << out;
    }
};

const char* const kR13 = "PLOT\nE\nF\nC:\\WCRAFT\\WCRAFT\nN\n";
const char* const kR14 = "PLOT\nE\n2\nC:\\WCRAFT\\WCRAFT\nE\n0\n";

}  // namespace

TEST_F(Plot, BothBatchDefaultAnswerSequencesPlotTheExtents) {
    for (const char* answers : {kR13, kR14}) {
        std::filesystem::remove(dir / "FAR.pdf");
        std::filesystem::remove(dir / "FAR.svg");
        RunResult r = run(std::string(answers) + "(getvar \"CMDACTIVE\")\nQUIT\n", "FAR.DXF");
        EXPECT_EQ(r.status, 0) << r.out;
        EXPECT_NE(r.out.find("Plot written to " + (dir / "FAR.pdf").string() + " and " + (dir / "FAR.svg").string()),
                  std::string::npos)
            << r.out;
        // The command has ended with the last answer: nothing is left waiting.
        EXPECT_NE(r.out.find("(getvar \"CMDACTIVE\")\n0\n"), std::string::npos) << r.out;
        EXPECT_EQ(slurp("FAR.pdf").rfind("%PDF-", 0), 0u);
        expect_extents(slurp("FAR.svg"), r.out);
    }
}

TEST_F(Plot, TheBatchSettingsFileIsReadWhenItExists) {
    write("WCRAFT/WCRAFT.pcf", "paper=A4\nfolder=C:\\SHEETS\n");
    for (const char* answers : {kR13, kR14}) {
        std::filesystem::remove_all(dir / "SHEETS");
        RunResult r = run(std::string(answers) + "QUIT\n", "FAR.DXF");
        EXPECT_NE(r.out.find("Settings file ... C:\\WCRAFT\\WCRAFT.pcf"), std::string::npos) << r.out;
        ASSERT_TRUE(std::filesystem::exists(dir / "SHEETS" / "FAR.svg")) << r.out;
        EXPECT_NE(slurp("SHEETS/FAR.svg").find("width=\"841.88"), std::string::npos);  // A4 landscape
    }
    write("WCRAFT/WCRAFT.pcf", "paper=B7\n");
    RunResult bad = run(std::string(kR13) + "QUIT\n", "FAR.DXF");
    EXPECT_NE(bad.out.find("WCRAFT.pcf:1: not a plot setting: \"paper=B7\"; settings unchanged."), std::string::npos)
        << bad.out;
    EXPECT_TRUE(std::filesystem::exists(dir / "FAR.pdf")) << bad.out;
}

TEST_F(Plot, WindowLimitsAndDisplayChooseTheArea) {
    // A window round the left half of the line: its start lands on the margin,
    // its end far beyond the page (clipped there).
    RunResult w = run("PLOT\nW\n1000,1000\n1100,1050\nN\nQUIT\n", "FAR.DXF");
    auto [x1, x2] = first_path_x(slurp("FAR.svg"));
    EXPECT_NEAR(x1, 10 * 72 / 25.4, 0.01) << w.out;
    EXPECT_GT(x2, 1190.6) << w.out;
    // The limits of an empty drawing, 0,0 to 12,9, and the display of a new one.
    RunResult e = run("PLOT\nE\nN\nQUIT\n", "");
    EXPECT_NE(e.out.find("Nothing is drawn; plotting the limits."), std::string::npos) << e.out;
    EXPECT_TRUE(std::filesystem::exists(dir / "Drawing.pdf")) << e.out;
    RunResult v = run("PLOT\nV\nNOSUCH\nD\nN\nQUIT\n", "FAR.DXF");
    EXPECT_NE(v.out.find("View \"NOSUCH\" not found."), std::string::npos) << v.out;
    EXPECT_NE(v.out.find("Plot written"), std::string::npos) << v.out;
}

TEST_F(Plot, SettingsChangeAreSavedAndKeptForTheNextPlot) {
    RunResult r = run("PLOT\nE\n1\nB9\nA2\n3\n1=4\n5\nout\\sub\nS\nmine\nN\n"
                      "PLOT\nE\nN\nQUIT\n",
                      "FAR.DXF");
    EXPECT_NE(r.out.find("Invalid value."), std::string::npos) << r.out;  // B9 is no paper
    EXPECT_NE(r.out.find("Plot settings saved in mine.pcf."), std::string::npos) << r.out;
    std::string saved = slurp("mine.pcf");
    EXPECT_NE(saved.find("paper=A2\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("scale=1=4\n"), std::string::npos) << saved;
    EXPECT_EQ(count(r.out, "Plot written to " + (dir / "out" / "sub" / "FAR.pdf").string()), 2u) << r.out;
    // 200 units at 1 mm for 4 units: 50 mm.
    auto [x1, x2] = first_path_x(slurp("out/sub/FAR.svg"));
    EXPECT_NEAR(x2 - x1, 50 * 72 / 25.4, 0.01);
}

TEST_F(Plot, InvalidAnswersAreAskedAgainAndCancelPlotsNothing) {
    RunResult r = run("PLOT\nQ\nE\nZ\nN\nPLOT\nE\n^C\nQUIT\n", "FAR.DXF");
    EXPECT_EQ(count(r.out, "Invalid option keyword."), 2u) << r.out;
    EXPECT_EQ(count(r.out, "Plot written"), 1u) << r.out;
}

TEST_F(Plot, AFolderThatCannotBeMadeIsReportedAndNothingWritten) {
    write("BLOCKER", "a file where a folder should be");
    RunResult r = run("PLOT\nE\n5\nBLOCKER\\sub\nN\n(getvar \"CMDACTIVE\")\nQUIT\n", "FAR.DXF");
    EXPECT_NE(r.out.find("Plot not written: can't make the folder"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "FAR.pdf"));
}

TEST_F(Plot, CommandLinePlotWritesEachDrawingAndFailsForOneUnreadable) {
    write("NEAR.DXF", dxf("", "", line(0, 0, 10, 10)));
    write("BROKEN.DXF", "  0\nSECTION\n  2\nENTITIES\n  0\nLINE\n 10\nnot a number\n");
    RunResult r = run("", "--plot sheets NEAR.DXF BROKEN.DXF MISSING.DXF FAR.DXF");
    EXPECT_EQ(r.status, 1) << r.out;
    for (const char* f : {"NEAR.pdf", "NEAR.svg", "FAR.pdf", "FAR.svg"})
        EXPECT_TRUE(std::filesystem::exists(dir / "sheets" / f)) << f << "\n" << r.out;
    EXPECT_NE(r.out.find("FAR.DXF: plotted to " + (dir / "sheets" / "FAR.pdf").string()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("cannot read drawing: " + (dir / "BROKEN.DXF").string() + ":"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("MISSING.DXF"), std::string::npos) << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "sheets" / "BROKEN.pdf"));
    RunResult good = run("", "--plot sheets NEAR.DXF");
    EXPECT_EQ(good.status, 0) << good.out;
    RunResult none = run("", "--plot sheets");
    EXPECT_EQ(none.status, 2) << none.out;
    EXPECT_NE(none.out.find("--plot needs at least one drawing"), std::string::npos) << none.out;
}
