// The module's entry and command shell: registration, defaults loaded once,
// published variables, keyword matching, sub-menus, cancel, argument mode.
#include "module_fixture.h"

#include "host/error_report.h"
#include "host/module_state.h"

namespace wcraft::test {

class Shell : public ModuleTest {};

TEST_F(Shell, LoadRegistersSixteenFunctionsAndPrintsTheBanner) {
    ASSERT_EQ(fake().defined.size(), 16u);
    EXPECT_EQ(fake().defined.front(), "C:WCRAFT");
    EXPECT_EQ(fake().defined.back(), "WCRSETDIR");
    EXPECT_NE(fake().out.find("\nInitialising Wirecraft V5 C4, ARX ... "), std::string::npos);
    EXPECT_NE(fake().out.find("\nWirecraft 5 : Project[NONAME]\nTitle [No title]\n"), std::string::npos);
    EXPECT_EQ(fake().lisp_strings["WCRidir"], kInitialInstallDir);
    EXPECT_EQ(fake().lisp_strings["WCRprodir"], std::string(kInitialInstallDir) + "PROCESS\\");
    EXPECT_EQ(fake().lisp_strings["WCRfsep"], "\\");
    EXPECT_EQ(fake().lisp_ints["WCRstage"], 0);
}

TEST_F(Shell, SecondDrawingKeepsTheConfigurationAndRepublishes) {
    EXPECT_EQ(count(fake().out, "Default project settings loaded"), 1u);
    config().p_name = "KEEP";
    fake().lisp_strings.clear();
    acrxEntryPoint(kLoadDwgMsg, nullptr);
    EXPECT_EQ(count(fake().out, "Default project settings loaded"), 1u);
    EXPECT_EQ(fake().lisp_strings["WCRpname"], "KEEP");
    EXPECT_NE(fake().out.find("Project[KEEP]"), std::string::npos);
}

TEST_F(Shell, AbbreviationsPickTheFirstKeywordInTableOrder) {
    std::string out = wcraft_command({"p", "", "proj", "", "EXIT"});
    size_t process = out.find("\nWCRAFT Command:->PROCESS : ");
    size_t project = out.find("\nWCRAFT Command:->PROJECT : ");
    ASSERT_NE(process, std::string::npos) << out;
    ASSERT_NE(project, std::string::npos) << out;
    EXPECT_LT(process, project);
    EXPECT_NE(out.find(" - Exiting to AutoCAD..."), std::string::npos);
}

TEST_F(Shell, EnterFirstRunsTheHelpList) {
    std::string out = wcraft_command({"", "EXIT"});
    EXPECT_NE(out.find("?\n\nList of Wirecraft commands :- \n ?,  CONFIG,  DRAW,  EXIT,  PROCESS,  PROJECT,  VERSION,  ?, "),
              std::string::npos)
        << out;
}

TEST_F(Shell, EscapeInASubMenuEndsTheWholeCommand) {
    std::string out = wcraft_command({"DRAW", "^C", "VERSION"});
    EXPECT_NE(out.find("\nWCRAFT Command:->DRAW : *Cancel*"), std::string::npos) << out;
    EXPECT_EQ(out.find("Wirecraft 5, Version"), std::string::npos) << "no prompt after the cancel";
    EXPECT_EQ(fake().answers.size(), 1u);
}

TEST_F(Shell, ExitInASubMenuReturnsToTheMainPrompt) {
    std::string out = wcraft_command({"CONFIG", "EXIT", "VERSION", "EXIT"});
    EXPECT_NE(out.find("Wirecraft 5, Version 5.0"), std::string::npos) << out;
}

TEST_F(Shell, UnknownKeywordsSayWhereTheyWereTyped) {
    std::string out = wcraft_command({"FOO", "DRAW", "FOO", "", "EXIT"});
    EXPECT_NE(out.find(" - Unknown WCRAFT command, type EXIT or ? for list of commands! "), std::string::npos);
    EXPECT_NE(out.find(" - Unknown DRAW command, type ? for list of commands. "), std::string::npos);
}

TEST_F(Shell, SubMenuHelpListsAndTheirEntries) {
    std::string out = wcraft_command({"PROCESS", "?", "BATCHPLOT", "", "EXIT"});
    EXPECT_NE(out.find("\nList of Wirecraft PROCESS commands :- ?,  BATCHPLOT,  USERSCRIPT,  CHECK,  EXIT,  RUN,  QRUN, "),
              std::string::npos)
        << out;
    EXPECT_EQ(out.find("not built"), std::string::npos) << out;
}

TEST_F(Shell, CancelAtTheMainPromptRemembersTheLastKeyword) {
    wcraft_command({"VERSION", "^C"});
    std::string out = wcraft_command({"", "EXIT"});
    EXPECT_NE(out.find("VERSION\n"), std::string::npos) << out;
    EXPECT_NE(out.find("Wirecraft 5, Version"), std::string::npos);
}

TEST_F(Shell, ArgumentsReplaceTypedInput) {
    std::string out = call(1, {"DRAW", "WIRE"});
    EXPECT_NE(out.find("\nWirename : CONTROL,"), std::string::npos) << out;
    EXPECT_EQ(out.find("WCRAFT Command"), std::string::npos) << "no prompt at all: " << out;

    type({"?"});
    out = call(1, {"DRAW"});
    EXPECT_EQ(count(out, "\nWCRAFT Command:->DRAW : "), 1u) << out;
    EXPECT_NE(out.find("List of Wirecraft DRAW commands"), std::string::npos);
    EXPECT_EQ(wcr().shell.arg_mode, 0);
}

TEST_F(Shell, NonStringArgumentCancels) {
    std::string out = call(1, {"#12"});
    EXPECT_NE(out.find("*Cancel*"), std::string::npos) << out;
    out = call(1, {"PROJECT", "#3"});
    EXPECT_NE(out.find("*Cancel*"), std::string::npos) << out;
}

TEST_F(Shell, FunctionCodesOutsideTheTableRunNothing) {
    EXPECT_EQ(call(16), "");
    EXPECT_EQ(call(-5001), "");
}

TEST_F(Shell, ErrorLeftByAHandlerIsReportedOnceAfterIt) {
    std::filesystem::remove_all(install / "project");
    std::filesystem::create_directories(install / "project" / "noname.tmp");  // the new file cannot be made
    std::string out = wcraft_command({"PROJECT", "SAVE", "", "EXIT"});
    EXPECT_EQ(count(out, "\nError : WCRAFT(1050), File open error (w), WCRAFT config file"), 1u) << out;
    EXPECT_EQ(error_code(), 0);
}

TEST_F(Shell, ReportsPrintOnceAndClearTheCode) {
    fake().out.clear();
    error_code() = 2045;
    report_error();
    EXPECT_EQ(fake().out, "\nError : WCRAFT(2045), Undefined error code ");
    EXPECT_EQ(error_code(), 0);
    fake().out.clear();
    fatal_alloc("wcr_ppro_getwires", 2091);
    EXPECT_EQ(fake().out, "\nWirecraft, ARX aborting - func(wcr_ppro_getwires), code (2091)"
                          "\nFatal error : Memory allocation failure!");
}

}  // namespace wcraft::test
