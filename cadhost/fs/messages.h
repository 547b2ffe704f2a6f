// Message texts of the file layer, in one place.
#pragma once

namespace cadhost::fs::msg {

inline constexpr const char* kNoDrive = "drive is not mapped to a folder: ";
inline constexpr const char* kEmptyPath = "empty path";
inline constexpr const char* kBadMode = "bad file open mode: ";
inline constexpr const char* kExists = "target already exists: ";
inline constexpr const char* kNoProgram = "no program given";
inline constexpr const char* kSpawnFailed = "cannot start ";
inline constexpr const char* kSignalled = "program ended by signal ";
inline constexpr const char* kNoShell = "no shell to run the command";

}  // namespace cadhost::fs::msg
