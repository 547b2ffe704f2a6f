// Value list construction and release.
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "ads/guard.h"
#include "ads/rbconv.h"

using namespace cadhost::ads;

namespace {

// Takes the value for one restype from the argument list; false on a code
// that carries a value of a kind this host cannot read from varargs.
bool take_value(struct resbuf* rb, va_list& ap) {
    switch (rb_kind(rb->restype)) {
    case RbKind::Real: rb->resval.rreal = va_arg(ap, double); return true;
    case RbKind::Point: {
        const double* p = va_arg(ap, const double*);
        if (!p) return false;
        for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p[i];
        return true;
    }
    case RbKind::Short: rb->resval.rint = static_cast<short>(va_arg(ap, int)); return true;
    case RbKind::Long: rb->resval.rlong = va_arg(ap, long); return true;
    case RbKind::String: {
        const char* s = va_arg(ap, const char*);
        set_rb_string(rb, s ? s : "");
        return true;
    }
    case RbKind::Name: {
        const long* n = va_arg(ap, const long*);
        if (!n) return false;
        rb->resval.rlname[0] = n[0], rb->resval.rlname[1] = n[1];
        return true;
    }
    case RbKind::Binary: {
        const struct ads_binary* b = va_arg(ap, const struct ads_binary*);
        if (!b || b->clen < 0) return false;
        rb->resval.rbinary.clen = b->clen;
        rb->resval.rbinary.buf = static_cast<char*>(malloc(b->clen ? b->clen : 1));
        if (b->clen && b->buf) memcpy(rb->resval.rbinary.buf, b->buf, b->clen);
        return true;
    }
    case RbKind::None: return true;
    }
    return false;
}

}  // namespace

extern "C" struct resbuf* ads_buildlist(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    for (int t = rtype; t != 0; t = va_arg(ap, int)) {
        // RTDXF0 stands for group 0, which cannot be passed (0 ends the list).
        struct resbuf* rb = ads_newrb(t == RTDXF0 ? 0 : t);
        if (!rb || !take_value(rb, ap)) {
            ads_relrb(rb);
            ads_relrb(head);
            head = nullptr;
            break;
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    va_end(ap);
    return head;
}

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
}  // namespace cadhost::host
