// Interactive input for applications: the get functions and initget.
#include <cstring>

#include "ads/guard.h"
#include "cmd/dialog_host.h"
#include "cmd/getinput.h"
#include "cmd/selectobj.h"
#include "host/rbconv.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Session;

namespace {

// initget options wait here for the next input call, which consumes them.
cmd::InitGet g_initget;


cmd::GetResult ask(Session& s, cmd::GetKind kind, const char* prompt, const double* base, bool spaces = false) {
    cmd::InitGet init = g_initget;
    g_initget = {};
    host::CommandRunner* cl = s.command_runner();
    if (!cl) return {RTERROR, {}, {}};
    cmd::GetRequest req;
    req.kind = kind;
    req.prompt = prompt ? prompt : "";
    if (base) req.base = Point{base[0], base[1], base[2]};
    req.spaces = spaces;
    auto r = cl->get_input(req, init);
    return r;
}

// Remembers a keyword for ads_getinput.
std::string g_last_input;

int finish(const cmd::GetResult& r) {
    if (r.status == RTKWORD) g_last_input = r.keyword;
    return r.status;
}

}  // namespace

extern "C" int ads_initget(int val, const char* kwl) {
    g_initget = cmd::parse_initget(val, kwl);
    return RTNORM;
}

extern "C" int ads_getstring(int cronly, const char* prompt, char* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::String, prompt, nullptr, cronly != 0);
        if (r.status != RTNORM) return finish(r);
        const std::string& v = std::get<std::string>(r.value);
        size_t n = std::min<size_t>(v.size(), 132);
        memcpy(result, v.data(), n);
        result[n] = 0;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_getint(const char* prompt, int* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::Int, prompt, nullptr);
        if (r.status == RTNORM) *result = std::get<int32_t>(r.value);
        return finish(r);
    }, RTERROR);
}

extern "C" int ads_getreal(const char* prompt, ads_real* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::Real, prompt, nullptr);
        if (r.status == RTNORM) *result = std::get<double>(r.value);
        return finish(r);
    }, RTERROR);
}

extern "C" int ads_getdist(const ads_point pt, const char* prompt, ads_real* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::Dist, prompt, pt);
        if (r.status == RTNORM) *result = std::get<double>(r.value);
        return finish(r);
    }, RTERROR);
}

extern "C" int ads_getangle(const ads_point pt, const char* prompt, ads_real* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::Angle, prompt, pt);
        if (r.status == RTNORM) *result = std::get<double>(r.value);
        return finish(r);
    }, RTERROR);
}

static int get_point(cmd::GetKind kind, const ads_point pt, const char* prompt, ads_point result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, kind, prompt, pt);
        if (r.status == RTNORM) {
            const Point& p = std::get<Point>(r.value);
            result[X] = p.x, result[Y] = p.y, result[Z] = p.z;
        }
        return finish(r);
    }, RTERROR);
}

extern "C" int ads_getpoint(const ads_point pt, const char* prompt, ads_point result) {
    return get_point(cmd::GetKind::Point, pt, prompt, result);
}

extern "C" int ads_getcorner(const ads_point pt, const char* prompt, ads_point result) {
    if (!pt) return RTERROR;  // a corner needs its first point
    return get_point(cmd::GetKind::Corner, pt, prompt, result);
}

extern "C" int ads_getkword(const char* prompt, char* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        auto r = ask(s, cmd::GetKind::Kword, prompt, nullptr);
        if (r.status == RTNORM) {
            const std::string& v = std::get<std::string>(r.value);
            size_t n = std::min<size_t>(v.size(), 132);
            memcpy(result, v.data(), n);
            result[n] = 0;
        }
        return finish(r);
    }, RTERROR);
}

extern "C" int ads_getinput(char* str) {
    if (!str) return RTERROR;
    size_t n = std::min<size_t>(g_last_input.size(), 132);
    memcpy(str, g_last_input.data(), n);
    str[n] = 0;
    return RTNORM;
}

extern "C" int ads_entsel(const char* str, ads_name entres, ads_point ptres) {
    return guarded([&](Session& s) {
        host::CommandRunner* cl = s.command_runner();
        if (!cl || !entres) return RTERROR;
        cmd::InitGet init = g_initget;
        g_initget = {};
        cmd::Pick p = cl->pick_entity(str ? str : "Select object: ", init);
        if (p.status == RTKWORD) g_last_input = p.keyword;
        if (p.status != RTNORM) return p.status;
        set_entity_name(entres, p.entity, s.drawing_serial());
        if (ptres) ptres[X] = p.point.x, ptres[Y] = p.point.y, ptres[Z] = p.point.z;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_getfiled(const char* title, const char* defawlt, const char* ext, int flags, struct resbuf* result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        dcl::FiledRequest req{title ? title : "", defawlt ? defawlt : "", ext ? ext : "", flags};
        auto r = cmd::get_file_name(s, req);
        if (!r) return RTERROR;
        if (!*r) return RTCAN;
        result->rbnext = nullptr;
        result->restype = RTSTR;
        set_rb_string(result, **r);
        return RTNORM;
    }, RTERROR);
}
