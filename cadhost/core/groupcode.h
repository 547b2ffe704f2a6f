// The type of the value each group code carries, as the file stores it and
// as applications receive it.
#pragma once

#include <array>

namespace cadhost {

enum class GroupType {
    String,    // text (also handles given as text: 5, 105, 320-329, 1005)
    Point,     // first coordinate of a point: X here, Y at code+10, Z at code+20
    Coord,     // a Y or Z coordinate belonging to a Point code
    Real,
    Angle,     // real stored in degrees in the file, radians in applications
    Int16,
    Int32,
    Int64,
    Bool,      // 290-299: 0/1, handed over as a 16-bit integer
    Hex,       // binary data as hexadecimal chunks
    Pointer,   // handle in the file, entity reference in applications
    Comment,   // 999
    Unknown,   // codes no writer should use; kept as text
};

// Codes 0 to kGroupCodes - 1 are those a file can hold.
constexpr int kGroupCodes = 1072;
// The type of each of those codes; any other code is Unknown.
extern const std::array<GroupType, kGroupCodes> kGroupTypes;
// Asked for every group read or converted, so looked up in place.
inline GroupType group_type(int code) {
    return code >= 0 && code < kGroupCodes ? kGroupTypes[static_cast<unsigned>(code)] : GroupType::Unknown;
}

// For Coord codes: the Point code they belong to and which axis (1 = Y,
// 2 = Z); 0 axis for codes that are not coordinates.
struct CoordOf {
    int point_code = 0;
    int axis = 0;
};
CoordOf coord_of(int code);

}  // namespace cadhost
