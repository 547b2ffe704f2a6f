// What a run is made of: the run files named after the project, the sheet
// texts, the project's drawings in script order and the control flag lines.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "project/project_config.h"

namespace wcraft {

// install directory + "PROCESS" + "\" + project name + "." + ext
std::string run_file(const char* ext);
// A drawing's place in a run as text: "001" .. "999", unpadded from 1000.
std::string sheet_text_of(int position);
// The drawings of a multi-sheet run in script order, without extension
// where the listing gave an upper-case drawing extension.
std::vector<std::string> run_drawings(const ProjectConfig& c);
// The fifteen post-processor control flags in the order of their lines.
void control_flags(const ProjectConfig& c, int (&flags)[15]);
// Writes the fifteen control lines to `out`, or to the command line when
// `out` is null.
void write_control_lines(const ProjectConfig& c, FILE* out);
// Lists `pattern` in the file layer's order, files only.
std::vector<std::string> list_files(const std::string& pattern);
// Sends "_.SCRIPT" with the path after telling the shell to leave.
int start_script(const std::string& path);
// Empties the four report files and opens the new script and log for
// writing, each beside the file it is to replace. On failure the error
// code names a file that failed (a report file that cannot be emptied
// keeps its old text and does not stop the others being tried),
// everything opened is closed and removed again and false is returned.
bool open_run_files(FILE*& script, FILE*& log);
// One script line and its newline.
void script_line(FILE* script, const std::string& text);
// The script line that sets wcrshtn to `sheet`.
std::string script_sheet_line(const std::string& sheet);
// The log's first lines: `title`, a rule of `rule` "=" and the project's
// name, title and directory.
void write_log_title(FILE* log, const char* title, int rule, const ProjectConfig& c);
// Notes in the log that the script is complete, closes both and puts them
// in place of the old script and log. When either could not be written
// whole, neither replaces its old file and the error code is 2010 (the
// script) or 2020 (the log); a move that fails leaves that file and the
// ones after it as they were. True when both are in place.
bool close_run_files(FILE* script, FILE* log);
// A newline and a rule of `width` "=" on the command line.
void print_rule(int width);
// Ends a run that cannot start: stage back to 0, the error reported.
// Returns 1.
int stop_run();
// A host variable's string value; "" when it has none.
std::string host_string_var(const char* name);

}  // namespace wcraft
