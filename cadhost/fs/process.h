// The environment and starting programs for applications: programs run
// directly with their arguments, never through a shell; the shell is used
// only by run_shell, the host's SHELL command.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "core/result.h"

namespace cadhost::fs {

enum class SpawnMode { Wait, NoWait };

// The value of a process environment variable, or nullopt.
std::optional<std::string> get_env(const std::string& name);

// Starts `program` with `args` as its argument vector (args[0] is the
// program's own name by convention). A program given with a folder or a
// drive is resolved by the file layer (a Windows ".EXE" suffix is dropped
// when only the name without it exists); a bare name is looked up in PATH.
// Wait: the program's exit status; NoWait: its process id. Errors leave
// errno set.
Result<int> spawn(SpawnMode mode, const std::string& program, const std::vector<std::string>& args);
// Waits for a program started with NoWait; its exit status.
Result<int> wait_process(int pid);
// Runs a command line through /bin/sh; the command's exit status.
Result<int> run_shell(const std::string& command);
// Whether a shell is there for run_shell.
bool shell_available();

}  // namespace cadhost::fs
