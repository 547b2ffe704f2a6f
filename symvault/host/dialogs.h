// The message dialogs, help and the error report that every part uses.
#pragma once

#include <string>

#include "host/host_api.h"

namespace symvault {

// A loaded DCL file and a dialog opened from it.
struct OpenDialog {
    int dcl_id = -1;
    ads_hdlg hdlg = nullptr;
};

// Loads `dcl_path` and opens `dialog` (at x, y when both are not -1). On
// failure prints "Unable to initialize dialogue box" with the dialog's
// name, unloads what was loaded and returns false.
bool open_dialog(const std::string& dcl_path, const char* dialog, OpenDialog& out, int x = -1, int y = -1);
// The same, without printing: the caller reports the failure its own way.
bool open_dialog_quietly(const std::string& dcl_path, const char* dialog, OpenDialog& out);
void close_dialog(OpenDialog& d);
// Runs the dialog; its status, 0 when it could not run.
int run_dialog(OpenDialog& d);
// A tile's text, cut to `capacity`.
std::string tile_text(ads_hdlg h, const char* key, size_t capacity = TILE_STR_LIMIT);

// Full path of a support file: drive, "\", product directory, "\", name.
std::string support_path(const std::string& file);

void alert_dialog(const std::string& line1, const std::string& line2);
void message_dialog(const std::string& line1, const std::string& line2);
enum YesNo { ANSWER_YES = 1, ANSWER_NOT_YES = 9 };
int yesno_dialog(const std::string& line1, const std::string& line2, const std::string& line3);
// 1 and the typed text on OK, 9 on cancel, 0 when the dialog cannot open.
int password_dialog(std::string& typed);
// Shows the help topic of the current help context.
void show_help();

// Saves the help context and sets another until it goes out of scope.
class HelpContext {
public:
    explicit HelpContext(int context);
    ~HelpContext();
    HelpContext(const HelpContext&) = delete;
    HelpContext& operator=(const HelpContext&) = delete;

private:
    int m_saved;
};

// Prints and clears the error code (kAlreadyTold is cleared silently).
void report_error();
// No memory for a record: the "Fatal error" alert, then the code.
void out_of_memory(int code);

}  // namespace symvault
