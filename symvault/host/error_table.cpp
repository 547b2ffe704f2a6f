// The error codes of the library manager and their messages.
#include "host/error_table.h"

#include <cstdio>

#include "host/messages.h"

namespace symvault {

namespace {

struct ErrorRow {
    int first, last;  // a range of codes sharing one message
    const char* message;
};

const ErrorRow kErrors[] = {
    {5001, 5001, "Symvault library creation error : Out of memory!"},
    {5002, 5002, "No group name specified in Symvault library file!"},
    {5003, 5003, "Unexpected failure loading Symvault library!"},
    {5004, 5004, "Unexpected failure to find group name in Symvault library!"},
    {5005, 5005, "Unexpected failure to find symbol page in Symvault library!"},
    {5006, 5006, "Symvault library editor error : Out of memory!"},
    {5091, 5091, "Symvault library editor error : Out of memory!"},
    {5007, 5007, "Unexpected failure searching library structure!"},
    {5008, 5008, "Unexpected failure searching library structure!"},
    {5009, 5009, "Unexpected failure searching library structure!"},
    {5011, 5011, "Unexpected failure searching library structure!"},
    {5012, 5012, "Unexpected failure searching library structure!"},
    {5013, 5013, "Unexpected failure searching library structure!"},
    {5020, 5020, "Unexpected failure searching entity list!"},
    {5023, 5023, "Symvault library file, missing scale options marker!"},
    {5024, 5024, "Symvault library file, unexpected end of file encountered!"},
    {5028, 5028, "Symvault library file, unexpected end of file encountered!"},
    {5025, 5025, "Symvault library creation error : Out of memory!"},
    {5026, 5026, "Symvault library creation error : Out of memory!"},
    {5027, 5027, "No symbol option name specifiedin Symvault library file!"},
    {5029, 5029, "Symvault library file, missing end of file marker!"},
    {5030, 5030, "File open error (w), on symvault library file"},
    {5031, 5031, "File open error (r), on symvault library file"},
    {5033, 5033, "File write error, on symvault library file"},
    {5034, 5034, "File write error, on symvault menu .MNS file"},
    {5035, 5035, "File open error (w), on menu file .MNS"},
    {5036, 5036, "File open error (r), on menu file .MNU"},
    {5040, 5040, "Invalid GROUP name specified in SV_USELIB function!"},
    {5041, 5041, "Invalid PAGE number specified in SV_USELIB function!"},
    {5051, 5051, "Slide library creation error : Out of memory!"},
    {5052, 5052, "Error, opening slide file!"},
    {5053, 5053, "Error, opening slide file!"},
    {5061, 5061, "Error, file creation failed!"},
    {5062, 5062, "Operation cancelled by user!"},
    {5063, 5065, "Out of disk space!"},
    {5071, 5074, "Unexpected internal error!"},
    {5075, 5077, "Application lib error : Out of memory!"},
    {5078, 5078, "File open error (w), on application library file!"},
    {5081, 5081, "Library load from disk error : Out of memory!"},
    {5082, 5082, "Library load from disk error : Out of memory!"},
    {5100, 5100, "Unable to locate menu source file!"},
    {5101, 5101, "Unable to retrieve menu name from AutoCAD!"},
    {5102, 5102, "Unable to retrieve menu name from AutoCAD!"},
    {5103, 5103, "Unable to find menu template file!"},
    {5104, 5104, "Unable to find menu file .MNU!"},
    {5105, 5105, "File open error (r) on menu file .MNU!"},
    {5106, 5106, "File open error (w) on tempary file!"},
    {5107, 5107, "Could not interpret menu file!"},
    {5108, 5108, "File open error (r) on template menu file!"},
    {5109, 5109, "Unexpected menu name returned from AutoCAD!"},
    {5111, 5115, "File read error!"},
    {5120, 5120, "Aborted by user!"},
    {5151, 5151, "File open error (w) on library LT menu file .MNU!"},
    {5152, 5152, "File open error (w) on library LT list file .LST!"},
};

}  // namespace

const char* error_message(int code) {
    for (const ErrorRow& r : kErrors)
        if (code >= r.first && code <= r.last) return r.message;
    return nullptr;
}

std::string error_report_text(int code) {
    if (code == kAlreadyTold) return "";
    char prefix[64];
    snprintf(prefix, sizeof prefix, msg::kErrorPrefix, code);
    const char* m = error_message(code);
    return std::string(prefix) + (m ? m : msg::kUndefinedError) + "\n";
}

}  // namespace symvault
