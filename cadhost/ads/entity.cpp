// Entity and table access for applications.
#include <functional>

#include "ads/guard.h"
#include "host/rbconv.h"
#include "db/drawing.h"

using namespace cadhost;
using namespace cadhost::ads;
using cadhost::host::Session;

namespace cadhost::ads {
void set_errno(Session& s, int code) { s.sysvars().set_session_value("ERRNO", GroupValue(int16_t(code))); }
}

namespace {
// ERRNO values the host uses for these failures
constexpr int kErrBadEntity = 7;     // invalid entity name
constexpr int kErrNoEntity = 52;     // no more entities / not found
constexpr int kErrBadList = 4;       // invalid list
constexpr int kErrEntmod = 22;       // entity could not be changed
constexpr int kErrEntmake = 23;      // entity could not be made
}

extern "C" int ads_entnext(const ads_name ent, ads_name result) {
    return guarded([&](Session& s) {
        if (!result || !s.has_drawing()) return RTERROR;
        EntityRef next;
        if (!ent || ads_name_nil(ent)) {
            next = s.drawing().first_entity();
        } else {
            EntityRef e = entity_from_name(ent, s.drawing_serial());
            if (!e) return set_errno(s, kErrBadEntity), RTERROR;
            next = s.drawing().next_entity(e);
        }
        if (!next) return set_errno(s, kErrNoEntity), RTERROR;
        set_entity_name(result, next, s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_entlast(ads_name result) {
    return guarded([&](Session& s) {
        if (!result || !s.has_drawing()) return RTERROR;
        EntityRef e = s.drawing().last_entity();
        if (!e) return RTERROR;
        set_entity_name(result, e, s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}

extern "C" struct resbuf* ads_entgetx(const ads_name ent, const struct resbuf* apps) {
    return guarded([&](Session& s) -> struct resbuf* {
        if (!s.has_drawing()) return nullptr;
        EntityRef e = entity_from_name(ent, s.drawing_serial());
        if (!apps) {
            // No extended data: the chain is made straight from the groups.
            struct Sink final : db::GroupSink {
                explicit Sink(long serial) : chain(serial) {}
                void group(Group&& g, db::TagSpan) override { chain.add(g); }
                void text(int code, std::string_view t, db::TagSpan) override { chain.add_text(code, t); }
                ChainBuilder chain;
            } sink(s.drawing_serial());
            if (!e || !s.drawing().entget(e, sink)) return set_errno(s, kErrBadEntity), nullptr;
            return sink.chain.release();
        }
        // Extended data (-3 onward) only for the applications asked for.
        std::vector<std::string> names;
        for (const struct resbuf* a = apps; a; a = a->rbnext)
            if (a->restype == RTSTR && a->resval.rstring) names.emplace_back(a->resval.rstring);
        auto list = e ? s.drawing().entget(e, names) : std::nullopt;
        if (!list) return set_errno(s, kErrBadEntity), nullptr;
        return to_chain(*list, s.drawing_serial());
    }, nullptr);
}

extern "C" struct resbuf* ads_entget(const ads_name ent) { return ads_entgetx(ent, nullptr); }

extern "C" int ads_entmod(const struct resbuf* ent) {
    return guarded([&](Session& s) {
        if (!ent || !s.has_drawing()) return RTERROR;
        auto list = from_chain(ent, s.drawing_serial());
        if (!list) return set_errno(s, kErrBadList), RTERROR;
        auto st = s.drawing().entmod(*list);
        if (!st) return set_errno(s, kErrEntmod), RTERROR;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_entmake(const struct resbuf* ent) {
    return guarded([&](Session& s) {
        if (!ent || !s.has_drawing()) return RTERROR;
        auto list = from_chain(ent, s.drawing_serial());
        if (!list || list->empty()) return set_errno(s, kErrBadList), RTERROR;
        // Entities made without a layer go on the current layer.
        *list = s.on_current_layer(std::move(*list));
        auto r = s.drawing().entmake(*list);
        if (!r) return set_errno(s, kErrEntmake), RTREJ;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_entdel(const ads_name ent) {
    return guarded([&](Session& s) {
        if (!s.has_drawing()) return RTERROR;
        EntityRef e = entity_from_name(ent, s.drawing_serial());
        if (!e || !s.drawing().entdel(e)) return set_errno(s, kErrBadEntity), RTERROR;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_entupd(const ads_name ent) {
    return guarded([&](Session& s) {
        if (!s.has_drawing()) return RTERROR;
        EntityRef e = entity_from_name(ent, s.drawing_serial());
        // Nothing is displayed, so an update only checks that the name is
        // of an entity that is there (as entget would find it).
        const db::Drawing& d = s.drawing();
        if (!e || d.type_view(e).empty() || d.is_deleted(e)) return set_errno(s, kErrBadEntity), RTERROR;
        return RTNORM;
    }, RTERROR);
}

extern "C" int ads_handent(const char* handle, ads_name entres) {
    return guarded([&](Session& s) {
        if (!handle || !entres || !s.has_drawing()) return RTERROR;
        EntityRef e = s.drawing().handent(handle);
        if (!e) return set_errno(s, kErrNoEntity), RTERROR;
        set_entity_name(entres, e, s.drawing_serial());
        return RTNORM;
    }, RTERROR);
}

extern "C" struct resbuf* ads_tblsearch(const char* tblname, const char* sym, int setnext) {
    return guarded([&](Session& s) -> struct resbuf* {
        if (!tblname || !sym || !s.has_drawing()) return nullptr;
        auto rec = s.drawing().tblsearch(tblname, sym);
        if (!rec) return nullptr;
        if (setnext) {
            // The next tblnext continues after this record.
            auto& d = s.drawing();
            for (auto r = d.tblnext(tblname, true); r; r = d.tblnext(tblname, false))
                if (host::to_upper(group_string(*r, 2)) == host::to_upper(sym)) break;
        }
        return to_chain(*rec, s.drawing_serial());
    }, nullptr);
}

extern "C" int ads_regapp(const char* appname) {
    return guarded([&](Session& s) {
        if (!appname || !s.has_drawing()) return RTERROR;
        return s.drawing().register_new_app(appname) ? RTNORM : RTERROR;
    }, RTERROR);
}

extern "C" struct resbuf* ads_tblnext(const char* tblname, int rewind) {
    return guarded([&](Session& s) -> struct resbuf* {
        if (!tblname || !s.has_drawing()) return nullptr;
        auto rec = s.drawing().tblnext(tblname, rewind != 0);
        return rec ? to_chain(*rec, s.drawing_serial()) : nullptr;
    }, nullptr);
}
