// Project commands, the save question, the project file on disk and the
// project dialog, on the stand-in host.
#include "module_fixture.h"

#include <vector>

#include "host/module_state.h"

namespace wcraft::test {

namespace {

void answer(FakeDialog& d, const char* button) {
    EXPECT_EQ(d.name, "wcr_yesno");
    d.press(button);
}

// The project dialog: name the project and accept.
DialogHandler name_project(const char* name) {
    return [name](FakeDialog& d) {
        d.type("p_name", name);
        d.tiles["p_title"] = "Edited";
        d.ok();
    };
}

size_t lines_of(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), '\n')); }

}  // namespace

class Project : public ModuleTest {
protected:
    // Opens the project dialog from CONFIG PROJECT and lets `h` act on it.
    std::string edit_in_dialog(DialogHandler h) {
        on_dialog(std::move(h));
        return call(1, {"CONFIG", "PROJECT"});
    }
};

TEST_F(Project, SaveWritesTheFileAndAsksBeforeOverwriting) {
    std::string out = call(1, {"PROJECT", "SAVE"});
    EXPECT_NE(out.find("\nSaving project configuration...done!"), std::string::npos) << out;
    std::string first = slurp(project_file("NONAME"));
    EXPECT_EQ(lines_of(first), 4527u);
    EXPECT_TRUE(fake().dialog_names.empty()) << "no question for a new file";

    config().p_title = "Changed";
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(d.tiles["msg1"], "Save project config");
        EXPECT_EQ(d.tiles["msg2"], "Config file already exists, overwrite ?");
        EXPECT_EQ(d.tiles["msg3"], "NONAME");
        d.press("no");
    });
    call(1, {"PROJECT", "SAVE"});
    EXPECT_EQ(slurp(project_file("NONAME")), first) << "No writes nothing";

    on_dialog([](FakeDialog& d) { answer(d, "yes"); });
    call(1, {"PROJECT", "SAVE"});
    EXPECT_NE(slurp(project_file("NONAME")).find("Changed"), std::string::npos);
    EXPECT_EQ(slurp(project_file("NONAME", "bak")), first) << "the backup holds the previous contents";
}

TEST_F(Project, FailedSaveKeepsThePreviousFileAndReportsIt) {
    call(1, {"PROJECT", "SAVE"});
    std::string before = slurp(project_file("NONAME"));
    config().p_title = "Lost";
    config().config_changed = 1;
    std::filesystem::create_directories(install / "project" / "noname.tmp");
    on_dialog([](FakeDialog& d) { answer(d, "yes"); });
    std::string out = call(1, {"PROJECT", "SAVE"});
    EXPECT_NE(out.find("\nError : WCRAFT(1050), "), std::string::npos) << out;
    EXPECT_EQ(out.find("done!"), std::string::npos);
    EXPECT_EQ(slurp(project_file("NONAME")), before);
    EXPECT_EQ(config().config_changed, 1) << "a failed save keeps the changes marked";
}

TEST_F(Project, NameFromAFileCannotWriteOutsideTheProjectFolder) {
    config().p_name = "..\\..\\X";
    std::string out = call(1, {"PROJECT", "SAVE"});
    EXPECT_NE(out.find("WCRAFT(1050)"), std::string::npos) << out;
    EXPECT_FALSE(std::filesystem::exists(install / "x.prj"));
    EXPECT_FALSE(std::filesystem::exists(install.parent_path() / "x.prj"));
}

TEST_F(Project, OpenLoadsTheChosenFile) {
    config().p_name = "ELEC";
    config().p_title = "Pumps";
    call(1, {"PROJECT", "SAVE"});
    acrxEntryPoint(kInitAppMsg, nullptr);
    acrxEntryPoint(kLoadDwgMsg, nullptr);
    ASSERT_EQ(config().p_name.view(), "NONAME");
    fake().files.push_back(std::string(kInitialInstallDir) + "PROJECT\\ELEC.PRJ");
    std::string out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("\nLoading project configuration... - project file version Ver2.0 - OK!"), std::string::npos)
        << out;
    EXPECT_NE(out.find("Project[ELEC]\nTitle [Pumps]"), std::string::npos);
    EXPECT_EQ(fake().lisp_strings["WCRpname"], "ELEC");
}

TEST_F(Project, OpenOfACorruptFileReportsAndKeepsTheConfiguration) {
    std::ofstream(install / "project" / "bad.prj") << "Wirecraft Project header file!\nVer2.0\nBAD\n";
    config().p_title = "Still here";
    fake().files.push_back("C:\\SYMVAULT\\LIBRARY\\WCRAFT\\PROJECT\\BAD.PRJ");
    std::string out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("\nError : WCRAFT(1055), Config file footnote incorrect, config file corrupt"),
              std::string::npos)
        << out;
    EXPECT_EQ(config().p_name.view(), "NONAME");
    EXPECT_EQ(config().p_title.view(), "Still here");
}

TEST_F(Project, OpenCancelledAndMissingFiles) {
    fake().files.push_back(std::nullopt);
    std::string out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("*Cancel*"), std::string::npos);
    EXPECT_NE(out.find("Project[NONAME]"), std::string::npos) << "banner even after a cancel";
    fake().files.push_back("C:\\NOWHERE\\X.PRJ");
    out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("WCRAFT(1051)"), std::string::npos) << out;
}

TEST_F(Project, NewWithoutChangesAsksNothingAndOpensTheDialog) {
    config().p_name = "OLD";
    on_dialog(name_project("fresh"));
    std::string out = call(1, {"PROJECT", "NEW"});
    ASSERT_EQ(fake().dialog_names, std::vector<std::string>{"project_main"});
    EXPECT_NE(out.find("Default project settings loaded"), std::string::npos);
    EXPECT_NE(out.find("\nOK!"), std::string::npos);
    EXPECT_EQ(config().p_name.view(), "FRESH");
    EXPECT_EQ(config().wire_defs[0].w_name.view(), "CONTROL");
}

TEST_F(Project, NewWithChangesAndCancelKeepsEverything) {
    edit_in_dialog(name_project("mine"));
    ASSERT_EQ(config().config_changed, 1);
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(d.tiles["msg1"], "Begin new project");
        EXPECT_EQ(d.tiles["msg2"], "Project config changed, save ? : ");
        EXPECT_EQ(d.tiles["msg3"], "MINE");
        d.press("cancel");
    });
    std::string out = call(1, {"PROJECT", "NEW"});
    EXPECT_NE(out.find("*Cancel*\n\nNEW aborted!"), std::string::npos) << out;
    EXPECT_EQ(config().p_name.view(), "MINE");
    EXPECT_EQ(config().config_changed, 1);
}

TEST_F(Project, NewWithChangesAndYesSavesFirst) {
    edit_in_dialog(name_project("mine"));
    on_dialog([](FakeDialog& d) { answer(d, "yes"); });
    on_dialog([](FakeDialog& d) { d.cancel(); });
    std::string out = call(1, {"PROJECT", "NEW"});
    EXPECT_TRUE(std::filesystem::exists(project_file("MINE")));
    EXPECT_NE(out.find("\nCancel!"), std::string::npos);
    EXPECT_EQ(config().p_name.view(), "NONAME");
}

TEST_F(Project, OpenWhereTheSaveFailsAbortsWithoutTheFileDialog) {
    edit_in_dialog(name_project("mine"));
    std::filesystem::create_directories(install / "project" / "mine.tmp");
    on_dialog([](FakeDialog& d) { answer(d, "yes"); });
    fake().files.push_back("C:\\X.PRJ");
    std::string out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("WCRAFT(1050)"), std::string::npos) << out;
    EXPECT_NE(out.find("\nOPEN aborted!"), std::string::npos);
    EXPECT_EQ(fake().files.size(), 1u) << "the file dialog was not shown";
}

TEST_F(Project, QuitAsksOnlyAfterAChange) {
    acrxEntryPoint(kQuitMsg, nullptr);
    EXPECT_TRUE(fake().dialog_names.empty());
    edit_in_dialog(name_project("mine"));
    on_dialog([](FakeDialog& d) {
        EXPECT_EQ(d.tiles["msg1"], "Wirecraft message!");
        d.press("no");
    });
    acrxEntryPoint(kQuitMsg, nullptr);
    EXPECT_EQ(fake().dialog_names.back(), "wcr_yesno");
    EXPECT_FALSE(std::filesystem::exists(project_file("MINE")));
    on_dialog([](FakeDialog& d) { d.press("yes"); });
    fake().out.clear();
    acrxEntryPoint(kEndMsg, nullptr);
    EXPECT_NE(fake().out.find("\nProject saved OK!"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(project_file("MINE")));
}

TEST_F(Project, YesNoDialogClosedAnyOtherWayAnswersCancel) {
    edit_in_dialog(name_project("mine"));
    on_dialog([](FakeDialog&) {});  // closed with the window's close box
    std::string out = call(1, {"PROJECT", "OPEN"});
    EXPECT_NE(out.find("\nOPEN aborted!"), std::string::npos);
}

TEST_F(Project, MissingDialogFileIsReportedThroughTheHost) {
    std::filesystem::remove(install / "wcraftyn.dcl");
    edit_in_dialog(name_project("mine"));
    std::string out = call(1, {"PROJECT", "NEW"});
    ASSERT_FALSE(fake().failures.empty());
    EXPECT_EQ(fake().failures.back(), "Unable to initialize dialogue box \"wcr_yesno\"\n");
    EXPECT_NE(out.find("NEW aborted!"), std::string::npos);
}

TEST_F(Project, DialogValidatesAndUpperCases) {
    edit_in_dialog([](FakeDialog& d) {
        d.type("p_name", "bad name");
        EXPECT_EQ(d.error(), "Invalid project file name!");
        EXPECT_EQ(d.modes["p_name"], MODE_SETFOCUS);
        d.type("p_dir", "c:\\my drawings");
        EXPECT_EQ(d.error(), "Invalid directory file name!");
        d.type("p_dir", "c:\\acad\\drawings");
        EXPECT_EQ(d.error(), "");
        d.tiles["p_name"] = "elec";
        d.ok();
    });
    EXPECT_EQ(config().p_name.view(), "ELEC");
    EXPECT_EQ(config().p_dir.view(), "C:\\ACAD\\DRAWINGS");
    EXPECT_EQ(config().config_changed, 1);
}

TEST_F(Project, DialogOkRefusesAnInvalidNameTypedLast) {
    edit_in_dialog([](FakeDialog& d) {
        d.tiles["p_name"] = "no.good";
        d.ok();
        EXPECT_FALSE(d.done);
        EXPECT_EQ(d.error(), "Invalid project file name!");
        d.cancel();
    });
    EXPECT_EQ(config().p_name.view(), "NONAME");
    EXPECT_EQ(config().config_changed, 0);
}

TEST_F(Project, DialogModesFollowTheSelection) {
    edit_in_dialog([](FakeDialog& d) {
        EXPECT_EQ(d.tiles["m_but"], "1");
        EXPECT_EQ(d.modes["f_mask"], MODE_ENABLE);
        EXPECT_EQ(d.modes["add"], MODE_DISABLE);
        d.press("f_but");
        EXPECT_EQ(d.modes["f_mask"], MODE_DISABLE);
        EXPECT_EQ(d.modes["f_names"], MODE_ENABLE);
        d.press("d_but");
        EXPECT_EQ(d.modes["f_edit"], MODE_DISABLE);
        d.ok();
    });
    EXPECT_EQ(config().f_mode, FM_DIRECTORY);
}

TEST_F(Project, DialogListEditing) {
    edit_in_dialog([](FakeDialog& d) {
        d.press("f_but");
        EXPECT_EQ(d.lists["f_names"], (std::vector<std::string>{"ELECT001", "ELECT002", "ELECT003", "ELECT004"}));
        d.tiles["f_edit"] = "elect001";
        d.press("add");
        EXPECT_EQ(d.error(), "File name already exists!");
        d.tiles["f_edit"] = "elect.dwg";
        d.press("add");
        EXPECT_EQ(d.error(), "Invalid file name in file edit box!");
        d.press("del");
        EXPECT_EQ(d.error(), "Select file name to delete first!");
        d.tiles["f_edit"] = "sheet9";
        d.press("add");
        d.select("f_names", 1);
        EXPECT_EQ(d.tiles["f_edit"], "ELECT002");
        d.press("del");
        EXPECT_EQ(d.tiles["f_edit"], "ELECT003") << "the edit box shows the name that moved up, not the deleted one";
        d.tiles["f_edit"] = "first";
        d.select("f_names", 0);
        d.tiles["f_edit"] = "first";
        d.press("ins");
        d.select("f_names", 2);
        d.tiles["f_edit"] = "third";
        d.press("mod");
        EXPECT_EQ(d.lists["f_names"], (std::vector<std::string>{"FIRST", "ELECT001", "THIRD", "ELECT004", "SHEET9"}));
        d.ok();
    });
    EXPECT_EQ(config().f_names[4].view(), "SHEET9");
    EXPECT_EQ(config().f_names[5].view(), "*ND*");
    EXPECT_EQ(config().f_mode, FM_FILENAME);
}

TEST_F(Project, DialogCancelLeavesTheListAlone) {
    std::string out = edit_in_dialog([](FakeDialog& d) {
        d.press("f_but");
        d.select("f_names", 0);
        d.press("del");
        for (int i = 0; i < 3; ++i) d.press("del");
        EXPECT_EQ(d.tiles["f_edit"], "") << "the list is empty";
        d.cancel();
    });
    EXPECT_NE(out.find("\nCancel!"), std::string::npos);
    EXPECT_EQ(config().f_names[0].view(), "ELECT001");
    EXPECT_EQ(config().f_mode, FM_MASK);
}

TEST_F(Project, FullListRefusesMoreNames) {
    for (int i = 0; i < kMaxFileNames; ++i) config().f_names[i] = "N" + std::to_string(i);
    edit_in_dialog([](FakeDialog& d) {
        d.press("f_but");
        d.tiles["f_edit"] = "EXTRA";
        d.press("add");
        EXPECT_EQ(d.error(), "Maximum file names specified!");
        d.select("f_names", 10);
        d.tiles["f_edit"] = "EXTRA";
        d.press("ins");
        EXPECT_EQ(d.error(), "Maximum file names specified!");
        d.ok();
    });
    EXPECT_EQ(config().f_names[499].view(), "N499") << "the last name is kept";
    EXPECT_EQ(config().f_names[10].view(), "N10");
}

TEST_F(Project, DialogTextsAreCutToTheirFields) {
    edit_in_dialog([](FakeDialog& d) {
        d.tiles["p_title"] = std::string(80, 'T');
        d.type("p_name", "abcdefghijk");
        d.ok();
    });
    EXPECT_EQ(config().p_title.view(), std::string(58, 'T'));
    EXPECT_EQ(config().p_name.view(), "ABCDEFGH");
}

TEST_F(Project, InfoButtonShowsTheInformationBox) {
    edit_in_dialog([](FakeDialog& d) {
        d.tiles["errormsg"] = "old";
        d.press("info");
        EXPECT_EQ(d.error(), "");
        d.ok();
    });
    EXPECT_EQ(fake().dialog_names, (std::vector<std::string>{"project_main", "wcr_info"}));
}

}  // namespace wcraft::test
