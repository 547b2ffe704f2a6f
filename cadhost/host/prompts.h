// What applications ask of the command line through the session: the
// interactive get functions with initget's options, entity picks and
// selections by mode, and their answers.
#pragma once

#include <string>
#include <vector>
#include <optional>

#include "core/value.h"

namespace cadhost::host {

enum class GetKind { String, Int, Real, Dist, Angle, Point, Corner, Kword };

// The options set by initget; they apply to the next input call only.
struct InitGet {
    int bits = 0;
    std::vector<std::string> keywords;  // local keyword names, in order
};

struct GetRequest {
    GetKind kind = GetKind::String;
    std::string prompt;
    std::optional<Point> base;  // rubber-band base for distances, angles, corners
    bool spaces = false;        // strings: a blank is part of the answer
};

struct GetResult {
    int status = 0;        // RTNORM, RTNONE (empty answer), RTCAN, RTKWORD, RTERROR
    GroupValue value;      // string, int32, real, Point
    std::string keyword;   // for RTKWORD: the matched keyword or the arbitrary input
};

// One entity picked at a point, as entsel does it.
struct Pick {
    int status = 0;  // RTNORM, RTNONE, RTKWORD, RTCAN, RTERROR (nothing there)
    EntityRef entity;
    Point point;
    std::string keyword;
};

// What a selection by mode found (see cmd::select_by_mode).
struct SelectionResult {
    bool ok = false;        // false: unknown mode or missing points
    bool cancelled = false;
    std::vector<EntityRef> entities;
};

}  // namespace cadhost::host
