// Runs a shell command and gathers what it prints, for end-to-end tests.
#pragma once

#include <sys/wait.h>

#include <cstdio>
#include <string>

namespace test_tools {

struct CommandOutput {
    int status = -1;  // exit status; -1 when it did not start or exit normally
    std::string out;
};

inline CommandOutput command_output(const std::string& cmd) {
    CommandOutput r;
    FILE* p = popen(cmd.c_str(), "r");
    if (!p) return r;
    char buf[4096];
    while (size_t n = fread(buf, 1, sizeof buf, p)) r.out.append(buf, n);
    int st = pclose(p);
    r.status = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return r;
}

}  // namespace test_tools
