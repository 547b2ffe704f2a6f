// AutoLISP variables that support files and post-processor scripts read.
#include "host/publish.h"

#include <string>

#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"

namespace wcraft {

int put_string_sym(const char* name, const char* value) {
    struct resbuf rb {};
    rb.restype = RTSTR;
    rb.resval.rstring = const_cast<char*>(value);
    return ads_putsym(name, &rb);
}

int put_int_sym(const char* name, int value) {
    struct resbuf rb {};
    rb.restype = RTSHORT;
    rb.resval.rint = static_cast<short>(value);
    return ads_putsym(name, &rb);
}

void publish_lisp_vars() {
    struct resbuf echo {};
    echo.restype = RTSHORT;
    echo.resval.rint = 0;
    ads_setvar("CMDECHO", &echo);
    ModuleState& s = wcr();
    std::string prodir = std::string(s.install_dir.c_str()) + "PROCESS" + "\\";
    put_string_sym("WCRidir", s.install_dir.c_str());
    put_string_sym("WCRprodir", prodir.c_str());
    put_string_sym("WCRpname", s.config.p_name.c_str());
    put_string_sym("WCRpdir", s.config.p_dir.c_str());
    put_string_sym("WCRptitle", s.config.p_title.c_str());
    put_string_sym("WCRfsep", "\\");
    put_int_sym("WCRstage", s.stage);
    put_int_sym("WCRqrun", s.qrun);
}

void print_banner() { ads_printf(msg::kProjectBanner, config().p_name.c_str(), config().p_title.c_str()); }

}  // namespace wcraft
