// System variables for applications.
#include "ads/guard.h"
#include "host/rbconv.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Session;

namespace {
// Fills a caller-owned resbuf from a variable's value.
void fill_var(struct resbuf* rb, const GroupValue& v, const host::SysvarDef& def) {
    rb->rbnext = nullptr;
    switch (def.type) {
    case host::VarType::Short: rb->restype = RTSHORT, rb->resval.rint = std::get<int16_t>(v); break;
    case host::VarType::Long: rb->restype = RTLONG, rb->resval.rlong = std::get<int32_t>(v); break;
    case host::VarType::Real: rb->restype = RTREAL, rb->resval.rreal = std::get<double>(v); break;
    case host::VarType::String:
        rb->restype = RTSTR;
        set_rb_string(rb, std::get<std::string>(v));
        break;
    case host::VarType::Point2:
    case host::VarType::Point3: {
        const Point& p = std::get<Point>(v);
        rb->restype = def.type == host::VarType::Point2 ? RTPOINT : RT3DPOINT;
        rb->resval.rpoint[0] = p.x, rb->resval.rpoint[1] = p.y, rb->resval.rpoint[2] = p.z;
        break;
    }
    }
}
}  // namespace

extern "C" int ads_getvar(const char* sym, struct resbuf* result) {
    return guarded([&](Session& s) {
        if (!sym || !result) return RTERROR;
        const host::SysvarDef* def = host::Sysvars::find(sym);
        auto v = s.sysvars().get(sym);
        if (!def || !v) return RTERROR;
        fill_var(result, *v, *def);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_setvar(const char* sym, const struct resbuf* val) {
    return guarded([&](Session& s) {
        if (!sym || !val) return RTERROR;
        auto v = rb_value(val, s.drawing_serial());
        if (!v || val->restype == RTNIL || val->restype == RTT) return RTERROR;
        auto st = s.sysvars().set(sym, *v);
        if (!st) return RTERROR;
        return RTNORM;
    }, RTERROR);
}
