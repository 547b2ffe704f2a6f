// Symbols of the kinds other than blocks defined in the library editor:
// group, drawing, script and parametric symbols, with what each writes and
// how the picker then places it.
#include "session_fixture.h"

#include <chrono>
#include <thread>

namespace {

// A circle on layer REDEF at 500,500 with a line through it, away from the
// demo drawing.
const char* kPump =
    "(entmake '((0 . \"CIRCLE\") (8 . \"REDEF\") (10 500.0 500.0 0.0) (40 . 2.0)))\n"
    "(entmake '((0 . \"LINE\") (8 . \"REDEF\") (10 497.0 500.0 0.0) (11 503.0 500.0 0.0)))\n";

class SymbolKindsSession : public SymvaultSession {
protected:
    // The librarian making a library of a base type; its editor is open.
    static std::string new_library(const std::string& name, const std::string& type) {
        return "(SV_EDITLIB)\nnew\nlibname=" + name + "\n" + type + "\nok\n";
    }
    // The symbol part of a library file.
    std::string symbols_of(const std::string& name) const {
        std::string svf = slurp(library / (name + ".SVF"));
        size_t at = svf.find("***BEGIN_LIBRARY\n");
        return at == std::string::npos ? "" : svf.substr(at, svf.find("***BEGIN_SCALE_OPTIONS") - at);
    }
    // An editor program for the library options: it notes its arguments in
    // edited.txt and runs `then`.
    std::string editor(const std::string& then = "") const {
        fs::path script = dir / "ed.sh";
        std::ofstream(script) << "#!/bin/sh\nprintf '%s\\n' \"$*\" >> '" << (dir / "edited.txt").string() << "'\n"
                              << then;
        fs::permissions(script, fs::perms::owner_all);
        return script.string();
    }
    // What the editor noted, once it has run `times` (a started editor is
    // not waited for).
    std::string edited(size_t times = 1) const {
        for (int i = 0; i < 100 && count(slurp(dir / "edited.txt"), "\n") < times; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
        return slurp(dir / "edited.txt");
    }
    static std::string filled(std::string tpl, const std::string& lib, const std::string& sym) {
        for (auto [key, value] : {std::pair{std::string("%LIBNAME%"), lib}, std::pair{std::string("%SYMNAME%"), sym}})
            for (size_t at; (at = tpl.find(key)) != std::string::npos;) tpl.replace(at, key.size(), value);
        return tpl;
    }
};

TEST_F(SymbolKindsSession, AGroupSymbolIsWrittenFromTheObjectsAndPlacedAsThem) {
    std::string made = run(std::string(kPump) + new_library("GRP", "group") +
                           "show\nadd\nselectgroup\nshow\nok\nname=g1\ndescription=Pump group\npostpara=1\n"
                           "selectgroup\nW\n497,497\n503,503\n\n500,500\nshow\nok\nok\n"
                           "(sslength (ssget \"X\" '((8 . \"REDEF\"))))\nQUIT\nY\n");
    EXPECT_NE(made.find("text [libtype] = \"Block group library name\""), std::string::npos) << made;
    EXPECT_NE(made.find("text [msg1] = \"Invalid group symbol name!\""), std::string::npos) << "no name yet\n" << made;
    std::string back = from_last(made, "Dialog \"sv_edit_group\"");
    EXPECT_NE(back.find("toggle [postpara] \"Routine after\" = \"1\""), std::string::npos)
        << "what was set before the selection is still there\n" << back;
    EXPECT_EQ(symbols_of("GRP"), "***BEGIN_LIBRARY\n**DEFAULT\n*SYMBOL=G1\n*DESCRIPTION=Pump group\n*LAYER=\n*TYPE=2\n"
                                 "*SCALE_OPTION=\n*DATA_PARA_PRE=NO\n*DATA_PARA_POST=YES\n***END_SYMBOLS\n")
        << made;
    std::string dxf = slurp(library / "GRP" / "G1.DXF");
    EXPECT_NE(dxf.find("\nCIRCLE\n"), std::string::npos);
    EXPECT_NE(dxf.find("\nLINE\n"), std::string::npos);
    EXPECT_FALSE(fs::exists(library / "GRP" / "$$TEMP$$.DXF"));
    EXPECT_NE(made.find("'((8 . \"REDEF\"))))\n2\n"), std::string::npos) << "the drawing keeps both objects\n" << made;

    std::string placed = run("(SVLIBRARY \"GRP\" nil)\nselect names 0\nok\n100,100\ncancel\n"
                             "(list (ssget \"X\" '((0 . \"INSERT\") (2 . \"G1\"))) "
                             "(sslength (ssget \"X\" '((0 . \"CIRCLE\") (10 100.0 100.0 0.0) (8 . \"REDEF\")))) "
                             "(sslength (ssget \"X\" '((0 . \"LINE\") (10 97.0 100.0 0.0) (11 103.0 100.0 0.0)))))\n"
                             "QUIT\nY\n");
    EXPECT_NE(placed.find("\n(nil 1 1)\n"), std::string::npos) << "its objects at the point, no reference\n" << placed;
    EXPECT_NE(placed.find("SYMVAULT : function G1_POST is not defined."), std::string::npos)
        << "the routine after insertion is asked for\n" << placed;
}

TEST_F(SymbolKindsSession, ADrawingSymbolKeepsItsInsertionDataAndIsPlacedByThem) {
    std::string made = run(new_library("DRW", "drawing") +
                           "add\nname=d1\nx=abc\nok\nshow\nok\nx=10\ny=20\nz=0\nscl=0\nok\nshow\nok\nscl=0.0001\nok\nshow\nok\n"
                           "scl=2\nrot=45\nselectdrawing\n\n0,0\nshow\nok\nok\nQUIT\n");
    EXPECT_NE(made.find("text [msg2] = \"invalid X value!\""), std::string::npos) << made;
    EXPECT_NE(made.find("text [msg2] = \"zero Scale invalid!\""), std::string::npos) << made;
    EXPECT_NE(made.find("scl=0.0001\nok\nshow\nDialog \"sv_alert\": SYMVAULT - Warning\n  text [msg1] = \"Insertion "
                        "parameters\"\n  text [msg2] = \"zero Scale invalid!\""),
              std::string::npos)
        << "a scale the file would keep as 0.000 is zero\n" << made;
    std::string back = from_last(made, "Dialog \"sv_edit_drawing\"");
    EXPECT_NE(back.find("edit_box [x] \"X:\" = \"10.000\""), std::string::npos)
        << "the data typed before the selection are kept\n" << back;
    EXPECT_NE(back.find("edit_box [rot] \"Rotation:\" = \"45.000\""), std::string::npos) << back;
    EXPECT_EQ(symbols_of("DRW"), "***BEGIN_LIBRARY\n**DEFAULT\n*SYMBOL=D1\n*DESCRIPTION=D1\n*LAYER=\n*TYPE=3\n"
                                 "*DATA_INS_X=10.000\n*DATA_INS_Y=20.000\n*DATA_INS_Z=0.000\n*DATA_INS_SCL=2.000\n"
                                 "*DATA_INS_ROT=45.000\n***END_SYMBOLS\n")
        << made;
    std::string dxf = slurp(library / "DRW" / "D1.DXF");
    EXPECT_NE(dxf.find("\nPOLYLINE\n"), std::string::npos) << "Enter at the selection takes the whole drawing";
    EXPECT_NE(dxf.find("\nTEXT\n"), std::string::npos);

    std::string placed = run("(SVLIBRARY \"DRW\" nil)\nselect names 0\nok\ncancel\n"
                             "(mapcar '(lambda (c) (cdr (assoc c (entget (entlast))))) '(0 2 10 41 42 50))\nQUIT\nY\n");
    EXPECT_NE(placed.find("\n(\"INSERT\" \"D1\" (10.0 20.0 0.0) 2.0 2.0 0.785398)\n"), std::string::npos)
        << "at its own point, scale and angle, nothing asked\n" << placed;
}

TEST_F(SymbolKindsSession, AScriptSymbolIsEditedInTheLibraryEditorAndRunsFromThePoint) {
    // The editor writes the script as a person would: a line from the point.
    std::string ed = editor("printf 'LINE @ @10,0 \\n' > '" + (library / "SCR" / "S1.SCR").string() + "'\n");
    std::string made = run(new_library("SCR", "script") + "options\npeditor=sh " + ed + "\nok\n"
                           "add\nshow\neditscript\nshow\nok\nname=s1\neditscript\nok\nok\nQUIT\n");
    EXPECT_NE(made.find("text [msg1] = \"A valid name must be specified\""), std::string::npos) << made;
    EXPECT_NE(made.find("text [msg2] = \"for script symbols\""), std::string::npos) << made;
    // The host's shell hands the editor the file the symbol's path names.
    EXPECT_EQ(edited(), (library / "SCR" / "S1.SCR").string() + "\n") << "one edit, of the symbol's script\n" << made;
    EXPECT_EQ(symbols_of("SCR"), "***BEGIN_LIBRARY\n**DEFAULT\n*SYMBOL=S1\n*DESCRIPTION=S1\n*LAYER=\n*TYPE=4\n"
                                 "***END_SYMBOLS\n")
        << made;
    // With recall on as with it off, the script runs once the command is
    // done and the picker does not open again before it.
    for (const char* recall : {"recall=0\n", "recall=1\n"}) {
        std::string placed = run(std::string("(SVLIBRARY \"SCR\" nil)\n") + recall + "select names 0\nok\n5,5\n"
                                 "(mapcar '(lambda (c) (cdr (assoc c (entget (entlast))))) '(0 10 11))\nQUIT\nY\n");
        EXPECT_NE(placed.find("\n(\"LINE\" (5.0 5.0 0.0) (15.0 5.0 0.0))\n"), std::string::npos) << recall << placed;
    }
}

TEST_F(SymbolKindsSession, AParametricSymbolGetsItsRoutineFromTheTemplateAndRunsIt) {
    std::string ed = editor();
    std::string made = run(new_library("PARA", "parametric") + "options\npeditor=" + ed + "\nok\n"
                           "add\nname=p1\nads\nshow\nlsp\neditpara\nok\n"
                           "add\nname=p2\narx\nok\nok\nQUIT\n");
    std::string with_ads = from_first(made, "Dialog \"sv_edit_para\"");
    EXPECT_NE(with_ads.find("button [editpara] \"Edit AutoLISP...\" (disabled)"), std::string::npos)
        << "nothing to edit for an ADS application\n" << with_ads;
    // The editor is handed the file the symbol's drive path names.
    EXPECT_EQ(edited(), (library / "PARA" / "P1.LSP").string() + "\n") << made;
    EXPECT_EQ(slurp(library / "PARA" / "P1.LSP"), filled(slurp(dir / "SYMVAULT" / "LISP2.TEM"), "PARA", "P1"))
        << "a function of the symbol's own";
    EXPECT_FALSE(fs::exists(library / "PARA" / "P2.LSP")) << "only the symbol edited has a file";
    EXPECT_EQ(symbols_of("PARA"), "***BEGIN_LIBRARY\n**DEFAULT\n*SYMBOL=P1\n*DESCRIPTION=P1\n*LAYER=\n*TYPE=5\n"
                                  "*DATA_APP_TYPE=3\n*SYMBOL=P2\n*DESCRIPTION=P2\n*LAYER=\n*TYPE=5\n"
                                  "*DATA_APP_TYPE=2\n***END_SYMBOLS\n")
        << made;
    std::string placed = run("(SVLIBRARY \"PARA\" nil)\nrecall=0\nselect names 0\nok\n5,5\nQUIT\n");
    EXPECT_NE(placed.find("Insertion point: 5,5\n\nPARA: symbol P1"), std::string::npos) << placed;
}

// With a master file and a master function the routine is the library's;
// a file that is there already is the user's and is not written over.
TEST_F(SymbolKindsSession, AMasterFileIsMadeOnceForTheLibrary) {
    std::string ed = editor();
    std::string made = run(new_library("PARA", "parametric") + "options\npeditor=" + ed +
                           "\npmaster=1\nmasterfn=1\nok\nadd\nname=p1\neditpara\nok\nadd\nname=p2\neditpara\nok\n"
                           "ok\nQUIT\n");
    const std::string master_file = (library / "PARA" / "PARA.LSP").string() + "\n";
    EXPECT_EQ(edited(2), master_file + master_file)
        << "both symbols open the master file\n" << made;
    std::string master = slurp(library / "PARA" / "PARA.LSP");
    EXPECT_EQ(master, filled(slurp(dir / "SYMVAULT" / "LISP1.TEM"), "PARA", "P1")) << made;
    EXPECT_FALSE(fs::exists(library / "PARA" / "P1.LSP"));
    EXPECT_FALSE(fs::exists(library / "PARA" / "P2.LSP"));
    EXPECT_NE(slurp(library / "PARA.SVF").find("***LISP_MASTER_FILE=YES\n"), std::string::npos);
    std::string placed = run("(SVLIBRARY \"PARA\" nil)\nrecall=0\nselect names 1\nok\n5,5\nQUIT\n");
    EXPECT_NE(placed.find("PARA: no drawing code for P2"), std::string::npos)
        << "the master function is called with the symbol's name\n" << placed;
}

// Another type chosen in the definition dialog reopens it for that type,
// with the name, description and layer kept.
TEST_F(SymbolKindsSession, ATypeChosenInTheDialogReopensItForThatType) {
    std::string made = run(new_library("MIX", "block") + "add\nname=f1\ndescription=Frame\nlayer=frames\ndrawing\n"
                           "show\nscript\nshow\nok\nok\nQUIT\n");
    size_t drawing = made.find("Dialog \"sv_edit_drawing\"");
    ASSERT_NE(drawing, std::string::npos) << made;
    std::string d = made.substr(drawing);
    EXPECT_NE(d.find("edit_box [name] \"Name:\" = \"F1\""), std::string::npos) << d;
    EXPECT_NE(d.find("edit_box [layer] \"Layer:\" = \"FRAMES\""), std::string::npos) << d;
    EXPECT_NE(d.find("edit_box [scl] \"Scale:\" = \"1.000\""), std::string::npos) << "the type's defaults\n" << d;
    EXPECT_NE(made.find("Dialog \"sv_edit_script\"", drawing), std::string::npos) << made;
    EXPECT_EQ(symbols_of("MIX"), "***BEGIN_LIBRARY\n**DEFAULT\n*SYMBOL=F1\n*DESCRIPTION=Frame\n*LAYER=FRAMES\n*TYPE=4\n"
                                 "***END_SYMBOLS\n")
        << made;
}

}  // namespace
