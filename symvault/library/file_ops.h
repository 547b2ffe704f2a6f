// Files through the host's file layer, as every part that writes them
// needs: whole-file replacement that keeps the old file until the new one
// is complete, binary copies, line reading and directory creation.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace symvault {

bool file_exists(const std::string& path);
bool dir_exists(const std::string& path);

// Puts `fresh` in place of `target`; the old target comes back on failure.
bool replace_file(const std::string& fresh, const std::string& target);
// Writes the whole content beside the target (target + "$") and puts it in
// place only when every byte was written; the old file stays otherwise.
bool write_whole_file(const std::string& target, const std::string& content);
std::string joined_lines(const std::vector<std::string>& lines);

// A byte-for-byte copy; a copy that cannot be completed removes the
// partial target. `stop` (optional) is asked between blocks: a user break.
enum CopyResult { COPY_OK = 0, COPY_FAILED = 1, COPY_BROKEN = 2 };
CopyResult copy_binary(const std::string& from, const std::string& to, bool (*stop)() = nullptr);

std::optional<std::string> read_binary(const std::string& path);
// The lines of a text file, each cut at its line feed with the trailing
// blanks removed; nullopt when it cannot be opened or read.
std::optional<std::vector<std::string>> read_clean_lines(const std::string& path);
// The same, each line exactly as it stands but without its line feed.
std::optional<std::vector<std::string>> read_raw_lines(const std::string& path);

enum MakeDir { DIR_MADE = 0, DIR_EXISTS = 1, DIR_FAILED = 2 };
MakeDir make_dir(const std::string& path);

// The host's search for a file (drawing folder and search path); empty
// when it is not found.
std::string find_host_file(const std::string& name);

// The names of the plain files matching a pattern.
std::vector<std::string> list_files(const std::string& pattern);

}  // namespace symvault
