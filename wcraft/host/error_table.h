// Error code to message lookup.
#pragma once

namespace wcraft {

// The message printed for an error code; "Undefined error code " for codes
// outside the table.
const char* error_message(int code);

}  // namespace wcraft
