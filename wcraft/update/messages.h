// The texts and error codes of the write-back into the drawings.
#pragma once

namespace wcraft {

enum UpdateError : int {
    ERR_UPDATE_ERASE_FILTER = 2053,  // a selection filter for erasing cannot be built
    ERR_UPDATE_TEXT_LIST = 2054,     // a wire number TEXT list cannot be built
};

}  // namespace wcraft

namespace wcraft::umsg {

inline constexpr const char* kNodeBlock = "WIRENODE";
inline constexpr const char* kLegacyPrefix = "VUZA1";  // layers of an older number text scheme
inline constexpr const char* kWiresStart = "\nUpdating wire number information...";
inline constexpr const char* kNoNodeBlock = "\n:Warning, %s%s%s block not found...";
inline constexpr const char* kTextFailed = "\n:Error, Wire number entity creation failure!";
inline constexpr const char* kRedefineFailed = "\n:Error, inserting redefine wirenode block!";
inline constexpr const char* kInsertFailed = "\n:Error, inserting wirenode block!";
inline constexpr const char* kTick = ".\b";

}  // namespace wcraft::umsg
