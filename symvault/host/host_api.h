// The host's C interface as this module sees it, and the small wrappers
// over it that every part shares.
#pragma once

#include <string>

#include "acrx.h"
#include "ads.h"
#include "adsdlg.h"
#include "host/reply.h"
#include "rtlib.h"

namespace symvault {

// Hands a reply to the host for the call in progress.
void deliver(const Reply& r);
// The string value of a host variable; empty when it has none.
std::string host_string_var(const char* name);
// Sets a short host variable.
void set_short_var(const char* name, short value);

}  // namespace symvault
