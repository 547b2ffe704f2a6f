// The module-wide state of the application: the project configuration, the
// error variable, the install directory and the command shell's memory.
// It lives in one place, survives drawing changes, and tests can reset it.
#pragma once

#include <cstdio>

#include "project/fixed_text.h"
#include "project/project_config.h"

namespace wcraft {

inline constexpr const char* kInitialInstallDir = "C:\\SYMVAULT\\LIBRARY\\WCRAFT\\";
inline constexpr size_t kInputChars = 132;  // the host's string input holds 133 bytes

struct ShellState {
    FixedText<kInputChars> remembered;   // repeated on an empty answer
    FixedText<kInputChars> main_input;   // input buffer of the main prompt
    FixedText<kInputChars> menu_input;   // input buffer shared by the sub-menus
    int arg_mode = 0;                    // set while XWCRAFT runs
};

struct ModuleState {
    ProjectConfig config;
    int error = 0;  // the error variable; 0 means no error
    FixedText<255> install_dir;
    int first_load = 1;
    short stage = 0;  // post-processor stage
    int qrun = 0;     // post-processor quick-run flag
    // post-processor run state beside the stage
    FixedText<3> sheet_text;   // sheet text of the open drawing, "000" when none applies
    short sheet_no = 0;        // the sheet text as a number
    short drawing_count = 0;   // drawings the run's script processes
    short progress = 1;        // progress indicator counter
    FILE* dblog = nullptr;     // debug file, open from stage 1 to stage 5
    ShellState shell;
};

// The one module-wide state.
ModuleState& wcr();
// Back to the state of a freshly loaded module (for tests and kInitAppMsg).
void reset_module_state();

// Shorthands used throughout the module.
inline ProjectConfig& config() { return wcr().config; }
inline int& error_code() { return wcr().error; }

}  // namespace wcraft
