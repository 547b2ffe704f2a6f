// Program start without a shell, the shell command, and the environment.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "fs/filelayer.h"
#include "fs/process.h"

using namespace cadhost::fs;
namespace stdfs = std::filesystem;

TEST(Spawn, ExitStatusAndArgumentsPassedLiterally) {
    auto r = spawn(SpawnMode::Wait, "/bin/sh", {"sh", "-c", "exit 3"});
    ASSERT_TRUE(r) << r.error().what();
    EXPECT_EQ(*r, 3);

    auto out = stdfs::temp_directory_path() / ("ch_spawn_" + std::to_string(getpid()));
    std::string tricky = "$(echo no); *  \"q\"";
    r = spawn(SpawnMode::Wait, "/bin/sh", {"sh", "-c", "printf %s \"$1\" > \"$2\"", "sh", tricky, out.string()});
    ASSERT_TRUE(r);
    std::stringstream ss;
    ss << std::ifstream(out).rdbuf();
    EXPECT_EQ(ss.str(), tricky);
    stdfs::remove(out);

    r = spawn(SpawnMode::Wait, "true", {"true"});  // bare names come from PATH
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, 0);
}

TEST(Spawn, FailuresAreErrors) {
    auto r = spawn(SpawnMode::Wait, "/no/such/program", {"x"});
    EXPECT_FALSE(r);
    EXPECT_EQ(errno, ENOENT);
    EXPECT_FALSE(spawn(SpawnMode::Wait, "", {}));
    // Ended by a signal: no exit status to report.
    EXPECT_FALSE(spawn(SpawnMode::Wait, "/bin/sh", {"sh", "-c", "kill -9 $$"}));
}

TEST(Spawn, NoWaitGivesAProcessToWaitFor) {
    auto pid = spawn(SpawnMode::NoWait, "/bin/sh", {"sh", "-c", "exit 9"});
    ASSERT_TRUE(pid);
    EXPECT_GT(*pid, 0);
    auto st = wait_process(*pid);
    ASSERT_TRUE(st);
    EXPECT_EQ(*st, 9);
    EXPECT_FALSE(wait_process(*pid));  // already reaped
}

TEST(Shell, ExitStatusNotWaitStatus) {
    ASSERT_TRUE(shell_available());
    auto r = run_shell("exit 7");
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, 7);
}

TEST(Env, ProcessEnvironment) {
    setenv("CH_FS_TEST_VAR", "v1", 1);
    EXPECT_EQ(get_env("CH_FS_TEST_VAR").value_or(""), "v1");
    unsetenv("CH_FS_TEST_VAR");
    EXPECT_FALSE(get_env("CH_FS_TEST_VAR"));
    EXPECT_FALSE(get_env(""));
    EXPECT_FALSE(get_env("A=B"));
}

// Drive paths given to programs and to the shell reach them as the files
// the file layer maps them to; everything else goes as it was given.
TEST(Shell, DrivePathsReachProgramsAsTheFilesTheyName) {
    auto root = stdfs::temp_directory_path() / ("ch_drives_" + std::to_string(getpid()));
    stdfs::create_directories(root / "Sub");
    file_layer().map_drive('Q', root.string());
    std::ofstream(root / "Sub" / "it's.txt") << "quoted\n";
    auto slurp = [](const stdfs::path& p) {
        std::stringstream ss;
        ss << std::ifstream(p).rdbuf();
        return ss.str();
    };

    auto r = run_shell("cat Q:\\SUB\\IT'S.TXT > q:/Sub/out.txt && printf %s a:b >> Q:\\Sub\\out.txt");
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, 0);
    EXPECT_EQ(slurp(root / "Sub" / "out.txt"), "quoted\na:b") << "names matched without regard to case, quotes kept";

    r = spawn(SpawnMode::Wait, "/bin/sh",
              {"sh", "-c", "cat \"$1\" > \"$2\"", "sh", "Q:\\SUB\\IT'S.TXT", "Q:/Sub/copy.txt"});
    ASSERT_TRUE(r);
    EXPECT_EQ(*r, 0);
    EXPECT_EQ(slurp(root / "Sub" / "copy.txt"), "quoted\n");
    EXPECT_EQ(host_argument("a:b"), "a:b");
    EXPECT_EQ(host_argument("-c"), "-c");
    EXPECT_EQ(host_command_line("echo  $HOME\tx"), "echo  $HOME\tx") << "other words and blanks as typed";
    stdfs::remove_all(root);
}
