// Reading the items the lister needs from one entity's data list.
#include "draw/entity_data.h"

#include "draw/messages.h"
#include "extract/entity_access.h"

namespace wcraft {

bool EntityData::text(int code, std::string& out) const {
    bool found = false;
    for (const resbuf* rb = m_ed; rb; rb = rb->rbnext)
        if (rb->restype == code && rb->resval.rstring) {
            out = rb->resval.rstring;
            found = true;
        }
    return found;
}

bool EntityData::point(int code, XY& out) const {
    for (const resbuf* rb = m_ed; rb; rb = rb->rbnext)
        if (rb->restype == code) {
            out = {rb->resval.rpoint[X], rb->resval.rpoint[Y]};
            return true;
        }
    return false;
}

bool entity_type_of(const EntityData& ed, std::string& type) {
    if (ed.ok() && ed.text(0, type)) return true;
    ads_printf("%s", dmsg::kNoType);
    return false;
}

bool block_name_of(const EntityData& ed, std::string& name) {
    if (ed.ok() && ed.text(2, name)) return true;
    ads_printf("%s", dmsg::kNoBlockName);
    return false;
}

bool insertion_point_of(const EntityData& ed, XY& at) {
    // entity_point prints the missing-point message itself.
    return ed.ok() && entity_point(ed.list(), at.x, at.y) == 1;
}

}  // namespace wcraft
