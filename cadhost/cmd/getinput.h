// The interactive input functions (string, integer, real, distance, angle,
// point, corner, keyword) with initget's control bits and keywords, as
// applications and AutoLISP use them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "cmd/commandline.h"

namespace cadhost::cmd {

enum class GetKind { String, Int, Real, Dist, Angle, Point, Corner, Kword };

// The options set by initget; they apply to the next input call only.
struct InitGet {
    int bits = 0;
    std::vector<std::string> keywords;  // local keyword names, in order
};
InitGet parse_initget(int bits, const char* keywords);

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

GetResult get_input(CommandLine& cl, const GetRequest& req, const InitGet& init);

// The keyword an answer stands for, or "" when it matches none.
std::string match_keyword(const std::string& answer, const std::vector<std::string>& keywords);

}  // namespace cadhost::cmd
