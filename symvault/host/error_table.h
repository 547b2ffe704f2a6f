// Error codes and the text the error report prints for each.
#pragma once

#include <string>

namespace symvault {

// The user has already been told: the report clears it without a word.
inline constexpr int kAlreadyTold = 9999;

// The message of a code, or null for a code outside the table.
const char* error_message(int code);
// What the error report prints: "SYMVAULT : Error(<code>), ", the message
// (or "Undefined error code ") and a line feed; nothing for kAlreadyTold.
std::string error_report_text(int code);

}  // namespace symvault
