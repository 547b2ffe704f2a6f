// The library file's lines: reading hand-written files with their quirks,
// and writing a record that reads back the same.
#include <gtest/gtest.h>

#include <sstream>

#include "library/library_format.h"

namespace symvault {
namespace {

// Lines of a text, fed to the reader as the file layer would (line ends
// and trailing blanks gone).
LineSource feed(const std::string& text) {
    auto lines = std::make_shared<std::vector<std::string>>();
    std::istringstream in(text);
    for (std::string l; std::getline(in, l);) lines->push_back(clean_line(l));
    auto at = std::make_shared<size_t>(0);
    return [lines, at]() -> std::optional<std::string> {
        if (*at >= lines->size()) return std::nullopt;
        return (*lines)[(*at)++];
    };
}

// Lines 2 onwards of a minimal file around a symbols and a scale section.
std::string file_body(const std::string& header, const std::string& symbols, const std::string& scales = "") {
    return "A test library\n***SHOW_LIBRARY\n" + header + "***BEGIN_LIBRARY\n" + symbols + "***END_SYMBOLS\n" +
           "***BEGIN_SCALE_OPTIONS\n" + scales + "***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n";
}

int parse(const std::string& text, LibraryRecord& lib) { return parse_library(feed(text), lib); }

std::vector<std::string> group_names(const LibraryRecord& lib) {
    std::vector<std::string> out;
    for (const auto& g : lib.groups) out.push_back(g.name);
    return out;
}

TEST(FirstLine, VersionsZeroToTwoAreReadAndHigherOnesRefused) {
    EXPECT_EQ(check_first_line(std::string("***SYMVAULT")).kind, FirstLine::OK);
    EXPECT_EQ(check_first_line(std::string("***SYMVAULT")).version, 0);
    EXPECT_EQ(check_first_line(std::string("***SYMVAULT=1")).version, 1);
    FirstLine three = check_first_line(std::string("***SYMVAULT=3"));
    EXPECT_EQ(three.kind, FirstLine::UNSUPPORTED);
    EXPECT_EQ(three.version_text, "3");
    EXPECT_EQ(check_first_line(std::string("***symvault=2")).kind, FirstLine::INVALID) << "the marker's case is exact";
    EXPECT_EQ(check_first_line(std::nullopt).kind, FirstLine::INVALID);
}

TEST(Header, KeysInAnyOrderWithTheirMatchRules) {
    LibraryRecord lib;
    std::string header =
        "***banner=Shown on top\n"
        "***dialog_type=9\n"
        "***BASE_LIBRARY_TYPE=0\n"
        "***rotate=yes\n"
        "***SCALE=Yes please\n"
        "***XREF\n"
        "***SLIDES=NO\n"
        "***Parametric_Editor=notepad.exe\n"
        "***SOMETHING_ELSE=YES\n";
    ASSERT_EQ(parse(file_body(header, ""), lib), 0);
    EXPECT_EQ(lib.banner, "Shown on top");
    EXPECT_EQ(lib.dialog_type, 0) << "8 and above read as 0";
    EXPECT_EQ(lib.base_library_type, 1) << "0 reads as 1";
    EXPECT_EQ(lib.rotate, 1);
    EXPECT_EQ(lib.scale, 1) << "three characters after = compared";
    EXPECT_EQ(lib.xref, 0) << "no = keeps the default";
    EXPECT_EQ(lib.slides, 0);
    EXPECT_EQ(lib.parametric_editor, "notepad.exe");
    EXPECT_EQ(lib.rotate_current, 1) << "picker toggles start from the library's defaults";
    EXPECT_EQ(lib.scale_current, 1);
    EXPECT_EQ(lib.recall_current, 1);
}

TEST(Header, BaseLibraryTypeKeyIsCaseSensitive) {
    LibraryRecord lib;
    ASSERT_EQ(parse(file_body("***base_library_type=3\n", ""), lib), 0);
    EXPECT_EQ(lib.base_library_type, 1);
    ASSERT_EQ(parse(file_body("***BASE_LIBRARY_TYPE=3\n", ""), lib), 0);
    EXPECT_EQ(lib.base_library_type, 3);
}

TEST(Header, HiddenLibraryAndDescription) {
    LibraryRecord lib;
    ASSERT_EQ(parse_library(feed("Pumps   \n***hide_library\n***BEGIN_LIBRARY\n***END_SYMBOLS\n"
                                 "***BEGIN_SCALE_OPTIONS\n***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n"),
                            lib),
              0);
    EXPECT_EQ(lib.description, "Pumps") << "trailing blanks go";
    EXPECT_EQ(lib.show, 0);
}

TEST(Password, EncodedByPositionAndReadBack) {
    EXPECT_EQ(encode_access("abc"), std::string("bdf"));
    EXPECT_EQ(decode_access(encode_access("abc")), "abc");
    EXPECT_EQ(encode_access(""), "");
    std::string high = "\xFE\xFF";
    EXPECT_EQ(static_cast<unsigned char>(encode_access(high)[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(encode_access(high)[1]), 0x01) << "modulo 256";
    LibraryRecord lib;
    ASSERT_EQ(parse(file_body("***access=bdf\n", ""), lib), 0);
    EXPECT_EQ(lib.access, "abc");
}

TEST(Groups, SortedInByteOrderAndMergedWithoutRegardToCase) {
    LibraryRecord lib;
    std::string symbols =
        "**Valves\n*SYMBOL=V1\n"
        "**Pumps\n*SYMBOL=P1\n"
        "**alpha\n"
        "**Zeta\n"
        "**Main\n*SYMBOL=M1\n"
        "**MAIN\n*SYMBOL=M2\n";
    ASSERT_EQ(parse(file_body("", symbols), lib), 0);
    EXPECT_EQ(group_names(lib), (std::vector<std::string>{"Main", "Pumps", "Valves", "Zeta", "alpha"}));
    ASSERT_EQ(lib.groups[0].symbols.size(), 2u);
    EXPECT_EQ(lib.groups[0].symbols[0].name, "M1");
    EXPECT_EQ(lib.groups[0].symbols[1].name, "M2");
}

TEST(Groups, TrailingBlanksAreNotPartOfTheName) {
    LibraryRecord lib;
    ASSERT_EQ(parse(file_body("", "**Pumps   \n*SYMBOL=P1\n\n**pumps\n*SYMBOL=P2\n"), lib), 0);
    ASSERT_EQ(lib.groups.size(), 1u);
    EXPECT_EQ(lib.groups[0].name, "Pumps");
    EXPECT_EQ(lib.groups[0].symbols.size(), 2u);
}

TEST(Symbols, TypeResetsItsDataAndKeysOfOtherTypesAreSkipped) {
    LibraryRecord lib;
    std::string symbols =
        "**G\n"
        "*SYMBOL=ABCDEFGHIJKLMNOPQRST\n"
        "*SCALE_OPTION=LOST\n"
        "*TYPE=1\n"
        "*DATA_INS_X=5\n"
        "*DATA_PARA_PRE=YES\n"
        "*DATA_PARA_POST=yes\n"
        "*SYMBOL=DWG\n*TYPE=3\n*DATA_INS_X=1.5\n*DATA_INS_SCL=2\n*DATA_PARA_PRE=YES\n"
        "*SYMBOL=PAR\n*TYPE=5\n*DATA_APP_TYPE=-7\n"
        "*SYMBOL=ODD\n*TYPE=6\n*LAYER=Wiring\n";
    ASSERT_EQ(parse(file_body("", symbols), lib), 0);
    const auto& s = lib.groups[0].symbols;
    ASSERT_EQ(s.size(), 4u);
    EXPECT_EQ(s[0].name, "ABCDEFGHIJKLMNOP") << "names keep 16 characters";
    EXPECT_EQ(s[0].scale_option, "") << "*TYPE= came after the scale option";
    EXPECT_EQ(s[0].ins_x, 0.0);
    EXPECT_EQ(s[0].para_pre, 1);
    EXPECT_EQ(s[0].para_post, 0) << "YES compared exactly";
    EXPECT_EQ(s[1].type, 3);
    EXPECT_EQ(s[1].ins_x, 1.5);
    EXPECT_EQ(s[1].ins_scale, 2.0);
    EXPECT_EQ(s[1].para_pre, 0);
    EXPECT_EQ(s[2].app_type, -7);
    EXPECT_EQ(s[3].type, 1) << "types outside 1..5 read as 1";
    EXPECT_EQ(s[3].layer, "Wiring");
}

TEST(Symbols, KeysBeforeTheFirstSymbolAreSkippedAndLaterOnesFollowIt) {
    LibraryRecord lib;
    ASSERT_EQ(parse(file_body("", "**B\n*DESCRIPTION=nobody's\n*SYMBOL=S1\n**A\n*DESCRIPTION=S1's after all\n"), lib),
              0);
    ASSERT_EQ(lib.groups.size(), 2u);
    EXPECT_TRUE(lib.groups[0].symbols.empty());
    EXPECT_EQ(lib.groups[1].symbols[0].description, "S1's after all")
        << "a key applies to the last symbol read, even after a group line";
}

TEST(ScaleOptions, ValuesTitlesAndUserFlag) {
    LibraryRecord lib;
    std::string scales =
        "*X_SCALE=9\n"
        "**SIZE\n*X_TITLE=Width\n*USER=YES\n*X_SCALE=9\n"
        "*SCALE_VALUE=Small\n*X_SCALE=0.5\n*Z_SCALE=2\n"
        "*SCALE_VALUE=Big\n"
        "**OTHER\n*USER=Yes\n";
    EXPECT_EQ(parse(file_body("", "", scales), lib), ERR_NO_OPTION) << "a line before any option";
    LibraryRecord ok;
    ASSERT_EQ(parse(file_body("", "", scales.substr(scales.find("**SIZE"))), ok), 0);
    ASSERT_EQ(ok.scale_options.size(), 2u);
    const ScaleOptionRecord& size = ok.scale_options[0];
    EXPECT_EQ(size.x_title, "Width");
    EXPECT_EQ(size.user, 1);
    ASSERT_EQ(size.values.size(), 2u);
    EXPECT_EQ(size.values[0].x, 0.5);
    EXPECT_EQ(size.values[0].y, 1.0);
    EXPECT_EQ(size.values[0].z, 2.0);
    EXPECT_EQ(size.values[1].x, 1.0);
    EXPECT_EQ(ok.scale_options[1].user, 0);
}

TEST(Errors, FirstErrorOfEachSection) {
    LibraryRecord lib;
    EXPECT_EQ(parse("desc\n", lib), ERR_EOF_SYMBOLS);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***DEBUG=YES\n", lib), ERR_EOF_SYMBOLS);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n*SYMBOL=X\n", lib), ERR_NO_GROUP);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n**G\n", lib), ERR_EOF_SYMBOLS);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n***END_SYMBOLS\n***BEGIN_SCALE_OPTION\n", lib),
              ERR_NO_SCALE_MARKER);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n***end_symbols\n***BEGIN_SCALE_OPTIONS\n**O\n", lib),
              ERR_EOF_SCALES);
    EXPECT_EQ(parse("desc\n***SHOW_LIBRARY\n***BEGIN_LIBRARY\n***END_SYMBOLS\n***BEGIN_SCALE_OPTIONS\n"
                    "***END_SCALE_OPTIONS\n***END_LIBRARY\n",
                    lib),
              ERR_NO_END_MARKER);
}

LibraryRecord sample_library() {
    LibraryRecord lib;
    lib.name = "PUMPS";
    lib.description = "Pumps and valves";
    lib.show = 0;
    lib.access = "s3cret";
    lib.dialog_type = 5;
    lib.slides = 0;
    lib.base_library_type = 3;
    lib.xref = 1;
    lib.group_dot_tags = 1;
    lib.lisp_master_function = 1;
    lib.parametric_editor = std::string(256, 'e');
    lib.banner = "Banner text";
    GroupRecord& g = insert_group_sorted(lib, "Pumps");
    SymbolRecord block;
    block.name = "P1";
    block.description = "Centrifugal pump";
    block.layer = "PUMPS";
    block.scale_option = "SIZE";
    block.para_post = 1;
    g.symbols.push_back(block);
    SymbolRecord dwg;
    dwg.name = "FRAME";
    dwg.type = SYM_DRAWING;
    dwg.ins_x = 1.25, dwg.ins_y = -2.5, dwg.ins_z = 0.125, dwg.ins_scale = 2, dwg.ins_rotation = 90;
    g.symbols.push_back(dwg);
    SymbolRecord script;
    script.name = "RUN";
    script.type = SYM_SCRIPT;
    insert_group_sorted(lib, "Misc").symbols.push_back(script);
    SymbolRecord par;
    par.name = "PAR";
    par.type = SYM_PARAMETRIC;
    par.app_type = 4;
    find_group(lib, "Misc")->symbols.push_back(par);
    ScaleOptionRecord o;
    o.name = "SIZE";
    o.x_title = "W", o.y_title = "H", o.z_title = "D";
    o.user = 1;
    o.values.push_back(ScaleValueRecord{"Small", 0.5, 0.25, 1});
    o.values.push_back(ScaleValueRecord{"Large", 2, 2, 2});
    lib.scale_options.push_back(o);
    return lib;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\n";
    return s;
}

TEST(RoundTrip, AWrittenLibraryReadsBackAsTheSameRecords) {
    LibraryRecord lib = sample_library();
    std::vector<std::string> lines = library_lines(lib);
    ASSERT_EQ(lines.front(), "***SYMVAULT=2");
    std::string text = joined(lines);
    LibraryRecord back;
    back.name = lib.name;
    ASSERT_EQ(parse(text.substr(text.find('\n') + 1), back), 0) << text;
    EXPECT_EQ(joined(library_lines(back)), text) << "written again, byte for byte the same";
    EXPECT_EQ(back.access, "s3cret");
    EXPECT_EQ(back.parametric_editor.size(), 256u) << "a line longer than the reader's buffer is read whole";
    EXPECT_EQ(back.dialog_type, 5);
    EXPECT_EQ(back.show, 0);
    EXPECT_EQ(find_group(back, "pumps")->symbols[1].ins_rotation, 90.0);
    EXPECT_EQ(back.scale_options[0].values[0].y, 0.25);
    EXPECT_EQ(find_group(back, "MISC")->symbols[1].app_type, 4);
}

// A value longer than its field is cut; a cut that ends in blanks must not
// keep them, since the written line loses them on the next read.
TEST(RoundTrip, AFieldCutAtABlankReadsBackAsWritten) {
    LibraryRecord lib;
    const std::string text = file_body("", std::string("**") + std::string(49, 'G') + " tail\n*SYMBOL=ABCDEFGHIJKLMNO PQ\n"
                                       "*DESCRIPTION=" + std::string(99, 'd') + "  more\n",
                                       "**" + std::string(31, 'o') + " x\n");
    ASSERT_EQ(parse(text, lib), 0);
    ASSERT_EQ(lib.groups.size(), 1u);
    EXPECT_EQ(lib.groups[0].name, std::string(49, 'G'));
    EXPECT_EQ(lib.groups[0].symbols.at(0).name, "ABCDEFGHIJKLMNO");
    EXPECT_EQ(lib.groups[0].symbols.at(0).description, std::string(99, 'd'));
    EXPECT_EQ(lib.scale_options.at(0).name, std::string(31, 'o'));
    std::string written = joined(library_lines(lib));
    LibraryRecord back;
    ASSERT_EQ(parse(written.substr(written.find('\n') + 1), back), 0);
    EXPECT_EQ(joined(library_lines(back)), written);
}

// A value of any size is written whole, so that it reads back the same.
TEST(RoundTrip, ALargeScaleValueIsWrittenWhole) {
    LibraryRecord lib;
    const std::string big = std::string(64, '6') + ".000";
    ASSERT_EQ(parse(file_body("", "", "**Sizes\n*SCALE_VALUE=Huge\n*X_SCALE=" + big + "\n*Y_SCALE=1e300\n"), lib), 0);
    ASSERT_EQ(lib.scale_options.at(0).values.size(), 1u);
    std::string written = joined(library_lines(lib));
    EXPECT_NE(written.find(".000\n*Y_SCALE="), std::string::npos) << "the whole number, decimals too\n" << written;
    LibraryRecord back;
    ASSERT_EQ(parse(written.substr(written.find('\n') + 1), back), 0);
    EXPECT_EQ(back.scale_options.at(0).values.at(0).x, lib.scale_options[0].values[0].x);
    EXPECT_EQ(back.scale_options[0].values[0].y, 1e300);
    EXPECT_EQ(joined(library_lines(back)), written);
}

TEST(RoundTrip, WriterOrderOfHeaderAndTypeKeys) {
    std::string text = joined(library_lines(sample_library()));
    EXPECT_NE(text.find("***ACCESS=t5fvjz\n***DIALOG_TYPE=5\n***SLIDES=NO\n***BASE_LIBRARY_TYPE=3\n***ROTATE=NO\n"
                        "***SCALE=NO\n***XREF=YES\n***BLOCK_BREAK_LINES=NO\n***GROUP_DOT_TAGS=YES\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("*SYMBOL=FRAME\n*DESCRIPTION=\n*LAYER=\n*TYPE=3\n*DATA_INS_X=1.250\n*DATA_INS_Y=-2.500\n"
                        "*DATA_INS_Z=0.125\n*DATA_INS_SCL=2.000\n*DATA_INS_ROT=90.000\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("*SYMBOL=RUN\n*DESCRIPTION=\n*LAYER=\n*TYPE=4\n*SYMBOL=PAR"), std::string::npos) << text;
    EXPECT_NE(text.find("**SIZE\n*X_TITLE=W\n*Y_TITLE=H\n*Z_TITLE=D\n*USER=YES\n*SCALE_VALUE=Small\n"
                        "*X_SCALE=0.500\n*Y_SCALE=0.250\n*Z_SCALE=1.000\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(text.substr(text.size() - 45), "***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n");
}

}  // namespace
}  // namespace symvault
