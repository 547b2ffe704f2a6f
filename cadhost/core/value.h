// Values of the drawing database in the form the host hands to applications:
// one group per datum, points as a single 3D group, angles in radians.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace cadhost {

struct Point {
    double x = 0, y = 0, z = 0;  // drawing units
    uint8_t dims = 3;            // 2 for points the file stores without Z (LWPOLYLINE vertices)
    bool operator==(const Point&) const = default;
};

// Identifies an entity or table record while its drawing is open. 0 is "none".
struct EntityRef {
    uint64_t id = 0;  // database-wide serial, never reused within a drawing
    bool operator==(const EntityRef&) const = default;
    explicit operator bool() const { return id != 0; }
};

using Binary = std::vector<uint8_t>;

// The value of one group. The alternative held follows the group code's type
// (see groupcode.h): Real, Point, Short (16 bit), Long (32 bit), 64-bit
// integers, String, EntityRef (pointer and handle codes that refer to other
// objects in ADS form), Binary (310-319 and 1004).
using GroupValue = std::variant<double, Point, int16_t, int32_t, int64_t, std::string, EntityRef, Binary>;

struct Group {
    int code = 0;
    GroupValue value;
    bool operator==(const Group&) const = default;
};

using GroupList = std::vector<Group>;

inline Group make_group(int code, std::string s) { return {code, std::move(s)}; }
inline Group make_group(int code, double d) { return {code, d}; }
inline Group make_group(int code, Point p) { return {code, p}; }
inline Group make_short(int code, int v) { return {code, static_cast<int16_t>(v)}; }
inline Group make_long(int code, int32_t v) { return {code, v}; }
inline Group make_ref(int code, EntityRef r) { return {code, r}; }

// First group with this code, or nullptr.
const Group* find_group(const GroupList& list, int code);
Group* find_group(GroupList& list, int code);
// Convenience readers: the string / integer / real at the first group with
// this code, or the fallback when absent or of another type.
std::string group_string(const GroupList& list, int code, const std::string& fallback = "");
long group_int(const GroupList& list, int code, long fallback = 0);
double group_real(const GroupList& list, int code, double fallback = 0.0);

// The first group whose code stands for a number or a point but whose value
// is text: the reader keeps a value it cannot read as the file had it. Code
// that takes such a group's number without a check must ask this first.
const Group* misread_group(const GroupList& list);
// What is wrong with such a group, for a message: group 40 is "abc", not a number.
std::string misread_message(const Group& g);

}  // namespace cadhost
