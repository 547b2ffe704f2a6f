// Text control codes, plot settings and their file, and output file names.
#include <gtest/gtest.h>

#include "plot/job.h"
#include "plot/text_codes.h"

using namespace cadhost::plot;

namespace {

std::string joined(const TextLine& l) {
    std::string s;
    for (const TextRun& r : l) s += r.text;
    return s;
}

}  // namespace

TEST(TextCodes, PercentCodesBecomeTheirCharacters) {
    EXPECT_EQ(joined(decode_text("45%%d %%p0.1 %%c20 100%%% %%065")), "45\u00b0 \u00b10.1 \u230020 100% A");
    EXPECT_EQ(joined(decode_text("50%")), "50%");  // a lone percent sign is itself
    EXPECT_EQ(joined(decode_text("\\U+00C4X")), "\u00c4X");
}

TEST(TextCodes, UnderlineAndOverlineSwitchRuns) {
    TextLine l = decode_text("a%%ub%%uc%%o");
    ASSERT_EQ(l.size(), 3u);
    EXPECT_EQ(l[0].text, "a");
    EXPECT_FALSE(l[0].underline);
    EXPECT_EQ(l[1].text, "b");
    EXPECT_TRUE(l[1].underline);
    EXPECT_EQ(l[2].text, "c");
    EXPECT_FALSE(l[2].underline);
}

TEST(TextCodes, ParagraphFormattingIsDroppedAndLinesBreak) {
    auto lines = decode_mtext("{\\fArial|b0|i0;Line one}\\PTwo\\~words \\S1^2; \\H2.5x;big\\\\slash");
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(joined(lines[0]), "Line one");
    EXPECT_EQ(joined(lines[1]), "Two words 1/2 big\\slash");
}

TEST(PlotSettings, PapersAndScalesAsTyped) {
    EXPECT_EQ(paper_named("a4")->long_mm, 297);
    auto custom = paper_named("200 x 300");
    ASSERT_TRUE(custom);
    EXPECT_EQ(custom->long_mm, 300);
    EXPECT_EQ(custom->short_mm, 200);
    EXPECT_FALSE(paper_named("B5"));
    EXPECT_FALSE(paper_named("0x100"));
    EXPECT_EQ(*scale_named("fit"), 0);
    EXPECT_EQ(*scale_named("1=2"), 0.5);
    EXPECT_FALSE(scale_named("1=0"));
    EXPECT_FALSE(scale_named("half"));
    EXPECT_EQ(scale_text(0.5), "1=2");
    EXPECT_EQ(scale_text(4), "4=1");
}

TEST(PlotSettings, FileRoundTripsAndBadLinesNameTheirLine) {
    PlotSettings s{*paper_named("A1"), 0.25, 0.5, "/plots"};
    auto back = parse_settings(settings_text(s), "x.pcf", PlotSettings{});
    ASSERT_TRUE(back) << back.error().what();
    EXPECT_EQ(back->paper.name, "A1");
    EXPECT_EQ(back->scale, 0.25);
    EXPECT_EQ(back->pen_mm, 0.5);
    EXPECT_EQ(back->folder, "/plots");
    // Keys missing from a file keep the settings it is read over.
    auto partial = parse_settings("; only the paper\npaper=A4\n", "p.pcf", s);
    ASSERT_TRUE(partial);
    EXPECT_EQ(partial->paper.name, "A4");
    EXPECT_EQ(partial->pen_mm, 0.5);
    auto bad = parse_settings("paper=A4\npen=-1\n", "bad.pcf", s);
    ASSERT_FALSE(bad);
    EXPECT_EQ(bad.error().line, 2);
    EXPECT_EQ(bad.error().file, "bad.pcf");
    EXPECT_FALSE(parse_settings("colour=mono\n", "c.pcf", s));
}

TEST(PlotFileNames, NamedAfterTheDrawingBesideItOrInTheFolder) {
    auto beside = plot_file_names("/p/sheets/NEW001.DXF", "");
    EXPECT_EQ(beside.pdf, "/p/sheets/NEW001.pdf");
    EXPECT_EQ(beside.svg, "/p/sheets/NEW001.svg");
    auto there = plot_file_names("/p/sheets/NEW001.DXF", "/out");
    EXPECT_EQ(there.pdf, "/out/NEW001.pdf");
    EXPECT_EQ(plot_file_names("", "").svg, "./Drawing.svg");
}
