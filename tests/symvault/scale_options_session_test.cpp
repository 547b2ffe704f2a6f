// The scale options dialog of the library editor: options and values
// added, changed and deleted, the order they are written in, and cancels at
// each level leaving the library as it was.
#include "session_fixture.h"

namespace {

const char* kEditElec = "(SV_EDITLIB)\nload\ndclick l_names 0\nselect l_names 0\nedit\n";

class ScaleOptionsSession : public SymvaultSession {
protected:
    std::string scales_of(const std::string& name) const {
        std::string svf = slurp(library / (name + ".SVF"));
        size_t at = svf.find("***BEGIN_SCALE_OPTIONS\n");
        return at == std::string::npos ? "" : svf.substr(at);
    }
    static std::string alert_text(const std::string& text) { return "text [msg1] = \"" + text + "\""; }
};

TEST_F(ScaleOptionsSession, OptionsAndValuesAreWrittenInNameOrder) {
    std::string out = run(
        "(SV_EDITLIB)\nnew\nlibname=SC\nok\noptions\nscaleoptions\n"
        "addoption\nshow\nok\n"
        "option=Metric\nxtitle=Width\nytitle=Height\nztitle=Depth\nuserscale=1\naddoption\n"
        "option=imperial\nxtitle=\nytitle=\nztitle=\nuserscale=0\naddoption\n"
        "option=Custom\naddoption\noption=METRIC\naddoption\nshow\nok\n"
        "select options 2\n"
        "addvalue\nshow\nok\n"
        "value=1:10\nxvalue=10\nyvalue=10\nzvalue=1\naddvalue\n"
        "value=1:2\nxvalue=2\nyvalue=2\nzvalue=0\naddvalue\nshow\nok\nzvalue=2\naddvalue\n"
        "value=1:10\naddvalue\nshow\nok\n"
        "value=1:1\nxvalue=0.0004\nyvalue=1.5\naddvalue\nshow\nok\nxvalue=1\naddvalue\nshow\nok\nok\nok\nQUIT\n");
    EXPECT_NE(out.find(alert_text("Option name is blank")), std::string::npos) << out;
    EXPECT_NE(out.find(alert_text("Duplicate scale category name")), std::string::npos) << "any case\n" << out;
    EXPECT_NE(out.find(alert_text("Scale value is blank")), std::string::npos) << out;
    EXPECT_NE(out.find(alert_text("Zero Z scale")), std::string::npos) << out;
    EXPECT_NE(out.find("xvalue=0.0004\nyvalue=1.5\naddvalue\nshow\nDialog \"sv_alert\": SYMVAULT - Warning\n  " +
                       alert_text("Zero X scale")),
              std::string::npos)
        << "a factor the file would keep as 0.000 is zero\n" << out;
    EXPECT_NE(out.find(alert_text("Duplicate scale value")), std::string::npos) << out;
    std::string shown = from_last(out, "Dialog \"sv_lib_scale_defn\"");
    EXPECT_NE(shown.find("list_box [values] \"Values\" = \"0\"\n          0: 1:1\n          1: 1:10\n          2: 1:2\n"),
              std::string::npos)
        << "the value added last is chosen, in its place\n" << shown;
    EXPECT_EQ(scales_of("SC"),
              "***BEGIN_SCALE_OPTIONS\n"
              "**Custom\n*X_TITLE=\n*Y_TITLE=\n*Z_TITLE=\n*USER=NO\n"
              "**imperial\n*X_TITLE=\n*Y_TITLE=\n*Z_TITLE=\n*USER=NO\n"
              "**Metric\n*X_TITLE=Width\n*Y_TITLE=Height\n*Z_TITLE=Depth\n*USER=YES\n"
              "*SCALE_VALUE=1:1\n*X_SCALE=1.000\n*Y_SCALE=1.500\n*Z_SCALE=2.000\n"
              "*SCALE_VALUE=1:10\n*X_SCALE=10.000\n*Y_SCALE=10.000\n*Z_SCALE=1.000\n"
              "*SCALE_VALUE=1:2\n*X_SCALE=2.000\n*Y_SCALE=2.000\n*Z_SCALE=2.000\n"
              "***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n")
        << out;
}

TEST_F(ScaleOptionsSession, ChangesAndDeletionsOfOptionsAndValues) {
    std::string out = run(std::string(kEditElec) + "options\nscaleoptions\n"
                          "select options 1\noption=motorsize\nmodoption\nshow\nok\n"
                          "option=TermSize\nxtitle=Width\nuserscale=1\nmodoption\n"
                          "select values 0\nvalue=Quarter\nxvalue=0.25\nyvalue=0.25\nzvalue=1\nmodvalue\n"
                          "select options 0\nselect values 1\ndelvalue\n"
                          "value=Large\nmodvalue\nshow\nok\nok\nok\nok\nQUIT\n");
    EXPECT_NE(out.find(alert_text("Option name already exists")), std::string::npos) << out;
    EXPECT_NE(out.find(alert_text("Scale value already exists")), std::string::npos) << out;
    EXPECT_EQ(scales_of("ELEC"),
              "***BEGIN_SCALE_OPTIONS\n"
              "**MOTORSIZE\n*X_TITLE=Width\n*Y_TITLE=Height\n*Z_TITLE=Depth\n*USER=YES\n"
              "*SCALE_VALUE=Small\n*X_SCALE=0.750\n*Y_SCALE=0.750\n*Z_SCALE=1.000\n"
              "*SCALE_VALUE=Large\n*X_SCALE=1.500\n*Y_SCALE=1.500\n*Z_SCALE=1.000\n"
              "**TermSize\n*X_TITLE=Width\n*Y_TITLE=Y\n*Z_TITLE=Z\n*USER=YES\n"
              "*SCALE_VALUE=Quarter\n*X_SCALE=0.250\n*Y_SCALE=0.250\n*Z_SCALE=1.000\n"
              "***END_SCALE_OPTIONS\n***END_SYMVAULT_LIBRARY\n")
        << out;
}

// A symbol whose option was deleted is placed without a scale choice.
TEST_F(ScaleOptionsSession, ADeletedOptionIsNoLongerOffered) {
    std::string out = run(std::string(kEditElec) + "options\nscaleoptions\nselect options 0\ndeloption\nok\nok\nok\n"
                          "(setq r (SV_USELIB \"ELEC\" \"Loads\"))\nselect names 1\nok\n"
                          "(list (cdr (assoc 4 r)) (assoc 60 r))\nQUIT\n");
    EXPECT_EQ(scales_of("ELEC").rfind("***BEGIN_SCALE_OPTIONS\n**TERMSIZE\n", 0), 0u) << out;
    EXPECT_EQ(scales_of("ELEC").find("MOTORSIZE"), std::string::npos) << out;
    EXPECT_EQ(out.find("Dialog \"sv_scale_values\""), std::string::npos) << out;
    EXPECT_NE(out.find("(list (cdr (assoc 4 r)) (assoc 60 r))\n(\"MOTOR\" nil)"), std::string::npos)
        << "no scale in the list\n" << out;
}

// Cancel at each level gives the changes up: the scale options dialog, the
// options dialog around it, and the editor around both. The library file
// and the picker's scale choice stay as they were.
TEST_F(ScaleOptionsSession, ACancelAtAnyLevelLeavesTheLibraryUnchanged) {
    const std::string before = slurp(library / "ELEC.SVF");
    std::string out = run(std::string(kEditElec) +
                          "options\nscaleoptions\nselect options 0\ndeloption\noption=Extra\naddoption\ncancel\nok\n"
                          "options\nscaleoptions\nselect options 0\ndeloption\nok\ncancel\nok\n"
                          "(SV_EDITLIB)\nselect l_names 0\nedit\noptions\nscaleoptions\nselect options 0\nselect values 0\n"
                          "delvalue\nok\nok\ncancel\n"
                          "(setq r (SV_USELIB \"ELEC\" \"Loads\"))\nselect names 1\nok\nshow\nselect scale_values 0\nok\n"
                          "(list (assoc 61 r) (assoc 62 r))\n"
                          "(SV_EDITLIB)\nselect l_names 0\nedit\nok\nQUIT\n");
    EXPECT_EQ(count(out, "Updating library : ELEC ... .done!"), 2u) << out;
    EXPECT_EQ(slurp(library / "ELEC.SVF"), before) << out;
    std::string values = from_first(out, "Dialog \"sv_scale_values\"");
    EXPECT_NE(values.find("0: Small\n"), std::string::npos) << "the value deleted and given up is offered\n" << values;
    EXPECT_NE(out.find("(list (assoc 61 r) (assoc 62 r))\n((61 . 0.75) (62 . 0.75))"), std::string::npos) << out;
}

// The scale option of a block symbol is chosen from the library's options,
// which can be edited from there; the picker then asks for its values.
TEST_F(ScaleOptionsSession, ASymbolTakesAnOptionMadeFromItsDialog) {
    std::string out = run(
        "(SV_EDITLIB)\nnew\nlibname=SC\nok\nadd\nname=b1\nselect_scale_option\npress select\nshow\nok\nedit\n"
        "option=Sizes\naddoption\nvalue=Big\nxvalue=3\nyvalue=3\nzvalue=3\naddvalue\n"
        "value=Small\nxvalue=0.5\nyvalue=0.5\nzvalue=1\naddvalue\nok\nshow\nselect scale_options 0\nshow\nok\nok\n"
        "(setq r (SV_USELIB \"SC\"))\nselect names 0\nok\nshow\nselect scale_values 1\nok\n"
        "(list (assoc 60 r) (assoc 61 r) (assoc 62 r))\nQUIT\n");
    EXPECT_NE(out.find(alert_text("No scale option selected")), std::string::npos) << out;
    std::string chooser = from_first(out, "Dialog \"sv_scale_options\"");
    EXPECT_NE(chooser.find("0: Sizes\n"), std::string::npos) << "the list has the option just made\n" << chooser;
    std::string back = from_last(out, "Dialog \"sv_edit_block\"");
    EXPECT_NE(back.find("edit_box [scale_option] \"Scale option:\" = \"Sizes\""), std::string::npos) << back;
    std::string svf = slurp(library / "SC.SVF");
    EXPECT_NE(svf.find("*SYMBOL=B1\n*DESCRIPTION=B1\n*LAYER=\n*TYPE=1\n*SCALE_OPTION=Sizes\n"), std::string::npos)
        << svf;
    EXPECT_NE(svf.find("**Sizes\n*X_TITLE=\n*Y_TITLE=\n*Z_TITLE=\n*USER=NO\n*SCALE_VALUE=Big\n*X_SCALE=3.000\n"),
              std::string::npos)
        << svf;
    std::string values = from_first(out, "Dialog \"sv_scale_values\"");
    EXPECT_NE(values.find("0: Big\n"), std::string::npos) << values;
    EXPECT_NE(out.find("((60 . 1) (61 . 0.5) (62 . 0.5))"), std::string::npos) << out;
}

}  // namespace
