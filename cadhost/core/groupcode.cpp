// Group code ranges and their value types.
#include "groupcode.h"

#include <array>
#include <cstddef>

namespace cadhost {

namespace {

constexpr bool in(int c, int lo, int hi) { return c >= lo && c <= hi; }

constexpr GroupType classify(int c) {
    if (c < 0) return GroupType::Unknown;
    if (in(c, 0, 9)) return GroupType::String;
    if (in(c, 10, 18)) return GroupType::Point;
    if (in(c, 20, 37)) return GroupType::Coord;
    if (in(c, 38, 49)) return GroupType::Real;
    if (in(c, 50, 58)) return GroupType::Angle;
    if (c == 59) return GroupType::Real;
    if (in(c, 60, 79)) return GroupType::Int16;
    if (in(c, 90, 99)) return GroupType::Int32;
    if (c == 100 || c == 101 || c == 102 || c == 105) return GroupType::String;
    if (in(c, 110, 112)) return GroupType::Point;
    if (in(c, 120, 122) || in(c, 130, 132)) return GroupType::Coord;
    if (in(c, 113, 119) || in(c, 123, 129) || in(c, 133, 149)) return GroupType::Real;
    if (in(c, 160, 169)) return GroupType::Int64;
    if (in(c, 170, 179)) return GroupType::Int16;
    if (c == 210) return GroupType::Point;
    if (c == 220 || c == 230) return GroupType::Coord;
    if (in(c, 211, 219) || in(c, 221, 229) || in(c, 231, 239)) return GroupType::Real;
    if (in(c, 270, 289)) return GroupType::Int16;
    if (in(c, 290, 299)) return GroupType::Bool;
    if (in(c, 300, 309)) return GroupType::String;
    if (in(c, 310, 319)) return GroupType::Hex;
    if (in(c, 320, 329)) return GroupType::String;
    if (in(c, 330, 369)) return GroupType::Pointer;
    if (in(c, 370, 389)) return GroupType::Int16;
    if (in(c, 390, 399)) return GroupType::Pointer;
    if (in(c, 400, 409)) return GroupType::Int16;
    if (in(c, 410, 419)) return GroupType::String;
    if (in(c, 420, 429)) return GroupType::Int32;
    if (in(c, 430, 439)) return GroupType::String;
    if (in(c, 440, 459)) return GroupType::Int32;
    if (in(c, 460, 469)) return GroupType::Real;
    if (in(c, 470, 479)) return GroupType::String;
    if (in(c, 480, 481)) return GroupType::Pointer;
    if (c == 999) return GroupType::Comment;
    if (c == 1004) return GroupType::Hex;
    if (in(c, 1000, 1009)) return GroupType::String;
    if (in(c, 1010, 1013)) return GroupType::Point;
    if (in(c, 1020, 1023) || in(c, 1030, 1033)) return GroupType::Coord;
    if (in(c, 1014, 1019) || in(c, 1024, 1029) || in(c, 1034, 1059)) return GroupType::Real;
    if (in(c, 1060, 1070)) return GroupType::Int16;
    if (c == 1071) return GroupType::Int32;
    return GroupType::Unknown;
}

}  // namespace

// Every code a file can hold, looked up rather than classified: reading and
// converting entities asks for the type of each of their groups.
constexpr std::array<GroupType, kGroupCodes> kGroupTypes = [] {
    std::array<GroupType, kGroupCodes> a{};
    for (int c = 0; c < kGroupCodes; ++c) a[static_cast<std::size_t>(c)] = classify(c);
    return a;
}();

CoordOf coord_of(int code) {
    if (group_type(code) != GroupType::Coord) return {};
    if (in(code, 20, 28)) return {code - 10, 1};
    if (in(code, 30, 37)) return {code - 20, 2};
    if (in(code, 120, 122)) return {code - 10, 1};
    if (in(code, 130, 132)) return {code - 20, 2};
    if (code == 220) return {210, 1};
    if (code == 230) return {210, 2};
    if (in(code, 1020, 1023)) return {code - 10, 1};
    if (in(code, 1030, 1033)) return {code - 20, 2};
    return {};
}

}  // namespace cadhost
