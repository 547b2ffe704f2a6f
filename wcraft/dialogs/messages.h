// The texts the configuration dialogs show in their message tile, and the
// fixed names they build layer names from.
#pragma once

namespace wcraft::dlgmsg {

// layer names of wire types and zones
inline constexpr const char* kWireLayerPrefix = "WCR_WIRE_";
inline constexpr const char* kZoneLayerPrefix = "WCR_ZONE_";

// shared by the wire and zone dialogs
inline constexpr const char* kBadColour = "Invalid Layer colour number";
inline constexpr const char* kColourRange = "Layer colour number must be between 1 and 255";

// wire definitions
inline constexpr const char* kBadWireName = "Duplicate/Invalid Wire name";
inline constexpr const char* kBadLayerName = "Invalid Layer name";
inline constexpr const char* kBadWireInit = "Invalid Initial number";
inline constexpr const char* kBadWireIncr = "Invalid Increment number";
inline constexpr const char* kBadHeight = "Invalid Text height number";
inline constexpr const char* kBadXOffset = "Invalid X offset value";
inline constexpr const char* kBadYOffset = "Invalid Y offset value";
inline constexpr const char* kDefaultOnlySet = "Default can only be set";
inline constexpr const char* kWireAddAtMax = "Can't add wire definition, MAX already defined";
inline constexpr const char* kWireMax = "MAX wire definitions already defined";
inline constexpr const char* kWireAdded = "New wire definitions added!";
inline constexpr const char* kDeleteDefault = "Can't delete the default wire definition";

// zone definitions
inline constexpr const char* kBadZoneName = "Invalid zone name!";
inline constexpr const char* kDuplicateZone = "Duplicate zone name!";
inline constexpr const char* kZoneMax = "Maximum zones defined!";
inline constexpr const char* kSelectZoneToDelete = "Select zone name to delete first!";
inline constexpr const char* kSubZonesFirst = "Delete sub zones first!";
inline constexpr const char* kSelectZoneToModify = "Select zone to modify first!";
inline constexpr const char* kSelectZone = "Select zone name first!";
inline constexpr const char* kMaxZoneLevel = "Max zone level reached";
inline constexpr const char* kTopZoneLevel = "Top zone level reached";
inline constexpr const char* kTopLevel = "*Top level*";

// component and terminal definitions
inline constexpr const char* kBadComponent = "Invalid component name!";
inline constexpr const char* kComponentMax = "Maximum component defs defined!";
inline constexpr const char* kSelectComponentToDelete = "Select component name to delete first!";
inline constexpr const char* kSelectComponentToModify = "Select component to modify first!";
inline constexpr const char* kBadTerminal = "Invalid terminal name!";
inline constexpr const char* kTerminalMax = "Maximum terminal defs defined!";
inline constexpr const char* kSelectTerminalToDelete = "Select terminal name to delete first!";
inline constexpr const char* kSelectTerminalToModify = "Select terminal to modify first!";
inline constexpr const char* kBadInitial = "Invalid inital value!";
inline constexpr const char* kBadIncrement = "Invalid increment value!";

// application interfaces, in the order they are tested
inline constexpr const char* kBadInterface[5][2] = {
    {"Invalid Interface 1 Function name!", "Invalid Interface 1 AutoLISP file name!"},
    {"Invalid Interface 2 Function name!", "Invalid Interface 2 AutoLISP file name!"},
    {"Invalid Interface 3 Function name!", "Invalid Interface 3 AutoLISP file name!"},
    {"Invalid Interface 4 Function name!", "Invalid Interface 4 AutoLISP file name!"},
    {"Invalid Interface 5 Function name!", "Invalid Interface 5 AutoLISP file name!"},
};

// attribute names
inline constexpr const char* kBadGridRef = "Invalid Grid reference layer!";
inline constexpr const char* kBadTitleBlock = "Invalid Title block name!";
inline constexpr const char* kBadSheetNo = "Invalid Sheet number attribute!";
inline constexpr const char* kBadSheetMax = "Invalid Total sheets attribute!";
inline constexpr const char* kBadRef = "Invalid REF attribute!";
inline constexpr const char* kBadBom = "Invalid BOM attribute!";
inline constexpr const char* kBadBomAtt = "Invalid BOMATT attribute!";
inline constexpr const char* kBadTag = "Invalid TAG attribute!";
inline constexpr const char* kBadId = "Invalid ID attribute!";  // both the CID and the ID attribute
inline constexpr const char* kBadUser = "Invalid USER attribute!";
inline constexpr const char* kBadCv = "Invalid CV attribute!";
inline constexpr const char* kBadZoneAttr = "Invalid ZONE attribute!";

// relay identification
inline constexpr const char* kBadCoilId = "Invalid Coil identification!";
inline constexpr const char* kBadNoId = "Invalid N/O identification!";
inline constexpr const char* kBadNcId = "Invalid N/C identification!";
inline constexpr const char* kBadCoId = "Invalid C/O identification!";
inline constexpr const char* kBadTmId = "Invalid TMR identification!";

}  // namespace wcraft::dlgmsg
