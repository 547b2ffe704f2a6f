// Commands run by applications: ads_command and ads_cmd.
#include <cstdarg>

#include "ads/guard.h"
#include "host/rbconv.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Answer;
using cadhost::host::Session;

namespace {

// One answer for each value of the chain; false on a value no prompt takes.
bool to_answers(Session& s, const struct resbuf* rb, std::vector<Answer>& out) {
    long serial = s.drawing_serial();
    for (; rb; rb = rb->rbnext) {
        const auto& v = rb->resval;
        switch (rb->restype) {
        case RTSTR: out.push_back(Answer::of_text(v.rstring ? v.rstring : "")); break;
        case RTSHORT: out.push_back(Answer::of_text(std::to_string(v.rint))); break;
        case RTLONG: out.push_back(Answer::of_text(std::to_string(v.rlong))); break;
        case RTREAL:
        case RTANG:
        case RTORINT: out.push_back(Answer::of_real(v.rreal)); break;
        case RTPOINT:
        case RT3DPOINT:
            out.push_back(Answer::of_point(Point{v.rpoint[0], v.rpoint[1], v.rpoint[2], uint8_t(rb->restype == RTPOINT ? 2 : 3)}));
            break;
        case RTENAME: {
            EntityRef e = entity_from_name(v.rlname, serial);
            if (!e) return false;
            out.push_back(Answer::of_objects({e}));
            break;
        }
        case RTPICKS: {
            auto* set = s.selection(selection_from_name(v.rlname, serial));
            if (!set) return false;
            out.push_back(Answer::of_objects(std::vector<EntityRef>(set->begin(), set->end())));
            break;
        }
        case RTNONE: out.push_back(Answer::of_text("")); break;
        default: return false;
        }
    }
    return true;
}

int run(Session& s, const struct resbuf* rb) {
    host::CommandRunner* cl = s.command_runner();
    if (!cl) return RTERROR;
    std::vector<Answer> answers;
    size_t n = 0;
    for (const struct resbuf* r = rb; r; r = r->rbnext) ++n;
    answers.reserve(n);
    if (!to_answers(s, rb, answers)) return RTREJ;
    return cl->command(std::move(answers));
}

}  // namespace

extern "C" int ads_cmd(const struct resbuf* rbp) {
    return guarded([&](Session& s) { return run(s, rbp); }, RTERROR);
}

extern "C" int ads_command(int rtype, ...) {
    // Gathers the arguments into a chain first (the va_list cannot cross the guard).
    va_list ap;
    va_start(ap, rtype);
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    bool ok = true;
    for (int t = rtype; t != 0 && t != RTNONE; t = va_arg(ap, int)) {
        struct resbuf* rb = ads_newrb(t);
        if (!rb) {
            ok = false;
            break;
        }
        switch (t) {
        case RTSTR: {
            const char* sv = va_arg(ap, const char*);
            set_rb_string(rb, sv ? sv : "");
            break;
        }
        case RTSHORT: rb->resval.rint = static_cast<short>(va_arg(ap, int)); break;
        case RTLONG: rb->resval.rlong = va_arg(ap, long); break;
        case RTREAL: case RTANG: case RTORINT: rb->resval.rreal = va_arg(ap, double); break;
        case RTPOINT: case RT3DPOINT: {
            const double* p = va_arg(ap, const double*);
            if (!p) ok = false;
            else for (int i = 0; i < 3; ++i) rb->resval.rpoint[i] = p[i];
            break;
        }
        case RTENAME: case RTPICKS: {
            const long* n = va_arg(ap, const long*);
            if (!n) ok = false;
            else rb->resval.rlname[0] = n[0], rb->resval.rlname[1] = n[1];
            break;
        }
        default: ok = false; break;
        }
        *tail = rb;
        tail = &rb->rbnext;
        if (!ok) break;
    }
    va_end(ap);
    int r = ok ? ads_cmd(head) : RTREJ;
    ads_relrb(head);
    return r;
}
