// Interpreter values <-> resbuf chains, item for item.
#include "host/adslist.h"

#include "host/rbconv.h"

namespace cadhost::ads {

struct resbuf* to_resbuf(const lisp::AdsList& list, long serial) {
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    for (const auto& item : list) {
        struct resbuf* rb = ads_newrb(item.restype);
        if (!rb) break;
        auto& v = item.value;
        switch (rb_kind(item.restype)) {
        case RbKind::Real:
            if (auto d = std::get_if<double>(&v)) rb->resval.rreal = *d;
            break;
        case RbKind::Point:
            if (auto p = std::get_if<Point>(&v)) rb->resval.rpoint[0] = p->x, rb->resval.rpoint[1] = p->y, rb->resval.rpoint[2] = p->z;
            break;
        case RbKind::Short:
            if (auto i = std::get_if<int32_t>(&v)) rb->resval.rint = static_cast<short>(*i);
            break;
        case RbKind::Long:
            if (auto i = std::get_if<int32_t>(&v)) rb->resval.rlong = *i;
            break;
        case RbKind::String:
            set_rb_string(rb, std::get_if<std::string>(&v) ? std::get<std::string>(v) : std::string());
            break;
        case RbKind::Name:
            if (auto e = std::get_if<EntityRef>(&v)) set_entity_name(rb->resval.rlname, *e, serial);
            else if (auto s = std::get_if<lisp::SelSet>(&v)) set_selection_name(rb->resval.rlname, static_cast<long>(s->id), serial);
            break;
        default: break;
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    return head;
}

Result<lisp::AdsList> from_resbuf(const struct resbuf* rb, long serial) {
    lisp::AdsList out;
    for (; rb; rb = rb->rbnext) {
        lisp::AdsValue item;
        item.restype = rb->restype == RTANG || rb->restype == RTORINT ? RTREAL : rb->restype;
        const auto& v = rb->resval;
        switch (rb_kind(rb->restype)) {
        case RbKind::Real: item.value = v.rreal; break;
        case RbKind::Point: item.value = Point{v.rpoint[0], v.rpoint[1], v.rpoint[2], uint8_t(rb->restype == RTPOINT ? 2 : 3)}; break;
        case RbKind::Short: item.value = static_cast<int32_t>(v.rint); break;
        case RbKind::Long: item.value = static_cast<int32_t>(v.rlong); break;
        case RbKind::String:
            if (!v.rstring) return Error{"null string in a value list"};
            item.value = std::string(v.rstring);
            break;
        case RbKind::Name:
            if (rb->restype == RTPICKS) {
                long id = selection_from_name(v.rlname, serial);
                if (!id) return Error{"stale selection set in a value list"};
                item.value = lisp::SelSet{static_cast<uint64_t>(id)};
            } else {
                EntityRef e = entity_from_name(v.rlname, serial);
                if (!e) return Error{"stale entity name in a value list"};
                item.value = e;
            }
            break;
        case RbKind::Binary: return Error{"binary data in a value list"};
        case RbKind::None: break;
        }
        out.push_back(std::move(item));
    }
    return out;
}

}  // namespace cadhost::ads
