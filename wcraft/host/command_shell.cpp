// The shell's loops: where input comes from, the repeat-last rule, and how
// menus end.
#include "host/command_shell.h"

#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/publish.h"
#include "host/shell_menus.h"
#include "host/validators.h"

namespace wcraft {

namespace {

int g_leave = 0;  // the leave flag, cleared when the main loop starts

enum class InputKind { Word, Empty, Cancelled };

// The next keyword: the current argument when one is left (a non-string
// argument cancels), else typed at the prompt (a space or Enter ends it).
// A cancelled read leaves the buffer as it was.
InputKind next_input(ArgCursor& args, const char* prompt, FixedText<kInputChars>& buf) {
    if (args.present && args.current) {
        struct resbuf* rb = args.current;
        if (rb->restype != RTSTR) return InputKind::Cancelled;
        buf = rb->resval.rstring ? rb->resval.rstring : "";
        args.current = rb->rbnext;
        return buf.empty() ? InputKind::Empty : InputKind::Word;
    }
    char line[kInputChars + 1] = {};
    if (ads_getstring(0, prompt, line) != RTNORM) return InputKind::Cancelled;
    buf = line;
    return buf.empty() ? InputKind::Empty : InputKind::Word;
}

}  // namespace

void request_shell_leave() { g_leave = 1; }

void print_keyword_list(const char* heading, const KeywordTable& table) {
    ads_printf("%s", heading);
    for (size_t i = 0; i < table.count; ++i) ads_printf(msg::kListItem, table.entries[i].keyword);
}

int run_main_menu(ArgCursor& args) {
    ModuleState& s = wcr();
    ShellState& sh = s.shell;
    s.stage = 0;
    put_int_sym("wcrppro", 0);
    g_leave = 0;
    for (;;) {
        InputKind k = next_input(args, msg::kMainPrompt, sh.main_input);
        if (k == InputKind::Cancelled) {
            sh.remembered = sh.main_input.view();
            ads_printf("%s", msg::kCancel);
            break;
        }
        if (k == InputKind::Empty) {
            sh.main_input = sh.remembered.view();
            ads_printf(msg::kEcho, sh.main_input.c_str());
        }
        str_upper(sh.main_input.buf);
        const KeywordEntry* e = match_keyword(main_table(), sh.main_input.c_str());
        int keep = 1;
        if (e) keep = e->handler(args);
        else ads_printf("%s", msg::kMainUnknown);
        if (keep == 0 || sh.arg_mode || g_leave) break;
    }
    return 1;
}

int run_sub_menu(const SubMenu& menu, ArgCursor& args) {
    ShellState& sh = wcr().shell;
    for (;;) {
        InputKind k = next_input(args, menu.prompt, sh.menu_input);
        if (k == InputKind::Cancelled) {
            ads_printf("%s", msg::kCancel);
            return 0;
        }
        if (k == InputKind::Empty) return 1;
        str_upper(sh.menu_input.buf);
        const KeywordEntry* e = match_keyword(menu.table, sh.menu_input.c_str());
        if (e) {
            if (e->handler(args) == 0) return 1;
        } else {
            ads_printf("%s", menu.unknown);
        }
        if (sh.arg_mode || g_leave) return 1;
    }
}

int cmd_wcraft() {
    wcr().shell.arg_mode = 0;
    ArgCursor none;
    run_main_menu(none);
    return 1;
}

int cmd_xwcraft() {
    wcr().shell.arg_mode = 1;
    struct resbuf* list = ads_getargs();
    ArgCursor args{list, true};
    run_main_menu(args);
    if (list) ads_relrb(list);
    wcr().shell.arg_mode = 0;
    return 1;
}

}  // namespace wcraft
