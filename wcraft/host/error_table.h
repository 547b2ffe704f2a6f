// Error code to message lookup.
#pragma once

#include <string>

namespace wcraft {

// The message printed for an error code; "Undefined error code " for codes
// outside the table.
const char* error_message(int code);
// The whole report line: "\nError : WCRAFT(<code>), " and the message.
std::string error_report_text(int code);

}  // namespace wcraft
