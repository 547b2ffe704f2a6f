// The texts and error codes of the write-back into the drawings.
#pragma once

namespace wcraft {

enum UpdateError : int {
    ERR_UPDATE_ERASE_FILTER = 2053,  // a selection filter for erasing cannot be built
    ERR_UPDATE_TEXT_LIST = 2054,     // a wire number TEXT list cannot be built
    ERR_COIL_TEXT_LIST = 2057,       // the coil text layer filter or a coil TEXT list cannot be built
    ERR_TITLE_FILTER = 2058,         // the title block filter cannot be built
    ERR_TITLE_SSNAME = 2068,         // a title block cannot be taken from its selection
    ERR_UPDATE_ERASE = 3041,         // the host refused ERASE of a wire layer's earlier texts and blocks
    ERR_UPDATE_LAYER = 3042,         // the host refused LAYER making or setting a wire layer
    ERR_COIL_COMMAND = 3043,         // the host refused ERASE or LAYER preparing the coil text layer
    ERR_SET_ENTNEXT = 3057,          // setting an attribute: stepping to the next entity failed
    ERR_SET_ENTGET = 3067,           // setting an attribute: an entity cannot be read
};

}  // namespace wcraft

namespace wcraft::umsg {

inline constexpr const char* kNodeBlock = "WIRENODE";
inline constexpr const char* kLegacyPrefix = "VUZA1";  // layers of an older number text scheme
inline constexpr const char* kWiresStart = "\nUpdating wire number information...";
inline constexpr const char* kNoNodeBlock = "\n:Warning, %s%s%s block not found...";
inline constexpr const char* kTextFailed = "\n:Error, Wire number entity creation failure!";
inline constexpr const char* kRedefineFailed = "\n:Error, inserting redefine wirenode block!";
inline constexpr const char* kInsertFailed = "\n:Error, inserting wirenode block!";
inline constexpr const char* kTick = ".\b";

// attribute write-back
inline constexpr const char* kContactPlaceTag = "CTP";  // a contact's coil place
inline constexpr const char* kLinkPlaceTag = "LTP";     // a wire link's partner place
inline constexpr const char* kLinkTextTag = "LTX";      // a wire link's wire number text
inline constexpr const char* kNoCoilPlace = "*,*";
inline constexpr const char* kTitleStart = "\nUpdating title block sheetnumber references...";
inline constexpr const char* kTitleNotFound = "\n:Error, Can't find title block(%s), Sheetnumber not updated!";
inline constexpr const char* kTitleLength = "\n:Error, sslength failure on title block selection! ";
inline constexpr const char* kTitleMissing = "\n:Error, Sheet number block missing! ";
inline constexpr const char* kTitleSheetFailed = "\n:Error, unable to set SHT sheetnumber on block(%s), attrib(%s)";
inline constexpr const char* kTitleMaxFailed = "\n:Error, unable to set MAX sheetnumber on block(%s), attrib(%s)";
inline constexpr const char* kComponentsStart = "\nUpdating component references...";
inline constexpr const char* kTerminalsStart = "\nUpdating terminal references...";
inline constexpr const char* kCoilsStart = "\nUpdating relay coil references...";
inline constexpr const char* kContactsStart = "\nUpdating relay contact references...";
inline constexpr const char* kLinksStart = "\nUpdating wirelink references...";
inline constexpr const char* kNoHandle = "\n:Error, retrieving entity name from handle (%s)";
inline constexpr const char* kSetFailed = "\n:Error, setting attribute (%s), on block (%s), gridref(%s)";
inline constexpr const char* kLinkSetFailed = "\n:Error, setting attribute (%s), on wirelink(%d), sheet(%d)";

// relay contact display
inline constexpr const char* kCoilLayer = "WCR_COIL_TEXT_LAYER";
inline constexpr const char* kCoilPlacesTag = "RTP";  // where the coil text goes and its entries per line
inline constexpr const char* kNoCoilPlaces = "\n:Error, missing attribute (%s) on coil block (%s), gridref(%s)";
inline constexpr const char* kCoilTextFailed = "\nWCRAFT Error, entity creation failure!";
inline constexpr const char* kNoBlock = "CTNOBLK";
inline constexpr const char* kNcBlock = "CTNCBLK";
inline constexpr const char* kTmBlock = "CTTMBLK";
// a contact block the host would not insert, for example when its drawing is missing
inline constexpr const char* kContactBlockFailed = "\n:Error, inserting contact block (%s), coil (%s)!";

}  // namespace wcraft::umsg
