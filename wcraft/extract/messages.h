// The texts and error codes of drawing extraction: log lines written to the
// run-time event log, command-line messages of the entity access helpers,
// and the names the fatal allocation report gives.
#pragma once

namespace wcraft {

// Error codes left by the extraction operations for the stage engine. The
// block of ten selects the message; the last digit names the place.
enum ExtractError : int {
    ERR_WIRE_FILTER = 2050,
    ERR_MARK_FILTER = 2051,  // wire links and relay markers
    ERR_GRID_FILTER = 2052,
    ERR_COMP_FILTER = 2054,
    ERR_ZONE_FILTER = 2055,
    ERR_WIRE_SSNAME = 2060,
    ERR_LINK_SSNAME = 2061,
    ERR_GRID_SSNAME = 2062,
    ERR_COMP_SSNAME = 2064,  // components and relay markers
    ERR_ZONE_SSNAME = 2065,
    ERR_WIRE_ENTGET = 2070,
    ERR_LINK_ENTGET = 2071,
    ERR_GRID_ENTGET = 2072,
    ERR_WIRE_SSLENGTH = 2080,  // wires and grid references
    ERR_MARK_SSLENGTH = 2081,  // wire links and relay markers
    ERR_COMP_SSLENGTH = 2084,
    ERR_ZONE_SSLENGTH = 2085,
    ERR_COMP_ENTNEXT = 3050,
    ERR_LOOKUP_ENTNEXT = 3057,
    ERR_COMP_ENTGET = 3060,
    ERR_LOOKUP_ENTGET = 3068,
};

}  // namespace wcraft

namespace wcraft::xmsg {

// routine names of the fatal allocation report
inline constexpr const char* kFnWires = "wcr_ppro_getwires";
inline constexpr const char* kFnWireLinks = "wcr_ppro_getwirelinks";
inline constexpr const char* kFnGrid = "wcr_ppro_getgridref";
inline constexpr const char* kFnComponents = "wcr_ppro_gercomponents";
inline constexpr const char* kFnRelayMarks = "wcr_ppro_get_relay_marks";
inline constexpr const char* kFnZones = "wcr_ppro_getzones";
inline constexpr const char* kFnIdNode = "add_id_node";
inline constexpr const char* kFnXdataNode = "add_xdata_node";

// drawing conventions read by the extraction
inline constexpr const char* kLinkBlocks = "WLINK*";
inline constexpr const char* kLinkLayer = "WCR_WIRE_LINK_LAYER";
inline constexpr const char* kLinkTag = "LINK";
inline constexpr const char* kMarkBlock = "RLMARKER";
inline constexpr const char* kMarkLayer = "WCR_RELAY_MARK_LAYER";
inline constexpr const char* kMarkTag = "IREF";

// wires
inline constexpr const char* kWiresStart = "\nExtracting wire information...";
inline constexpr const char* kWiresNone = "\n:Wirename : %s, on layer %s - None found!";
inline constexpr const char* kDiagonal = "\n:Diagonal wire on sheet %s, ignored...";
inline constexpr const char* kDiagonalPoints = "\n:    Sp x(%f), y(%f) : Ep x(%f), y(%f)";

// wire links
inline constexpr const char* kLinksStart = "\nExtracting wire links...";
inline constexpr const char* kLinksNone = "\n:No wire links found";
inline constexpr const char* kLinkOutside =
    "\n:Warning: Wire link number on sheet %d, x,y( %f, %f) outside MAX limit, ignored!";

// grid references
inline constexpr const char* kGridStart = "\nExtracting grid references on layer :%s ";
inline constexpr const char* kGridNone = "\n:No grid reference text values found on layer :%s";
inline constexpr const char* kGridTooLong = "\n:Error in grid ref, string too long(max 3), ignored!";
inline constexpr const char* kGridMisaligned = "\n:Error, grid references incorrectly aligned";
inline constexpr const char* kGridMissing = "\n:Error, grid references on incorrect layer or missing";

// components
inline constexpr const char* kCompStart = "\nExtracting component information...";
inline constexpr const char* kCompNone = "\n:No blocks with attributes found on sheet %s!";
inline constexpr const char* kZoneOverlap = "\n:Warning, Component in Zone %s, overlaps Zone %s on sheet %d, Ignored!";

// relay markers
inline constexpr const char* kMarksStart = "\nExtracting relay contact display markers...";
inline constexpr const char* kMarksNone = "\n:No relay contact display markers found";
inline constexpr const char* kMarkMissing = ":Error, missing attribute(%s), on relay mark block(%s), sheet(%d)";

// zones
inline constexpr const char* kZonesStart = "\nExtracting zone information...";
inline constexpr const char* kZoneNone = "\n:Zonename : %s, on layer %s - No zone boundary found!";
inline constexpr const char* kZoneInvalid = "\n:Invalid zone boundary, sheet %d, zone %s, Ignored!";

// entity access, on the command line
inline constexpr const char* kNoInsertion = "\nWCRAFT ARX error extracting block insertion point...";
inline constexpr const char* kHandleTooBig = "\nError : Entity HANDLE too big!";
inline constexpr const char* kNoHandle = "\nWCRAFT ARX error extracting block handle...";
inline constexpr const char* kNoLayer = "\nWCRAFT ARX error extracting block layername...";
inline constexpr const char* kNoAttName = "\nWCRAFT ARX error extracting attribute name...";
inline constexpr const char* kNoAttValue = "\nWCRAFT ARX error extracting attribute value...";
inline constexpr const char* kNoAttHeight = "\nWCRAFT ARX error extracting attribute height...";
inline constexpr const char* kNoAttRotation = "\nWCRAFT ARX error extracting attribute rotation...";

}  // namespace wcraft::xmsg
