// The texts, formats, column widths and error code of the point-to-point
// wire listing.
#pragma once

namespace wcraft {

enum WireListingError : int {
    ERR_WLF_OPEN = 2018,  // the listing file cannot be opened
};

}  // namespace wcraft

namespace wcraft::wlmsg {

inline constexpr const char* kExt = "WLF";
inline constexpr const char* kLogStart = "\nCalculating PTP wire list...";
inline constexpr const char* kBanner = "\n:Calculating PTP wire list...:  ";

// The breakdown page and the schedules inside it use the lower-case title;
// every other heading uses the capital one.
inline constexpr const char* kTitleLower = "\nWirecraft 5 - point to point wire listing : Project name (%s), Title (%s)";
inline constexpr const char* kTitle = "\nWirecraft 5 - Point to point wire listing : Project name (%s), Title (%s)";
inline constexpr const char* kPageBreak = "\f\n";

inline constexpr const char* kLevelsHead = "\nBreakdown of zone levels ....:-";
inline constexpr const char* kZonesHead = "\n\nBreakdown of zone boundaries :-";
inline constexpr const char* kBreakdownRule = "\n-------------------------------\n";
inline constexpr const char* kBreakdownLine = "\n[%d]  ";
inline constexpr const char* kIndent = "   ";
inline constexpr int kBreakdownLevels = 9;  // levels 0 to 8 are listed

inline constexpr const char* kInternal = "\n           Internal wiring schedule, level(%s), zone(%s)";
inline constexpr const char* kInterzone =
    "\n           Interzone wire schedule, from level(%s), zone(%s) to level(%s), zone(%s)";
inline constexpr const char* kExternal = "\n           External wiring listing ";

// Column header lines of every schedule: "\n", 33 spaces, "Wire", 64 spaces;
// the names line; "\n" and a rule of 124 "-".
inline constexpr int kWireLead = 33, kWireTrail = 64, kScheduleRule = 124;
inline constexpr const char* kWireWord = "Wire";
inline constexpr const char* kColumns =
    "\nSource         : ID       :     Number    : Destination   : ID       : Wirename           : Colour   : "
    "Size     : Signal   ";

// Row field widths, in the order the fields are written.
inline constexpr int kRefWidth = 15, kIdWidth = 10, kNumberWidth = 15, kNameWidth = 20, kColourWidth = 10,
                     kSizeWidth = 10, kSignalWidth = 10;

inline constexpr const char* kUnconnected = "\n           Unconnected component listing";
// "\n", "Component" and 87 spaces; the names line; "\n" and 45 "-".
inline constexpr const char* kComponentWord = "Component";
inline constexpr int kComponentTrail = 87, kUnconnectedRule = 45;
inline constexpr const char* kUnconnectedColumns = "\nReference      : ID         : Gridref        ";
inline constexpr int kGridWidth = 6;
inline constexpr const char* kFieldJoin = " : ";

inline constexpr const char* kEnd = "\n\n*End of report*";
inline constexpr const char* kFormFeed = "\f";

}  // namespace wcraft::wlmsg
