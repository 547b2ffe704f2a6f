// The save-drawing check before a script replaces the open drawing: an
// unmodified drawing goes on at once, a modified one is saved or, when
// the user says no, saved under a scratch name so that its file stays as
// it was.
#include <cctype>
#include <cstdlib>
#include <cstring>
#include <string>

#include "host/host_api.h"
#include "host/message_dialogs.h"
#include "host/module_state.h"
#include "host/setup.h"
#include "postproc/messages.h"
#include "postproc/run_files.h"
#include "postproc/postproc.h"

namespace wcraft {

namespace {

bool release14() {
    struct resbuf rb {};
    if (ads_getvar("ACADVER", &rb) != RTNORM || rb.restype != RTSTR || !rb.resval.rstring) return false;
    bool r14 = strncmp(rb.resval.rstring, "14", 2) == 0;
    free(rb.resval.rstring);
    return r14;
}

bool command_active() {
    struct resbuf rb {};
    return ads_getvar("CMDACTIVE", &rb) == RTNORM && rb.restype == RTSHORT && rb.resval.rint == 1;
}

std::string drawing_name() { return host_string_var("DWGNAME"); }

// The name the host gives a drawing not yet saved under a name of its own.
std::string unnamed_name(bool r14) {
    if (!r14) return pmsg::kUnnamedR13;
    std::string name = pmsg::kUnnamedR14;
    for (const char* p = kDrawingExt; *p; ++p) name += static_cast<char>(tolower(static_cast<unsigned char>(*p)));
    return name;
}

void answer(const char* text) { ads_command(RTSTR, text, 0); }

void save_drawing(bool r14) {
    if (drawing_name() != unnamed_name(r14)) {
        answer("QSAVE");
        return;
    }
    if (!r14) {
        ads_command(RTSTR, "QSAVE", RTSTR, "", 0);
        if (command_active()) answer("Y");
        return;
    }
    answer("QSAVE");
    if (command_active()) answer("");
    if (command_active()) answer("Y");
}

void save_scratch(bool r14) {
    if (r14) ads_command(RTSTR, "SAVEAS", RTSTR, "", RTSTR, pmsg::kScratchName, 0);
    else ads_command(RTSTR, "SAVEAS", RTSTR, pmsg::kScratchName, 0);
    if (command_active()) answer("Y");
}

}  // namespace

int save_drawing_check() {
    struct resbuf dbmod {};
    if (ads_getvar("DBMOD", &dbmod) == RTNORM && dbmod.restype == RTSHORT && dbmod.resval.rint == 0) return 1;
    int a = wcr_yesno(pmsg::kModifiedTitle, "", pmsg::kModifiedDetail);
    if (a == ANSWER_CANCEL) return 9;
    bool r14 = release14();
    if (a == ANSWER_YES) save_drawing(r14);
    else save_scratch(r14);
    return 1;
}

}  // namespace wcraft
