// Entity data readers: each walks the whole list (the last occurrence of a
// group wins) and reports a missing item on the command line.
#include "extract/entity_access.h"

#include <cctype>
#include <cstring>

#include "extract/messages.h"
#include "extract/store.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

constexpr int kHandleChars = 20;
constexpr int kLayerChars = 31;
constexpr int kAttributeChars = 14;

// The string of the last group `code`, or null when there is none.
const char* last_string(const resbuf* ed, int code) {
    const char* found = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext)
        if (rb->restype == code && rb->resval.rstring) found = rb->resval.rstring;
    return found;
}

int copy_string(const resbuf* ed, int code, TextRef out, int chars, const char* missing) {
    const char* s = last_string(ed, code);
    if (!s) {
        ads_printf("%s", missing);
        return 0;
    }
    bounded_copy(out, s, chars + 1);
    return 1;
}

}  // namespace

bool same_text_nocase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

int entity_point(const resbuf* ed, double& x, double& y) {
    const resbuf* at = nullptr;
    const resbuf* align = nullptr;
    bool justified = false;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype == 10) at = rb;
        else if (rb->restype == 11) align = rb;
        else if (rb->restype == 72 || rb->restype == 73 || rb->restype == 74) justified = rb->resval.rint != 0 || justified;
    }
    if (!at) {
        ads_printf("%s", xmsg::kNoInsertion);
        return 0;
    }
    const resbuf* use = justified && align ? align : at;
    x = use->resval.rpoint[X];
    y = use->resval.rpoint[Y];
    return 1;
}

int entity_handle(const resbuf* ed, TextRef out) {
    bool stored = false;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype != 5 || !rb->resval.rstring) continue;
        if (strlen(rb->resval.rstring) > static_cast<size_t>(kHandleChars)) {
            ads_printf("%s", xmsg::kHandleTooBig);
            continue;
        }
        bounded_copy(out, rb->resval.rstring, kHandleChars + 1);
        stored = true;
    }
    if (!stored) ads_printf("%s", xmsg::kNoHandle);
    return stored ? 1 : 0;
}

int entity_layer(const resbuf* ed, TextRef out) { return copy_string(ed, 8, out, kLayerChars, xmsg::kNoLayer); }

int is_attribute(const resbuf* ed) {
    const char* type = last_string(ed, 0);
    return type && strcmp(type, "ATTRIB") == 0 ? 1 : 0;
}

int attribute_name(const resbuf* ed, TextRef out) {
    return copy_string(ed, 2, out, kAttributeChars, xmsg::kNoAttName);
}

int attribute_value(const resbuf* ed, TextRef out) {
    return copy_string(ed, 1, out, kAttributeChars, xmsg::kNoAttValue);
}

namespace {

// Reads the matching attribute's value, point, height and rotation.
void read_attribute(const resbuf* ed, AttributeFound& found, TextRef value) {
    attribute_value(ed, value);
    entity_point(ed, found.x, found.y);
    const resbuf* height = nullptr;
    const resbuf* rotation = nullptr;
    for (const resbuf* rb = ed; rb; rb = rb->rbnext) {
        if (rb->restype == 40) height = rb;
        if (rb->restype == 50) rotation = rb;
    }
    if (height) found.height = height->resval.rreal;
    else ads_printf("%s", xmsg::kNoAttHeight);
    if (rotation) found.rotation = rotation->resval.rreal;
    else ads_printf("%s", xmsg::kNoAttRotation);
}

}  // namespace

int attribute_lookup(std::string_view tag, AttributeFound& found, TextRef value, const ads_name block) {
    ads_name ent;
    if (ads_entnext(block, ent) != RTNORM) {
        error_code() = ERR_LOOKUP_ENTNEXT;
        return 0;
    }
    resbuf* ed = ads_entget(ent);
    if (!ed) {
        error_code() = ERR_LOOKUP_ENTGET;
        return 0;
    }
    bool hit = false;
    while (is_attribute(ed) && !hit) {
        FixedText<kAttributeChars> name;
        attribute_name(ed, name.ref());
        if (same_text_nocase(name.view(), tag)) {
            read_attribute(ed, found, value);
            hit = true;
        }
        ads_relrb(ed);
        // The step after the attribute is taken even when it was found.
        if (ads_entnext(ent, ent) != RTNORM) {
            error_code() = ERR_LOOKUP_ENTNEXT;
            return 0;
        }
        ed = ads_entget(ent);
        if (!ed) {
            error_code() = ERR_LOOKUP_ENTGET;
            return 0;
        }
    }
    ads_relrb(ed);
    return hit ? 1 : 0;
}

}  // namespace wcraft
