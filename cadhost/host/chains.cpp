// Resbuf chains the session holds for calls of application functions:
// whole copies and their release.
#include <cstdlib>
#include <cstring>

#include "host/rbconv.h"
#include "host/session.h"

using namespace cadhost::ads;

namespace cadhost::host {
namespace {
// One resbuf's copy, its text or bytes its own; nullptr when memory runs out.
struct resbuf* copy_one(const struct resbuf* rb) {
    struct resbuf* c = ads_newrb(rb->restype);
    if (!c) return nullptr;
    c->resval = rb->resval;
    switch (rb_kind(rb->restype)) {
    case RbKind::String:
        set_rb_string(c, rb->resval.rstring ? rb->resval.rstring : "");
        if (c->resval.rstring) return c;
        break;
    case RbKind::Binary: {
        short n = rb->resval.rbinary.clen > 0 ? rb->resval.rbinary.clen : 0;
        c->resval.rbinary.buf = static_cast<char*>(malloc(n ? n : 1));
        c->resval.rbinary.clen = n;
        if (!c->resval.rbinary.buf) break;
        if (n && rb->resval.rbinary.buf) memcpy(c->resval.rbinary.buf, rb->resval.rbinary.buf, n);
        return c;
    }
    default:
        return c;
    }
    ads_relrb(c);
    return nullptr;
}
}  // namespace

// The whole chain, or nullptr: a copy cut short by a failed allocation is
// released rather than handed on as if it were the chain.
struct resbuf* copy_chain(const struct resbuf* rb) {
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    for (; rb; rb = rb->rbnext) {
        struct resbuf* c = copy_one(rb);
        if (!c) {
            ads_relrb(head);
            return nullptr;
        }
        *tail = c;
        tail = &c->rbnext;
    }
    return head;
}
void release_chain(struct resbuf* rb) {
    if (rb) ads_relrb(rb);
}

}  // namespace cadhost::host
