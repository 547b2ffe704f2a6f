// The module inside the host executable, driven as a person would: the
// start-up file loads it, SVLIBRARY and the AutoLISP functions open the
// picker and the library manager, and the dialogs are answered with the
// host's dialog actions on standard input.
#include "session_fixture.h"

namespace {

TEST_F(SymvaultSession, StartUpLinesAndTheEnvironmentOptions) {
    std::string plain = run("QUIT\n");
    EXPECT_NE(plain.find("Vozaradov Version 1.5 C5 (ARX 14.W.L) MICROSOFT WINDOWS NT\n"), std::string::npos) << plain;
    EXPECT_NE(plain.find("Initialising SYMVAULT...\n"), std::string::npos) << plain;
    EXPECT_EQ(plain.find("option set at"), std::string::npos);
    std::string moved = run("QUIT\n", "SV_FRT='\\C:' SV_NETLIB='N:\\SHARED' SV_IDR=SYMVAULT");
    EXPECT_NE(moved.find("Installation drive option set at : C:\n"), std::string::npos) << moved;
    EXPECT_NE(moved.find("Network library option set at : N:\\SHARED\\\n"), std::string::npos) << moved;
    EXPECT_NE(moved.find("Installation directory option set at : SYMVAULT\n"), std::string::npos) << moved;
}

TEST_F(SymvaultSession, PickerPagesThroughAGroupOfMoreThanTwentySymbols) {
    std::string out = run("SVLIBRARY\n\ngroup=1\nshow\nnext\nshow\nsvg " + (dir / "page1.svg").string() +
                          "\nnext\nprev\nshow\ncancel\nQUIT\n");
    size_t first = out.find("Dialog \"sv_symvault\"");
    ASSERT_NE(first, std::string::npos) << out;
    size_t second = out.find("Dialog \"sv_symvault\"", first + 1);
    size_t third = out.find("Dialog \"sv_symvault\"", second + 1);
    ASSERT_NE(third, std::string::npos) << out;
    std::string page0 = out.substr(first, second - first), page1 = out.substr(second, third - second);
    EXPECT_EQ(tiles(page0), 20);
    EXPECT_EQ(icons_drawn(page0), 20) << page0;
    EXPECT_NE(page0.find("button [next] \"Next >\"\n"), std::string::npos) << "next enabled: " << page0;
    EXPECT_NE(page0.find("button [prev] \"< Previous\" (disabled)"), std::string::npos) << page0;
    EXPECT_EQ(icons_drawn(page1), 7) << "27 contacts: 7 on the second page, the rest black\n" << page1;
    EXPECT_NE(page1.find("button [next] \"Next >\" (disabled)"), std::string::npos) << page1;
    EXPECT_NE(out.find("next\ntile is disabled: next", second), std::string::npos) << out;
    EXPECT_EQ(icons_drawn(out.substr(third)), 20) << "back on the first page";
    std::string svg = slurp(dir / "page1.svg");
    EXPECT_NE(svg.find("<svg"), std::string::npos);
    EXPECT_GE(count(svg, "<line") + count(svg, "<path") + count(svg, "<polyline"), 7u) << "the icons' vectors";
}

TEST_F(SymvaultSession, AChosenSymbolIsInsertedAndSaved) {
    std::string out = run("SVLIBRARY\nELEC\nselect names 0\nok\n5,5\n90\ncancel\nQSAVE\nQUIT\n");
    EXPECT_NE(out.find("Loading Symvault library ELEC :  Electrical control symbols .done!"), std::string::npos) << out;
    std::string saved = slurp(dir / "A.DXF");
    EXPECT_NE(saved.find("\nRLCOIL\n"), std::string::npos) << "the block is defined and inserted\n" << out;
    EXPECT_NE(saved.find("\nSYMBOLS\n"), std::string::npos) << "on the symbol's layer";
}

TEST_F(SymvaultSession, InsertionListShapes) {
    std::string out = run(
        "(setq r (SV_USELIB \"elec\" \"Loads\"))\nselect names 1\nok\nskip\n(assoc 60 r)\n"
        "(setq r (SV_USELIB \"ELEC\" \"Terminals\"))\nselect names 0\nok\n(list (assoc 60 r) (assoc 61 r))\n"
        "(setq r (SV_USELIB \"ELEC\" \"Loads\"))\nselect names 1\nok\ncancel\n(princ r)\n"
        "(setq r (SV_USELIB \"ELEC\" \"Special\"))\nmulti\nselect names 1\nok\n"
        "(list (assoc 11 r) (assoc 53 r) (length r))\n"
        "QUIT\n");
    EXPECT_NE(out.find("(assoc 60 r)\n(60 . 0)"), std::string::npos) << "skip: no scaling\n" << out;
    EXPECT_NE(out.find("(assoc 61 r))\n((60 . 1) (61 . 0.5))"), std::string::npos) << "one fixed value, no dialog\n"
                                                                                   << out;
    EXPECT_NE(out.find("(princ r)\nnil"), std::string::npos) << "a cancelled scale choice gives nil\n" << out;
    EXPECT_NE(out.find("((11 . 0) (53 . 1.0) 27)"), std::string::npos) << "a drawing: multi 0, reals\n" << out;
    EXPECT_NE(out.find("((1 . \"ELEC\") (2 . \"Electrical control symbols\") (3 . \"C:\\\\SYMVAULT\\\\LIBRARY\\\\ELEC\\\\\") "
                       "(4 . \"MOTOR\") (5 . \"Loads\") (6 . 0) (7 . 1)"),
              std::string::npos)
        << out;
}

TEST_F(SymvaultSession, ZeroScaleIsRefusedAndTheDialogStaysOpen) {
    std::string out = run("(setq r (SV_USELIB \"ELEC\" \"Loads\"))\nselect names 1\nok\ny=0\nok\nshow\nok\nshow\ny=2\nok\n"
                          "(list (assoc 60 r) (assoc 62 r))\nQUIT\n");
    size_t alert = out.find("Dialog \"sv_alert\"");
    ASSERT_NE(alert, std::string::npos) << out;
    EXPECT_NE(out.find("text [msg1] = \"Zero Y scale not allowed!\"", alert), std::string::npos) << out;
    EXPECT_NE(out.find("Dialog \"sv_scale_values\"", alert), std::string::npos) << "still open\n" << out;
    EXPECT_NE(out.find("((60 . 1) (62 . 2.0))"), std::string::npos) << out;
}

TEST_F(SymvaultSession, PickerErrorsAndWrongCalls) {
    std::string out = run(
        "(SV_USELIB \"ELEC\" \"Contacts\" 2)\n(SV_USELIB \"ELEC\" \"Nothing\")\n(SV_USELIB 12)\n"
        "(SV_USELIB \"NOLIB\")\n(SV_TOOLS_SETBATCH_FLAG \"x\")\n(SV_TOOLS_GETFILENAME)\nQUIT\n");
    EXPECT_NE(out.find("SYMVAULT : Error(5041), Invalid PAGE number specified in SV_USELIB function!\nnil"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("SYMVAULT : Error(5040), Invalid GROUP name specified in SV_USELIB function!\nnil"),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("Dialog \""), std::string::npos) << "no picker was shown";
    EXPECT_NE(out.find("Invalid argument type passed to function SV_USELIB!\n"), std::string::npos) << out;
    EXPECT_NE(out.find("(SV_USELIB \"NOLIB\")\nnil"), std::string::npos) << "no network option: no message\n" << out;
    EXPECT_NE(out.find("Invalid argument type passed to function 'sv_tools_setbatch_flag'...\n"), std::string::npos);
    EXPECT_NE(out.find("Invalid call request to function 'sv_tools_getfilename'...\n"), std::string::npos);
}

TEST_F(SymvaultSession, ToolFunctions) {
    std::string out = run(
        "(SV_TOOLS_GETFILENAME \"C:\\\\SYMVAULT\\\\LIBRARY\\\\ELEC\\\\CN*.SLD\" T)\n"
        "(SV_TOOLS_GETFILENAME \"C:\\\\SYMVAULT\\\\LIBRARY\\\\ELEC\\\\CN*.SLD\")\n"
        "(SV_TOOLS_GETFILENAME \"x\")\n(SV_TOOLS_GETFILENAME \"x\")\n(SV_TOOLS_GETFILENAME \"x\")\n"
        "(SV_TOOLS_GETFILENAME \"x\")\n"
        "(SV_TOOLS_SPLITPATH \"C:\\\\SYMVAULT\\\\LIBRARY\\\\ELEC.SVF\")\n"
        "(SV_TOOLS_GETBATCH_FLAG)\n(SV_TOOLS_SETBATCH_FLAG 2)\n(SV_TOOLS_GETBATCH_FLAG)\n"
        "(SV_TOOLS_YESNO_DLG \"Really?\")\nno\n(SV_TOOLS_YESNO_DLG \"Really?\" \"Sure?\")\ncancel\n"
        "QUIT\n");
    EXPECT_NE(out.find("T)\n\"CNCH.SLD\"\n"), std::string::npos) << out;
    const char* answers[] = {"\"CNCV.SLD\"", "\"CNOH.SLD\"", "\"CNOV.SLD\"", "nil", "nil"};
    size_t at = out.find("T)\n\"CNCH.SLD\"\n");
    for (const char* a : answers) {
        at = out.find(std::string("\")\n") + a + "\n", at);
        ASSERT_NE(at, std::string::npos) << a << " expected next\n" << out;
        ++at;
    }
    EXPECT_NE(out.find("((1 . \"C:\") (2 . \"\\\\SYMVAULT\\\\LIBRARY\\\\\") (3 . \"ELEC\") (4 . \".SVF\"))"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("(SV_TOOLS_GETBATCH_FLAG)\n0\n"), std::string::npos);
    EXPECT_NE(out.find("(SV_TOOLS_GETBATCH_FLAG)\n2\n"), std::string::npos);
    EXPECT_NE(out.find("no\n0\n"), std::string::npos) << out;
    EXPECT_NE(out.find("cancel\n9\n"), std::string::npos) << out;
}

TEST_F(SymvaultSession, LibraryManagerSelectsHidesAndReloads) {
    std::ofstream(library / "NOTES.SVF") << "Not a library\nat all\nreally\n";
    std::string out = run(
        "(SV_SELECTLIB)\nload\nshow\nselect l_names 0\nok\nselect l_names 0\nhide\nyes\nshow\n"
        "select l_names 0\nhide\nshow\nok\nselect l_names 0\nok\n"
        "(SV_SELECTLIB)\ncancel\nQUIT\n");
    EXPECT_EQ(out.find("NOTES"), std::string::npos) << "not a library file\n" << out;
    EXPECT_NE(out.find("Loading Symvault library ELEC"), std::string::npos) << out;
    EXPECT_NE(out.find("0: elec\tElectrical control symbols"), std::string::npos) << "hidden: lower case\n" << out;
    EXPECT_NE(out.find("Library already hidden!"), std::string::npos) << out;
    EXPECT_NE(out.find("((1 . \"ELEC\") (2 . \"Electrical control symbols\") "
                       "(3 . \"C:\\\\SYMVAULT\\\\LIBRARY\\\\ELEC\\\\\"))"),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("(SV_SELECTLIB)\ncancel\nnil"), std::string::npos) << out;
    EXPECT_EQ(count(out, "Updating library : ELEC ... .done!"), 1u) << "hiding twice writes once\n" << out;
    std::string file = slurp(library / "ELEC.SVF");
    EXPECT_NE(file.find("\n***HIDE_LIBRARY\n"), std::string::npos);
    EXPECT_NE(slurp(library / "ELEC.BAK").find("\n***SHOW_LIBRARY\n"), std::string::npos) << "the previous file";
}

TEST_F(SymvaultSession, TogglesFollowTheSymbolTypeAndAreKeptOnlyWhenAccepted) {
    std::string out = run(
        "(SV_USELIB \"ELEC\" \"Special\")\nexplode\nxref\nscale\nselect names 1\nshow\nselect names 0\nshow\ncancel\n"
        "(SV_USELIB \"ELEC\" \"Special\")\nshow\nscale\nselect names 0\nok\n"
        "(SV_USELIB \"ELEC\")\nshow\ncancel\nQUIT\n");
    size_t drawing = out.find("Dialog \"sv_symvault\"");
    size_t group = out.find("Dialog \"sv_symvault\"", drawing + 1);
    size_t reopened = out.find("Dialog \"sv_symvault\"", group + 1);
    size_t accepted = out.find("Dialog \"sv_symvault\"", reopened + 1);
    ASSERT_NE(accepted, std::string::npos) << out;
    std::string d = out.substr(drawing, group - drawing), g = out.substr(group, reopened - group);
    for (const char* t : {"explode", "scale", "rotate", "xref", "multi"})
        EXPECT_NE(d.find(std::string("toggle [") + t + "] \"" + static_cast<char>(toupper(t[0])) + (t + 1) +
                         "\" = \"" + (std::string(t) == "xref" || std::string(t) == "scale" || std::string(t) == "rotate" ? "1" : "0") +
                         "\" (disabled)"),
                  std::string::npos)
            << t << " off for a drawing, value kept\n" << d;
    EXPECT_NE(d.find("[FRAME] Drawing frame A4 with title block"), std::string::npos) << d;
    EXPECT_NE(g.find("toggle [rotate] \"Rotate\" = \"1\"\n"), std::string::npos) << "a group may be rotated\n" << g;
    EXPECT_NE(g.find("toggle [explode] \"Explode\" = \"0\" (disabled)"), std::string::npos) << "xref cleared explode\n" << g;
    std::string r = out.substr(reopened, accepted - reopened);
    EXPECT_NE(r.find("toggle [scale] \"Scale\" = \"0\""), std::string::npos) << "cancel kept nothing\n" << r;
    std::string a = out.substr(accepted);
    EXPECT_NE(a.find("toggle [scale] \"Scale\" = \"1\""), std::string::npos) << "accept kept scale\n" << a;
    EXPECT_NE(a.find("text [libname] = \"ELEC\""), std::string::npos);
    EXPECT_NE(a.find("popup_list [group] \"Group:\" = \"3\""), std::string::npos) << "the last group\n" << a;
}

TEST_F(SymvaultSession, AMissingDialogFileIsReported) {
    fs::remove(dir / "SYMVAULT" / "sv_dlg20.dcl");
    std::string out = run("(SV_USELIB \"ELEC\")\nQUIT\n");
    EXPECT_NE(out.find("Unable to initialize dialogue box \"sv_symvault\"\n"), std::string::npos) << out;
    EXPECT_NE(out.find("\nnil\n"), std::string::npos) << out;
}

TEST_F(SymvaultSession, NetworkLibrariesAreListedMarkedAndLoadedWhenNotLocal) {
    fs::create_directories(dir / "NET");
    fs::copy_file(library / "ELEC.SVF", dir / "NET" / "ELEC.SVF");
    std::string listed = run("(SV_SELECTLIB)\nload\nshow\ncancel\ncancel\nQUIT\n", "SV_NETLIB='C:\\NET'");
    EXPECT_NE(listed.find("0: ELEC\tElectrical control symbols\n      1: *ELEC\tElectrical control symbols\n"),
              std::string::npos)
        << "local first, then the network copy\n" << listed;
    fs::remove(library / "ELEC.SVF");
    std::string used = run("(setq r (SV_USELIB \"ELEC\"))\nselect names 0\nok\n(cdr (assoc 3 r))\n"
                           "(SV_USELIB \"GONE\")\nshow\nok\nQUIT\n",
                           "SV_NETLIB='C:\\NET'");
    EXPECT_NE(used.find("(cdr (assoc 3 r))\n\"C:\\\\NET\\\\ELEC\\\\\""), std::string::npos) << used;
    EXPECT_NE(used.find("text [msg1] = \"Warning : Can't find Symvault library file \""), std::string::npos) << used;
    EXPECT_NE(used.find("text [msg2] = \"GONE\""), std::string::npos) << used;
}

TEST_F(SymvaultSession, LibrariesAreDroppedWhenTheDrawingChanges) {
    std::string out = run("(SV_USELIB \"ELEC\")\ncancel\nNEW\n\n(SV_USELIB \"ELEC\")\ncancel\nQUIT\n");
    EXPECT_EQ(count(out, "Unloading Symvault library : ELEC\n"), 1u) << out;
    EXPECT_EQ(count(out, "Loading Symvault library ELEC"), 2u) << "read again when next used\n" << out;
}

}  // namespace

// The second half at the terminal: a library made, a block symbol defined
// with its slide, the library locked, distributed and installed again.
TEST_F(SymvaultSession, CreateDefineLockDistributeAndInstall) {
    std::string count = run("(sslength (ssget \"X\" '((0 . \"LINE\"))))\nQUIT\n");
    size_t at = count.find("))))\n");
    ASSERT_NE(at, std::string::npos) << count;
    int lines_before = std::atoi(count.c_str() + at + 5);
    std::string made = run(
        "LINE\n0,0\n10,0\n\n(SV_EDITLIB)\nnew\nlibname=PUMPS\ngrpname=\nok\nadd\nname=P1\nselectblock\n\nW\n-1,-1\n"
        "11,11\n\n5,0\ncreateslide\n-1,-5\n11,5\n\nok\nok\n(sslength (ssget \"X\" '((0 . \"LINE\"))))\nQUIT\n");
    fs::path own = library / "PUMPS";
    EXPECT_TRUE(fs::exists(own / "P1.DXF")) << made;
    EXPECT_TRUE(fs::exists(own / "P1.SLD")) << made;
    EXPECT_FALSE(fs::exists(own / "$$TEMP$$.DXF")) << "scratch files go";
    std::string svf = slurp(library / "PUMPS.SVF");
    EXPECT_NE(svf.find("**DEFAULT\n*SYMBOL=P1\n*DESCRIPTION=P1\n"), std::string::npos) << svf;
    EXPECT_NE(made.find("(sslength (ssget \"X\" '((0 . \"LINE\"))))\n" + std::to_string(lines_before + 1)), std::string::npos)
        << "the block's objects are back in the drawing\n" << made;

    std::string locked = run("(SV_EDITLIB)\nload\ndclick l_names 1\nselect l_names 0\nlock\nyes\npassword=pw\nok\n"
                             "yes\nok\nQUIT\n");
    EXPECT_NE(slurp(library / "PUMPS.SVF").find("***SLIDES=NO"), std::string::npos) << locked;
    std::string slb = slurp(own / "PUMPS.SLB");
    ASSERT_GE(slb.size(), 68u) << locked;
    EXPECT_EQ(slb.substr(32, 3), std::string("P1\0", 3));
    EXPECT_EQ(slb.size(), 68 + fs::file_size(own / "P1.SLD")) << "one slide behind one directory entry";

    std::string wrong = run("(SV_EDITLIB)\nload\ndclick l_names 1\nselect l_names 0\nunlock\npassword=PW\nok\nshow\nok\n"
                            "ok\nQUIT\n");
    EXPECT_NE(wrong.find("Password incorrect!"), std::string::npos) << "the password is compared exactly\n" << wrong;

    run("(SV_SELECTLIB)\nload\ndclick l_names 1\ncancel\nSV_SAVELIB\nselect l_names 0\npress select\nok\nyes\nQUIT\n");
    fs::path exp = dir / "SYMVAULT" / "EXPORT";
    EXPECT_TRUE(fs::exists(exp / "PUMPS.SVF"));
    EXPECT_TRUE(fs::exists(exp / "PUMPS" / "P1.DXF"));
    EXPECT_TRUE(fs::exists(exp / "PUMPS" / "PUMPS.SLB"));
    EXPECT_FALSE(fs::exists(exp / "PUMPS" / "P1.SLD")) << "a locked library's slides stay in its slide library";

    std::string before = slurp(library / "PUMPS.SVF");
    fs::remove_all(own);
    fs::remove(library / "PUMPS.SVF");
    std::string installed = run("SV_LOADLIB\nC:\\SYMVAULT\\EXPORT\\PUMPS.SVF\nQUIT\n");
    EXPECT_EQ(slurp(library / "PUMPS.SVF"), before) << installed;
    EXPECT_TRUE(fs::exists(own / "P1.DXF"));
    EXPECT_TRUE(fs::exists(library / "PUMPS.SLB")) << "the slide library is copied up beside the library file";
}

// Deleting the only group is refused; a new group can go again.
TEST_F(SymvaultSession, TheLastGroupCannotBeDeleted) {
    std::string out = run("(SV_EDITLIB)\nnew\nlibname=TWO\ngrpname=MAIN\nok\ndelgroup\nshow\nok\nnewgroup\ngroupname=X\nok\n"
                          "delgroup\nyes\nok\nQUIT\n");
    EXPECT_NE(out.find("Base Group can not be deleted"), std::string::npos) << out;
    std::string svf = slurp(library / "TWO.SVF");
    EXPECT_NE(svf.find("**MAIN"), std::string::npos) << svf;
    EXPECT_EQ(svf.find("\n**X\n"), std::string::npos) << "the second group was deleted\n" << svf;
}
