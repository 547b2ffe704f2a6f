// DISPLAY, NEW, OPEN and SAVE: thin sequences over the defaults, the
// project file, the project dialog and the yes/no question, making sure a
// changed configuration is not dropped without asking.
#include "project/project_commands.h"

#include "dialogs/project_dialog.h"
#include "host/host_api.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/publish.h"
#include "project/project_io.h"

namespace wcraft {

namespace {

// Asks whether to save a changed configuration first; false aborts the
// command that asked.
bool save_question(const char* title) {
    if (config().config_changed != 1) return true;
    print_banner();
    int answer = wcr_yesno(title, msg::kChangedSave, config().p_name.c_str());
    if (answer == ANSWER_CANCEL) {
        ads_printf("%s", msg::kCancelLine);
        return false;
    }
    if (answer == ANSWER_YES) return save_project() != 0;
    return true;
}

}  // namespace

int project_display() {
    print_banner();
    return 1;
}

int project_new() {
    if (!save_question(msg::kNewTitle)) {
        ads_printf("%s", msg::kNewAborted);
        return 1;
    }
    load_defaults();
    publish_lisp_vars();
    project_dialog();
    print_banner();
    return 1;
}

int project_open() {
    if (!save_question(msg::kOpenProjectTitle)) {
        ads_printf("%s", msg::kOpenAborted);
        return 1;
    }
    load_project();
    publish_lisp_vars();
    print_banner();
    return 1;
}

int project_save() {
    print_banner();
    save_project();
    return 1;
}

int save_if_changed() {
    if (config().config_changed != 1) return 1;
    print_banner();
    if (wcr_yesno(msg::kEndTitle, msg::kChangedSave, config().p_name.c_str()) != ANSWER_YES) return 1;
    if (save_project()) ads_printf("%s", msg::kSavedOk);
    else ads_alert(msg::kNotSaved);
    return 1;
}

}  // namespace wcraft
