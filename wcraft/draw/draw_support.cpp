// Host variable, command echo and install path helpers of the drawing
// commands.
#include "draw/draw_support.h"

#include <cstdlib>
#include <cstring>

#include "host/module_state.h"

namespace wcraft {

SavedVar::SavedVar(const char* name) : m_name(name) {
    m_read = ads_getvar(name, &m_value) == RTNORM;
}

SavedVar::~SavedVar() {
    if (m_read && m_value.restype == RTSTR) free(m_value.resval.rstring);
}

void SavedVar::restore() {
    if (m_read) ads_setvar(m_name, &m_value);
}

void set_short_var(const char* name, int value) {
    struct resbuf rb {};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    ads_setvar(name, &rb);
}

void echo_off() { set_short_var("CMDECHO", 0); }

namespace {

bool command_active() {
    struct resbuf rb {};
    return ads_getvar("CMDACTIVE", &rb) == RTNORM && rb.restype == RTSHORT && rb.resval.rint != 0;
}

}  // namespace

void finish_with_user_answers() {
    char answer[kInputChars + 1];
    while (command_active()) {
        // The waiting command has printed its prompt already.
        if (ads_getstring(1, "", answer) != RTNORM) {
            ads_command(RTSTR, "^C", 0);  // the host's cancel, for the command still waiting
            return;
        }
        if (ads_command(RTSTR, answer, 0) != RTNORM && !command_active()) return;
    }
}

std::string install_path(const char* name) { return std::string(wcr().install_dir.c_str()) + name; }

void make_layer_current(const char* layer) {
    ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, layer, RTSTR, "", 0);
}

}  // namespace wcraft
