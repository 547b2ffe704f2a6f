// The librarian (SV_EDITLIB) loading, unloading, showing and hiding
// libraries, and what the library manager, the picker and the toolbar menu
// offer afterwards.
#include "session_fixture.h"

namespace {

class LibrarianSession : public SymvaultSession {
protected:
    void SetUp() override {
        SymvaultSession::SetUp();
        if (HasFatalFailure()) return;
        // A second library beside the sample one: the same symbols under
        // another name and description.
        std::string elec = slurp(library / "ELEC.SVF");
        size_t desc = elec.find("\nElectrical control symbols\n");
        ASSERT_NE(desc, std::string::npos);
        elec.replace(desc + 1, std::string("Electrical control symbols").size(), "Valve symbols");
        std::ofstream(library / "VALVES.SVF") << elec;
    }
    // The first showing of `dialog` at or after `from`, up to its first button.
    static std::string rows_shown(const std::string& out, const std::string& dialog, size_t from = 0) {
        size_t at = out.find("Dialog \"" + dialog + "\"", from);
        if (at == std::string::npos) return "?";
        size_t end = out.find("\n    button", at);
        return out.substr(at, end == std::string::npos ? end : end + 1 - at);
    }
};

TEST_F(LibrarianSession, LoadAddsARowOnceAndUnloadTakesItAway) {
    std::string out = run(
        "(SV_EDITLIB)\nload\nshow\ndclick l_names 1\nload\ndclick l_names 0\nload\ndclick l_names 1\nshow\n"
        "select l_names 1\nunload\nshow\nok\n"
        "(SV_SELECTLIB)\nshow\ncancel\n"
        "(SV_USELIB \"ELEC\" \"Coils\")\nshow\ncancel\nQUIT\n");
    std::string on_disk = rows_shown(out, "sv_lib_load_defn");
    EXPECT_NE(on_disk.find("      0: ELEC\tElectrical control symbols\n      1: VALVES\tValve symbols\n"),
              std::string::npos)
        << "the load dialog offers every library file\n" << on_disk;
    EXPECT_EQ(count(out, "Loading Symvault library VALVES"), 1u) << "loading a loaded library reads nothing\n" << out;
    size_t both = out.find("Dialog \"sv_edit_lib_defn\"");
    std::string loaded = rows_shown(out, "sv_edit_lib_defn", both);
    EXPECT_NE(loaded.find("= \"\"\n      0: VALVES\tValve symbols\n      1: ELEC\tElectrical control symbols\n"),
              std::string::npos)
        << "in load order, each once\n" << loaded;
    EXPECT_EQ(count(loaded, ": VALVES"), 1u) << loaded;
    std::string after = rows_shown(out, "sv_edit_lib_defn", both + 1);
    EXPECT_NE(after.find("= \"\"\n      0: VALVES\tValve symbols\n"), std::string::npos) << after;
    EXPECT_EQ(after.find("ELEC"), std::string::npos) << "unloaded\n" << after;
    size_t second = out.find("Dialog \"sv_edit_lib_defn\"", both + 1);
    EXPECT_LT(out.find("button [unload] \"Unload\" (disabled)", second), out.find("Dialog \"sv_lib_defn\""))
        << "no row chosen after the unload\n" << out;
    std::string manager = rows_shown(out, "sv_lib_defn");
    EXPECT_NE(manager.find("      0: VALVES\tValve symbols\n"), std::string::npos) << manager;
    EXPECT_EQ(manager.find("ELEC"), std::string::npos) << "the manager offers the loaded libraries only\n" << manager;
    EXPECT_EQ(count(out, "Loading Symvault library ELEC"), 2u) << "the picker reads the unloaded library again\n"
                                                               << out;
    std::string picker = from_last(out, "Dialog \"sv_symvault\"");
    EXPECT_NE(picker.find("text [libname] = \"ELEC\""), std::string::npos) << picker;
    EXPECT_NE(picker.find("0: Relay coil"), std::string::npos) << picker;
    EXPECT_EQ(count(out, "Updating library"), 0u) << "load and unload write nothing\n" << out;
}

TEST_F(LibrarianSession, HideAndShowAreWrittenAndFollowedByTheToolbar) {
    const std::string elec = slurp(library / "ELEC.SVF");
    std::string hidden = run(
        "(SV_EDITLIB)\nload\ndclick l_names 1\nload\ndclick l_names 0\n"
        "select l_names 0\npress show\nshow\nok\n"                  // already shown
        "select l_names 0\npress hide\nno\n"                        // asked, refused: nothing written
        "select l_names 0\npress hide\nyes\nshow\n"
        "select l_names 0\npress hide\nshow\nok\nok\n"              // already hidden
        "(SV_SELECTLIB)\nshow\ncancel\n"
        "(SV_USELIB \"VALVES\" \"Coils\")\nshow\ncancel\nQUIT\n");
    EXPECT_NE(hidden.find("Library already shown!"), std::string::npos) << hidden;
    EXPECT_NE(hidden.find("Library already hidden!"), std::string::npos) << hidden;
    EXPECT_EQ(count(hidden, "Updating library : VALVES ... .done!"), 1u) << "written once, after the yes\n" << hidden;
    EXPECT_EQ(count(hidden, "Updating library"), 1u) << hidden;
    std::string after = rows_shown(hidden, "sv_edit_lib_defn");
    EXPECT_NE(after.find("= \"\"\n      0: valves\tValve symbols\n      1: ELEC\tElectrical control symbols\n"),
              std::string::npos)
        << "a hidden library's row is in lower case, and no row is chosen\n" << after;
    EXPECT_NE(rows_shown(hidden, "sv_lib_defn").find("      0: valves\tValve symbols\n"), std::string::npos) << hidden;
    // Hidden means off the toolbar and menu; the picker still opens it.
    std::string picker = from_last(hidden, "Dialog \"sv_symvault\"");
    EXPECT_NE(picker.find("text [libname] = \"VALVES\""), std::string::npos) << hidden;
    std::string svf = slurp(library / "VALVES.SVF");
    EXPECT_EQ(svf.rfind("***SYMVAULT=2\nValve symbols\n***HIDE_LIBRARY\n", 0), 0u) << svf;
    EXPECT_NE(slurp(library / "VALVES.BAK").find("\n***SHOW_LIBRARY\n"), std::string::npos);
    EXPECT_EQ(slurp(library / "ELEC.SVF"), elec) << "the other library is left alone";
    std::string mns = slurp(dir / "SYMVAULT" / "SYMVAULT.MNS");
    EXPECT_NE(mns.find("ID_SV_ELEC "), std::string::npos) << mns;
    EXPECT_EQ(mns.find("ID_SV_VALVES"), std::string::npos) << "no button for the hidden library\n" << mns;

    // The next session reads the library hidden and shows it again.
    std::string shown = run("(SV_EDITLIB)\nload\nshow\ndclick l_names 1\nselect l_names 0\npress show\nyes\nshow\nok\n"
                            "QUIT\n");
    EXPECT_NE(rows_shown(shown, "sv_lib_load_defn").find("      1: valves\tValve symbols\n"), std::string::npos)
        << "the load dialog reads the hidden mark from the file\n" << shown;
    EXPECT_NE(rows_shown(shown, "sv_edit_lib_defn").find("      0: VALVES\tValve symbols\n"), std::string::npos)
        << shown;
    EXPECT_EQ(slurp(library / "VALVES.SVF").rfind("***SYMVAULT=2\nValve symbols\n***SHOW_LIBRARY\n", 0), 0u);
    mns = slurp(dir / "SYMVAULT" / "SYMVAULT.MNS");
    EXPECT_NE(mns.find("ID_SV_VALVES              [_Button(\"Valve symbols\", VALVESS.BMP, VALVESL.BMP)]^C^CSVLIBRARY "
                       "VALVES\n"),
              std::string::npos)
        << mns;
}

// A library that is hidden and then unloaded comes back hidden: the mark
// was written, not only kept in memory.
TEST_F(LibrarianSession, AnUnloadedLibraryIsReadAgainAsItWasWritten) {
    std::string out = run("(SV_EDITLIB)\nload\ndclick l_names 0\nselect l_names 0\npress hide\nyes\n"
                          "select l_names 0\nunload\nload\ndclick l_names 0\nshow\ncancel\nQUIT\n");
    EXPECT_EQ(count(out, "Loading Symvault library ELEC"), 2u) << out;
    EXPECT_NE(rows_shown(out, "sv_edit_lib_defn").find("      0: elec\tElectrical control symbols\n"),
              std::string::npos)
        << out;
}

}  // namespace
