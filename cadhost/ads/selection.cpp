// Selection sets for applications.
#include <algorithm>

#include "ads/guard.h"
#include "cmd/commandline.h"
#include "cmd/selectobj.h"
#include "host/rbconv.h"
#include "select/filter.h"
#include "select/geometry.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Session;

namespace {

Point to_point(const void* p) {
    auto* d = static_cast<const double*>(p);
    return Point{d[0], d[1], d[2]};
}

}  // namespace

extern "C" int ads_ssget(const char* str, const void* pt1, const void* pt2, const struct resbuf* filter,
                         ads_name ss) {
    return guarded([&](Session& s) {
        if (!ss || !s.has_drawing()) return RTERROR;
        std::optional<select::Filter> f;
        if (filter) {
            auto groups = from_chain(filter, s.drawing_serial());
            if (!groups) return RTERROR;
            auto compiled = select::Filter::compile(*groups);
            if (!compiled) return RTERROR;
            f = compiled.release();
        }
        host::CommandRunner* cl = s.command_runner();
        std::vector<Point> points;
        if (pt1) points.push_back(to_point(pt1));
        if (pt1 && pt2) points.push_back(to_point(pt2));
        const select::Filter* compiled_filter = f ? &*f : nullptr;
        // Without a command line only the modes that ask nothing can select.
        auto r = cl ? cl->select_by_mode(str ? str : "", points, compiled_filter)
                    : cmd::select_by_mode(s, nullptr, str ? str : "", points, compiled_filter);
        if (r.cancelled) return RTCAN;
        std::optional<std::vector<EntityRef>> found;
        if (r.ok) found = std::move(r.entities);
        if (!found) return RTERROR;
        if (found->empty()) return RTERROR;  // the host reports an empty selection as failure
        set_selection_name(ss, s.new_selection(std::move(*found)), s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_sslength(const ads_name ss, long* len) {
    return guarded([&](Session& s) {
        auto* set = s.selection(selection_from_name(ss, s.drawing_serial()));
        if (!set || !len) return RTERROR;
        *len = static_cast<long>(set->size());
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_ssname(const ads_name ss, long i, ads_name entres) {
    return guarded([&](Session& s) {
        auto* set = s.selection(selection_from_name(ss, s.drawing_serial()));
        if (!set || !entres || i < 0 || i >= static_cast<long>(set->size())) return RTERROR;
        set_entity_name(entres, (*set)[i], s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_ssadd(const ads_name ename, const ads_name sname, ads_name result) {
    return guarded([&](Session& s) {
        if (!result) return RTERROR;
        long serial = s.drawing_serial();
        EntityRef e;
        if (ename && !ads_name_nil(ename)) {
            e = entity_from_name(ename, serial);
            if (!e || !s.has_drawing() || !s.drawing().entget(e)) return RTERROR;
        }
        if (!sname || ads_name_nil(sname)) {
            // A new set, empty or holding the entity.
            std::vector<EntityRef> v;
            if (e) v.push_back(e);
            set_selection_name(result, s.new_selection(std::move(v)), serial);
            return RTNORM;
        }
        long id = selection_from_name(sname, serial);
        auto* set = s.selection(id);
        if (!set) return RTERROR;
        if (e && std::find(set->begin(), set->end(), e) == set->end()) set->push_back(e);
        set_selection_name(result, id, serial);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_ssdel(const ads_name ename, const ads_name ss) {
    return guarded([&](Session& s) {
        auto* set = s.selection(selection_from_name(ss, s.drawing_serial()));
        EntityRef e = entity_from_name(ename, s.drawing_serial());
        if (!set || !e) return RTERROR;
        auto it = std::find(set->begin(), set->end(), e);
        if (it == set->end()) return RTERROR;
        set->erase(it);
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_ssmemb(const ads_name ename, const ads_name ss) {
    return guarded([&](Session& s) {
        auto* set = s.selection(selection_from_name(ss, s.drawing_serial()));
        EntityRef e = entity_from_name(ename, s.drawing_serial());
        if (!set || !e) return RTERROR;
        return std::find(set->begin(), set->end(), e) == set->end() ? RTERROR : RTNORM;
    }, RTERROR);
}

extern "C" int ads_ssfree(const ads_name sname) {
    return guarded([&](Session& s) {
        return s.free_selection(selection_from_name(sname, s.drawing_serial())) ? RTNORM : RTERROR;
    }, RTERROR);
}
