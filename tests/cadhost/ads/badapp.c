/* An application built for an interface version the host refuses. */
#include "acrx.h"

int acrxEntryPoint(int msg, void* app) {
    (void)msg;
    (void)app;
    return 0;
}

int acrxGetApiVersion(void) { return 0x10001; }
