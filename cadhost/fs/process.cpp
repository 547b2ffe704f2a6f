// Environment lookup and program start without a shell.
#include "fs/process.h"

#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "fs/filelayer.h"
#include "fs/messages.h"

extern char** environ;

namespace cadhost::fs {

namespace {

constexpr const char* kShell = "/bin/sh";

bool is_file(const std::string& p) {
    struct stat st;
    return ::stat(p.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The host path of a program named with a folder or drive.
std::string program_path(const std::string& program) {
    std::string p = file_layer().resolve(program);
    if (is_file(p)) return p;
    std::string u = upper_ascii(program);
    if (u.size() > 4 && u.compare(u.size() - 4, 4, ".EXE") == 0) {
        std::string bare = file_layer().resolve(program.substr(0, program.size() - 4));
        if (is_file(bare)) return bare;
    }
    return p;
}

Result<int> start(const std::string& path, bool search, const std::vector<std::string>& args) {
    std::vector<char*> argv;
    for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    if (argv.empty()) argv.push_back(const_cast<char*>(path.c_str()));
    argv.push_back(nullptr);
    std::fflush(nullptr);  // the child's output comes after ours
    pid_t pid = 0;
    int rc = search ? posix_spawnp(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ)
                    : posix_spawn(&pid, path.c_str(), nullptr, nullptr, argv.data(), environ);
    if (rc != 0) {
        errno = rc;
        return Error(msg::kSpawnFailed + path + ": " + std::strerror(rc));
    }
    return static_cast<int>(pid);
}

}  // namespace

std::optional<std::string> get_env(const std::string& name) {
    if (name.empty() || name.find('=') != std::string::npos) return std::nullopt;
    const char* v = std::getenv(name.c_str());
    if (!v) return std::nullopt;
    return std::string(v);
}

Result<int> wait_process(int pid) {
    int status = 0;
    while (::waitpid(pid, &status, 0) < 0) {
        if (errno != EINTR) return Error(std::string("wait: ") + std::strerror(errno));
    }
    if (WIFEXITED(status)) return WEXITSTATUS(status);
    errno = EINTR;
    return Error(msg::kSignalled + std::to_string(WIFSIGNALED(status) ? WTERMSIG(status) : 0));
}

namespace {

// A drive and a folder from its root: "C:\..." or "c:/...".
bool drive_path(const std::string& word) {
    return has_drive(word) && word.size() >= 3 && (word[2] == '\\' || word[2] == '/');
}

std::string shell_quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

}  // namespace

std::string host_argument(const std::string& arg) { return drive_path(arg) ? file_layer().resolve(arg) : arg; }

std::string host_command_line(const std::string& line) {
    std::string out;
    size_t i = 0;
    while (i < line.size()) {
        if (line[i] == ' ' || line[i] == '\t') {
            out += line[i++];
            continue;
        }
        size_t end = std::min(line.find_first_of(" \t", i), line.size());
        std::string word = line.substr(i, end - i);
        out += drive_path(word) ? shell_quoted(file_layer().resolve(word)) : word;
        i = end;
    }
    return out;
}

Result<int> spawn(SpawnMode mode, const std::string& program, const std::vector<std::string>& args) {
    if (program.empty()) return errno = ENOENT, Error(msg::kNoProgram);
    bool placed = program.find_first_of("/\\") != std::string::npos || has_drive(program);
    std::string path = placed ? program_path(program) : program;
    if (path.empty()) return errno = ENOENT, Error(msg::kSpawnFailed + program);
    std::vector<std::string> host_args = args;
    for (size_t i = 1; i < host_args.size(); ++i) host_args[i] = host_argument(host_args[i]);
    int pid = CH_TRY(start(path, !placed, host_args));
    if (mode == SpawnMode::NoWait) return pid;
    return wait_process(pid);
}

Result<int> run_shell(const std::string& command) {
    if (!shell_available()) return errno = ENOENT, Error(msg::kNoShell);
    int pid = CH_TRY(start(kShell, false, {"sh", "-c", host_command_line(command)}));
    return wait_process(pid);
}

bool shell_available() { return ::access(kShell, X_OK) == 0; }

}  // namespace cadhost::fs
