// Records hung on a component: its identification points and xdata nodes.
#include <new>

#include "extract/entity_access.h"
#include "extract/messages.h"
#include "extract/store.h"
#include "host/error_report.h"

namespace wcraft {

namespace {
constexpr int kIdChars = 9;
}

int add_id_node(std::vector<IdPoint>& list, const resbuf* attribute) {
    try {
        IdPoint id;
        entity_point(attribute, id.point.x, id.point.y);
        FixedText<14> value;
        attribute_value(attribute, value.ref());
        bounded_copy(id.id, value.view(), kIdChars + 1);
        list.push_back(id);
        return 1;
    } catch (const std::bad_alloc&) {
        fatal_alloc(xmsg::kFnIdNode, 1);
        return 0;
    }
}

int add_xdata_node(std::vector<XdataNode>& list, int16_t type, std::string_view name) {
    try {
        XdataNode node;
        bounded_copy(node.name, name, static_cast<int>(sizeof node.name.buf));
        node.type = type;
        list.push_back(node);
        return 1;
    } catch (const std::bad_alloc&) {
        fatal_alloc(xmsg::kFnXdataNode, 1);
        return 0;
    }
}

}  // namespace wcraft
