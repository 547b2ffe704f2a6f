// Symbols that the insertion list asks to explode, placed through
// SVLIBRARY in the host: their entities are in the drawing, not a
// reference to their block.
#include "session_fixture.h"

namespace {

// The entities of a block, counted by walking from its first one.
const char* kBlockCount =
    "(defun sv-test-count (name / e n) (setq e (cdr (assoc -2 (tblsearch \"BLOCK\" name))) n 0)"
    " (while e (setq n (1+ n) e (entnext e))) n)\n";

TEST_F(SymvaultSession, AGroupSymbolIsPlacedAsItsEntities) {
    std::string out = run(std::string(kBlockCount) +
                          "(SVLIBRARY \"ELEC\" \"Special\")\nselect names 0\nok\n50,50\n0\ncancel\n"
                          "(setq blk (tblsearch \"BLOCK\" \"STARTER\") first (entget (cdr (assoc -2 blk))))\n"
                          "(setq at (mapcar '+ '(50.0 50.0 0.0) (mapcar '- (cdr (assoc 10 first)) (cdr (assoc 10 blk)))))\n"
                          "(list (ssget \"X\" '((0 . \"INSERT\") (2 . \"STARTER\"))) (sslength (ssget \"P\")) "
                          "(sv-test-count \"STARTER\") (sslength (ssget \"X\" '((0 . \"LINE\") (8 . \"SYMBOLS\")))) "
                          "(not (null (ssget \"X\" (list '(0 . \"LINE\") (cons 10 at))))))\n"
                          "QUIT\nY\n");
    EXPECT_EQ(out.find("no EXPLODE"), std::string::npos) << out;
    EXPECT_NE(out.find("\n(nil 12 12 12 T)\n"), std::string::npos)
        << "no reference; the block's twelve lines on the symbol's layer, the first where the block puts it\n"
        << out;
}

TEST_F(SymvaultSession, ABlockSymbolIsExplodedWhenTheToggleIsOn) {
    std::string out = run(std::string(kBlockCount) +
                          "SVLIBRARY\nELEC\nselect names 0\nexplode=1\nok\n5,5\n90\ncancel\n"
                          "(list (ssget \"X\" '((0 . \"INSERT\") (2 . \"RLCOIL\"))) "
                          "(= (sslength (ssget \"P\")) (sv-test-count \"RLCOIL\")) "
                          "(cdr (assoc 8 (entget (entlast)))))\n"
                          "SVLIBRARY\n\nselect names 0\nok\n5,5\n90\ncancel\n"
                          "(sslength (ssget \"X\" '((0 . \"INSERT\") (2 . \"RLCOIL\"))))\n"
                          "QUIT\nY\n");
    EXPECT_NE(out.find("\n(nil T \"SYMBOLS\")\n"), std::string::npos) << "exploded\n" << out;
    EXPECT_NE(out.find("RLCOIL\"))))\n1\n"), std::string::npos) << "toggle off: one reference\n" << out;
}

}  // namespace
