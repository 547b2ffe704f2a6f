// Every text the drawing commands and the entity lister print or ask, and
// the layer, block and linetype names the post-processor looks for.
#pragma once

namespace wcraft::dmsg {

// wire drawing
inline constexpr const char* kWireLine = "\nWirename : %s, (Colour %s), (Size %s), (Signal %s)";
inline constexpr const char* kWireStart = "\n(Return to select wire type) / <wire start point> ";
inline constexpr const char* kWireEnd = "\nPick End point for wire >";
inline constexpr const char* kDiagonal = "\n*Diagonal wires not permitted*";

// block insertion
inline constexpr const char* kMarkerBlock = "RLMARKER";
inline constexpr const char* kMarkerLayer = "WCR_RELAY_MARK_LAYER";
inline constexpr const char* kMarkerPrompt = "\nInsertion point for Relay contact display marker >";
inline constexpr const char* kLinkLayer = "WCR_WIRE_LINK_LAYER";
inline constexpr const char* kLinkDirection = "\nInsert wirelink (direction %s)";
inline constexpr const char* kLinkPrompt = "\nInsertion point for Wirelink >";
inline constexpr const char* kSheetPrompt = "\nInsertion point sheet number block >";

// zone outline
inline constexpr const char* kZoneLinetype = "WCRZONE";
inline constexpr const char* kZoneLinetypeFile = "WCRAFT";  // in the install directory
inline constexpr const char* kZoneName = "\nZone : %s";
inline constexpr const char* kZoneCorner1 = "\nPick 1st corner of zone > ";
inline constexpr const char* kZoneCorner2 = "\nPick 2nd corner of zone >";
inline constexpr const char* kZoneInvalid = "\n*Invalid zone area*";

// entity lister: heading
inline constexpr const char* kIndent = "                   ";  // 19 spaces
inline constexpr const char* kSelectEntity = "\nSelect entity to list >";
inline constexpr const char* kBanner[3] = {
    "\n%s     ======================================",
    "\n%s     =  Wirecraft, list entity  =",
    "\n%s     ======================================\n",
};
inline constexpr const char* kNoType = "\nWCRAFT ARX error extracting entity type...";
inline constexpr const char* kNoBlockName = "\nWCRAFT ARX error extracting block name...";

// entity lister: wire
inline constexpr const char* kWireIs = "\n%s  Selected entity is a WIRE :-";
inline constexpr const char* kWireName = "\n%s     Name .....: %s";
inline constexpr const char* kWireLayer = "\n%s     Layer ....: %s";
inline constexpr const char* kWireColour = "\n%s     Colour ...: %s";
inline constexpr const char* kWireSize = "\n%s     Size .....: %s";
inline constexpr const char* kWireSignal = "\n%s     Signal ...: %s";
inline constexpr const char* kWireFrom = "\n%s  from x,y(%f, %f)";
inline constexpr const char* kWireTo = "\n%s  to   x,y(%f, %f)";

// entity lister: zone
inline constexpr const char* kZoneIs = "\n%s  Selected entity is a ZONE :-";
inline constexpr const char* kZoneListName = "\n%s     Zone name...: %s";
inline constexpr const char* kZoneLevel = "\n%s     Level ......: %s";
inline constexpr const char* kZoneParent = "\n%s     Parent zone.: %s";
inline constexpr const char* kZoneLayer = "\n%s     Layer ......: %s";
inline constexpr const char* kZoneFrom = "\n%sZone from blx,y(%f, %f)";
inline constexpr const char* kZoneTo = "\n%s     to   trx,y(%f, %f)";
inline constexpr const char* kZoneBad = "%s *Invalid zone boundry*";

// entity lister: the two marker blocks, wire link and relay marker
struct MarkerTexts {
    const char* pattern;  // block name, host wildcard
    const char* layer;
    const char* tag;      // the attribute it must carry first
    const char* is;
    const char* wrong_layer;
    const char* to_activate;
    const char* right_layer;
    const char* point;
    const char* found;
    const char* value;
    const char* missing;
};
inline constexpr MarkerTexts kLinkTexts = {
    "WLINK*",
    kLinkLayer,
    "LINK",
    "\n%s  Selected entity is a WIRELINK :-",
    "\n%sOn incorrect layer, %s",
    "\n%sTo make link active, change layer to %s",
    "\n%sOn correct layer : %s",
    "\n%sInsertion point x,y(%f, %f)",
    "\n%s  Wire link attribute, %s found",
    "\n%s     Link value is : %s",
    "\n%sWirelink attribute, %s - Missing or incorrect!",
};
inline constexpr MarkerTexts kMarkerTexts = {
    kMarkerBlock,
    kMarkerLayer,
    "IREF",
    "\n%s  Selected entity is a RELAY MARKER Block :-",
    "\n%s  On incorrect layer, %s",
    "\n%s  To make marker active, change layer to %s",
    "\n%s  On correct layer : %s",
    "\n%s     Insertion point x,y(%f, %f)",
    "\n%s  Relay Marker attribute, %s found",
    "\n%s   Marker value is : %s",
    "\n%sRelay Marker attribute, %s - Missing or incorrect!",
};

// entity lister: wire node
inline constexpr const char* kNodeBlock = "WIRENODE";
inline constexpr const char* kNodeIs = "\n%s  Selected entity is a WIRENODE :-";
inline constexpr const char* kNodeAt = "\n%sInserted at point x,y(%f, %f)";

// entity lister: blocks and components
inline constexpr const char* kBlockRoutine = "wcr_ppro_gercomponents";
inline constexpr const char* kPlainBlock = "\n%sSelected entity is a BLOCK :-";
inline constexpr const char* kRefMissing = "\n%sREF attribute, (%s) missing!";
inline constexpr const char* kWcrBlock = "\n%sSelected entity is a Wirecraft BLOCK :-";
inline constexpr const char* kIdentification = "\n%sComponent identification : ";
inline constexpr const char* kCoil = "relay COIL";
inline constexpr const char* kNoContact = "N/O CONTACT";
inline constexpr const char* kNcContact = "N/C CONTACT";
inline constexpr const char* kCoContact = "C/O CONTACT";
inline constexpr const char* kTmContact = "T/M CONTACT";
inline constexpr const char* kListed = "Listed component, %s";
inline constexpr const char* kTerminal = "Terminal, %s";
inline constexpr const char* kUnlisted = "Unlisted component";
inline constexpr const char* kBlockPoint = "\n%sInsertion point x,y(%f, %f)";
inline constexpr const char* kAttributes = "\n%s  Wirecraft Block attributes :-";
inline constexpr const char* kRefLine = "\n%s  REF (%s) = %s";
inline constexpr const char* kCvLine = "\n%s  CV (%s) = %s";
inline constexpr const char* kTagLine = "\n%s  TAG (%s) = %s";
inline constexpr const char* kCidLine = "\n%s  CID (%s) = %s";
inline constexpr const char* kBomLine = "\n%s  BOM (%s) = %s";
inline constexpr const char* kBomattLine = "\n%s  BOMATT (%s) = %s";
inline constexpr const char* kIdNodes = "\n%sConnection point ID (%s) attribute nodes :-";
inline constexpr const char* kIdNode = "\n%s  ID node [%s] at x,y(%f, %f)";
inline constexpr const char* kNoIdNodes = "\n%s     None found...";

}  // namespace wcraft::dmsg
