// The support code with the picker's xref toggle on: a block symbol's
// drawing is attached as an external reference, and where that cannot be
// done the symbol is inserted as a block, with a message saying why.
#include "session_fixture.h"

namespace {

TEST_F(SymvaultSession, WithTheXrefToggleOnTheSymbolsDrawingIsAttached) {
    std::string out = run("SVLIBRARY\nELEC\nxref\nselect names 0\nok\n5,5\n90\ncancel\nQSAVE\nQUIT\n");
    EXPECT_NE(out.find("Attach Xref RLCOIL: C:\\SYMVAULT\\LIBRARY\\ELEC\\RLCOIL.DXF\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("inserted as a block"), std::string::npos) << out;
    std::string saved = slurp(dir / "A.DXF");
    EXPECT_NE(saved.find("\n  0\nBLOCK\n"), std::string::npos);
    size_t block = saved.find("\n  2\nRLCOIL\n 70\n");
    ASSERT_NE(block, std::string::npos) << saved;
    size_t flags = block + std::string("\n  2\nRLCOIL\n 70\n").size();
    EXPECT_EQ(std::stoi(saved.substr(flags, saved.find('\n', flags) - flags)), 4) << "flagged as an external reference";
    size_t endblk = saved.find("\nENDBLK\n", block);
    size_t path = saved.find("\n  1\nC:\\SYMVAULT\\LIBRARY\\ELEC\\RLCOIL.DXF\n", block);
    EXPECT_LT(path, endblk) << "the path is kept";
    EXPECT_EQ(saved.substr(block, endblk - block).find("\n  0\n", 1), saved.substr(block, endblk - block).rfind("\n  0\n"))
        << "nothing between BLOCK and ENDBLK";
    EXPECT_EQ(count(saved, "\nRLCOIL\n"), 3u) << "the block record, the block and one insert";

    std::string again = run("(setq e (cdr (assoc -2 (tblsearch \"BLOCK\" \"RLCOIL\"))))\n(cdr (assoc 0 (entget e)))\nQUIT\n");
    EXPECT_EQ(again.find("cannot find"), std::string::npos) << again;
    EXPECT_NE(again.find("(cdr (assoc 0 (entget e)))\n\""), std::string::npos) << "resolved on reading\n" << again;
}

TEST_F(SymvaultSession, WithoutADrawingToAttachTheSymbolIsInsertedAsABlock) {
    // An ordinary block of the symbol's name already in the drawing.
    std::string out = run("SVLIBRARY\nELEC\nselect names 0\nok\n5,5\n0\ncancel\n"
                          "SVLIBRARY\nELEC\nxref\nselect names 0\nok\n9,9\n0\ncancel\n"
                          "(cdr (assoc 70 (tblsearch \"BLOCK\" \"RLCOIL\")))\nQUIT\nY\n");
    EXPECT_NE(out.find("SYMVAULT : RLCOIL is a block of this drawing; the symbol is inserted as a block."),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("(cdr (assoc 70 (tblsearch \"BLOCK\" \"RLCOIL\")))\n0\n"), std::string::npos) << out;
    EXPECT_EQ(out.find("Xref RLCOIL"), std::string::npos) << out;
    // No drawing file for the symbol.
    fs::remove(library / "ELEC" / "RLCOIL.DXF");
    std::string missing = run("SVLIBRARY\nELEC\nxref\nselect names 0\nok\n5,5\n0\ncancel\nQUIT\nY\n");
    EXPECT_NE(missing.find("SYMVAULT : no drawing file C:\\SYMVAULT\\LIBRARY\\ELEC\\RLCOIL.DXF to attach; the symbol "
                           "is inserted as a block."),
              std::string::npos)
        << missing;
    EXPECT_EQ(missing.find("XREF"), std::string::npos) << missing;
}

}  // namespace
