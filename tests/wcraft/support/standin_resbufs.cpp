// Result buffers for the tests' stand-in hosts: made and freed as the host
// makes and frees them, strings included.
#include <cstdlib>

#include "ads.h"

struct resbuf* ads_newrb(int v) {
    auto* rb = static_cast<struct resbuf*>(calloc(1, sizeof(struct resbuf)));
    if (rb) rb->restype = static_cast<short>(v);
    return rb;
}

int ads_relrb(struct resbuf* rb) {
    while (rb) {
        struct resbuf* next = rb->rbnext;
        if (rb->restype == RTSTR) free(rb->resval.rstring);
        free(rb);
        rb = next;
    }
    return RTNORM;
}
