// The eighteen registered functions and commands; an entry's code is its index.
#pragma once

#include "host/host_api.h"

namespace symvault {

using Handler = Reply (*)(const struct resbuf* args);

struct FunctionEntry {
    const char* name;
    Handler handler;
    int dispatched;  // called through the invoke message; else a direct handler
    int quiet;       // returns nothing to AutoLISP
};

inline constexpr short kFunctionCount = 18;
extern const FunctionEntry kFunctionTable[kFunctionCount];

// What entries that are not dispatched register with ads_regfunc.
using DirectHandler = int (*)(void);
extern const DirectHandler kDirectHandlers[kFunctionCount];

// Runs entry `code` as a call from AutoLISP: clears the error code, calls the
// handler with the call's arguments, reports an error it left, and hands the
// reply (nil by default, nothing for quiet entries) to the host.
void run_entry(short code);

}  // namespace symvault
