// The module-wide state of the library manager: settings, the error code,
// the help context, the tool functions' memory, the loaded libraries and
// the picker's remembered position. One place, reset for tests.
#pragma once

#include "host/settings.h"
#include "library/records.h"

namespace symvault {

struct ModuleState {
    Settings settings;
    int error = 0;          // set by a failing operation, cleared by the report
    int help_context = 0;   // topic of the dialog that is open
    short batch_flag = 0;   // SV_TOOLS_SETBATCH_FLAG / GETBATCH_FLAG
    bool search_open = false;  // SV_TOOLS_GETFILENAME's directory search
    long search_handle = -1;
    LibraryList libraries;  // loaded libraries, in load order
    int picker_x = -1, picker_y = -1;  // where the picker was last closed by a double click
    int menu_loaded = 0;    // the product's menu group is loaded in the host
    double slide_magnification = 100.0;  // remembered from one symbol slide to the next
};

ModuleState& sv();
// Back to the state of a freshly loaded module (kInitAppMsg and tests).
void reset_module_state();

inline int& error_code() { return sv().error; }
inline Settings& settings() { return sv().settings; }

}  // namespace symvault
