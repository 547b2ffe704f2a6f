// Value list construction and release.
#include <cstdarg>
#include <cstdlib>
#include <cstring>

#include "ads/guard.h"
#include "host/rbconv.h"

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

