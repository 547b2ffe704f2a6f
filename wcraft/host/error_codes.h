// The module's error codes. Codes come in blocks of ten: the block selects
// the message, the last digit names the place that raised it.
#pragma once

namespace wcraft {

enum ErrorCode : int {
    ERR_NONE = 0,
    ERR_ARX_RESULT = 1002,
    ERR_ARX_RESULT2 = 1003,
    ERR_CONSOLE_BREAK = 1006,
    ERR_CFG_OPEN_W = 1050,
    ERR_CFG_OPEN_R = 1051,
    ERR_CFG_EOF = 1052,
    ERR_CFG_HEADER = 1053,
    ERR_CFG_VERSION = 1054,
    ERR_CFG_FOOTER = 1055,
    ERR_CFG_VERSION_MISSING = 1056,
    ERR_BUFFER_ALLOC = 1090,
    ERR_MEMORY_ALLOC = 1091,
    ERR_DIALOG_RETURN = 1092,
};

}  // namespace wcraft
