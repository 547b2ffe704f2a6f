// Every text the library manager prints or shows, in one table.
#pragma once

namespace symvault::msg {

// start-up and shut-down
inline constexpr const char* kVersionStart = "Vozaradov ";
inline constexpr const char* kVersionNumber = "Version 1.5 C5 ";
inline constexpr const char* kVersionAndPlatform = "%s %s\n";
inline constexpr const char* kDirOption = "Installation directory option set at : %s\n";
inline constexpr const char* kDriveOption = "Installation drive option set at : %s\n";
inline constexpr const char* kNetOption = "Network library option set at : %s\n";
inline constexpr const char* kInitialising = "Initialising SYMVAULT...\n";
inline constexpr const char* kUnloading = "Unloading Symvault library : %s\n";
inline constexpr const char* kUpdatingToolbar = "Updating toolbar...\n";

// errors and dialogs
inline constexpr const char* kErrorPrefix = "SYMVAULT : Error(%d), ";
inline constexpr const char* kUndefinedError = "Undefined error code ";
inline constexpr const char* kDialogFailed = "Unable to initialize dialogue box \"%s\"\n";
inline constexpr const char* kDialogFailedAlert = "Unable to initialize dialogue box ";
inline constexpr const char* kFatal = "Fatal error";
inline constexpr const char* kOutOfMemory = "Out of memory!";

// tool functions
inline constexpr const char* kBadCall = "Invalid call request to function '%s'...\n";
inline constexpr const char* kBadArgument = "Invalid argument type passed to function '%s'...\n";
inline constexpr const char* kUselibBadCall = "Invalid call request to function SV_USELIB!\n";
inline constexpr const char* kUselibBadArgument = "Invalid argument type passed to function SV_USELIB!\n";

// library files
inline constexpr const char* kLoading = "Loading Symvault library %s : ";
inline constexpr const char* kDescription = " %s ";
inline constexpr const char* kDone = ".done!\n";
inline constexpr const char* kUpdating = "Updating library : %s ... ";
inline constexpr const char* kMissingFile = "Warning : Can't find Symvault library file ";
inline constexpr const char* kInvalidFile = "Warning : Invalid library file ";
inline constexpr const char* kBadVersion = "Unsupported library file version";
inline constexpr const char* kLineTooLong = "\nLine %d of the library file is longer than %zu characters.\n";

// library manager
inline constexpr const char* kSelectThenSelect1 = "Select a library from the list";
inline constexpr const char* kSelectThenSelect2 = "then [Select]";
inline constexpr const char* kSelectThenUnload1 = "Select library from the list";
inline constexpr const char* kSelectThenUnload2 = "then [Unload]";
inline constexpr const char* kSelectThenShow2 = "then [Show]";
inline constexpr const char* kSelectThenHide2 = "then [Hide]";
inline constexpr const char* kAlreadyShown = "Library already shown!";
inline constexpr const char* kAlreadyHidden = "Library already hidden!";
inline constexpr const char* kIgnored = "Ignored!";
inline constexpr const char* kShowQuestion = "Show library on toolbar/menu!";
inline constexpr const char* kHideQuestion = "Hide library on toolbar/menu!";
inline constexpr const char* kProceed = "Proceed?";

// picker and scale choice
inline constexpr const char* kPickerBanner = "Pick a symbol: click an icon or a description";
inline constexpr const char* kZeroScale[3] = {"Zero X scale not allowed!", "Zero Y scale not allowed!",
                                              "Zero Z scale not allowed!"};
inline constexpr const char* kEnterDistance = "Enter distance for : %s >";

}  // namespace symvault::msg
