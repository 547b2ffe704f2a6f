// What Tab completes at a terminal: command names at "Command: " (the
// host's, the applications' and AutoLISP's) and file names at file prompts.
#pragma once

#include <string>
#include <vector>

#include "cmd/commandline.h"

namespace cadhost::cmd {

// Every command a name typed at "Command: " can run: host commands, then
// the commands applications and AutoLISP define, each once, in name order.
struct CommandEntry {
    std::string name;    // upper case, without "C:"
    std::string source;  // "" for the host's own, else who defines it
};
std::vector<CommandEntry> known_commands(CommandLine& cl);

// Names that complete `word`; "_" and "." prefixes are kept.
std::vector<std::string> complete_command(CommandLine& cl, const std::string& word);
// Files and folders that complete `word` (a path as typed, Windows style or
// not); folders end with a separator so that Tab can go on into them.
std::vector<std::string> complete_file(const host::Session& s, const std::string& word);

}  // namespace cadhost::cmd
