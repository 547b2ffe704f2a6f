// The yes/no dialog "wcr_yesno" and the information dialog "wcr_info".
#include "host/message_dialogs.h"

#include <string>

#include "host/dialog_support.h"
#include "host/messages.h"
#include "host/module_state.h"

namespace wcraft {

namespace {

enum YesNoStatus { STATUS_YES = 3, STATUS_NO = 4, STATUS_CANCEL = 5 };

void on_yes(ads_callback_packet* p) { ads_done_dialog(p->dialog, STATUS_YES); }
void on_no(ads_callback_packet* p) { ads_done_dialog(p->dialog, STATUS_NO); }
void on_cancel(ads_callback_packet* p) { ads_done_dialog(p->dialog, STATUS_CANCEL); }

}  // namespace

int wcr_yesno(const char* title, const char* message, const char* detail) {
    OpenDialog d;
    if (!open_dialog("wcraftYN.dcl", "wcr_yesno", d)) return ANSWER_CANCEL;
    ads_set_tile(d.hdlg, "msg1", title);
    ads_set_tile(d.hdlg, "msg2", message);
    ads_set_tile(d.hdlg, "msg3", detail);
    ads_action_tile(d.hdlg, "yes", on_yes);
    ads_action_tile(d.hdlg, "no", on_no);
    ads_action_tile(d.hdlg, "cancel", on_cancel);
    int status = 0;
    if (ads_start_dialog(d.hdlg, &status) != RTNORM) status = 0;
    close_dialog(d);
    if (status == STATUS_YES) return ANSWER_YES;
    if (status == STATUS_NO) return ANSWER_NO;
    return ANSWER_CANCEL;
}

void wcr_info(ads_callback_packet* p) {
    if (p && p->dialog) clear_error(p->dialog);
    OpenDialog d;
    if (!open_dialog("wcraftI.dcl", "wcr_info", d)) return;
    short w = 0, h = 0;
    ads_dimensions_tile(d.hdlg, "wcr_info", &w, &h);
    std::string slide = std::string(wcr().install_dir.c_str()) + "WCRINFO.SLD";
    if (ads_start_image(d.hdlg, "wcr_info") == RTNORM) {
        ads_fill_image(0, 0, w, h, 0);
        ads_slide_image(0, 0, w, h, slide.c_str());
        ads_end_image();
    }
    ads_set_tile(d.hdlg, "wcr_version", msg::kVersionText);
    int status = 0;
    ads_start_dialog(d.hdlg, &status);
    close_dialog(d);
}

}  // namespace wcraft
