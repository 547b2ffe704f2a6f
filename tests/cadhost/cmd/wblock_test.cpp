// WBLOCK: a named block or chosen objects written to a drawing file of
// their own, checked by inserting the file again.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Wblock : public HostRun {
protected:
    // Block BOX (base 1,1: a line and a circle) and block OUTER holding BOX.
    static std::string define_blocks() {
        return "(entmake '((0 . \"BLOCK\") (2 . \"BOX\") (10 1.0 1.0 0.0) (70 . 0)))\n"
               "(entmake '((0 . \"LINE\") (10 0.0 0.0 0.0) (11 2.0 0.0 0.0)))\n"
               "(entmake '((0 . \"CIRCLE\") (10 1.0 1.0 0.0) (40 . 0.5)))\n(entmake '((0 . \"ENDBLK\")))\n"
               "(entmake '((0 . \"BLOCK\") (2 . \"OUTER\") (10 0.0 0.0 0.0) (70 . 0)))\n"
               "(entmake '((0 . \"INSERT\") (2 . \"BOX\") (10 3.0 0.0 0.0)))\n(entmake '((0 . \"ENDBLK\")))\n";
    }
    // The types of a block's entities and its base point, as Lisp prints them.
    static std::string describe(const std::string& block) {
        return "(setq b (tblsearch \"BLOCK\" \"" + block +
               "\") e (cdr (assoc -2 b)) l nil)\n(while e (setq l (cons (cdr (assoc 0 (entget e))) l) e (entnext e)))\n"
               "(list (cdr (assoc 10 b)) (reverse l))\n";
    }
};

TEST_F(Wblock, ANamedBlockIsWrittenWithItsBaseAndTheBlocksItUses) {
    RunResult made = run(define_blocks() + "WBLOCK\nOUTFILE\nOUTER\nWBLOCK\nBOX\n=\nQUIT\nY\n", "IN.DXF");
    ASSERT_TRUE(std::filesystem::exists(dir / "OUTFILE.dxf")) << made.out;
    ASSERT_TRUE(std::filesystem::exists(dir / "BOX.dxf")) << "\"=\": the block named as the file\n" << made.out;
    EXPECT_EQ(made.out.find("not found"), std::string::npos) << made.out;
    RunResult back = run("INSERT\nOUTFILE\n0,0\n\n\n\n" + describe("BOX") + "INSERT\nB2=BOX\n0,0\n\n\n\n" +
                             describe("B2") + "QUIT\nY\n",
                         "");
    EXPECT_NE(back.out.find("((1.0 1.0 0.0) (\"LINE\" \"CIRCLE\"))"), std::string::npos)
        << "the nested block came with the file\n" << back.out;
    EXPECT_EQ(count(back.out, "((1.0 1.0 0.0) (\"LINE\" \"CIRCLE\"))"), 2u) << "the file's base is the block's\n"
                                                                         << back.out;
}

TEST_F(Wblock, ChosenObjectsGoToTheFileAndLeaveTheDrawing) {
    RunResult r = run("LINE\n100,100\n110,100\n\n(setq n (sslength (ssget \"X\")))\nWBLOCK\nOBJS\n\n5,5\nL\n\n"
                      "(- n (sslength (ssget \"X\")))\nINSERT\nOBJS\n0,0\n\n\n\n"
                      "(cdr (assoc 10 (entget (cdr (assoc -2 (tblsearch \"BLOCK\" \"OBJS\"))))))\n"
                      "(cdr (assoc 10 (tblsearch \"BLOCK\" \"OBJS\")))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("(- n (sslength (ssget \"X\")))\n1\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n(100.0 100.0 0.0)\n"), std::string::npos) << "the line where it was drawn\n" << r.out;
    EXPECT_NE(r.out.find("\n(5.0 5.0 0.0)\n"), std::string::npos) << "the base point chosen\n" << r.out;
}

TEST_F(Wblock, AnExistingFileIsReplacedOnlyWhenAskedAndOnlyBySomething) {
    write("KEEP.dxf", "not touched");
    RunResult r = run("WBLOCK\nKEEP\nN\nWBLOCK\nKEEP\nY\nNOSUCH\nWBLOCK\nKEEP\nY\n\n5,5\n\nWBLOCK\nNEW\n\n^C\nQUIT\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Do you want to replace it? <N> N\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Block NOSUCH not found.\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Nothing selected.\n"), std::string::npos) << r.out;
    EXPECT_EQ(slurp("KEEP.dxf"), "not touched") << r.out;
    EXPECT_FALSE(std::filesystem::exists(dir / "NEW.dxf")) << "cancelled at the base point\n" << r.out;
    RunResult called = run(define_blocks() + "(command \"_.WBLOCK\" \"KEEP\" \"_Y\" \"BOX\")\nQUIT\nY\n", "IN.DXF");
    EXPECT_NE(slurp("KEEP.dxf").find("CIRCLE"), std::string::npos) << "replaced by the call's block\n" << called.out;
}

}  // namespace
