// Small readers of one entity's data list (the host's group-code chain):
// the point, handle, layer, attribute tag and value, and the walk over a
// block's attributes. A missing item prints a fixed message on the command
// line; only the attribute lookup sets the module's error code.
#pragma once

#include <string_view>

#include "extract/store.h"
#include "host/host_api.h"
#include "project/fixed_text.h"

namespace wcraft {

// The group 10 point, or the group 11 alignment point when any of the
// justification codes 72, 73, 74 is non-zero. 0 when there is no group 10.
int entity_point(const resbuf* ed, double& x, double& y);
// The handle text (group 5) when it has at most 20 characters; a longer one
// leaves `out` unchanged. 0 when no handle was stored.
int entity_handle(const resbuf* ed, TextRef out);
// The layer name (group 8), at most 31 characters.
int entity_layer(const resbuf* ed, TextRef out);
// 1 when the entity type is exactly "ATTRIB".
int is_attribute(const resbuf* ed);
// The attribute tag (group 2), at most 14 characters.
int attribute_name(const resbuf* ed, TextRef out);
// The attribute value (group 1), at most 14 characters.
int attribute_value(const resbuf* ed, TextRef out);

// What the attribute lookup found.
struct AttributeFound {
    double height = 0.0;
    double rotation = 0.0;
    double x = 0.0, y = 0.0;
};

// Walks the attributes following `block` for the one whose tag equals `tag`
// ignoring case and fills `found` and `value` from it (fields it lacks stay
// as they were). 1 when found; 0 when not, or when a host call failed
// (error 3068 reading, 3057 stepping, even after the attribute was found).
int attribute_lookup(std::string_view tag, AttributeFound& found, TextRef value, const ads_name block);

// The box spanned by a zone boundary's first four vertices: a POLYLINE
// flagged exactly closed with four VERTEX entities after it, or the first
// four vertices of an LWPOLYLINE. False when the entity is no boundary.
bool boundary_box(const ads_name ent, ZoneBox& box);

// Equal texts, ignoring the case of ASCII letters.
bool same_text_nocase(std::string_view a, std::string_view b);

}  // namespace wcraft
