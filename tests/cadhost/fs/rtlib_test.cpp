// The C entry points: argument checks, buffer sizes, listings, processes.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

#include "fs/filelayer.h"
#include "rtlib.h"

namespace stdfs = std::filesystem;

namespace {

class RtlibTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_cwd = stdfs::current_path();
        root = stdfs::temp_directory_path() / ("ch_rt_" + std::to_string(getpid()));
        stdfs::remove_all(root);
        stdfs::create_directories(root / "Dwg");
        cadhost::fs::file_layer().reset();
        cadhost::fs::file_layer().map_drive('C', root.string());
    }
    void TearDown() override {
        stdfs::current_path(m_cwd);
        cadhost::fs::file_layer().reset();
        stdfs::remove_all(root);
    }
    stdfs::path root;
    stdfs::path m_cwd;
};

}  // namespace

TEST_F(RtlibTest, NullArgumentsAreRefusedNotCrashed) {
    EXPECT_EQ(rt_fopen(nullptr, "r"), nullptr);
    EXPECT_EQ(rt_fopen("C:\\x", nullptr), nullptr);
    EXPECT_EQ(rt_remove(nullptr), -1);
    EXPECT_EQ(rt_rename("a", nullptr), -1);
    EXPECT_EQ(rt_access(nullptr, 0), -1);
    EXPECT_EQ(rt_access("C:\\", 1), -1);  // execute is not a Windows access mode
    EXPECT_EQ(rt_mkdir(nullptr), -1);
    EXPECT_EQ(rt_chdir(nullptr), -1);
    EXPECT_EQ(rt_getcwd(nullptr, 10), nullptr);
    rt_finddata_t d;
    EXPECT_EQ(rt_findfirst(nullptr, &d), -1);
    EXPECT_EQ(rt_findfirst("C:\\*", nullptr), -1);
    EXPECT_EQ(rt_findnext(12345, &d), -1);
    EXPECT_EQ(rt_findclose(12345), -1);
    EXPECT_EQ(rt_spawnv(RT_P_WAIT, nullptr, nullptr), -1);
    EXPECT_EQ(rt_spawnv(7, "/bin/true", nullptr), -1);
    EXPECT_EQ(rt_getenv(nullptr), nullptr);
    rt_splitpath(nullptr, nullptr, nullptr, nullptr, nullptr);
    rt_makepath(nullptr, "C", "x", "y", "z");
}

TEST_F(RtlibTest, FindFirstNextClose) {
    std::ofstream(root / "Dwg" / "b.dxf") << "x";
    std::ofstream(root / "Dwg" / "A.DXF") << "xyz";
    rt_finddata_t d;
    long h = rt_findfirst("c:\\dwg\\*.dxf", &d);
    ASSERT_NE(h, -1);
    EXPECT_STREQ(d.name, "A.DXF");
    EXPECT_EQ(d.size, 3);
    EXPECT_EQ(d.attrib, unsigned(RT_A_NORMAL));
    EXPECT_EQ(rt_findnext(h, &d), 0);
    EXPECT_STREQ(d.name, "b.dxf");
    EXPECT_EQ(rt_findnext(h, &d), -1);
    EXPECT_EQ(rt_findclose(h), 0);
    EXPECT_EQ(rt_findnext(h, &d), -1);  // closed
    h = rt_findfirst("C:\\*", &d);
    ASSERT_NE(h, -1);
    EXPECT_STREQ(d.name, "Dwg");
    EXPECT_EQ(d.attrib & RT_A_SUBDIR, unsigned(RT_A_SUBDIR));
    rt_findclose(h);
    EXPECT_EQ(rt_findfirst("C:\\*.none", &d), -1);
}

TEST_F(RtlibTest, BuffersTooSmallAreReportedNotOverrun) {
    ASSERT_EQ(rt_chdir("C:\\DWG"), 0);
    char big[300];
    ASSERT_NE(rt_getcwd(big, sizeof big), nullptr);
    EXPECT_STREQ(big, "C:\\Dwg");
    char small[6];
    memset(small, 'z', sizeof small);
    EXPECT_EQ(rt_getcwd(small, sizeof small), nullptr);
    EXPECT_EQ(errno, ERANGE);
    EXPECT_EQ(small[0], 0);
    char host[8];
    EXPECT_EQ(rt_hostpath("C:\\DWG\\long-name.dxf", host, sizeof host), nullptr);
    EXPECT_NE(rt_hostpath("C:\\DWG\\x", big, sizeof big), nullptr);
    EXPECT_EQ(std::string(big), (root / "Dwg" / "x").string());
    EXPECT_EQ(rt_hostpath("Q:\\x", big, sizeof big), nullptr);  // unmapped drive
}

TEST_F(RtlibTest, SplitAndMakePathFillClassicFields) {
    char drive[RT_MAX_DRIVE], dir[RT_MAX_DIR], fname[RT_MAX_FNAME], ext[RT_MAX_EXT];
    rt_splitpath("C:\\SYMVAULT\\LIBRARY\\WCRAFT\\PROCESS\\NONAME.LOG", drive, dir, fname, ext);
    EXPECT_STREQ(drive, "C:");
    EXPECT_STREQ(dir, "\\SYMVAULT\\LIBRARY\\WCRAFT\\PROCESS\\");
    EXPECT_STREQ(fname, "NONAME");
    EXPECT_STREQ(ext, ".LOG");
    rt_splitpath("A.PRJ", nullptr, dir, nullptr, ext);
    EXPECT_STREQ(dir, "");
    EXPECT_STREQ(ext, ".PRJ");
    std::string longdir = "\\" + std::string(400, 'd') + "\\";
    rt_splitpath(longdir.c_str(), drive, dir, fname, ext);
    EXPECT_EQ(strlen(dir), size_t(RT_MAX_DIR - 1));
    char path[RT_MAX_PATH];
    rt_makepath(path, "c", "\\DWG", "PLAN", "DXF");
    EXPECT_STREQ(path, "c:\\DWG\\PLAN.DXF");
    rt_makepath(path, nullptr, nullptr, "X", nullptr);
    EXPECT_STREQ(path, "X");
}

TEST_F(RtlibTest, StreamsAndDirectories) {
    FILE* f = rt_fopen("C:\\DWG\\NOTE.TXT", "w");
    ASSERT_NE(f, nullptr);
    fputs("a\r\nb\r\n", f);
    fclose(f);
    EXPECT_EQ(rt_access("c:\\dwg\\note.txt", 0), 0);
    f = rt_fopen("c:/dwg/note.txt", "rt");
    ASSERT_NE(f, nullptr);
    char line[16];
    ASSERT_NE(fgets(line, sizeof line, f), nullptr);
    EXPECT_STREQ(line, "a\n");
    fclose(f);
    EXPECT_EQ(rt_rename("C:\\DWG\\NOTE.TXT", "C:\\DWG\\N2.TXT"), 0);
    EXPECT_EQ(rt_remove("C:\\DWG\\note.txt"), -1);
    EXPECT_EQ(rt_remove("C:\\DWG\\n2.txt"), 0);
    EXPECT_EQ(rt_mkdir("C:\\DWG\\SUB"), 0);
    EXPECT_EQ(rt_mkdir("C:\\DWG\\sub"), -1);
    EXPECT_EQ(rt_rmdir("C:\\dwg\\sub"), 0);
    EXPECT_EQ(rt_getdrive(), 3);
    EXPECT_EQ(rt_chdrive(26), -1);
    EXPECT_EQ(rt_chdrive(3), 0);
}

TEST_F(RtlibTest, ProcessesAndEnvironment) {
    const char* argv[] = {"sh", "-c", "exit 4", nullptr};
    EXPECT_EQ(rt_spawnv(RT_P_WAIT, "/bin/sh", argv), 4);
    int pid = rt_spawnv(RT_P_NOWAIT, "/bin/sh", argv);
    ASSERT_GT(pid, 0);
    int status = -1;
    EXPECT_EQ(rt_cwait(&status, pid, 0), pid);
    EXPECT_EQ(status, 4);
    const char* none[] = {"x", nullptr};
    EXPECT_EQ(rt_spawnv(RT_P_WAIT, "C:\\NO\\SUCH.EXE", none), -1);
    EXPECT_EQ(rt_system("exit 6"), 6);
    EXPECT_NE(rt_system(nullptr), 0);
    setenv("CH_RT_VAR", "val", 1);
    ASSERT_NE(rt_getenv("CH_RT_VAR"), nullptr);
    EXPECT_STREQ(rt_getenv("CH_RT_VAR"), "val");
}
