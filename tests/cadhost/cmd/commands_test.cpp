// Host commands as applications and scripts use them, checked through the
// drawing afterwards (AutoLISP queries on the command line) and ezdxf.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Commands : public HostRun {};

// The value printed for the last Lisp expression of the input.
std::string last_value(const std::string& out) {
    auto end = out.rfind("\nCommand: QUIT");
    if (end == std::string::npos) return "";
    auto start = out.rfind('\n', end - 1);
    return out.substr(start + 1, end - start - 1);
}

TEST_F(Commands, LayerMakesSetsAndColoursLayers) {
    RunResult r = run("LAYER\nM\nPOWER\nC\n3\nPOWER\nN\nA1,B2\nL\nCONTINUOUS\nB2\n\n"
                      "(list (getvar \"CLAYER\") (cdr (assoc 62 (tblsearch \"LAYER\" \"POWER\"))) "
                      "(not (null (tblsearch \"LAYER\" \"b2\"))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "(\"POWER\" 3 T)") << r.out;
}

TEST_F(Commands, TransparentLayerRunsInsideAnotherCommandsPrompt) {
    RunResult r = run("LINE\n0,0\n'LAYER\nM\nDROP\n\n5,5\n\n(list (getvar \"CLAYER\") (cdr (assoc 8 (entget (entlast)))))\n"
                      "QUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "(\"DROP\" \"DROP\")") << r.out;
}

TEST_F(Commands, LineChainsSegmentsAndEnterEnds) {
    RunResult r = run("LINE\n0,0\n10,0\n10,10\n\n(sslength (ssget \"X\" '((0 . \"LINE\") (8 . \"0\"))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "2") << r.out;
}

TEST_F(Commands, ClosedPlineIsAPolylineInR12AndALightweightOneLater) {
    RunResult r12 = run("PLINE\n0,0\n5,0\n5,5\nC\n(cdr (assoc 0 (entget (entlast))))\nSAVEAS\n\nP12.DXF\nQUIT\n",
                        "IN.DXF");
    EXPECT_EQ(r12.out.find("\"POLYLINE\""), r12.out.rfind("\"POLYLINE\"")) << r12.out;
    EXPECT_NE(r12.out.find("\"POLYLINE\""), std::string::npos) << r12.out;
    RunResult r2k = run("PLINE\n0,0\n5,0\n5,5\nC\n(cdr (assoc 70 (entget (entlast))))\n"
                        "(cdr (assoc 0 (entget (entlast))))\nSAVEAS\n\nP2K.DXF\nQUIT\n",
                        "");
    EXPECT_NE(r2k.out.find("\"LWPOLYLINE\""), std::string::npos) << r2k.out;
    EXPECT_NE(r2k.out.find("\n1\n"), std::string::npos) << "closed flag" << r2k.out;
    for (const char* f : {"P12.DXF", "P2K.DXF"}) {
        std::string cmd = "/usr/bin/python3 '" CH_SOURCE_DIR "/tests/tools/ezdxf_audit.py' '" + (dir / f).string() + "'";
        FILE* p = popen(cmd.c_str(), "r");
        char buf[512] = {0};
        std::string text;
        while (size_t n = fread(buf, 1, sizeof buf, p)) text.append(buf, n);
        int st = pclose(p);
        if (text.find("NO_EZDXF") != std::string::npos) GTEST_SKIP() << "ezdxf not installed";
        EXPECT_EQ(st, 0);
        EXPECT_NE(text.find("AUDIT_ERRORS 0"), std::string::npos) << f << ": " << text;
    }
}

TEST_F(Commands, InsertOfABlockFileAsksForEachAttribute) {
    // A block drawing made by the host itself: a circle and one attribute definition.
    RunResult made = run("(entmake '((0 . \"CIRCLE\") (10 0.0 0.0 0.0) (40 . 1.0)))\n"
                         "(entmake '((0 . \"ATTDEF\") (10 1.0 0.0 0.0) (40 . 2.0) (1 . \"\") (3 . \"Wire number\") "
                         "(2 . \"WIRENO\") (70 . 0)))\nSAVEAS\n\nBLK.DXF\nQUIT\n",
                         "");
    ASSERT_TRUE(std::filesystem::exists(dir / "BLK.DXF")) << made.out;
    RunResult r = run("ATTREQ\n1\nINSERT\nblk\n50,60\n2\n\n90\nW-17\n"
                      "(cdr (assoc 1 (entget (entnext (entlast)))))\n"
                      "(cdr (assoc 10 (entget (entnext (entlast)))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Wire number <>: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\"W-17\""), std::string::npos) << r.out;
    // The definition point (1,0) scaled by 2 and turned 90 degrees about the insertion point.
    EXPECT_NE(r.out.find("(50.0 62.0 0.0)"), std::string::npos) << r.out;
}

// A value the reader could not read as a number stays text in the drawing;
// a command that needs the number says what is wrong and ends, and the
// session goes on with nothing made.
TEST_F(Commands, ABlockWhoseAttributeHeightIsNotANumberIsReportedNotPlaced) {
    RunResult made = run("(entmake '((0 . \"CIRCLE\") (10 0.0 0.0 0.0) (40 . 1.0)))\n"
                         "(entmake '((0 . \"ATTDEF\") (10 1.0 0.0 0.0) (40 . 2.0) (1 . \"\") (3 . \"Wire number\") "
                         "(2 . \"WIRENO\") (70 . 0)))\nSAVEAS\n\nBLK.DXF\nQUIT\n",
                         "");
    ASSERT_TRUE(std::filesystem::exists(dir / "BLK.DXF")) << made.out;
    made = run("INSERT\nblk\n0,0\n\n\n\nW1\nSAVEAS\n\nHOST.DXF\nQUIT\n", "");
    std::string text = slurp("HOST.DXF");
    auto at = text.find(" 40\n2.0\n", text.find("ATTDEF", text.find("BLOCKS")));
    ASSERT_NE(at, std::string::npos) << made.out;
    write("BAD.DXF", text.replace(at, 9, " 40\nabc\n"));
    RunResult r = run("(setq before (entlast))\nINSERT\nblk\n(command \"_.INSERT\" \"blk\" \"5,5\" \"\" \"\" \"\" \"W2\")\n"
                      "EXPLODE\nALL\n\n(list (eq before (entlast)) (sslength (ssget \"X\")))\nQUIT\nY\n",
                      "BAD.DXF");
    EXPECT_EQ(r.status, 0) << r.out;
    std::string says = "Block BLK: attribute definition WIRENO: group 40 is \"abc\", not a number\n";
    EXPECT_EQ(count(r.out, says), 2u) << r.out;
    EXPECT_NE(r.out.find("Block BLK: ATTDEF group 40 is \"abc\", not a number.\n1 object could not be exploded."),
              std::string::npos)
        << r.out;
    EXPECT_EQ(last_value(r.out), "(T 1)") << r.out;
}

// Saving in an older format converts entities; a thickness the reader kept
// as text goes into the older file as the drawing had it.
TEST_F(Commands, SavingAsR12KeepsAPolylineThicknessThatIsNotANumber) {
    RunResult made = run("(entmake '((0 . \"LWPOLYLINE\") (100 . \"AcDbEntity\") (100 . \"AcDbPolyline\") (90 . 2) "
                         "(70 . 0) (39 . 1.5) (10 0.0 0.0) (10 5.0 0.0)))\nSAVEAS\n2000\nP.DXF\nQUIT\n",
                         "");
    std::string text = slurp("P.DXF");
    auto at = text.find(" 39\n1.5\n", text.find("LWPOLYLINE"));
    ASSERT_NE(at, std::string::npos) << made.out << text;
    write("P.DXF", text.replace(at, 9, " 39\nabc\n"));
    RunResult r = run("SAVEAS\nR12\nOLD.DXF\nQUIT\n", "P.DXF");
    EXPECT_EQ(r.status, 0) << r.out;
    std::string old = slurp("OLD.DXF");
    EXPECT_NE(old.find("POLYLINE\n"), std::string::npos) << r.out;
    EXPECT_NE(old.find(" 39\nabc\n"), std::string::npos) << old;
}

// BLK.DXF, a circle of radius 1, and BLK3.DXF, one of radius 3, in the
// test folder; with the expression that prints BLK's radius and the one
// that writes BLK3.DXF over BLK.DXF.
class BlockFiles : public Commands {
protected:
    void SetUp() override {
        Commands::SetUp();
        for (const char* file : {"BLK.DXF", "BLK3.DXF"}) {
            std::string radius = std::string(file) == "BLK.DXF" ? "1.0" : "3.0";
            RunResult made = run("(entmake '((0 . \"CIRCLE\") (10 0.0 0.0 0.0) (40 . " + radius + ")))\nSAVEAS\n\n" +
                                     file + "\nQUIT\n",
                                 "");
            ASSERT_TRUE(std::filesystem::exists(dir / file)) << made.out;
        }
    }
    const std::string radius_of_block = "(cdr (assoc 40 (entget (cdr (assoc -2 (tblsearch \"BLOCK\" \"BLK\"))))))\n";
    const std::string copy_blk3_over_blk =
        "(setq i (open \"BLK3.DXF\" \"r\") o (open \"BLK.DXF\" \"w\"))\n"
        "(while (setq l (read-line i)) (write-line l o))\n(close i)\n(close o)\n";
};

// A block file read for one insertion is read again once it has changed,
// even within the same run.
TEST_F(BlockFiles, InsertFromAChangedBlockFileTakesTheNewContent) {
    RunResult r = run("INSERT\nblk\n0,0\n\n\n\n" + radius_of_block +
                      copy_blk3_over_blk +
                      "INSERT\nblk=BLK\n5,0\n\n\n\n" + radius_of_block + "QUIT\nY\n",
                      "IN.DXF");
    auto first = r.out.find("\n1.0\n");
    EXPECT_NE(first, std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Block BLK redefined"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n3.0\n", first == std::string::npos ? 0 : first), std::string::npos) << r.out;
}

// A block file given by path defines a block the drawing lacks; once the
// drawing has it, the path places the drawing's definition, and only
// "name=path" reads the file again.
TEST_F(BlockFiles, InsertByPathUsesTheDefinitionTheDrawingHas) {
    RunResult r = run("INSERT\n./BLK\n0,0\n\n\n\n" +
                      copy_blk3_over_blk +
                      "INSERT\n./BLK\n5,0\n\n\n\n" + radius_of_block + "QUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find(radius_of_block + "1.0\n"), std::string::npos) << "the first definition stays\n" << r.out;
    EXPECT_EQ(r.out.find("redefined"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("Can't find"), std::string::npos) << r.out;
}

// Numbers and points an application gives as values place a block as
// their typed text does, and are echoed as that text.
TEST_F(Commands, ValuesGivenToPromptsActAsTheirText) {
    RunResult made = run("(entmake '((0 . \"CIRCLE\") (10 0.0 0.0 0.0) (40 . 1.0)))\nSAVEAS\n\nBLK.DXF\nQUIT\n", "");
    ASSERT_TRUE(std::filesystem::exists(dir / "BLK.DXF")) << made.out;
    RunResult r = run("(setvar \"CMDECHO\" 1)\n"
                      "(command \"INSERT\" \"blk\" '(1.5 -2.25 0.125) 2.0 \"\" 33.3)\n(setq a (entget (entlast)))\n"
                      "(command \"INSERT\" \"blk\" \"1.5,-2.25,0.125\" \"2\" \"\" \"33.3\")\n(setq b (entget (entlast)))\n"
                      "(mapcar '(lambda (c) (equal (assoc c a) (assoc c b))) '(10 41 42 43 50))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "(T T T T T)") << r.out;
    auto echoed = [&](const std::string& s) {
        size_t n = 0;
        for (auto at = r.out.find(s); at != std::string::npos; at = r.out.find(s, at + 1)) ++n;
        return n;
    };
    EXPECT_EQ(echoed("Insertion point: 1.5,-2.25,0.125\n"), 2u) << r.out;
    EXPECT_EQ(echoed("Rotation angle <0>: 33.3\n"), 2u) << r.out;
}

TEST_F(Commands, EraseTakesASelectionSetFromLisp) {
    RunResult r = run("(command \"_.ERASE\" (ssget \"X\" '((0 . \"LINE\"))) \"\")\n"
                      "(list (ssget \"X\" '((0 . \"LINE\"))) (sslength (ssget \"X\")))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "(nil 4)") << r.out;
}

TEST_F(Commands, UndoTakesBackAGroupOfChangesAsOne) {
    RunResult r = run("UNDO\nBE\nLINE\n0,0\n1,1\n\nERASE\nALL\n\nUNDO\nE\n(ssget \"X\")\n"
                      "UNDO\n1\n(sslength (ssget \"X\"))\nU\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("(ssget \"X\")\nnil"), std::string::npos) << "all erased\n" << r.out;
    EXPECT_EQ(last_value(r.out).find("Everything has been undone"), 0u) << r.out;
    EXPECT_NE(r.out.find("(sslength (ssget \"X\"))\n8"), std::string::npos) << "the demo's eight again\n" << r.out;
}

// SHELL hands the system's shell the host paths of the drive paths in its
// command line, so that a program it starts finds the files meant.
TEST_F(Commands, ShellMapsDrivePathsToTheFilesTheyName) {
    write("IN.TXT", "copied\n");
    RunResult r = run("SHELL\ncat C:\\IN.TXT > c:/OUT.TXT\nQUIT\n", "");
    EXPECT_EQ(r.out.find("returned status"), std::string::npos) << r.out;
    EXPECT_EQ(slurp("OUT.TXT"), "copied\n") << r.out;
}

TEST_F(Commands, LinetypeLoadsNamedPatternsFromAFile) {
    write("MINE.LIN", ";; test patterns\r\n*ZIGZAG,Zig zag\r\nA,2.0,-1.0,0,-1.0\r\n*OTHER,Other\r\nA,1,-1\r\n");
    RunResult r = run("(command \"_.LINETYPE\" \"_L\" \"ZIGZAG\" \"C:\\\\MINE\" \"\")\n"
                      "(setq e (tblsearch \"LTYPE\" \"zigzag\"))\n"
                      "(list (cdr (assoc 2 e)) (cdr (assoc 73 e)) (cdr (assoc 40 e)))\n"
                      "(tblsearch \"LTYPE\" \"OTHER\")\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Linetype ZIGZAG loaded."), std::string::npos) << r.out;
    EXPECT_EQ(last_value(r.out), "nil") << "only the linetype asked for\n" << r.out;
    EXPECT_NE(r.out.find("(\"ZIGZAG\" 4 4.0)"), std::string::npos) << r.out;
}

// CMDECHO 0 hides the prompts of commands that calls drive and the answers
// the calls give; a prompt left for the user is still shown. CMDECHO 1
// shows both.
TEST_F(Commands, CmdechoZeroHidesThePromptsAndAnswersOfCalls) {
    RunResult r = run("(setvar \"CMDECHO\" 0)\n(command \"_.LAYER\" \"_M\" \"QUIET\" \"\")\n"
                      "(command \"_.LINE\" \"0,0\")\n7,7\n\n"
                      "(setvar \"CMDECHO\" 1)\n(command \"_.LAYER\" \"_M\" \"LOUD\" \"\")\n"
                      "(list (getvar \"CLAYER\") (sslength (ssget \"X\" '((0 . \"LINE\") (8 . \"QUIET\")))))\n"
                      "QUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(last_value(r.out), "(\"LOUD\" 1)") << r.out;
    EXPECT_EQ(r.out.find("_M\n"), r.out.rfind("_M\n")) << "only the second LAYER echoes its answers\n" << r.out;
    EXPECT_EQ(r.out.find("QUIET\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("LOUD\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("From point: "), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("To point: 7,7\n"), std::string::npos) << "the user's prompt and answer are shown\n" << r.out;
}

TEST_F(Commands, UnknownCommandsFromLispReportAndReturn) {
    RunResult r = run("(command \"_.NOSUCH\")\n(+ 1 2)\nQUIT\n", "IN.DXF");
    EXPECT_NE(r.out.find("Unknown command \"NOSUCH\""), std::string::npos) << r.out;
    EXPECT_EQ(last_value(r.out), "3") << r.out;
}

}  // namespace
