// Scripts, applications calling commands, and command-line input order.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Scripts : public HostRun {
protected:
    std::string app() const { return std::string("--load '") + CH_TESTAPP + "' "; }
};

TEST_F(Scripts, AScriptOpensThreeDrawingsAndAnApplicationKeepsItsState) {
    for (const char* n : {"A.DXF", "B.DXF", "C.DXF"}) std::filesystem::copy_file(dir / "IN.DXF", dir / n);
    write("RUN.SCR", "OPEN\nY\nA.DXF\nSAVEIT\nOPEN\nb.dxf\nSAVEIT\nOPEN\nC\nSAVEIT\n");
    RunResult r = run("QUIT\n", app() + "--script RUN.SCR");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("saved ok, calls 1"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("saved ok, calls 2"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("saved ok, calls 3"), std::string::npos) << r.out;
    EXPECT_EQ(count(r.out, "testapp: unload drawing"), 3u) << r.out;
    std::string original = slurp("IN.DXF");
    for (const char* n : {"A.DXF", "B.DXF", "C.DXF"}) {
        std::string text = slurp(n);
        EXPECT_NE(text, original) << n;
        EXPECT_EQ(count(text, "\nLINE\n"), count(original, "\nLINE\r\n") + 1) << n;
    }
}

TEST_F(Scripts, LispInAScriptDefinesAndRunsACommandPerDrawing) {
    std::filesystem::copy_file(dir / "IN.DXF", dir / "D.DXF");
    write("RUN.SCR",
          "(defun c:addsave () (command \"_.LINE\" \"0,0\" \"1,1\" \"\")\n  (command \"_.QSAVE\") (princ))\n"
          "ADDSAVE\nOPEN\nD.DXF\n(setq gone (null c:addsave))\n");
    RunResult r = run("(princ gone)\nQUIT\n", "--script RUN.SCR IN.DXF");
    EXPECT_NE(slurp("IN.DXF").find("\nLINE\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(princ gone)\nT"), std::string::npos) << "Lisp starts afresh per drawing\n" << r.out;
}

TEST_F(Scripts, ARegisteredCommandReadsItsPointFromTheScript) {
    write("RUN.SCR", "ADDLINE\n5,5\n(cdr (assoc 11 (entget (entlast))))\n");
    RunResult r = run("QUIT\nY\n", app() + "--script RUN.SCR IN.DXF");
    EXPECT_NE(r.out.find("addline done"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(15.0 5.0 0.0)"), std::string::npos) << r.out;
}

TEST_F(Scripts, AnApplicationsInteractiveSelectionReadsTheInput) {
    RunResult r = run("PICK\nC\n55,0\n65,110\nL\n\nQUIT\n", app() + "IN.DXF");
    // The crossing window meets both rails, the drop at x=60, a terminal and the
    // title text (its box starts at y=110); Last adds the frame polyline.
    EXPECT_NE(r.out.find("picked 6 (ok)"), std::string::npos) << r.out;
}

TEST_F(Scripts, AnApplicationsEntityPickAndFileNameAreAnsweredAtThePrompts) {
    // FILEDIA 0: getfiled asks at the command line, for an application and
    // for AutoLISP alike.
    RunResult r = run("FILEDIA\n0\nPICKFILE\n50,100\nIN.DXF\nPICKFILE\n900,900\n^C\n"
                      "(getfiled \"Drawing to use\" \"\" \"dxf\" 0)\nIN\nPICKFILE\n^C\n^C\nQUIT\n",
                      app() + "IN.DXF");
    EXPECT_NE(r.out.find("entsel ok at 50.0,100.0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Drawing to use: IN.DXF\n\ntestapp: getfiled ok \"IN.DXF\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("entsel missed"), std::string::npos) << "nothing at 900,900\n" << r.out;
    EXPECT_NE(r.out.find("Drawing to use: IN\n\"IN.dxf\""), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("entsel cancelled"), std::string::npos) << r.out;
    EXPECT_EQ(count(r.out, "getfiled cancelled"), 2u) << r.out;
}

TEST_F(Scripts, EscapeAtAPromptCancelsTheApplicationsInput) {
    RunResult r = run("ADDLINE\n^C\nQUIT\n", app() + "IN.DXF");
    EXPECT_NE(r.out.find("addline cancelled"), std::string::npos) << r.out;
}

TEST_F(Scripts, ACommandLeftActiveIsFinishedByTheNextCall) {
    RunResult r = run("HALF\n(sslength (ssget \"X\" '((0 . \"LINE\") (8 . \"0\"))))\nQUIT\nY\n", app() + "IN.DXF");
    EXPECT_NE(r.out.find("cmdactive 1 then 0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("\n1\n"), std::string::npos) << "one segment drawn\n" << r.out;
}

TEST_F(Scripts, ACommandLeftActiveTakesTheNextTypedInput) {
    write("RUN.SCR", "(command \"_.LINE\" \"0,0\" \"2,0\")\n2,2\n\n(getvar \"CMDACTIVE\")\n");
    RunResult r = run("(sslength (ssget \"X\" '((8 . \"0\") (0 . \"LINE\"))))\nQUIT\nY\n", "--script RUN.SCR IN.DXF");
    EXPECT_NE(r.out.find("(getvar \"CMDACTIVE\")\n0"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(0 . \"LINE\"))))\n2"), std::string::npos) << r.out;
}

// An answer typed at the prompt of a command a call drives is evaluated on
// the command's own stack: deep recursion there works as it does at
// "Command: ", and recursion past the limit is still stopped in time.
TEST_F(Scripts, LispAtThePromptOfACommandACallDrivesRecursesAsDeepAsAtTheTop) {
    const char* f = "(defun f (n) (if (= n 0) 0 (+ 1 (f (- n 1)))))\n";
    RunResult r = run(std::string(f) +
                          "(command \"_.LINE\" \"0,0\")\n(list 1 1)\n(list (f 300) 0)\n\n"
                          "(cdr (assoc 11 (entget (entlast))))\n"
                          "(command \"_.LINE\" \"0,0\")\n(list (f 1000000) 0)\n(+ 1 2)\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(r.status, 0) << r.out;
    // 300 levels: deep enough to need a real stack, shallow enough for the
    // larger frames of a sanitizer build.
    EXPECT_NE(r.out.find("(list (f 300) 0)\nTo point: \n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(entlast))))\n(300.0 0.0 0.0)\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(list (f 1000000) 0)\n; error: stack overflow\n"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("(+ 1 2)\n3\n"), std::string::npos) << "the session goes on\n" << r.out;
}

// The sequences the post-processor and the batch utilities write, each
// with and without unsaved changes in the open drawing.
TEST_F(Scripts, OpenAndNewSequencesWorkWithAndWithoutChanges) {
    std::filesystem::copy_file(dir / "IN.DXF", dir / "B.DXF");
    const char* change = "CLAYER\nWIRES\n";
    struct Case {
        const char* script;
        const char* expect_name;
    } cases[] = {
        {"OPEN\nY\nB.DXF\n", "\"B.DXF\""},
        {"OPEN\nB.DXF\n", "\"B.DXF\""},
        {"NEW\nY\n\n", "\"Drawing.dxf\""},
        {"NEW\n\n", "\"Drawing.dxf\""},
    };
    for (const auto& c : cases) {
        for (bool changed : {false, true}) {
            if (changed && std::string(c.script).find('Y') == std::string::npos) continue;  // would ask; the script answers nothing
            std::string script = std::string(changed ? change : "") + c.script + "(getvar \"DWGNAME\")\n";
            write("RUN.SCR", script);
            RunResult r = run("QUIT\nY\n", "--script RUN.SCR IN.DXF");
            EXPECT_NE(r.out.find(std::string("(getvar \"DWGNAME\")\n") + c.expect_name), std::string::npos)
                << (changed ? "changed: " : "unchanged: ") << c.script << "\n" << r.out;
        }
    }
}

}  // namespace
