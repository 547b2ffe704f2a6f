// Every text the application prints, asks or shows, in one table.
#pragma once

namespace wcraft::msg {

// start-up and banners
inline constexpr const char* kInitialising = "\nInitialising Wirecraft V5 C4, ARX ... ";
inline constexpr const char* kProjectBanner = "\nWirecraft 5 : Project[%s]\nTitle [%s]";
inline constexpr const char* kVersionBanner =
    "\nWirecraft 5, Version 5.0 c1\nElectrical control schematic design: wire numbering, cross-references and reports.";
inline constexpr const char* kVersionText = "Version 5.0 c1";
inline constexpr const char* kDefaultsLoaded = "\nDefault project settings loaded...";

// errors
inline constexpr const char* kErrorPrefix = "\nError : WCRAFT(%d), ";
inline constexpr const char* kFatalAlloc = "\nWirecraft, ARX aborting - func(%s), code (%d)";
inline constexpr const char* kFatalAllocLine = "\nFatal error : Memory allocation failure!";

// command shell
inline constexpr const char* kMainPrompt = "\nWCRAFT Command: ";
inline constexpr const char* kConfigPrompt = "\nWCRAFT Command:->CONFIG : ";
inline constexpr const char* kDrawPrompt = "\nWCRAFT Command:->DRAW : ";
inline constexpr const char* kProcessPrompt = "\nWCRAFT Command:->PROCESS : ";
inline constexpr const char* kProjectPrompt = "\nWCRAFT Command:->PROJECT : ";
inline constexpr const char* kMainList = "\nList of Wirecraft commands :- \n";
inline constexpr const char* kConfigList = "\nList of Wirecraft CONFIG commands :-";
inline constexpr const char* kDrawList = "\nList of Wirecraft DRAW commands :- \n";
inline constexpr const char* kProcessList = "\nList of Wirecraft PROCESS commands :-";
inline constexpr const char* kProjectList = "\nList of Wirecraft PROJECT commands :- \n";
inline constexpr const char* kListItem = " %s, ";
inline constexpr const char* kMainUnknown = " - Unknown WCRAFT command, type EXIT or ? for list of commands! ";
inline constexpr const char* kConfigUnknown = " - Unknown CONFIG command, type ? for list of commands. ";
inline constexpr const char* kDrawUnknown = " - Unknown DRAW command, type ? for list of commands. ";
inline constexpr const char* kProcessUnknown = " - Unknown PROCESS command, type ? for list of commands. ";
inline constexpr const char* kProjectUnknown = " - Unknown PROJECT command, type ? for list of commands. ";
inline constexpr const char* kExiting = " - Exiting to AutoCAD...";
inline constexpr const char* kCancel = "*Cancel*";
inline constexpr const char* kCancelLine = "*Cancel*\n";
inline constexpr const char* kEcho = "%s\n";

// installation set-up and reports
inline constexpr const char* kSetdirNoArg = "\nInvalid call request to function WCRSETDIR!";
inline constexpr const char* kSetdirBadArg = "\nInvalid argument type passed to function WCRSETDIR!";
inline constexpr const char* kNoLocator = "\nWarning, couldn't find locator file...";
inline constexpr const char* kMkdirFailed = "Could not create directory : %s";
inline constexpr const char* kFirstLogText = "File directories created OK";
inline constexpr const char* kReportMenu[] = {"\nSelect report to view :-", "\n  1. Wire listing.",
                                              "\n  2. Relay listing.",      "\n  3. Parts listing.",
                                              "\n  4. Analysis listing.",   "\n  5. Log file."};
inline constexpr const char* kReportPrompt = "Enter report 1..5 : ";
inline constexpr const char* kBadReportNumber = "\nInvalid report number!";
inline constexpr const char* kNoReport = "Report does not exist...";

// dialogs
inline constexpr const char* kDialogFailed = "Unable to initialize dialogue box \"%s\"\n";
inline constexpr const char* kDialogOk = "\nOK!";
inline constexpr const char* kDialogCancel = "\nCancel!";
inline constexpr const char* kBadProjectName = "Invalid project file name!";
inline constexpr const char* kBadDirectory = "Invalid directory file name!";
inline constexpr const char* kBadMask = "Invalid mask file name!";
inline constexpr const char* kBadEditName = "Invalid file name in file edit box!";
inline constexpr const char* kDuplicateFile = "File name already exists!";
inline constexpr const char* kMaxFiles = "Maximum file names specified!";
inline constexpr const char* kSelectToDelete = "Select file name to delete first!";
inline constexpr const char* kSelectToModify = "Select file name to modify first!";
inline constexpr const char* kNoneSelected = "No file name selected!";

// project file and commands
inline constexpr const char* kSaveTitle = "Save project config";
inline constexpr const char* kOverwrite = "Config file already exists, overwrite ?";
inline constexpr const char* kSaving = "\nSaving project configuration...";
inline constexpr const char* kSaveDone = "done!";
inline constexpr const char* kOpenTitle = "Open Wirecraft Project";
inline constexpr const char* kLoading = "\nLoading project configuration...";
inline constexpr const char* kChangedSave = "Project config changed, save ? : ";
inline constexpr const char* kNewTitle = "Begin new project";
inline constexpr const char* kOpenProjectTitle = "Open project";
inline constexpr const char* kEndTitle = "Wirecraft message!";
inline constexpr const char* kNewAborted = "\nNEW aborted!";
inline constexpr const char* kOpenAborted = "\nOPEN aborted!";
inline constexpr const char* kSavedOk = "\nProject saved OK!";
inline constexpr const char* kNotSaved = "Wirecraft warning!\nProject was not saved!";

}  // namespace wcraft::msg
