// Message handling of the entry point, callable from tests.
#pragma once

extern "C" {
int acrxEntryPoint(int msg, void* app_id);
int acrxGetApiVersion(void);
void _SetacrxPtp(void* ptp);
}

namespace wcraft {

void on_init_app();
// Registers the sixteen functions; loads the defaults on the first success.
int register_functions();
// Runs the function the host asks for and reports its error afterwards.
void dispatch();

}  // namespace wcraft
