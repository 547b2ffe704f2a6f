// The host at a terminal: run under a pseudo-terminal, keys typed as a
// person types them, and the screen read back.
#include <gtest/gtest.h>
#include <poll.h>
#include <pty.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <thread>

#include "../../tools/host_run.h"

namespace fs = std::filesystem;

namespace {

class Terminal : public cadhost::test::HostRun {
protected:
    void TearDown() override {
        if (m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
        }
        if (m_fd >= 0) close(m_fd);
        HostRun::TearDown();
    }
    void start(const std::string& args = "IN.DXF") {
        m_pid = forkpty(&m_fd, nullptr, nullptr, nullptr);
        ASSERT_GE(m_pid, 0);
        if (m_pid == 0) {
            if (chdir(dir.c_str()) != 0) _exit(127);
            setenv("XDG_STATE_HOME", (dir / "state").c_str(), 1);
            std::string cmd = "exec '" CH_CADHOST "' --drive C='" + dir.string() + "' " + args;
            execl("/bin/sh", "sh", "-c", cmd.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        ASSERT_TRUE(wait_for("Command: ")) << m_screen;
    }
    // Types the keys, then reads until `expect` shows after what was there.
    // Between two lines the terminal is back in its ordinary mode, so keys
    // are typed a moment after the prompt shows, as a person would.
    bool type(const std::string& keys, const std::string& expect) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        size_t from = m_screen.size();
        EXPECT_EQ(::write(m_fd, keys.data(), keys.size()), static_cast<ssize_t>(keys.size()));
        return wait_for(expect, from);
    }
    bool wait_for(const std::string& text, size_t from = 0) {
        auto end = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        while (m_screen.find(text, from) == std::string::npos) {
            if (std::chrono::steady_clock::now() > end) return false;
            pollfd p{m_fd, POLLIN, 0};
            if (poll(&p, 1, 100) <= 0) continue;
            char buf[4096];
            ssize_t n = ::read(m_fd, buf, sizeof buf);
            if (n <= 0) return false;
            m_screen.append(buf, static_cast<size_t>(n));
        }
        return true;
    }
    int exit_status() {
        int st = 0;
        for (int i = 0; i < 100; ++i) {
            if (waitpid(m_pid, &st, WNOHANG) == m_pid) {
                m_pid = -1;
                return WIFEXITED(st) ? WEXITSTATUS(st) : 128 + WTERMSIG(st);
            }
            char buf[4096];
            if (::read(m_fd, buf, sizeof buf) <= 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        return -1;
    }
    std::string m_screen;
    pid_t m_pid = -1;
    int m_fd = -1;
};

TEST_F(Terminal, CtrlCCancelsALineInProgressAndTheSessionGoesOn) {
    start();
    ASSERT_TRUE(type("LINE\r", "From point: ")) << m_screen;
    ASSERT_TRUE(type("0,0\r", "To point: ")) << m_screen;
    ASSERT_TRUE(type("\x03", "*Cancel*")) << m_screen;
    ASSERT_TRUE(wait_for("Command: ", m_screen.rfind("*Cancel*"))) << m_screen;
    // The signal itself (as another program or a terminal with signals sends
    // it) also only cancels, even twice in a row.
    ASSERT_TRUE(type("LINE\r", "From point: ")) << m_screen;
    size_t before = m_screen.size();
    kill(m_pid, SIGINT);
    ASSERT_TRUE(wait_for("*Cancel*", before)) << m_screen;
    before = m_screen.size();
    kill(m_pid, SIGINT);
    ASSERT_TRUE(wait_for("*Cancel*", before)) << "at \"Command: \" it cancels nothing harmful: " << m_screen;
    ASSERT_TRUE(type("LINE\r", "From point: ")) << m_screen;
    ASSERT_TRUE(type("0,0\r", "To point: ")) << m_screen;
    ASSERT_TRUE(type("5,5\r", "To point: ")) << m_screen;
    ASSERT_TRUE(type("\r", "Command: ")) << m_screen;
    ASSERT_TRUE(type("QUIT\r", "Really want to discard all changes")) << "the line was drawn: " << m_screen;
    ASSERT_TRUE(type("Y\r", "\n"));
    EXPECT_EQ(exit_status(), 0) << m_screen;
}

TEST_F(Terminal, EscapeCancelsAPrompt) {
    start();
    ASSERT_TRUE(type("ERASE\r", "Select objects: ")) << m_screen;
    ASSERT_TRUE(type("\x1b", "*Cancel*")) << m_screen;
    ASSERT_TRUE(type("QUIT\r", "\n")) << m_screen;
    EXPECT_EQ(exit_status(), 0) << "nothing was erased, so QUIT does not ask: " << m_screen;
}

TEST_F(Terminal, CtrlDAsksAboutUnsavedChangesAndNoKeepsTheSession) {
    start();
    ASSERT_TRUE(type("ERASE\r", "Select objects: ")) << m_screen;
    ASSERT_TRUE(type("L\r", "Select objects: ")) << m_screen;
    ASSERT_TRUE(type("\r", "Command: ")) << m_screen;
    ASSERT_TRUE(type("\x04", "Really want to discard all changes to drawing? <N>: ")) << m_screen;
    ASSERT_TRUE(type("N\r", "Command: ")) << m_screen;
    ASSERT_TRUE(type("\x04", "Really want to discard all changes")) << m_screen;
    ASSERT_TRUE(type("Y\r", "\n"));
    EXPECT_EQ(exit_status(), 0) << m_screen;
}

TEST_F(Terminal, ArrowUpRecallsThePreviousCommandAndHistoryIsKept) {
    start();
    ASSERT_TRUE(type("LIST\r", "Select objects: ")) << m_screen;
    ASSERT_TRUE(type("\x1b", "Command: ")) << m_screen;
    ASSERT_TRUE(type("\x1b[A\r", "Select objects: ")) << "up arrow brought LIST back: " << m_screen;
    ASSERT_TRUE(type("\x1b", "Command: "));
    ASSERT_TRUE(type("QUIT\r", "\n"));
    EXPECT_EQ(exit_status(), 0);
    EXPECT_NE(slurp("state/cadhost/history").find("LIST"), std::string::npos);
    // The next session starts with that history.
    m_screen.clear();
    start();
    ASSERT_TRUE(type("\x1b[A\x1b[A\r", "Select objects: ")) << "QUIT, then LIST: " << m_screen;
}

TEST_F(Terminal, TabCompletesCommandAndFileNames) {
    start();
    ASSERT_TRUE(type("LIN\t\r", "From point: ")) << m_screen;
    ASSERT_TRUE(type("\x1b", "Command: "));
    fs::copy_file(dir / "IN.DXF", dir / "PROJECT-ONE.DXF");
    ASSERT_TRUE(type("OPEN\r", "Enter name of drawing to open: ")) << m_screen;
    ASSERT_TRUE(type("proj\t\r", "Opened " + (dir / "PROJECT-ONE.DXF").string())) << m_screen;
    // Several commands with nothing more in common are listed under the line.
    ASSERT_TRUE(type("Q\t", "QSAVE  QUIT")) << m_screen;
}

TEST_F(Terminal, PromptsStartALineAndLispContinues) {
    start();
    ASSERT_TRUE(type("(princ \"no line end\")\r", "Command: ")) << m_screen;
    EXPECT_NE(m_screen.find("no line end\r\n"), std::string::npos) << "value and prompt on lines of their own: " << m_screen;
    ASSERT_TRUE(type("(+ 1\r", "(> ")) << "continuation prompt: " << m_screen;
    ASSERT_TRUE(type("2)\r", "3")) << m_screen;
    ASSERT_TRUE(type("(list\r", "(> ")) << m_screen;
    ASSERT_TRUE(type("\x03", "*Cancel*")) << "cancelled at the continuation prompt: " << m_screen;
    ASSERT_TRUE(type("QSAVE\r", "Saved " + (dir / "IN.DXF").string())) << m_screen;
}

}  // namespace
