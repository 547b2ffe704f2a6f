// The module's answers to the host's application messages.
#pragma once

namespace symvault {

// Message 1: settings from the environment and the host, the version line.
void initialise();
// Message 3: registers the function table; RTNORM or RTERROR.
int define_functions();
// Message 5: runs the function the host names.
void dispatch();
// Message 4: every loaded library is dropped.
void unload_libraries();

}  // namespace symvault
