// The table of makeable entity types.
#include "entity_layouts.h"

namespace cadhost::db {

namespace {

const std::vector<int> text_codes = {39, 10, 40, 1, 50, 41, 51, 7, 71, 72, 11, 210};

const std::vector<EntityLayout>& layouts() {
    static const std::vector<EntityLayout> table = {
        {"LINE", {{"AcDbLine", {39, 10, 11, 210}}}, {10, 11}},
        {"CIRCLE", {{"AcDbCircle", {39, 10, 40, 210}}}, {10, 40}},
        {"ARC", {{"AcDbCircle", {39, 10, 40, 210}}, {"AcDbArc", {50, 51}}}, {10, 40, 50, 51}},
        {"POINT", {{"AcDbPoint", {10, 39, 210, 50}}}, {10}},
        {"TEXT", {{"AcDbText", text_codes}, {"AcDbText", {73}}}, {10, 40, 1}},
        {"ATTDEF", {{"AcDbText", text_codes}, {"AcDbAttributeDefinition", {3, 2, 70, 73, 74}}}, {10, 40, 1, 2}},
        {"ATTRIB", {{"AcDbText", text_codes}, {"AcDbAttribute", {2, 70, 73, 74}}}, {10, 40, 1, 2}},
        {"INSERT", {{"AcDbBlockReference", {66, 2, 10, 41, 42, 43, 50, 70, 71, 44, 45, 210}}}, {2, 10}},
        {"LWPOLYLINE", {{"AcDbPolyline", {90, 70, 43, 38, 39, 10, 40, 41, 42, 91, 210}}}, {10}},
        {"POLYLINE", {{"AcDb2dPolyline", {66, 10, 39, 70, 40, 41, 71, 72, 73, 74, 75, 210}}}, {}},
        {"VERTEX", {{"AcDbVertex", {}}, {"AcDb2dVertex", {10, 40, 41, 42, 70, 50, 71, 72, 73, 74}}}, {10}},
        {"SEQEND", {}, {}},
        {"SOLID", {{"AcDbTrace", {10, 11, 12, 13, 39, 210}}}, {10, 11, 12}},
        {"TRACE", {{"AcDbTrace", {10, 11, 12, 13, 39, 210}}}, {10, 11, 12}},
        {"3DFACE", {{"AcDbFace", {10, 11, 12, 13, 70}}}, {10, 11, 12}},
        {"ELLIPSE", {{"AcDbEllipse", {10, 11, 210, 40, 41, 42}}}, {10, 11, 40}},
        {"MTEXT", {{"AcDbMText", {10, 40, 41, 46, 71, 72, 3, 1, 7, 210, 11, 42, 43, 50, 73, 44}}}, {10, 1}},
        {"SHAPE", {{"AcDbShape", {39, 10, 40, 2, 50, 41, 51, 210}}}, {10, 40, 2}},
        {"DIMENSION", {{"AcDbDimension", {2, 10, 11, 12, 70, 1, 71, 72, 41, 42, 53, 51, 210, 3}}}, {10}},
        {"VIEWPORT", {{"AcDbViewport", {10, 40, 41, 68, 69, 12, 13, 14, 15, 16, 17, 42, 43, 44, 45, 50, 51, 72, 90, 1, 281, 71, 74, 110, 111, 112, 79, 146}}}, {10, 40, 41}},
        {"BLOCK", {{"AcDbBlockBegin", {2, 70, 10, 3, 1, 4}}}, {2}},
        {"ENDBLK", {{"AcDbBlockEnd", {}}}, {}},
    };
    return table;
}

}  // namespace

const EntityLayout* entity_layout(std::string_view type) {
    // Asked for every entity made: the first letter rules out most types.
    if (type.empty()) return nullptr;
    for (const auto& s : layouts())
        if (s.type[0] == type[0] && type == s.type) return &s;
    return nullptr;
}

SubclassLayout dimension_subclass(int flags) {
    switch (flags & 7) {
    case 0: return {"AcDbRotatedDimension", {13, 14, 50, 52}};
    case 1: return {"AcDbAlignedDimension", {13, 14, 50}};
    case 2: return {"AcDb2LineAngularDimension", {13, 14, 15, 16}};
    case 3: return {"AcDbDiametricDimension", {15, 40}};
    case 4: return {"AcDbRadialDimension", {15, 40}};
    case 5: return {"AcDb3PointAngularDimension", {13, 14, 15}};
    default: return {"AcDbOrdinateDimension", {13, 14}};
    }
}

const std::vector<int>& common_entity_codes() {
    static const std::vector<int> codes = {6, 62, 370, 48, 60, 420, 430, 440, 284, 347, 390};
    return codes;
}

}  // namespace cadhost::db
