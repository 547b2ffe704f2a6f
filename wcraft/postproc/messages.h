// The texts and error codes of post-processor run control: the run's
// script and log header, the drawing check, the save questions and the
// stage engine's log lines.
#pragma once

namespace wcraft {

// Error codes raised by run control and the stage engine.
enum RunError : int {
    ERR_RUN_CHECK = 2000,        // the drawing check did not pass
    ERR_RUN_NO_DRAWINGS = 2005,  // no drawing to process
    ERR_RUN_SCRIPT = 2010,       // script cannot be written
    ERR_RUN_WLF = 2016,          // 2016..2019: the four report files in order
    ERR_RUN_LOG = 2020,          // log cannot be written
    ERR_RUN_LOG_APPEND = 2021,   // log cannot be opened or appended to
    ERR_RUN_STAGE_BUILD = 2052,  // wcrstage cannot be set
    ERR_RUN_OPTION = 3000,       // wcroptn missing or not a short integer
    ERR_RUN_STAGE1 = 3001,       // 3001..3005: option at the wrong stage
    ERR_RUN_BAD_OPTION = 3009,   // option value not one of the five
    ERR_RUN_DBMOD_TYPE = 3020,   // save step: DBMOD not a short integer
    ERR_RUN_DBMOD_READ = 3021,   // save step: DBMOD unreadable
    ERR_RUN_QSAVE = 3040,        // save step: QSAVE failed
};

}  // namespace wcraft

namespace wcraft::pmsg {

// run files, inside install directory + "PROCESS" + "\"
inline constexpr const char* kProcessDir = "PROCESS";
inline constexpr const char* kReportExts[4] = {"WLF", "PLF", "RLF", "ALF"};
inline constexpr const char* kScriptExt = "SCR";
inline constexpr const char* kLogExt = "LOG";
inline constexpr const char* kDebugFile = "dblog.txt";

// multi-sheet processor
inline constexpr const char* kMultiBanner = "\nRunning Wirecraft Multi Sheet Processor Ver 1.1.";
inline constexpr int kMultiRule = 58;
inline constexpr const char* kLogTitle = "\nWirecraft Post processor run time event log file:";
inline constexpr int kLogRule = 59;
inline constexpr const char* kLogName = "\n:Project name ....... : %s";
inline constexpr const char* kLogTitleLine = "\n:Project Title ...... : %s";
inline constexpr const char* kLogDir = "\n:Project Directory... : %s";
inline constexpr const char* kControlHeading = "\nPost processor control :-";
inline constexpr const char* kGenerating = "\n\n:Generating script file for drawing files :-";
inline constexpr const char* kLogDrawing = "\n%s";
inline constexpr const char* kEndOfList = "\n:End of drawing files list.";
inline constexpr const char* kToProcess = "\n:%d Drawings to process.";
inline constexpr const char* kScriptComplete = "\n:Script file complete.";

// single sheet processor (quick run)
inline constexpr const char* kQuickBanner = "\nRunning Wirecraft Single Sheet Processor Ver 1.1.";
inline constexpr int kQuickRule = 59;
inline constexpr const char* kQuickLogTitle = "\nWirecraft Post processor quick run log file:";
inline constexpr int kQuickLogRule = 54;
inline constexpr const char* kQuickSheet = "001";
inline constexpr const char* kScriptUndoEnd = "(if (>= wcrstage 4) (command \"_.UNDO\" \"_E\"))";

// script lines, each written with a newline after it
inline constexpr const char* kScriptLoad = "(load (strcat wcridir \"supportP.LSP\"))";
inline constexpr const char* kScriptSheet = "(setq wcrshtn \"%s\")";
inline constexpr const char* kScriptStart = "wcrPPRO1";
inline constexpr const char* kScriptOpen = "OPEN";
inline constexpr const char* kScriptYes = "Y";
inline constexpr const char* kScriptDrawing = "wcrPPRO2_4";
inline constexpr const char* kScriptNew = "NEW";
inline constexpr const char* kScriptFinish = "WCRPPRO3_5";

// the fifteen control flag lines, in this order
inline constexpr const char* kControlLines[15] = {
    "\n     Wire numbering             : %s", "\n        PTP wire listing        : %s",
    "\n           Wire schedules       : %s", "\n        Wire link references    : %s",
    "\n     Component numbering        : %s", "\n     Terminal numbering         : %s",
    "\n     Relay correlation          : %s", "\n        Contact numbering       : %s",
    "\n        Contact blocks          : %s", "\n     Sheet numbering            : %s",
    "\n     Sheet rotate               : %s", "\n     Parts listing              : %s",
    "\n     3rd party data extraction  : %s", "\n     3rd party APP' interface   : %s",
    "\n     Generate Audit             : %s",
};

// project drawing check
inline constexpr const char* kCheckHeading = "\nChecking project drawing files for :-";
inline constexpr const char* kCheckName = "\nProject name .....: %s";
inline constexpr const char* kCheckTitle = "\nProject title ....: %s";
inline constexpr const char* kCheckDir = "\nProject directory.: %s";
inline constexpr const char* kIdentifiedBy = "\n\nDrawing files identified by : ";
inline constexpr const char* kByFile = "FILE\nSearching...";
inline constexpr const char* kByMask = "MASK\nSearching...";
inline constexpr const char* kByDirectory = "DIRECTORY : %s\nSearching...";
inline constexpr const char* kNotFound = "\nDrawing file %s, not found!";
inline constexpr const char* kFilesOk = "\n%d drawing files specified, %d drawings found OK!";
inline constexpr const char* kFilesMissing = "\nWarning : %d drawing files specified, %d drawings found!";
inline constexpr const char* kMaskOk = "\n%d drawing files found, from 001 to %s inclusive!";
inline constexpr const char* kMaskNone = "\nWarning : No drawing files found!";
inline constexpr const char* kDirOk = "\n%d drawing files found OK!";
inline constexpr const char* kDirNone = "\nWarning : No drawing files found in directory!";

// save-drawing check
inline constexpr const char* kModifiedTitle = "Current drawing has been modified";
inline constexpr const char* kModifiedDetail = "Save drawing Y/N";
inline constexpr const char* kUnnamedR13 = "UNNAMED";
inline constexpr const char* kUnnamedR14 = "Drawing.";  // followed by the drawing extension
inline constexpr const char* kScratchName = "UNNAMED2";

// stage engine
inline constexpr const char* kShtnUnreadable = "\n:Unexpected invalid sheet number from 'wcrshtn'";
inline constexpr const char* kShtnType = "\n:Invalid sheet number type in 'wcrshtn'";
inline constexpr const char* kShtnLength = "\n:Illegal sheet number value in 'wcrshtn'";
inline constexpr const char* kStage1 = "\n(Stage 1) - Initializing Post processor ...";
inline constexpr const char* kStage2 = "\n(Stage 2) - Extracting drawing information, sheet number %s";
inline constexpr const char* kStage3Command = "\nWirecraft ARX : Calculating post processor functions, wait...";
inline constexpr const char* kStage3 = "\n(Stage 3) Calculating post processor functions...";
inline constexpr const char* kStage4 = "\n(Stage 4) - Modifying drawing information, sheet number %s";
inline constexpr const char* kStage5 = "\n(Stage 5) - Finalizing post processor functions...";
inline constexpr const char* kLogEnd = "\n\n***End of post processor log***";
inline constexpr const char* kNotModified = "\n: DRAWING FILE NOT MODIFIED - OK!";
inline constexpr const char* kSaved = "\n: DRAWING FILE SAVED - OK!";
inline constexpr const char* kNotSaved = "\n: WARNING : DRAWING FILE NOT SAVED!";

}  // namespace wcraft::pmsg
