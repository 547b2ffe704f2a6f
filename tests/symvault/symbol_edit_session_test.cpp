// Deleting, inserting and editing symbols in the library editor on the
// sample library: the records of the library file after each, the symbol's
// drawing and slide, and what the picker then offers.
#include "session_fixture.h"

#include <vector>

namespace {

// The librarian with the sample library loaded and its editor open on the
// first group, Coils: RLCOIL, TMCOIL, KCOIL, SOLENOID.
const char* kEditElec = "(SV_EDITLIB)\nload\ndclick l_names 0\nselect l_names 0\nedit\n";

// A circle on layer REDEF at 500,500, away from the demo drawing.
const char* kCircle = "(entmake '((0 . \"CIRCLE\") (8 . \"REDEF\") (10 500.0 500.0 0.0) (40 . 2.0)))\n";
// Answers that make a block of that circle and its slide, from the block
// symbol dialog.
const char* kCircleBlock = "selectblock\n\nW\n497,497\n503,503\n\n500,500\ncreateslide\n497,497\n503,503\n\n";

class SymbolEditSession : public SymvaultSession {
protected:
    // The symbol names of a group of the library file, in file order.
    static std::vector<std::string> symbols_of(const std::string& svf, const std::string& group) {
        std::vector<std::string> names;
        size_t at = svf.find("\n**" + group + "\n");
        if (at == std::string::npos) return names;
        std::istringstream in(svf.substr(at + group.size() + 4));
        for (std::string line; std::getline(in, line) && line.rfind("**", 0) != 0;)
            if (line.rfind("*SYMBOL=", 0) == 0) names.push_back(line.substr(8));
        return names;
    }
    // The lines of one symbol's record, from its name to the next record.
    static std::string record_of(const std::string& svf, const std::string& name) {
        size_t at = svf.find("\n*SYMBOL=" + name + "\n");
        if (at == std::string::npos) return "";
        size_t end = svf.find("\n*SYMBOL=", at + 1);
        size_t group = svf.find("\n**", at + 1);
        return svf.substr(at + 1, std::min(end, group) - at);
    }
    bool scratch_left() const {
        return fs::exists(library / "ELEC" / "$$TEMP$$.DXF") || fs::exists(library / "ELEC" / "$$TEMP$$.SLD");
    }
    using Names = std::vector<std::string>;
};

TEST_F(SymbolEditSession, DeleteTakesTheChosenSymbolOutOfTheFileAndThePicker) {
    const std::string before = slurp(library / "ELEC.SVF");
    std::string out = run(std::string(kEditElec) + "del\nshow\nok\nselect names 1\ndel\nok\n"
                          "(SV_USELIB \"ELEC\" \"Coils\")\nshow\ncancel\nQUIT\n");
    EXPECT_NE(out.find("text [msg1] = \"Select a symbol first\""), std::string::npos) << "nothing chosen yet\n" << out;
    std::string svf = slurp(library / "ELEC.SVF");
    EXPECT_EQ(symbols_of(svf, "Coils"), (Names{"RLCOIL", "KCOIL", "SOLENOID"})) << svf;
    EXPECT_EQ(symbols_of(svf, "Contacts"), symbols_of(before, "Contacts")) << "the other groups keep theirs";
    EXPECT_EQ(record_of(svf, "KCOIL"), record_of(before, "KCOIL"));
    EXPECT_EQ(count(out, "Updating library : ELEC ... .done!"), 1u) << out;
    std::string picker = from_last(out, "Dialog \"sv_symvault\"");
    EXPECT_NE(picker.find("0: Relay coil\n        1: Contactor coil\n        2: Solenoid valve coil\n"),
              std::string::npos)
        << picker;
    EXPECT_EQ(picker.find("Timer coil"), std::string::npos) << picker;
}

// Cancelling the editor gives up its changes: neither the picker nor a
// later save of the library sees the deleted symbol gone.
TEST_F(SymbolEditSession, ADeleteCancelledWithTheEditorIsGivenUp) {
    const std::string before = slurp(library / "ELEC.SVF");
    std::string out = run(std::string(kEditElec) + "select names 1\ndel\ncancel\n"
                          "(SV_USELIB \"ELEC\" \"Coils\")\nshow\ncancel\n"
                          "(SV_EDITLIB)\nselect l_names 0\nedit\nok\nQUIT\n");
    std::string picker = from_last(out, "Dialog \"sv_symvault\"");
    EXPECT_NE(picker.find("1: Timer coil\n"), std::string::npos) << picker;
    std::string svf = slurp(library / "ELEC.SVF");
    EXPECT_EQ(symbols_of(svf, "Coils"), (Names{"RLCOIL", "TMCOIL", "KCOIL", "SOLENOID"})) << out;
    EXPECT_EQ(svf, before) << "saved again as it was read";
}

TEST_F(SymbolEditSession, InsertPutsTheNewSymbolBeforeTheChosenOne) {
    std::string out = run(std::string(kCircle) + kEditElec + "ins\nshow\nok\nselect names 1\nins\nname=tmcoil\nok\nshow\n"
                          "ok\nname=newsym\ndescription=Inserted coil\n" + kCircleBlock + "ok\nok\n"
                          "(setq r (SV_USELIB \"ELEC\" \"Coils\"))\nselect names 1\nok\n(cdr (assoc 4 r))\nQUIT\nY\n");
    EXPECT_NE(out.find("text [msg1] = \"Select a symbol first\""), std::string::npos) << out;
    EXPECT_NE(out.find("text [msg1] = \"Symbol name already exists!\""), std::string::npos)
        << "a name of the library is refused\n" << out;
    std::string svf = slurp(library / "ELEC.SVF");
    EXPECT_EQ(symbols_of(svf, "Coils"), (Names{"RLCOIL", "NEWSYM", "TMCOIL", "KCOIL", "SOLENOID"})) << out;
    EXPECT_EQ(record_of(svf, "NEWSYM"), "*SYMBOL=NEWSYM\n*DESCRIPTION=Inserted coil\n*LAYER=\n*TYPE=1\n*SCALE_OPTION=\n"
                                        "*DATA_PARA_PRE=NO\n*DATA_PARA_POST=NO\n")
        << svf;
    std::string dxf = slurp(library / "ELEC" / "NEWSYM.DXF");
    EXPECT_NE(dxf.find("\nCIRCLE\n"), std::string::npos) << "the block of the objects chosen";
    EXPECT_NE(dxf.find("\nREDEF\n"), std::string::npos);
    EXPECT_EQ(slurp(library / "ELEC" / "NEWSYM.SLD").rfind("AutoCAD Slide", 0), 0u);
    EXPECT_FALSE(scratch_left());
    EXPECT_NE(out.find("(cdr (assoc 4 r))\n\"NEWSYM\""), std::string::npos) << "the picker offers it in its place\n"
                                                                             << out;
}

TEST_F(SymbolEditSession, EditChangesTheRecordAndKeepsTheFiles) {
    const std::string before = slurp(library / "ELEC.SVF");
    const std::string dxf = slurp(library / "ELEC" / "RLCOIL.DXF"), sld = slurp(library / "ELEC" / "RLCOIL.SLD");
    std::string out = run(std::string(kEditElec) + "dclick names 0\nshow\ndescription=Relay coil 24V\nlayer=coils\n"
                          "prepara=1\nok\nok\nQUIT\n");
    std::string shown = from_first(out, "Dialog \"sv_edit_block\"");
    EXPECT_NE(shown.find("edit_box [name] \"Name:\" = \"RLCOIL\""), std::string::npos) << shown;
    EXPECT_NE(shown.find("edit_box [description] \"Description:\" = \"Relay coil\""), std::string::npos) << shown;
    EXPECT_NE(shown.find("edit_box [layer] \"Layer:\" = \"SYMBOLS\""), std::string::npos) << shown;
    std::string svf = slurp(library / "ELEC.SVF");
    EXPECT_EQ(record_of(svf, "RLCOIL"), "*SYMBOL=RLCOIL\n*DESCRIPTION=Relay coil 24V\n*LAYER=COILS\n*TYPE=1\n"
                                        "*SCALE_OPTION=\n*DATA_PARA_PRE=YES\n*DATA_PARA_POST=NO\n")
        << svf;
    EXPECT_EQ(symbols_of(svf, "Coils"), symbols_of(before, "Coils"));
    EXPECT_EQ(record_of(svf, "TMCOIL"), record_of(before, "TMCOIL"));
    EXPECT_EQ(slurp(library / "ELEC" / "RLCOIL.DXF"), dxf) << "the drawing comes back unchanged";
    EXPECT_EQ(slurp(library / "ELEC" / "RLCOIL.SLD"), sld);
    EXPECT_FALSE(scratch_left());
}

TEST_F(SymbolEditSession, EditUnderANewNameCopiesTheFilesAndRefusesATakenName) {
    const std::string before = slurp(library / "ELEC.SVF");
    const std::string dxf = slurp(library / "ELEC" / "RLCOIL.DXF"), sld = slurp(library / "ELEC" / "RLCOIL.SLD");
    std::string out = run(std::string(kEditElec) + "select names 0\nedit\nname=TMCOIL\nok\nshow\nok\nname=relay\nok\n"
                          "ok\nQUIT\n");
    EXPECT_NE(out.find("text [msg1] = \"Symbol name already exists!\""), std::string::npos) << out;
    std::string svf = slurp(library / "ELEC.SVF");
    EXPECT_EQ(symbols_of(svf, "Coils"), (Names{"RELAY", "TMCOIL", "KCOIL", "SOLENOID"})) << out;
    EXPECT_EQ(record_of(svf, "RELAY"), "*SYMBOL=RELAY\n" + record_of(before, "RLCOIL").substr(15)) << svf;
    EXPECT_EQ(slurp(library / "ELEC" / "RELAY.DXF"), dxf);
    EXPECT_EQ(slurp(library / "ELEC" / "RELAY.SLD"), sld);
    EXPECT_FALSE(scratch_left());
}

TEST_F(SymbolEditSession, EditWithANewBlockReplacesTheDrawingAndACancelKeepsIt) {
    const std::string before = slurp(library / "ELEC.SVF");
    const std::string dxf = slurp(library / "ELEC" / "RLCOIL.DXF");
    std::string cancelled = run(std::string(kCircle) + kEditElec + "select names 0\nedit\ndescription=Changed\n" +
                                kCircleBlock + "cancel\nok\nQUIT\nY\n");
    EXPECT_EQ(slurp(library / "ELEC" / "RLCOIL.DXF"), dxf) << "the work went to scratch files\n" << cancelled;
    EXPECT_EQ(slurp(library / "ELEC.SVF"), before);
    EXPECT_FALSE(scratch_left());
    std::string out = run(std::string(kCircle) + kEditElec + "select names 0\nedit\n" + kCircleBlock + "ok\nok\n"
                          "(sslength (ssget \"X\" '((8 . \"REDEF\"))))\nQUIT\nY\n");
    std::string redone = slurp(library / "ELEC" / "RLCOIL.DXF");
    EXPECT_NE(redone, dxf) << out;
    EXPECT_NE(redone.find("\nREDEF\n"), std::string::npos) << "the circle's block";
    EXPECT_EQ(record_of(slurp(library / "ELEC.SVF"), "RLCOIL"), record_of(before, "RLCOIL"));
    EXPECT_NE(out.find("(sslength (ssget \"X\" '((8 . \"REDEF\"))))\n1\n"), std::string::npos)
        << "the drawing keeps the circle\n" << out;
}

// Symbol files written while the editor was open are put back when it is
// cancelled: a redefined drawing and slide as they were, a new symbol's
// files gone.
TEST_F(SymbolEditSession, CancellingTheEditorPutsBackTheSymbolFiles) {
    const std::string before = slurp(library / "ELEC.SVF");
    const std::string dxf = slurp(library / "ELEC" / "RLCOIL.DXF"), sld = slurp(library / "ELEC" / "RLCOIL.SLD");
    std::string out = run(std::string(kCircle) + kEditElec + "select names 0\nedit\n" + kCircleBlock + "ok\n" +
                          "add\nname=extra\n" + kCircleBlock + "ok\nshow\ncancel\n"
                          "(SV_USELIB \"ELEC\" \"Coils\")\nshow\ncancel\nQUIT\nY\n");
    std::string editor = from_last(out, "Dialog \"sv_edit_symvault\"");
    ASSERT_NE(editor.find("4: EXTRA\n"), std::string::npos) << "both were done before the cancel\n" << out;
    EXPECT_EQ(slurp(library / "ELEC" / "RLCOIL.DXF"), dxf) << out;
    EXPECT_EQ(slurp(library / "ELEC" / "RLCOIL.SLD"), sld);
    EXPECT_FALSE(fs::exists(library / "ELEC" / "EXTRA.DXF"));
    EXPECT_FALSE(fs::exists(library / "ELEC" / "EXTRA.SLD"));
    EXPECT_FALSE(scratch_left());
    EXPECT_EQ(slurp(library / "ELEC.SVF"), before);
    EXPECT_EQ(count(out, "Updating library"), 0u) << out;
    EXPECT_EQ(from_last(out, "Dialog \"sv_symvault\"").find("EXTRA"), std::string::npos) << out;
}

}  // namespace
