// Path resolution, listings and file operations of the file layer, on a
// scratch folder with drives C and D mapped into it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fs/filelayer.h"

using namespace cadhost::fs;
namespace stdfs = std::filesystem;

namespace {

class FileLayerTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_cwd = stdfs::current_path();
        root = stdfs::temp_directory_path() / ("ch_fs_" + std::to_string(getpid()));
        stdfs::remove_all(root);
        stdfs::create_directories(root / "c" / "SymVault" / "Library");
        stdfs::create_directories(root / "d");
        layer.map_drive('c', (root / "c").string());
        layer.map_drive('D', (root / "d").string());
    }
    void TearDown() override {
        stdfs::current_path(m_cwd);
        stdfs::permissions(root, stdfs::perms::owner_all, stdfs::perm_options::add);
        stdfs::remove_all(root);
    }
    void write(const stdfs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    std::string read(const stdfs::path& p) {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    std::string c(const std::string& rel) { return (root / "c" / rel).string(); }

    FileLayer layer;
    stdfs::path root;
    stdfs::path m_cwd;
};

}  // namespace

TEST_F(FileLayerTest, ResolvesDrivePathsWithoutRegardToCase) {
    write(root / "c" / "SymVault" / "Library" / "NoName.log", "x");
    EXPECT_EQ(layer.resolve("C:\\SYMVAULT\\LIBRARY\\NONAME.LOG"), c("SymVault/Library/NoName.log"));
    EXPECT_EQ(layer.resolve("c:/symvault/library/noname.log"), c("SymVault/Library/NoName.log"));
    // Missing components keep the spelling given, after the existing ones.
    EXPECT_EQ(layer.resolve("C:\\symvault\\New\\Out.Txt"), c("SymVault/New/Out.Txt"));
    EXPECT_EQ(layer.resolve("C:\\"), c("").substr(0, c("").size() - 1));
    EXPECT_EQ(layer.resolve("d:x\\y"), (root / "d" / "x" / "y").string());
}

TEST_F(FileLayerTest, CaseVariantsResolveDeterministically) {
    for (const char* n : {"abc", "ABC", "Abc"}) write(root / "c" / n, n);
    EXPECT_EQ(layer.resolve("C:\\abc"), c("abc"));  // exact spelling first
    EXPECT_EQ(layer.resolve("C:\\aBC"), c("ABC"));  // else the first in byte order
    EXPECT_EQ(layer.resolve("C:\\aBC"), c("ABC"));
}

TEST_F(FileLayerTest, DotDotAndHostPathsAndUnmappedDrives) {
    EXPECT_EQ(layer.resolve("C:\\..\\..\\etc\\passwd"), c("etc/passwd"));  // never above the drive
    EXPECT_EQ(layer.resolve("C:\\SymVault\\..\\x"), c("x"));
    EXPECT_EQ(layer.resolve("/usr/lib/../bin"), "/usr/lib/../bin");  // host paths pass unchanged
    EXPECT_EQ(layer.resolve("Q:\\X"), "");
    EXPECT_EQ(layer.resolve(""), "");
    stdfs::current_path(root / "c" / "SymVault");
    EXPECT_EQ(layer.resolve("library\\..\\..\\..\\d"), (root / "d").string());  // relative: from the working directory
}

TEST_F(FileLayerTest, DefaultDriveCIsThePerUserFolder) {
    FileLayer fresh;
    const char* old = getenv("XDG_DATA_HOME");
    std::string saved = old ? old : "";
    setenv("XDG_DATA_HOME", (root / "xdg").c_str(), 1);
    auto folder = fresh.drive_folder('c');
    if (old) setenv("XDG_DATA_HOME", saved.c_str(), 1);
    else unsetenv("XDG_DATA_HOME");
    ASSERT_TRUE(folder);
    EXPECT_EQ(*folder, (root / "xdg" / "cadhost" / "C").string());
    EXPECT_TRUE(stdfs::is_directory(*folder));
    EXPECT_FALSE(fresh.drive_folder('E'));
}

TEST_F(FileLayerTest, FindListsSortedWithRealSpellingAndAttributes) {
    auto lib = root / "c" / "SymVault" / "Library";
    write(lib / "b.DXF", "12345");
    write(lib / "A.dxf", "1");
    write(lib / "README", "");
    write(lib / "c.txt", "");
    stdfs::create_directory(lib / "Sub.dxf");
    stdfs::permissions(lib / "A.dxf", stdfs::perms::owner_write, stdfs::perm_options::remove);

    auto all = layer.find("C:\\SYMVAULT\\LIBRARY\\*.DXF");
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].name, "A.dxf");
    EXPECT_EQ(all[1].name, "b.DXF");
    EXPECT_EQ(all[2].name, "Sub.dxf");
    EXPECT_EQ(all[1].size, 5);
    EXPECT_TRUE(all[2].directory);
    EXPECT_FALSE(all[1].directory);
    if (geteuid() != 0) {
        EXPECT_TRUE(all[0].read_only);
    }
    EXPECT_FALSE(all[1].read_only);
    EXPECT_GT(all[1].mtime, 1000000000);

    EXPECT_EQ(layer.find("c:/symvault/library/*.*").size(), 5u);  // README too
    EXPECT_EQ(layer.find("c:/symvault/library/readme").size(), 1u);
    EXPECT_TRUE(layer.find("c:/symvault/library/*.zip").empty());
    EXPECT_TRUE(layer.find("c:/nowhere/*.*").empty());
    EXPECT_TRUE(layer.find("c:/symvault/library/").empty());
}

TEST_F(FileLayerTest, TextModeReadsCrLfAsLfAndSeeks) {
    write(root / "c" / "T.TXT", "ab\r\ncd\r\n\rx");
    auto f = layer.open("C:\\t.txt", "r");
    ASSERT_TRUE(f) << f.error().what();
    char buf[32] = {};
    size_t n = fread(buf, 1, sizeof buf, *f);
    EXPECT_EQ(std::string(buf, n), "ab\ncd\n\rx");
    EXPECT_EQ(ftell(*f), 8);
    ASSERT_EQ(fseek(*f, 3, SEEK_SET), 0);
    EXPECT_EQ(fgetc(*f), 'c');
    rewind(*f);
    EXPECT_EQ(fgetc(*f), 'a');
    fclose(*f);

    auto b = layer.open("C:\\T.TXT", "rb");
    ASSERT_TRUE(b);
    n = fread(buf, 1, sizeof buf, *b);
    EXPECT_EQ(n, 10u);
    fclose(*b);
}

TEST_F(FileLayerTest, WritingCreatesTheGivenSpellingAndBadModesFail) {
    auto f = layer.open("C:\\SYMVAULT\\Out.Log", "wt");
    ASSERT_TRUE(f);
    fputs("line\n", *f);
    fclose(*f);
    EXPECT_EQ(read(root / "c" / "SymVault" / "Out.Log"), "line\n");
    EXPECT_FALSE(layer.open("C:\\x", "q"));
    EXPECT_FALSE(layer.open("C:\\x", "rw"));
    EXPECT_FALSE(layer.open("C:\\x", ""));
    EXPECT_FALSE(layer.open("C:\\missing\\x", "r"));
    EXPECT_EQ(errno, ENOENT);
}

TEST_F(FileLayerTest, RenameNeverReplacesButMayChangeCase) {
    write(root / "c" / "one.txt", "1");
    write(root / "c" / "two.txt", "2");
    auto r = layer.rename("C:\\ONE.TXT", "C:\\TWO.TXT");
    EXPECT_FALSE(r);
    EXPECT_EQ(errno, EEXIST);
    EXPECT_EQ(read(root / "c" / "one.txt"), "1");
    EXPECT_EQ(read(root / "c" / "two.txt"), "2");

    ASSERT_TRUE(layer.rename("c:\\one.txt", "C:\\One.TXT"));
    EXPECT_TRUE(stdfs::exists(root / "c" / "One.TXT"));
    EXPECT_FALSE(stdfs::exists(root / "c" / "one.txt"));
    ASSERT_TRUE(layer.rename("C:\\ONE.txt", "D:\\moved.txt"));
    EXPECT_EQ(read(root / "d" / "moved.txt"), "1");
}

TEST_F(FileLayerTest, FoldersFilesAndAccess) {
    ASSERT_TRUE(layer.make_dir("C:\\SYMVAULT\\Proj"));
    EXPECT_TRUE(stdfs::is_directory(root / "c" / "SymVault" / "Proj"));
    EXPECT_FALSE(layer.make_dir("C:\\symvault\\proj"));  // exists already, by case
    EXPECT_EQ(errno, EEXIST);
    EXPECT_FALSE(layer.make_dir("C:\\no\\such\\x"));
    write(root / "c" / "SymVault" / "Proj" / "F", "");
    EXPECT_TRUE(layer.exists("c:\\symvault\\proj\\f"));
    EXPECT_TRUE(layer.check_access("c:\\symvault\\proj\\f", AccessMode::ReadWrite));
    EXPECT_FALSE(layer.remove_dir("C:\\SYMVAULT\\PROJ"));  // not empty
    EXPECT_TRUE(layer.remove_file("C:\\SYMVAULT\\PROJ\\F"));
    EXPECT_FALSE(layer.exists("c:\\symvault\\proj\\f"));
    EXPECT_FALSE(layer.check_access("c:\\symvault\\proj\\f", AccessMode::Exists));
    EXPECT_TRUE(layer.remove_dir("C:\\SYMVAULT\\PROJ"));
    EXPECT_FALSE(layer.remove_file("Q:\\x"));
}

TEST_F(FileLayerTest, CurrentFolderAndDrive) {
    ASSERT_TRUE(layer.change_dir("C:\\symvault\\library"));
    EXPECT_EQ(layer.current_dir(), "C:\\SymVault\\Library");
    EXPECT_EQ(layer.resolve("x.dxf"), c("SymVault/Library/x.dxf"));
    EXPECT_EQ(layer.resolve("C:x.dxf"), c("SymVault/Library/x.dxf"));  // drive-relative
    EXPECT_EQ(layer.resolve("\\x.dxf"), c("x.dxf"));                     // current drive's root

    ASSERT_TRUE(layer.set_current_drive(4));
    EXPECT_EQ(layer.current_drive(), 4);
    EXPECT_EQ(layer.current_dir(), "D:\\");
    EXPECT_EQ(layer.resolve("\\x.dxf"), (root / "d" / "x.dxf").string());
    EXPECT_EQ(layer.resolve("C:x.dxf"), c("SymVault/Library/x.dxf"));
    ASSERT_TRUE(layer.set_current_drive(3));
    EXPECT_EQ(layer.current_dir(), "C:\\SymVault\\Library");  // each drive keeps its folder

    EXPECT_FALSE(layer.set_current_drive(17));  // Q is not mapped
    EXPECT_FALSE(layer.set_current_drive(0));
    EXPECT_EQ(layer.current_drive(), 3);
    EXPECT_FALSE(layer.change_dir("C:\\nowhere"));
    stdfs::current_path(root);
    EXPECT_EQ(layer.current_dir(), root.string());  // outside the drives: the host path
}

TEST_F(FileLayerTest, FindFileTriesFoldersInOrder) {
    stdfs::create_directories(root / "s1");
    stdfs::create_directories(root / "s2");
    write(root / "s2" / "Acad.Lsp", "2");
    write(root / "c" / "Top.lsp", "t");
    std::vector<std::string> dirs{(root / "s1").string(), (root / "s2").string()};
    EXPECT_EQ(layer.find_file("acad.lsp", dirs), (root / "s2" / "Acad.Lsp").string());
    write(root / "s1" / "ACAD.LSP", "1");
    EXPECT_EQ(layer.find_file("acad.lsp", dirs), (root / "s1" / "ACAD.LSP").string());
    EXPECT_EQ(layer.find_file("C:\\TOP.LSP", dirs), c("Top.lsp"));
    EXPECT_EQ(layer.find_file("C:\\none.lsp", dirs), "");
    EXPECT_EQ(layer.find_file("none.lsp", dirs), "");
    EXPECT_EQ(layer.find_file("s1", {root.string()}), "");  // folders are not files
}
