// WCRSETDIR, the demo reset and the report viewer on the stand-in host.
#include "module_fixture.h"

#include "host/module_state.h"

namespace wcraft::test {

class Setup : public ModuleTest {
protected:
    static constexpr const char* kDir = "C:\\WCRAFT\\";
    std::filesystem::path wc() const { return fake().host_path(kDir); }
    void make_install() {
        std::filesystem::create_directories(wc());
        std::ofstream(wc() / "locator.id") << "id";
        std::ofstream(wc() / "new001.dxf") << "demo one";
        std::ofstream(wc() / "new003.dxf") << "demo three";
        std::ofstream(wc() / "wcrdemo.prj") << "demo project";
    }
};

TEST_F(Setup, ArgumentChecks) {
    EXPECT_NE(call(15).find("\nInvalid call request to function WCRSETDIR!"), std::string::npos);
    EXPECT_NE(call(15, {"#4"}).find("\nInvalid argument type passed to function WCRSETDIR!"), std::string::npos);
    EXPECT_EQ(wcr().install_dir.view(), kInitialInstallDir);
}

TEST_F(Setup, WithoutLocatorOnlyTheDirectoryIsTaken) {
    std::string out = call(15, {kDir});
    EXPECT_NE(out.find("\nWarning, couldn't find locator file..."), std::string::npos);
    EXPECT_EQ(fake().lisp_strings["WCRidir"], kDir);
    EXPECT_EQ(fake().lisp_strings["WCRprodir"], "C:\\WCRAFT\\PROCESS\\");
    EXPECT_FALSE(std::filesystem::exists(wc() / "process"));
}

TEST_F(Setup, FirstRunCreatesFoldersAndDemoOnce) {
    make_install();
    call(15, {kDir});
    for (const char* f : {"process", "project", "wcrdemo"}) EXPECT_TRUE(std::filesystem::is_directory(wc() / f)) << f;
    EXPECT_EQ(slurp(wc() / "wcrdemo" / "demo001.dxf"), "demo one");
    EXPECT_EQ(slurp(wc() / "wcrdemo" / "demo003.dxf"), "demo three");
    EXPECT_FALSE(std::filesystem::exists(wc() / "wcrdemo" / "demo002.dxf")) << "missing sources are skipped";
    EXPECT_EQ(slurp(wc() / "project" / "wcrdemo.prj"), "demo project");
    EXPECT_EQ(slurp(wc() / "first.log"), "File directories created OK");

    std::ofstream(wc() / "wcrdemo" / "demo001.dxf") << "edited";
    call(15, {kDir});
    EXPECT_EQ(slurp(wc() / "wcrdemo" / "demo001.dxf"), "edited") << "set-up runs only once";
    call(11);
    EXPECT_EQ(slurp(wc() / "wcrdemo" / "demo001.dxf"), "demo one") << "the reset restores it";
}

TEST_F(Setup, ExistingFoldersAreNoFailure) {
    make_install();
    std::filesystem::create_directories(wc() / "project");
    std::string out = call(15, {kDir});
    EXPECT_EQ(out.find("Could not create directory"), std::string::npos);
    EXPECT_TRUE(std::filesystem::exists(wc() / "first.log"));
}

TEST_F(Setup, FailedFolderStopsTheSetUpButTriesTheRest) {
    make_install();
    // A dangling link: the folder can neither be made nor found.
    std::filesystem::create_directory_symlink(wc() / "nowhere" / "deeper", wc() / "process");
    std::string out = call(15, {kDir});
    EXPECT_NE(out.find("Could not create directory : C:\\WCRAFT\\process"), std::string::npos) << out;
    EXPECT_TRUE(std::filesystem::is_directory(wc() / "wcrdemo"));
    EXPECT_FALSE(std::filesystem::exists(wc() / "first.log"));
}

TEST_F(Setup, ReportViewer) {
    call(15, {kDir});
    std::filesystem::create_directories(wc() / "process");
    std::ofstream(wc() / "process" / "noname.plf") << "parts";
    call(10, {"#3"});
    ASSERT_EQ(fake().commands.size(), 1u);
    EXPECT_EQ(fake().commands[0], "_.SHELL|EDIT C:\\WCRAFT\\process\\NONAME.PLF");

    std::ofstream(wc() / "editor.dat") << "view -r\nignored\n";
    type({"3"});
    std::string out = call(10);
    EXPECT_NE(out.find("\n  5. Log file.Enter report 1..5 : "), std::string::npos) << out;
    EXPECT_EQ(fake().commands.back(), "_.SHELL|view -r C:\\WCRAFT\\process\\NONAME.PLF");

    call(10, {"#1"});
    EXPECT_EQ(fake().alerts.back(), "Report does not exist...");
    config().p_name = "X&RM";
    call(10, {"#3"});
    EXPECT_EQ(fake().commands.size(), 2u) << "a name that is no file name never reaches the shell";
    config().p_name = "NONAME";
    EXPECT_NE(call(10, {"#6"}).find("\nInvalid report number!"), std::string::npos);
    type({""});
    EXPECT_EQ(call(10).find("Invalid"), std::string::npos) << "Enter ends silently";
    EXPECT_EQ(fake().commands.size(), 2u);
}

}  // namespace wcraft::test
