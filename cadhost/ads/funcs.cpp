// Registration of application functions, their arguments and results.
#include <climits>

#include "ads/guard.h"
#include "host/rbconv.h"
#include "lisp/interpreter.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Session;

namespace {
// Stores a result chain (taken over) for the call in progress.
int set_result(Session& s, struct resbuf* rb) {
    host::CallFrame* f = s.call_frame();
    if (!f) {
        ads_relrb(rb);
        return RTERROR;
    }
    host::release_chain(f->result);
    f->result = rb;
    f->has_result = true;
    return RTNORM;
}
}  // namespace

extern "C" int ads_defun(const char* sname, short funcno) {
    return guarded([&](Session& s) {
        host::LoadedApp* app = s.apps().current();
        if (!sname || !*sname || !app || funcno < 0) return RTERROR;
        s.apps().defun(host::FunctionDef{host::to_upper(sname), app->id, funcno});
        if (lisp::Interpreter* l = s.lisp()) l->define_external(sname, app->id, funcno);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_undef(const char* sname, short funcno) {
    return guarded([&](Session& s) {
        host::LoadedApp* app = s.apps().current();
        if (!sname || !app) return RTERROR;
        if (!s.apps().undef(sname, app->id, funcno)) return RTERROR;
        if (lisp::Interpreter* l = s.lisp()) l->undefine_external(sname, app->id);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_regfunc(int (*fhdl)(void), short fcode) {
    return guarded([&](Session& s) {
        host::LoadedApp* app = s.apps().current();
        if (!fhdl || !app) return RTERROR;
        app->direct[fcode] = fhdl;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_getfuncode(void) {
    return guarded([&](Session& s) {
        host::CallFrame* f = s.call_frame();
        return f ? static_cast<int>(f->code) : RTERROR;
    }, RTERROR);
}

extern "C" struct resbuf* ads_getargs(void) {
    return guarded([&](Session& s) -> struct resbuf* {
        host::CallFrame* f = s.call_frame();
        return f ? host::copy_chain(f->args) : nullptr;
    }, nullptr);
}

extern "C" int ads_retlist(const struct resbuf* rbuf) {
    return guarded([&](Session& s) {
        // A list result is bracketed, as (list ...) would give it.
        struct resbuf* head = ads_newrb(RTLB);
        if (!head) return RTERROR;
        head->rbnext = host::copy_chain(rbuf);
        if (rbuf && !head->rbnext) return ads_relrb(head), RTERROR;
        struct resbuf* t = head;
        while (t->rbnext) t = t->rbnext;
        t->rbnext = ads_newrb(RTLE);
        if (!t->rbnext) return ads_relrb(head), RTERROR;
        return set_result(s, head);
    }, RTERROR);
}

extern "C" int ads_retval(const struct resbuf* rbuf) {
    return guarded([&](Session& s) {
        if (!rbuf) return RTERROR;
        struct resbuf* copy = host::copy_chain(rbuf);
        if (!copy) return RTERROR;
        return set_result(s, copy);
    }, RTERROR);
}

extern "C" int ads_retnil(void) {
    return guarded([&](Session& s) { return set_result(s, ads_newrb(RTNIL)); }, RTERROR);
}

extern "C" int ads_rett(void) {
    return guarded([&](Session& s) { return set_result(s, ads_newrb(RTT)); }, RTERROR);
}

extern "C" int ads_retvoid(void) {
    return guarded([&](Session& s) { return set_result(s, ads_newrb(RTVOID)); }, RTERROR);
}

extern "C" int ads_retint(int ival) {
    return guarded([&](Session& s) {
        struct resbuf* rb;
        if (ival >= SHRT_MIN && ival <= SHRT_MAX) {
            rb = ads_newrb(RTSHORT);
            rb->resval.rint = static_cast<short>(ival);
        } else {
            rb = ads_newrb(RTLONG);
            rb->resval.rlong = ival;
        }
        return set_result(s, rb);
    }, RTERROR);
}

extern "C" int ads_retreal(ads_real rval) {
    return guarded([&](Session& s) {
        struct resbuf* rb = ads_newrb(RTREAL);
        rb->resval.rreal = rval;
        return set_result(s, rb);
    }, RTERROR);
}

extern "C" int ads_retstr(const char* str) {
    return guarded([&](Session& s) {
        struct resbuf* rb = ads_newrb(RTSTR);
        set_rb_string(rb, str ? str : "");
        return set_result(s, rb);
    }, RTERROR);
}

extern "C" int ads_retname(const ads_name aname, int type) {
    return guarded([&](Session& s) {
        if (!aname || (type != RTENAME && type != RTPICKS)) return RTERROR;
        struct resbuf* rb = ads_newrb(type);
        rb->resval.rlname[0] = aname[0], rb->resval.rlname[1] = aname[1];
        return set_result(s, rb);
    }, RTERROR);
}

extern "C" int ads_retpoint(const ads_point pt) {
    return guarded([&](Session& s) {
        if (!pt) return RTERROR;
        struct resbuf* rb = ads_newrb(RT3DPOINT);
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = pt[i];
        return set_result(s, rb);
    }, RTERROR);
}
