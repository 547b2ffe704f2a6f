// AutoLISP symbols and functions for applications: ads_putsym, ads_getsym,
// ads_invoke.
#include "ads/guard.h"
#include "host/adslist.h"
#include "lisp/interpreter.h"

using namespace cadhost;
using cadhost::ads::guarded;
using cadhost::host::Session;

extern "C" int ads_putsym(const char* sname, struct resbuf* value) {
    return guarded([&](Session& s) {
        lisp::Interpreter* l = s.lisp();
        if (!sname || !l) return RTERROR;
        auto items = ads::from_resbuf(value, s.drawing_serial());
        if (!items) return RTERROR;
        if (items->empty()) items->push_back(lisp::AdsValue{RTNIL, {}});
        return l->set_symbol(sname, *items).ok() ? RTNORM : RTERROR;
    }, RTERROR);
}

extern "C" int ads_getsym(const char* sname, struct resbuf** value) {
    return guarded([&](Session& s) {
        lisp::Interpreter* l = s.lisp();
        if (!sname || !value || !l) return RTERROR;
        auto items = l->get_symbol(sname);
        if (!items) return RTERROR;
        *value = ads::to_resbuf(*items, s.drawing_serial());
        if (!*value) *value = ads_newrb(RTNIL);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_invoke(const struct resbuf* args, struct resbuf** result) {
    return guarded([&](Session& s) {
        lisp::Interpreter* l = s.lisp();
        if (!args || !result || !l) return RTERROR;
        *result = nullptr;
        auto items = ads::from_resbuf(args, s.drawing_serial());
        if (!items) return RTERROR;
        auto r = l->invoke(*items);
        if (!r) return RTERROR;
        *result = ads::to_resbuf(*r, s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}
