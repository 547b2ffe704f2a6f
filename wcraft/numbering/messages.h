// The texts of wire numbering: log lines, the command-line banner and the
// routine names of the fatal allocation report.
#pragma once

namespace wcraft::nmsg {

inline constexpr const char* kFnCalcWires = "wcr_ppro_calcwires";
inline constexpr const char* kFnTouches = "point_touches_line";

inline constexpr const char* kLogStart = "\nCalculating wire numbering...";
inline constexpr const char* kBanner = "\n:Calculating wire numbers ... :  ";
inline constexpr const char* kNoContinue =
    "\n:Warning, Couldn't continue wire number through terminal/component on sheet %d, at x,y(%f, %f)";
inline constexpr const char* kUnattached = "\n:Unattached wire link (%d), on sheet %d, at x,y(%f,%f), ignored!";
inline constexpr const char* kLinkConflict =
    "\n:Warning, conflicting wire link found, link (%d), on sheet %d, at x,y(%f,%f), ignored!";
inline constexpr const char* kWireConflict = "\n:Warning, wire link conflict, link (%d), on sheet %d, ignored!";

}  // namespace wcraft::nmsg
