// The texts of the relay contact listing, the parts listing, the analysis
// file, the audit and the stage hook: headings, line formats, group codes
// and the error raised when a report file cannot be opened.
#pragma once

namespace wcraft {

enum ExportError : int {
    ERR_EXPORT_OPEN = 2018,  // a report file cannot be opened for writing
};

}  // namespace wcraft

namespace wcraft::xmsg {

// report file extensions
inline constexpr const char* kRelayExt = "RLF";
inline constexpr const char* kPartsExt = "PLF";
inline constexpr const char* kAnalysisExt = "ALF";

// relay contact listing
inline constexpr const char* kRelayStart = "\nCalculating relay contact listing...";
inline constexpr const char* kRelayProject = "\nWirecraft - Relay contact listing : Project name (%s)";
inline constexpr int kRelayTitleIndent = 46;
inline constexpr const char* kRelayTitle = "Title (%s)";
inline constexpr const char* kRelayHeading1 = "  Coil              Coil";
inline constexpr int kRelayHeading1Tail = 58;  // spaces after the first heading line
inline constexpr const char* kRelayHeading2 =
    "\nReference      :   Voltage     : N/O : N/C : T/M : Zone               : Gridref   ";
inline constexpr int kRelayRule = 82;
inline constexpr const char* kRelayEnd = "\n\n*End of report*";
// column widths of a coil line: reference, voltage, three counts, zone, grid
inline constexpr int kRelayRefWidth = 15;
inline constexpr int kRelayCvWidth = 15;
inline constexpr int kRelayCountWidth = 4;
inline constexpr int kRelayZoneWidth = 20;
inline constexpr int kRelayGridWidth = 6;
inline constexpr const char* kRelayNoZone = " ";

// parts listing
inline constexpr const char* kPartsStart = "\nCalculating parts listing...";
inline constexpr int kPartsBomWidth = 15;
inline constexpr int kPartsAttWidth = 15;
inline constexpr int kPartsCountWidth = 2;

// analysis file
inline constexpr const char* kAnalysisStart = "\nCalculating 3rd party analysis file...";
inline constexpr const char* kAnalysisHeader = "Wirecraft 5 HEADER";
inline constexpr const char* kAnalysisLinks = "\n\n:>Wirelink list ...";
inline constexpr const char* kAnalysisEnd = "\n*EOF*";
inline constexpr const char* kRecWireDef = "WIREDEF";
inline constexpr const char* kRecWire = "WIRE";
inline constexpr const char* kRecNode = "NODEPOINT";
inline constexpr const char* kRecLink = "WIRELINK";
inline constexpr const char* kRecGrid = "GRIDREF";
inline constexpr const char* kRecZoneDef = "ZONEDEF";
inline constexpr const char* kRecZone = "ZONE";
inline constexpr const char* kRecComponent = "COMPONENT";
inline constexpr const char* kRecTerminal = "TERMINAL";
inline constexpr const char* kRecContact = "CONTACT";
inline constexpr const char* kRecCoil = "COIL";
inline constexpr const char* kRecUnlisted = "UNLISTEDCOMPONENT";
inline constexpr const char* kRecId = "ID";
inline constexpr const char* kRecXdata = "XDATA";

// Group codes of the analysis file.
enum AnalysisGroup : int {
    G_TYPE = 0,       // record type
    G_NAME = 1,       // name or value
    G_COLOUR = 2,
    G_SIZE = 3,
    G_SIGNAL = 4,
    G_HANDLE = 5,     // entity handle
    G_LAYER = 8,
    G_SHEET = 9,
    G_POINT = 10,     // first point
    G_POINT2 = 11,    // second point
    G_WIRE_NO = 15,
    G_GRID = 20,      // 20 to 26: block attribute values
    G_CV = 21,
    G_BOM = 22,
    G_BOMATT = 23,
    G_TAG = 24,
    G_CID = 25,
    G_USER = 26,
    G_INDEX = 40,     // definition index
    G_XREF_TYPE = 41, // cross-reference type
};

// audit
inline constexpr const char* kNone = " - none!";
inline constexpr const char* kAuditTitle = "\n\n\fWirecraft Post processor Audit V1.0 ";
inline constexpr const char* kAuditRule = "\n==================================================";
inline constexpr const char* kAuditWires = "\n\n:>Wire list ...";
inline constexpr const char* kAuditWireName = "\n\nWire name : %s";
inline constexpr const char* kAuditSegment =
    "\nSh(%d), sp(x=%f, y=%f), ep(x=%f, y=%f), No(%d), Gp(%d), Lk(%d), Usrlk(%d), St(%d)";
inline constexpr const char* kAuditNodes = "\n\n:>Node points ...";
inline constexpr const char* kAuditNode = "\nSheet(%d), Point x,y(%f, %f)";
inline constexpr const char* kAuditLinks = "\n\n:>Wirelink list ...";
inline constexpr const char* kAuditPhantoms = "\n\n:>Phantom Wirelink list ...";
inline constexpr const char* kAuditLink = "\nSheet(%d), ip(x=%f, y=%f), link(%d), Handle(%s)";
inline constexpr const char* kAuditMarks = "\n\n:>Relay contact mark list ...";
inline constexpr const char* kAuditMark = "\nSheet(%d), ip(x=%f, y=%f), height(%f), rot(%f), iref(%s)";
inline constexpr const char* kAuditGrid = "\n\n:>Grid references ...";
inline constexpr const char* kAuditOrientation = "\n:Orientation : ";
inline constexpr const char* kOrientationNames[3] = {"UNDEFINED", "HORIZONTAL", "VERTICAL"};
inline constexpr const char* kAuditGridRef = "\nXpos(%f), Ypos(%f), Ref(%s)";
inline constexpr const char* kAuditZones = "\n\n:>Zone list ...";
inline constexpr const char* kAuditZoneName = "\n\nZone name :(%d) %s";
inline constexpr const char* kAuditZoneBox =
    "\nSheet(%d), Boundary  b/left x,y(x=%f, y=%f), t/right x,y(x=%f, y=%f)";
inline constexpr const char* kAuditComponents = "\n\n:>Wirecraft Listed Components ...";
inline constexpr const char* kAuditTerminals = "\n\n:>Wirecraft Listed Terminals ...";
inline constexpr const char* kAuditCoils = "\n\n:>Wirecraft Listed Relay Coils ...";
inline constexpr const char* kAuditContacts = "\n\n:>Wirecraft Listed Relay Contacts ...";
inline constexpr const char* kAuditUnlisted = "\n\n:>Wirecraft Unlisted components ...";
inline constexpr const char* kAuditBlock = "\n\nSheet(%d), ip(x=%f, y=%f), handle(%s), gridref(%s), ref(%s), cv(%s)";
inline constexpr const char* kAuditBlockValues = "\n   bomno(%s), bomatt(%s), tag(%s), cid(%s), user(%s), zone(%d)";
inline constexpr const char* kAuditIds = "\n    - (ID) identification points ...";
inline constexpr const char* kAuditId =
    "\n    - Idval(%s), position x,y(%f, %f), has_connection(%d), is_connected(%d)";
inline constexpr const char* kAuditXdataHeading = "\n       - XDATA  ...";
inline constexpr const char* kAuditXdata = "\n       - Xdata(%s), Type (%d)  [ NO=1, NC=2, TM=3, COIL=4 ]";

// stage hook (command line)
inline constexpr const char* kHookFailed = "\n:Error, Invoking 3rd party interface";
inline constexpr const char* kHookInvoking = "\nInvoking 3rd party interface, stage(%d), file(%s), function(%s)";

}  // namespace wcraft::xmsg
