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

}  // namespace wcraft
