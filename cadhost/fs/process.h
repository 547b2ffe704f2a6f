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

// Programs know nothing of drives: an argument that is a drive path
// ("C:\DIR\F.TXT", "c:/dir/f.txt") is handed over as the host path the
// file layer maps it to; other arguments go as they are.
std::string host_argument(const std::string& arg);
// A command line for the shell with each blank-separated word that is a
// drive path replaced by its host path, quoted so that its characters
// stay as they are; the rest of the line is left as typed.
std::string host_command_line(const std::string& line);

// Starts `program` with `args` as its argument vector (args[0] is the
// program's own name by convention; the others pass host_argument). A
// program given with a folder or a drive is resolved by the file layer (a
// Windows ".EXE" suffix is dropped when only the name without it exists); a
// bare name is looked up in PATH. Wait: the program's exit status; NoWait:
// its process id. Errors leave errno set.
Result<int> spawn(SpawnMode mode, const std::string& program, const std::vector<std::string>& args);
// Waits for a program started with NoWait; its exit status.
Result<int> wait_process(int pid);
// Runs a command line (after host_command_line) through /bin/sh; the
// command's exit status.
Result<int> run_shell(const std::string& command);
// Whether a shell is there for run_shell.
bool shell_available();

}  // namespace cadhost::fs
