// Menu files and toolbars as a headless session keeps them (MENU,
// MENULOAD, MENUUNLOAD, TOOLBAR, MENUS, MACRO), and SHADE and HIDE.
#include "../../tools/host_run.h"

using cadhost::test::HostRun;
using cadhost::test::RunResult;

namespace {

class Menus : public HostRun {
protected:
    void SetUp() override {
        HostRun::SetUp();
        write("MY.MNU",
              "***MENUGROUP=MINE\n***POP1\n[&Draw]\nID_ONE   [&Line one]^C^C_LINE;0,0;5,5;;\n"
              "   [->Sub]\n   [<-~Pick start]^C^C_LINE;\\7,7;;\n"
              "***TOOLBARS\n**TB\nID_TEN   [_Button(\"Ten\", A.BMP, B.BMP)]^C^C(setq ten 10)\n"
              "***HELPSTRINGS\nID_ONE   [Help of line one]\n");
        write("EXTRA.MNU", "***MENUGROUP=EXTRA\n***POP2\n[Extra]\nID_X [Twenty]^C^C(setq twenty 20)\n");
    }
    static std::string lisp_value(const std::string& out, const std::string& expr) {
        auto at = out.find(expr + "\n");
        if (at == std::string::npos) return "";
        at += expr.size() + 1;
        return out.substr(at, out.find('\n', at) - at);
    }
};

TEST_F(Menus, MenuReplacesTheBaseMenuAndSetsMenuname) {
    RunResult r = run("MENUS\nMENU\nEXTRA\nMENU\nmy\n(getvar \"MENUNAME\")\nMENUS\nMENU\nNOSUCH\nMENUS\nQUIT\n", "IN.DXF");
    EXPECT_NE(r.out.find("No menus loaded.\n"), std::string::npos) << r.out;
    EXPECT_EQ(lisp_value(r.out, "(getvar \"MENUNAME\")"), "\"" + (dir / "MY").string() + "\"") << "no extension\n"
                                                                                                 << r.out;
    EXPECT_EQ(count(r.out, "Menu group *BASE*: "), 2u) << "one base menu, replaced\n" << r.out;
    EXPECT_NE(r.out.find("Menu group *BASE*: " + (dir / "MY.MNU").string() + " (5 items)"), std::string::npos)
        << "the lines in brackets but not the help strings\n" << r.out;
    EXPECT_NE(r.out.find("Can't open menu file NOSUCH\n"), std::string::npos) << r.out;
    EXPECT_EQ(r.out.find("EXTRA.MNU ("), std::string::npos) << "the first base menu is gone\n" << r.out;
}

TEST_F(Menus, PartialMenusLoadOnceUnloadAndTakeTheirToolbars) {
    RunResult r = run("MENU\nMY\nMENULOAD\nEXTRA\nMENULOAD\nextra.mnu\nTOOLBAR\nextra\nS\nTOOLBAR\nTB\n\nTOOLBAR\nTB\nH\n"
                      "MENUS\nMENUUNLOAD\nExtra\nMENUS\nMENUUNLOAD\nEXTRA\nMENUUNLOAD\n*BASE*\nQUIT\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("Menu group EXTRA loaded from " + (dir / "EXTRA.MNU").string()), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Menu group EXTRA is already loaded.\n"), std::string::npos) << r.out;
    auto first = r.out.find("Command: MENUS\n"), second = r.out.find("Command: MENUS\n", first + 1);
    ASSERT_NE(second, std::string::npos) << r.out;
    std::string listed = r.out.substr(first, second - first), after = r.out.substr(second);
    EXPECT_NE(listed.find("Menu group EXTRA: "), std::string::npos) << listed;
    EXPECT_NE(listed.find("Toolbar shown: EXTRA\n"), std::string::npos) << listed;
    EXPECT_EQ(listed.find("Toolbar shown: TB"), std::string::npos) << "shown, then hidden\n" << listed;
    EXPECT_EQ(after.find("EXTRA: "), std::string::npos) << after;
    EXPECT_EQ(after.find("Toolbar shown: EXTRA"), std::string::npos) << "its toolbar went with it\n" << after;
    EXPECT_NE(after.find("Menu group *BASE*: "), std::string::npos) << after;
    EXPECT_NE(after.find("Menu group EXTRA is not loaded.\n"), std::string::npos) << after;
    EXPECT_NE(after.find("Menu group *BASE* is not loaded.\n"), std::string::npos) << "MENU replaces the base\n"
                                                                                 << after;
}

TEST_F(Menus, MacroRunsAnItemByIdOrLabelFromAnyLoadedMenu) {
    RunResult r = run("MENU\nMY\nMENULOAD\nEXTRA\nMACRO\nid_one\n(cdr (assoc 11 (entget (entlast))))\n"
                      "MACRO\nLINE ONE\nMACRO\nTen\n(list ten)\nMACRO\nTwenty\n(list twenty)\nMACRO\nSub\n"
                      "MACRO\nHelp of line one\n(sslength (ssget \"X\" '((0 . \"LINE\") (11 5.0 5.0 0.0))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(lisp_value(r.out, "(cdr (assoc 11 (entget (entlast))))"), "(5.0 5.0 0.0)") << r.out;
    EXPECT_EQ(lisp_value(r.out, "(list ten)"), "(10)") << "a toolbar button by its text\n" << r.out;
    EXPECT_EQ(lisp_value(r.out, "(list twenty)"), "(20)") << "an item of a partial menu\n" << r.out;
    EXPECT_NE(r.out.find("No menu item Sub in the loaded menus.\n"), std::string::npos) << "a heading runs nothing\n"
                                                                                        << r.out;
    EXPECT_NE(r.out.find("No menu item Help of line one"), std::string::npos) << "help strings are not items\n"
                                                                              << r.out;
    EXPECT_EQ(lisp_value(r.out, "(sslength (ssget \"X\" '((0 . \"LINE\") (11 5.0 5.0 0.0))))"), "2")
        << "by ID and by label, without \"&\" and case\n" << r.out;
}

// A pause ("\\") takes one answer from the user, then the macro goes on;
// the marks before a label do not count.
TEST_F(Menus, MacroTakesTheUsersAnswerAtAPauseAndGoesOn) {
    RunResult r = run("MENU\nMY\nMACRO\nPick start\n3,3\n(cdr (assoc 10 (entget (entlast))))\n"
                      "(cdr (assoc 11 (entget (entlast))))\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_NE(r.out.find("From point: 3,3\n"), std::string::npos) << r.out;
    EXPECT_EQ(lisp_value(r.out, "(cdr (assoc 10 (entget (entlast))))"), "(3.0 3.0 0.0)") << r.out;
    EXPECT_EQ(lisp_value(r.out, "(cdr (assoc 11 (entget (entlast))))"), "(7.0 7.0 0.0)") << "the macro went on\n"
                                                                                      << r.out;
    EXPECT_EQ(r.out.find("Unknown command"), std::string::npos) << r.out;
}

TEST_F(Menus, PausesInTheMiddleAndAtTheEndOfAMacroAndFromAScript) {
    write("P.MNU", "***POP1\n[Two]^C^C_LINE;\\\\;\n[Layer]_LAYER;_M;\\;\n[Mid]^C^C_LINE;1,1;\\9,9;;\n");
    write("RUN.SCR", "MACRO\nMid\n4,4\n(setq mid (cdr (assoc 11 (entget (entlast)))))\n");
    RunResult r = run("MENU\nP\nMACRO\nTwo\n1,2\n3,4\n(cdr (assoc 11 (entget (entlast))))\n"
                      "MACRO\nLayer\nPAUSED\n(getvar \"CLAYER\")\n"
                      "SCRIPT\nRUN\n(list (cdr (assoc 10 (entget (entlast)))) mid)\nQUIT\nY\n",
                      "IN.DXF");
    EXPECT_EQ(lisp_value(r.out, "(cdr (assoc 11 (entget (entlast))))"), "(3.0 4.0 0.0)") << "two pauses\n" << r.out;
    EXPECT_EQ(lisp_value(r.out, "(getvar \"CLAYER\")"), "\"PAUSED\"") << "the Enter after a pause\n" << r.out;
    EXPECT_EQ(lisp_value(r.out, "(list (cdr (assoc 10 (entget (entlast)))) mid)"), "((4.0 4.0 0.0) (9.0 9.0 0.0))")
        << "a script answers the pause and goes on after the macro\n" << r.out;
}

TEST_F(Menus, CancellingAtAPauseEndsTheMacro) {
    RunResult r = run("MENU\nMY\n(setq n (sslength (ssget \"X\")))\nMACRO\nPick start\n^C\n"
                      "(= n (sslength (ssget \"X\")))\nQUIT\n",
                      "IN.DXF");
    EXPECT_EQ(lisp_value(r.out, "(= n (sslength (ssget \"X\")))"), "T") << r.out;
    EXPECT_EQ(r.out.find("Command: 7,7"), std::string::npos) << "the rest of the macro is dropped\n" << r.out;
    EXPECT_EQ(r.out.find("Unknown command"), std::string::npos) << r.out;
}

TEST_F(Menus, ShadeAndHideLeaveTheDrawingAsItIs) {
    RunResult r = run("(setq n (sslength (ssget \"X\")) v (getvar \"VIEWSIZE\"))\nSHADE\nHIDE\n_.SHADE\n"
                      "(list (= n (sslength (ssget \"X\"))) (= v (getvar \"VIEWSIZE\")))\nQUIT\n",
                      "IN.DXF");
    EXPECT_EQ(lisp_value(r.out, "(list (= n (sslength (ssget \"X\"))) (= v (getvar \"VIEWSIZE\")))"), "(T T)") << r.out;
    EXPECT_EQ(r.out.find("Unknown command"), std::string::npos) << r.out;
}

}  // namespace
