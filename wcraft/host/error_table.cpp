// The table of error messages: single codes first, then blocks of ten.
#include "host/error_table.h"

#include <cstdio>

#include "host/messages.h"

namespace wcraft {

namespace {

struct SingleCode {
    int code;
    const char* message;
};

const SingleCode kSingles[] = {
    {1002, "Unexpected result from ARX function"},
    {1003, "Unexpected result from ARX function"},
    {1006, "Console break"},
    {1050, "File open error (w), WCRAFT config file"},
    {1051, "File open error (r), WCRAFT config file"},
    {1052, "Unexpected end of file, config file corrupt"},
    {1053, "Config file header incorrect, config file corrupt"},
    {1054, "Config file version incorrect, config file corrupt"},
    {1055, "Config file footnote incorrect, config file corrupt"},
    {1056, "Config file Version header missing, config file corrupt"},
    {1090, "Buffer allocation failure"},
    {1091, "Memory allocation failure"},
    {1092, "Dialog box return error"},
};

// Blocks of ten codes sharing one message, by their first code.
const SingleCode kBlocks[] = {
    {2000, "Project drawing file names incorrect"},
    {2010, "Can't open post process script file"},
    {2020, "Can't open post process error log file"},
    {2030, "Can't open wire listing file"},
    {2050, "Buildlist failure"},
    {2060, "SSname failure"},
    {2070, "Unexpected result obtained from entlist"},
    {2080, "SSlength failure"},
    {2090, "Memory allocation failure"},
    {3000, "Invalid post process option value"},
    {3010, "Invalid post process stage value"},
    {3020, "Unexpected result from ads_getvar, drawing not saved"},
    {3030, "Unexpected result from ads_getvar"},
    // 3040 QSAVE of the save step, 3041 ERASE and 3042 LAYER of the wire
    // number write-back, 3043 ERASE or LAYER of the coil text layer.
    {3040, "Unexpected result from ads_command"},
    {3050, "Unexpected result from ads_entnext"},
    {3060, "Unexpected result from ads_entget"},
};

}  // namespace

const char* error_message(int code) {
    for (const SingleCode& s : kSingles)
        if (s.code == code) return s.message;
    for (const SingleCode& b : kBlocks)
        if (code >= b.code && code <= b.code + 9) return b.message;
    return "Undefined error code ";
}

std::string error_report_text(int code) {
    char prefix[64];
    snprintf(prefix, sizeof prefix, msg::kErrorPrefix, code);
    return std::string(prefix) + error_message(code);
}

}  // namespace wcraft
