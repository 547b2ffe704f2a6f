// Values exchanged with applications: a flat chain of (restype, value) items
// that maps one to one onto the resbuf chain of the C interface.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "core/result.h"
#include "core/value.h"
#include "value.h"

namespace cadhost::lisp {

// Result type codes of the C interface.
namespace rt {
constexpr int None = 5000, Real = 5001, Point = 5002, Short = 5003, Angle = 5004, Str = 5005, Ename = 5006,
              Picks = 5007, Orint = 5008, Point3d = 5009, Long = 5010, Void = 5014, ListBegin = 5016,
              ListEnd = 5017, DotEnd = 5018, Nil = 5019, Dxf0 = 5020, T = 5021;
}  // namespace rt

// Status codes of the C interface.
namespace rs {
constexpr int Normal = 5100, Error = -5001, Cancel = -5002, Reject = -5003, Fail = -5004, Keyword = -5005;
}  // namespace rs

struct SelSet {
    uint64_t id = 0;
    bool operator==(const SelSet&) const = default;
};

using AdsPayload = std::variant<std::monostate, int32_t, double, Point, std::string, EntityRef, SelSet>;

struct AdsValue {
    int restype = rt::Nil;
    AdsPayload value;
    bool operator==(const AdsValue&) const = default;
};

using AdsList = std::vector<AdsValue>;

enum class PointRule {
    RealsOnly,   // lists of two or three reals become points (function arguments)
    AnyNumbers,  // lists of two or three numbers become points (command arguments)
};

// Appends the items for v; lists are bracketed by ListBegin/ListEnd, dotted
// lists end with DotEnd in place of ListEnd. Files and functions have no
// item form and are an error.
Status append_ads(AdsList& out, const Value& v, PointRule rule);
Result<AdsList> to_ads(const Value& v, PointRule rule);
// The chain as one value: a single item is that value, several top-level
// items form a list, an empty chain is nil.
Result<Value> from_ads(const AdsList& items);

}  // namespace cadhost::lisp
