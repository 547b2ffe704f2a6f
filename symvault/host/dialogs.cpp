// Dialog helpers, the message dialogs, help and the error report.
#include "host/dialogs.h"

#include <cstdio>

#include "host/error_table.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/text.h"

namespace symvault {

namespace {

const char* kHelpTopics[] = {"librarian_toc", "edit_toc",  "symbol_toc", "options_toc", "distrib",
                             "manager_toc",   "appman_toc", "select",     "use_toc",     "newlib",
                             "add_group",     "add_app",    "lock",       "scale_options_toc"};

void done_with(ads_callback_packet* p, int status) { ads_done_dialog(p->dialog, status); }
void on_yes(ads_callback_packet* p) { done_with(p, 1); }
void on_no(ads_callback_packet* p) { done_with(p, 0); }

// The message dialogs share one form: two or three lines and a button.
void two_line_dialog(const char* dialog, const std::string& line1, const std::string& line2) {
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlgu.dcl"), dialog, d)) return;
    ads_set_tile(d.hdlg, "msg1", line1.c_str());
    ads_set_tile(d.hdlg, "msg2", line2.c_str());
    run_dialog(d);
    close_dialog(d);
}

}  // namespace

bool open_dialog_quietly(const std::string& dcl_path, const char* dialog, OpenDialog& out) {
    out = OpenDialog{};
    bool loaded = ads_load_dialog(dcl_path.c_str(), &out.dcl_id) == RTNORM && out.dcl_id >= 0;
    if (loaded && ads_new_dialog(dialog, out.dcl_id, NULLCB, &out.hdlg) == RTNORM && out.hdlg) return true;
    if (loaded) ads_unload_dialog(out.dcl_id);
    out = OpenDialog{};
    return false;
}

bool open_dialog(const std::string& dcl_path, const char* dialog, OpenDialog& out, int x, int y) {
    out = OpenDialog{};
    bool loaded = ads_load_dialog(dcl_path.c_str(), &out.dcl_id) == RTNORM && out.dcl_id >= 0;
    bool opened = false;
    if (loaded)
        opened = (x == -1 && y == -1 ? ads_new_dialog(dialog, out.dcl_id, NULLCB, &out.hdlg)
                                     : ads_new_positioned_dialog(dialog, out.dcl_id, NULLCB, x, y, &out.hdlg)) ==
                     RTNORM &&
                 out.hdlg;
    if (opened) return true;
    if (loaded) ads_unload_dialog(out.dcl_id);
    out = OpenDialog{};
    ads_printf(msg::kDialogFailed, dialog);
    return false;
}

void close_dialog(OpenDialog& d) {
    if (d.dcl_id >= 0) ads_unload_dialog(d.dcl_id);
    d = OpenDialog{};
}

int run_dialog(OpenDialog& d) {
    int status = 0;
    if (ads_start_dialog(d.hdlg, &status) != RTNORM) status = 0;
    return status;
}

std::string tile_text(ads_hdlg h, const char* key, size_t capacity) {
    char buf[TILE_STR_LIMIT + 1] = {};
    if (ads_get_tile(h, key, buf, sizeof buf) != RTNORM) buf[0] = '\0';
    return bounded(buf, capacity);
}

std::string support_path(const std::string& file) { return support_dir(settings()) + file; }

void alert_dialog(const std::string& line1, const std::string& line2) { two_line_dialog("sv_alert", line1, line2); }

void message_dialog(const std::string& line1, const std::string& line2) {
    two_line_dialog("sv_message", line1, line2);
}

int yesno_dialog(const std::string& line1, const std::string& line2, const std::string& line3) {
    OpenDialog d;
    if (!open_dialog(support_path("sv_dlgh.dcl"), "sv_yesno", d)) return ANSWER_NOT_YES;
    ads_set_tile(d.hdlg, "msg1", line1.c_str());
    ads_set_tile(d.hdlg, "msg2", line2.c_str());
    ads_set_tile(d.hdlg, "msg3", line3.c_str());
    ads_action_tile(d.hdlg, "yes", on_yes);
    ads_action_tile(d.hdlg, "no", on_no);
    int status = run_dialog(d);
    close_dialog(d);
    return status == 1 ? ANSWER_YES : ANSWER_NOT_YES;
}

namespace {

std::string* g_password = nullptr;  // the text typed into the open password dialog

void on_password(ads_callback_packet* p) {
    if (g_password) *g_password = bounded(p->value ? p->value : "", kAccessChars);
}

}  // namespace

int password_dialog(std::string& typed) {
    HelpContext help(12);
    OpenDialog d;
    if (!open_dialog_quietly(support_path("sv_dlgh.dcl"), "sv_password", d)) {
        alert_dialog(msg::kDialogFailedAlert, "sv_password");
        return 0;
    }
    std::string text;
    g_password = &text;
    ads_action_tile(d.hdlg, "password", on_password);
    ads_mode_tile(d.hdlg, "password", MODE_SETFOCUS);
    int status = run_dialog(d);
    g_password = nullptr;
    close_dialog(d);
    if (status != 1) return 9;
    typed = text;
    return 1;
}

void show_help() {
    int ctx = sv().help_context;
    const char* topic = ctx >= 0 && ctx <= 13 ? kHelpTopics[ctx] : kHelpTopics[0];
    int v = settings().host_version;
    std::string file = support_path(v == 13 || v == 14 ? "SYMVAULT.AHP" : "SYMVAULT.HLP");
    // The host shows the topic, or says that the help file is missing.
    ads_help(file.c_str(), topic, HELP_PARTIALKEY);
}

HelpContext::HelpContext(int context) : m_saved(sv().help_context) { sv().help_context = context; }
HelpContext::~HelpContext() { sv().help_context = m_saved; }

void report_error() {
    std::string text = error_report_text(error_code());
    if (!text.empty()) ads_printf("%s", text.c_str());
    error_code() = 0;
}

void out_of_memory(int code) {
    alert_dialog(msg::kFatal, msg::kOutOfMemory);
    error_code() = code;
}

}  // namespace symvault
