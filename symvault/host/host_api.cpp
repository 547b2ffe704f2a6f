// Replies and host variables through the C interface.
#include "host/host_api.h"

#include <cstdlib>

namespace symvault {

namespace {

struct resbuf* value_rb(const Pair& p) {
    struct resbuf* rb = nullptr;
    switch (p.kind) {
    case Pair::TEXT: rb = ads_buildlist(RTSTR, p.text.c_str(), 0); break;
    case Pair::SHORT:
        rb = ads_newrb(RTSHORT);
        if (rb) rb->resval.rint = p.number;
        break;
    case Pair::REAL:
        rb = ads_newrb(RTREAL);
        if (rb) rb->resval.rreal = p.real;
        break;
    }
    return rb;
}

// ((code . value) ...) as a chain: RTLB, code, value, RTDOTE for each pair.
struct resbuf* pairs_chain(const std::vector<Pair>& pairs) {
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    auto append = [&](struct resbuf* rb) {
        if (!rb) return false;
        *tail = rb;
        tail = &rb->rbnext;
        return true;
    };
    for (const Pair& p : pairs) {
        struct resbuf* code = ads_newrb(RTSHORT);
        if (code) code->resval.rint = p.code;
        if (!append(ads_newrb(RTLB)) || !append(code) || !append(value_rb(p)) || !append(ads_newrb(RTDOTE))) {
            ads_relrb(head);
            return nullptr;
        }
    }
    return head;
}

}  // namespace

void deliver(const Reply& r) {
    switch (r.kind) {
    case Reply::NIL: ads_retnil(); break;
    case Reply::VOID: ads_retvoid(); break;
    case Reply::INT: ads_retint(r.number); break;
    case Reply::STR: ads_retstr(r.text.c_str()); break;
    case Reply::PAIRS: {
        struct resbuf* chain = pairs_chain(r.pairs);
        if (chain) ads_retlist(chain);
        else ads_retnil();
        ads_relrb(chain);
        break;
    }
    case Reply::LISTS: {
        struct resbuf* head = nullptr;
        struct resbuf** tail = &head;
        for (const auto& l : r.lists) {
            *tail = ads_newrb(RTLB);
            if (!*tail) break;
            (*tail)->rbnext = pairs_chain(l);
            while (*tail) tail = &(*tail)->rbnext;
            *tail = ads_newrb(RTLE);
            if (*tail) tail = &(*tail)->rbnext;
        }
        if (head) ads_retlist(head);
        else ads_retnil();
        ads_relrb(head);
        break;
    }
    }
}

std::string host_string_var(const char* name) {
    struct resbuf rb;
    if (ads_getvar(name, &rb) != RTNORM || rb.restype != RTSTR || !rb.resval.rstring) return "";
    std::string s = rb.resval.rstring;
    free(rb.resval.rstring);
    return s;
}

void set_short_var(const char* name, short value) {
    struct resbuf rb;
    rb.rbnext = nullptr;
    rb.restype = RTSHORT;
    rb.resval.rint = value;
    ads_setvar(name, &rb);
}

}  // namespace symvault
