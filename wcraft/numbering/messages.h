// The texts of wire, component and terminal numbering and relay
// correlation: log lines, the command-line banners and the routine names of
// the fatal allocation report.
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

// Component and terminal numbering. The routine names are those of the
// working indexes, which the specified steps do not have.
inline constexpr const char* kFnCalcComponents = "wcr_ppro_calccomponents";
inline constexpr const char* kFnCalcTerminals = "wcr_ppro_calcterminals";
inline constexpr const char* kComponentLog = "\nCalculating component numbers...";
inline constexpr const char* kComponentBanner = "\n:Calculating component numbers...:  ";
inline constexpr const char* kTerminalLog = "\nCalculating terminal numbers...";
inline constexpr const char* kTerminalBanner = "\n:Calculating terminal numbers...:  ";

// Relay correlation and contact numbering.
inline constexpr const char* kFnRelayCorrelation = "wcr_ppro_relaycorrelation";
inline constexpr const char* kRelayLog = "\nCalculating relay correlation...";
inline constexpr const char* kRelayBanner = "\n:Calculating relay correlation...:  ";
inline constexpr const char* kAutoNumbering = "\nAuto-numbering contacts...";
inline constexpr const char* kAutoNumberingOff = "\nContact auto-numbering disabled...";
inline constexpr const char* kCorrelating = "\nCorrelating coil and contact references...";
inline constexpr const char* kMissingCoilTag = "\n:Warning, missing TAG on COIL block, grid ref: %s";
inline constexpr const char* kDuplicateCoilTag = "\n:Error, duplicate TAG name (%s) on COIL blocks, gridref(%s) & (%s)";
inline constexpr const char* kDuplicateCoilRef = "\n:Error, duplicate REF name (%s) on COIL blocks, gridref(%s) & (%s)";
inline constexpr const char* kUnexpectedCid = "\n:Unexpected contact CID(%s), ignored!";
inline constexpr const char* kMissingCoilRef = "\n:Error, missing REF on COIL block, grid ref: %s";
inline constexpr const char* kUnrelatedCoil = "\n:Error, unrelated COIL REF (%s), grid ref: %s";
inline constexpr const char* kMissingContactRef = "\n:Error, missing REF on CONTACT block, grid ref: %s";
inline constexpr const char* kUnrelatedContact = "\n:Error, unrelated CONTACT REF (%s), grid ref: %s";

}  // namespace wcraft::nmsg
