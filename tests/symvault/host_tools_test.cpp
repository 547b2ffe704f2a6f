// Line breaking at an inserted symbol, the menus written into the user's
// menu and for one library, and the application manager, run inside the
// host as a person would.
#include "session_fixture.h"

namespace {

// The LINE entities of a layer as "(start end)" texts, printed by Lisp.
const char* kLinesOf =
    "(defun lines-of (layer / ss i out e)\n"
    "  (setq ss (ssget \"X\" (list '(0 . \"LINE\") (cons 8 layer))) i 0)\n"
    "  (while (and ss (< i (sslength ss)))\n"
    "    (setq e (entget (ssname ss i)) i (1+ i) out (cons (list (cdr (assoc 10 e)) (cdr (assoc 11 e))) out)))\n"
    "  (princ (strcat \"\\nLINES \" layer \" \")) (prin1 (reverse out)) (princ))\n";

// A pump symbol: a circle with connection points on layer ID_POINTS at
// 3,0 and 7,0, its base point 5,0 between them; library PUMPS breaks
// lines at it and asks for scale and rotation.
std::string define_pump() {
    return "(entmake '((0 . \"CIRCLE\") (10 5.0 0.0 0.0) (40 . 2.0)))\n"
           "(entmake '((0 . \"POINT\") (8 . \"ID_POINTS\") (10 3.0 0.0 0.0)))\n"
           "(entmake '((0 . \"POINT\") (8 . \"ID_POINTS\") (10 7.0 0.0 0.0)))\n"
           "(SV_EDITLIB)\nnew\nlibname=PUMPS\nok\nadd\nname=P1\nselectblock\n\nW\n2,-3\n8,3\n\n5,0\n"
           "createslide\n2,-3\n8,3\n\nok\noptions\nblines=1\nrotate=1\nscale=1\nok\nok\n";
}

std::string line_list(const std::string& out, const std::string& layer, size_t from = 0) {
    size_t at = out.find("\nLINES " + layer + " ", from);
    if (at == std::string::npos) return "?";
    at += 8 + layer.size();
    return out.substr(at, out.find('\n', at) - at);
}

TEST_F(SymvaultSession, AnInsertedSymbolBreaksTheLineAndFixLineMendsIt) {
    std::string made = run(define_pump() + "QUIT\n");
    ASSERT_TRUE(fs::exists(library / "PUMPS" / "P1.DXF")) << made;
    std::string out = run(std::string(kLinesOf) +
                          "LAYER\nM\nPIPE\n\nLINE\n0,50\n30,50\n\nLINE\n40,0\n40,30\n\n"
                          "(SVLIBRARY \"PUMPS\" nil)\nselect names 0\nok\n15,50\n\n0\ncancel\n(lines-of \"PIPE\")\n"
                          "(SV_FIXLINE (car (entsel)))\n15,52\n(lines-of \"PIPE\")\n"
                          "(SVLIBRARY \"PUMPS\" nil)\nselect names 0\nok\n40,15\n2\n90\ncancel\n(lines-of \"PIPE\")\n"
                          "(SV_FIXLINE (ssname (ssget \"X\" '((0 . \"INSERT\") (2 . \"P1\") (50 . 0.0))) 0))\n"
                          "(SV_FIXLINE (entlast))\n(SV_FIXLINE)\n(SV_FIXLINE 1)\n(lines-of \"PIPE\")\nQUIT\nY\n");
    size_t first = out.find("\nLINES PIPE ");
    EXPECT_EQ(line_list(out, "PIPE"),
              "(((40.0 0.0 0.0) (40.0 30.0 0.0)) ((0.0 50.0 0.0) (13.0 50.0 0.0)) ((17.0 50.0 0.0) (30.0 50.0 0.0)))")
        << "cut at the symbol's points, on the line's layer\n" << out;
    size_t mended = out.find("\nLINES PIPE ", first + 1);
    EXPECT_EQ(line_list(out, "PIPE", mended), "(((40.0 0.0 0.0) (40.0 30.0 0.0)) ((0.0 50.0 0.0) (30.0 50.0 0.0)))")
        << "one line again\n" << out;
    size_t turned = out.find("\nLINES PIPE ", mended + 1);
    // Scale 2 and a quarter turn put the points 4 below and above 40,15.
    EXPECT_EQ(line_list(out, "PIPE", turned),
              "(((0.0 50.0 0.0) (30.0 50.0 0.0)) ((40.0 0.0 0.0) (40.0 11.0 0.0)) ((40.0 19.0 0.0) (40.0 30.0 0.0)))")
        << out;
    size_t last = out.find("\nLINES PIPE ", turned + 1);
    EXPECT_EQ(line_list(out, "PIPE", last), line_list(out, "PIPE", turned))
        << "a mended horizontal line is left alone and the pieces of a vertical line stay apart\n" << out;
    EXPECT_NE(out.find("Invalid call request to function SV_FIXLINE!\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Invalid argument type passed to function SV_FIXLINE!\n"), std::string::npos) << out;
}

TEST_F(SymvaultSession, TheMenuUpdateWritesTheSectionOnceAndLoadsTheMenus) {
    const std::string menu = "***MENUGROUP=MINE\n***POP1\n[&Draw]\n[Line]^C^C_LINE\n***IMAGE\n**SHAPES\n[Box]^C^CBOX\n";
    std::ofstream(dir / "MY.MNU") << menu;
    std::string out = run("SV_UPDATE_MENU\nMENU\nMY\nSV_UPDATE_MENU\nSV_UPDATE_MENU\nMENUS\n"
                          "MACRO\nElectrical control symbols\ncancel\nQUIT\n");
    EXPECT_NE(out.find("SYMVAULT : Error(5100), Unable to locate menu source file!"), std::string::npos)
        << "no menu loaded yet\n" << out;
    EXPECT_EQ(slurp(dir / "MY.SAV"), menu) << "the backup is the menu as it was\n" << out;
    EXPECT_EQ(count(out, "Creating backup safety copy of menu file"), 1u) << out;
    EXPECT_EQ(count(out, "Menu update successful...\n"), 2u) << out;
    std::string updated = slurp(dir / "MY.MNU");
    EXPECT_EQ(count(updated, "[->SYMVAULT]"), 1u) << "the second update replaced the first\n" << updated;
    EXPECT_NE(updated.find("[Line]^C^C_LINE\n***POP9\n[&Applications]\n[->SYMVAULT]\n"), std::string::npos) << updated;
    EXPECT_NE(updated.find("   [->LIBRARIES]\n      [Electrical control symbols]^C^CSVLIBRARY;ELEC;\n      [--]\n"
                           "      [<-Update library entries...]^C^CSV_UPDATE_MENU;\n"),
              std::string::npos)
        << updated;
    EXPECT_NE(updated.find("[<-ABOUT]^C^CSV_ABOUT\n***IMAGE\n**SHAPES\n[Box]^C^CBOX\n"), std::string::npos) << updated;
    size_t listed = out.rfind("Command: MENUS\n");
    EXPECT_NE(out.find("Menu group SYMVAULT: " + (dir / "SYMVAULT" / "SYMVAULT.MNS").string(), listed),
              std::string::npos)
        << out;
    EXPECT_NE(out.find("Toolbar shown: SYMVAULT\n", listed), std::string::npos) << out;
    std::string mns = slurp(dir / "SYMVAULT" / "SYMVAULT.MNS");
    EXPECT_NE(mns.find("ID_SV_ELEC                [_Button(\"Electrical control symbols\", ELECS.BMP, ELECL.BMP)]"
                       "^C^CSVLIBRARY ELEC\n"),
              std::string::npos)
        << mns;
    EXPECT_NE(out.find("Symbol library <ELEC>: ELEC\n", listed), std::string::npos)
        << "the pull-down item opens the picker\n" << out;
}

TEST_F(SymvaultSession, TheLtMenuOfALibraryLoadsAndItsSlideLibraryIsBesideIt) {
    std::string out = run("(SV_USELIB \"ELEC\")\ncancel\nSV_LTMENUOUT\nselect l_names 0\nok\nno\nyes\nMENULOAD\nC:\\SYMVAULT\\LIBRARY\\ELEC.MNU\n"
                          "MENUS\nQUIT\n");
    std::string menu = slurp(library / "ELEC.MNU");
    EXPECT_EQ(menu, slurp(library / "ELEC" / "ELEC.MNU")) << out;
    EXPECT_EQ(menu.rfind("***MENUGROUP=SV_ELEC\n***POP10\n[ELEC]\n[Coils]^C^C$I=SV_ELEC.G1 $I=*;\n", 0), 0u) << menu;
    EXPECT_NE(menu.find("[ELEC(RLCOIL,Relay coil)]^C^CINSERT;ELEC/RLCOIL;\\;;\n"), std::string::npos)
        << "a block: a pause for the point, then Enter twice\n" << menu;
    EXPECT_EQ(menu.find("RUNG"), std::string::npos) << "script and parametric symbols are left out\n" << menu;
    std::string sheet = slurp(library / "ELEC" / "ELEC.LST");
    EXPECT_EQ(sheet.rfind("Symvault Symbol Library Data Sheet\nLibrary Name : ELEC\nDescription  : Electrical control "
                          "symbols\n\n[Coils]\nRelay coil\n",
                          0),
              0u)
        << sheet;
    EXPECT_EQ(slurp(library / "ELEC.SLB").rfind("AutoCAD Slide Library 1.0\r\n\x1a", 0), 0u) << out;
    EXPECT_NE(out.find("Menu group SV_ELEC: "), std::string::npos) << out;
    EXPECT_NE(out.find("\nComplete..."), std::string::npos) << out;
}

TEST_F(SymvaultSession, TheApplicationManagerEditsTheStartUpList) {
    std::string out = run("SV_APP_MANAGER\nadd\nappname=C:\\APPS\\ONE.LSP\ndescript=First app\nok\nadd\nok\n"
                          "select app_names 0\ndisable\ndebug\nadd\narx\nappname=C:\\APPS\\TWO.ARX\nok\nmod\nok\nok\n"
                          "(SV_APP_LIST)\nSV_APP_MANAGER\nselect app_names 1\ndel\nshow\ncancel\n(length (SV_APP_LIST))\n"
                          "SV_APP_MANAGER\nmod\nshow\ncancel\nQUIT\n");
    EXPECT_NE(out.find("(((1 . \"C:\\\\APPS\\\\ONE.LSP\") (2 . \"First app\") (3 . 3) (4 . 0) (5 . 1)) "
                       "((1 . \"C:\\\\APPS\\\\TWO.ARX\") (2 . \"C:\\\\APPS\\\\TWO.ARX\") (3 . 2) (4 . 1) (5 . 0)))"),
              std::string::npos)
        << "an empty name adds nothing; an empty description is the name\n" << out;
    EXPECT_NE(out.find("(length (SV_APP_LIST))\nLoading application library ... \n2\n"), std::string::npos) << "a cancelled delete is not saved\n" << out;
    EXPECT_NE(out.find("text [error_msg] = \"Select application from list\""), std::string::npos) << out;
    std::string file = slurp(dir / "SYMVAULT" / "SV_APPS.SVB");
    EXPECT_EQ(file.rfind("***APPLICATION_CONTROL V1.0\n***BEGIN_APPLICATION\n**APP_NAME=C:\\APPS\\ONE.LSP\n"
                         "**APP_DESC=First app\n**APP_TYPE_LSP\n**APP_DISABLED\n**APP_DEBUG_ON\n***END_APPLICATION\n",
                         0),
              0u)
        << file;
}

// The first start looks for an ACAD.LSP on the search path outside the
// product's own folders, offers it, and leaves a log so that it asks once.
TEST_F(SymvaultSession, TheFirstRunOffersAnExistingStartUpFileOnce) {
    // Outside the scratch folder, whose path names the product.
    fs::path other = fs::temp_directory_path() / ("startup-" + std::to_string(getpid())) / "OTHER";
    fs::create_directories(other);
    std::ofstream(other / "ACAD.LSP") << "(setq other-loaded 42)\n";
    std::string args = "--support '" + other.string() + "'";
    std::string first = run("yes\n(list other-loaded)\nNEW\n\n(list other-loaded)\nQUIT\n", "", args);
    std::string shown = other.string();
    for (char& c : shown) c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    EXPECT_NE(first.find("Checking : " + shown + "/ - Found!\n"), std::string::npos) << first;
    EXPECT_NE(first.find("Ignored...\n"), std::string::npos) << "the product folder is passed over\n" << first;
    EXPECT_NE(first.find("Auto-adding to Application Manager : "), std::string::npos) << first;
    EXPECT_NE(first.rfind("(list other-loaded)\n(42)\n"), std::string::npos) << "the managed file is loaded\n"
                                                                             << first;
    std::string log = slurp(dir / "SYMVAULT" / "FIRST.LOG");
    EXPECT_EQ(log.rfind("Auto-adding to Application Manager :- \n", 0), 0u) << log;
    std::string again = run("(length (SV_APP_LIST))\nQUIT\n", "", args);
    EXPECT_EQ(again.find("Checking"), std::string::npos) << "FIRST.LOG is there: nothing asked\n" << again;
    EXPECT_NE(again.find("(length (SV_APP_LIST))\nLoading application library ... \n1\n"), std::string::npos) << again;
    fs::remove_all(other.parent_path());
}

// Help names the topic of the dialog open, or says the help file is missing;
// the toolbar's own button has its bitmaps installed beside the menu.
TEST_F(SymvaultSession, HelpGoesToTheHostAndTheToolbarBitmapsAreInstalled) {
    std::string missing = run("(SV_EDITLIB)\npress help\ncancel\nQUIT\n");
    EXPECT_NE(missing.find("Help file C:\\SYMVAULT\\SYMVAULT.AHP not found.\n"), std::string::npos) << missing;
    std::ofstream(dir / "SYMVAULT" / "SYMVAULT.AHP") << "topics\n";
    std::string shown = run("SV_APP_MANAGER\nadd\npress help\ncancel\npress help\ncancel\nQUIT\n");
    EXPECT_NE(shown.find("Help: topic \"add_app\" of C:\\SYMVAULT\\SYMVAULT.AHP\n"), std::string::npos) << shown;
    EXPECT_NE(shown.find("Help: topic \"appman_toc\" of"), std::string::npos) << "the manager's topic again\n" << shown;
    for (const char* bmp : {"SVEDITS.BMP", "SVEDITL.BMP"}) {
        std::string b = slurp(dir / "SYMVAULT" / bmp);
        ASSERT_GT(b.size(), 54u) << bmp;
        EXPECT_EQ(b.substr(0, 2), "BM") << bmp;
        EXPECT_EQ(b.size(), static_cast<unsigned char>(b[2]) + 256u * static_cast<unsigned char>(b[3])) << bmp;
    }
}

// The README's terminal session, in one go: a library made with a block
// symbol and its slide, locked, distributed, installed again, and the
// symbol inserted on a line that it breaks.
TEST_F(SymvaultSession, TheReadmeSessionRunsInOneGo) {
    std::string out = run(
        "(entmake '((0 . \"CIRCLE\") (10 5.0 0.0 0.0) (40 . 2.0)))\n"
        "(entmake '((0 . \"POINT\") (8 . \"ID_POINTS\") (10 3.0 0.0 0.0)))\n"
        "(entmake '((0 . \"POINT\") (8 . \"ID_POINTS\") (10 7.0 0.0 0.0)))\n"
        "(SV_EDITLIB)\nnew\nlibname=PUMPS\nok\nadd\nname=P1\nselectblock\n\nW\n2,-3\n8,3\n\n5,0\ncreateslide\n2,-3\n"
        "8,3\n\nok\noptions\nblines=1\nok\nok\n"
        "(SV_EDITLIB)\nselect l_names 0\nlock\nyes\npassword=pw\nok\nyes\nok\n"
        "SV_SAVELIB\nselect l_names 0\npress select\nok\nyes\n"
        "SV_LOADLIB\nC:\\SYMVAULT\\EXPORT\\PUMPS.SVF\nyes\n"
        "LINE\n0,-20\n30,-20\n\n(SVLIBRARY \"PUMPS\" nil)\nselect names 0\nok\n15,-20\ncancel\n"
        "LIST\nC\n0,-21\n30,-19\n\n(SV_FIXLINE (car (entsel)))\n15,-18\nLIST\nC\n0,-21\n30,-19\n\nQUIT\nY\n");
    EXPECT_NE(slurp(library / "PUMPS.SVF").find("***SLIDES=NO\n"), std::string::npos) << out;
    EXPECT_EQ(slurp(library / "PUMPS.SVF"), slurp(dir / "SYMVAULT" / "EXPORT" / "PUMPS.SVF")) << out;
    EXPECT_TRUE(fs::exists(dir / "SYMVAULT" / "EXPORT" / "PUMPS" / "PUMPS.SLB")) << out;
    EXPECT_NE(out.find("Loading library file PUMPS from C:\\SYMVAULT\\EXPORT\\"), std::string::npos) << out;
    size_t broken = out.find("Command: LIST\n"), mended = out.find("Command: LIST\n", broken + 1);
    ASSERT_NE(mended, std::string::npos) << out;
    std::string before = out.substr(broken, mended - broken), after = out.substr(mended);
    EXPECT_NE(before.find("3 found"), std::string::npos) << before;
    EXPECT_NE(before.find("to point: X=13.0000  Y=-20.0000"), std::string::npos) << before;
    EXPECT_NE(before.find("point: X=17.0000  Y=-20.0000"), std::string::npos) << before;
    EXPECT_NE(after.find("to point: X=30.0000  Y=-20.0000"), std::string::npos) << after;
    EXPECT_EQ(after.find("X=13.0000"), std::string::npos) << after;
}

// A new layout in the options closes the edit dialog and opens it again in
// that layout's file, on the same group.
TEST_F(SymvaultSession, ALayoutChangeReopensTheEditorInTheNewLayout) {
    std::string out = run("(SV_EDITLIB)\nnew\nlibname=LAY\nok\nnewgroup\ngroupname=SECOND\nok\nshow\noptions\n"
                          "dialog_type=1\nok\nshow\nok\nQUIT\n");
    size_t first = out.find("Dialog \"sv_edit_symvault\""), second = out.find("Dialog \"sv_edit_symvault\"", first + 1);
    ASSERT_NE(second, std::string::npos) << out;
    std::string before = out.substr(first, second - first), after = out.substr(second);
    EXPECT_EQ(tiles(before), 20) << before;
    EXPECT_EQ(tiles(after), 16) << "the second layout's icons\n" << after;
    EXPECT_NE(after.find("popup_list [group] \"Group:\" = \"1\""), std::string::npos) << after;
    EXPECT_NE(slurp(library / "LAY.SVF").find("***DIALOG_TYPE=1\n"), std::string::npos) << out;
}

}  // namespace
