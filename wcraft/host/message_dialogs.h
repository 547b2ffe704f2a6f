// The two dialogs every part of the application shares: the yes/no
// question and the product information box.
#pragma once

#include "host/host_api.h"

namespace wcraft {

enum YesNoAnswer { ANSWER_NO = 0, ANSWER_YES = 1, ANSWER_CANCEL = 9 };

// Shows title, message and detail; answers yes, no, or cancel (also when
// the dialog ends any other way or cannot be shown).
int wcr_yesno(const char* title, const char* message, const char* detail);
// Action callback of every dialog's "info" button.
void wcr_info(ads_callback_packet* p);

}  // namespace wcraft
