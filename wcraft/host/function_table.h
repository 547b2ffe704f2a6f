// The table of AutoLISP functions and commands the application registers,
// indexed by the function code the host hands back on invocation.
#pragma once

namespace wcraft {

struct FunctionEntry {
    const char* name;
    int (*handler)();         // run by the dispatcher
    int (*direct)();          // also registered for direct calls; may be null
};

inline constexpr int kFunctionCount = 16;
extern const FunctionEntry kFunctionTable[kFunctionCount];

// Prints that a function or keyword exists but is not built yet; returns 1.
int not_built(const char* what);

}  // namespace wcraft
