// The project dialog. Edits happen on working copies; OK copies them back
// into the configuration, any other ending leaves it as it was.
#include "dialogs/project_dialog.h"

#include <cstdlib>
#include <memory>
#include <string>

#include "host/dialog_support.h"
#include "host/message_dialogs.h"
#include "host/messages.h"
#include "host/module_state.h"
#include "host/validators.h"

namespace wcraft {

namespace {

struct ProjectWork {
    FixedText<8> p_name;
    FixedText<60> p_dir;
    FixedText<58> p_title;
    int f_mode = FM_MASK;
    FixedText<8> f_mask;
    FixedText<9> f_names[kMaxFileNames];
    int selected = -1;  // selected line of the name list, -1 for none
};

constexpr size_t kNameChars = 8;  // the dialog admits 8-character drawing names

ProjectWork* g_work = nullptr;  // the dialog's working copies while it runs

int name_count(const ProjectWork& w) {
    for (int i = 0; i < kMaxFileNames; ++i)
        if (w.f_names[i] == kListEnd) return i;
    return kMaxFileNames;
}

void show_list(ads_hdlg h, const ProjectWork& w) {
    ads_start_list(h, "f_names", LIST_NEW, 0);
    for (int i = 0, n = name_count(w); i < n; ++i) ads_add_list(w.f_names[i].c_str());
    ads_end_list();
    if (w.selected >= 0) ads_set_tile(h, "f_names", std::to_string(w.selected).c_str());
}

void apply_modes(ads_hdlg h, int mode) {
    short mask = mode == FM_MASK ? MODE_ENABLE : MODE_DISABLE;
    short list = mode == FM_FILENAME ? MODE_ENABLE : MODE_DISABLE;
    ads_mode_tile(h, "f_mask", mask);
    for (const char* key : {"add", "del", "mod", "ins", "f_names", "f_edit"}) ads_mode_tile(h, key, list);
}

// Validates an edit box's text with a file or directory check (which
// upper-cases it); shows `bad` and focuses the tile on failure.
template <size_t N>
bool take_name(ads_hdlg h, const char* key, std::string text, int (*check)(char*), const char* bad,
               FixedText<N>& into) {
    FixedText<N> t;
    t.set(text);
    if (!check(t.buf)) {
        set_error(h, bad);
        ads_mode_tile(h, key, MODE_SETFOCUS);
        return false;
    }
    into = t.view();
    ads_set_tile(h, key, into.c_str());
    return true;
}

void on_p_name(ads_callback_packet* p) {
    clear_error(p->dialog);
    take_name(p->dialog, "p_name", packet_text(p, 8), is_valid_file, msg::kBadProjectName, g_work->p_name);
}

void on_p_dir(ads_callback_packet* p) {
    clear_error(p->dialog);
    take_name(p->dialog, "p_dir", packet_text(p, 60), is_valid_dir, msg::kBadDirectory, g_work->p_dir);
}

void on_f_mask(ads_callback_packet* p) {
    clear_error(p->dialog);
    take_name(p->dialog, "f_mask", packet_text(p, 8), is_valid_file, msg::kBadMask, g_work->f_mask);
}

void set_mode(ads_callback_packet* p, int mode) {
    clear_error(p->dialog);
    g_work->f_mode = mode;
    apply_modes(p->dialog, mode);
}

void on_list(ads_callback_packet* p) {
    clear_error(p->dialog);
    std::string v = packet_text(p, 16);
    int i = v.empty() ? -1 : atoi(v.c_str());
    g_work->selected = (i >= 0 && i < name_count(*g_work)) ? i : -1;
    if (g_work->selected >= 0) ads_set_tile(p->dialog, "f_edit", g_work->f_names[i].c_str());
}

}  // namespace

namespace {

// The edit box's name, upper-cased and checked as for add: valid and not
// yet in the list. Empty when refused (the message is shown).
std::string edited_name(ads_hdlg h) {
    FixedText<kNameChars> t;
    get_tile_text(h, "f_edit", t.ref());
    if (!is_valid_file(t.buf)) {
        set_error(h, msg::kBadEditName);
        ads_mode_tile(h, "f_edit", MODE_SETFOCUS);
        return "";
    }
    for (int i = 0, n = name_count(*g_work); i < n; ++i)
        if (g_work->f_names[i] == t.view()) {
            set_error(h, msg::kDuplicateFile);
            return "";
        }
    return t.c_str();
}

void on_add(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    std::string name = edited_name(h);
    if (name.empty()) return;
    int n = name_count(*g_work);
    if (n >= kMaxFileNames) {
        set_error(h, msg::kMaxFiles);
        return;
    }
    g_work->f_names[n] = name;
    if (n + 1 < kMaxFileNames) g_work->f_names[n + 1] = kListEnd;
    show_list(h, *g_work);
}

void on_del(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int sel = g_work->selected, n = name_count(*g_work);
    if (sel < 0 || sel >= n) {
        set_error(h, msg::kSelectToDelete);
        return;
    }
    for (int i = sel; i + 1 < n; ++i) g_work->f_names[i] = g_work->f_names[i + 1].view();
    g_work->f_names[n - 1] = kListEnd;
    if (sel >= n - 1) g_work->selected = n - 2;
    show_list(h, *g_work);
    // The edit box shows the name now on the selected line, never the
    // deleted one, so that a following "mod" cannot bring it back.
    int now = g_work->selected;
    ads_set_tile(h, "f_edit", now >= 0 ? g_work->f_names[now].c_str() : "");
}

void on_mod(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int sel = g_work->selected;
    if (sel < 0 || sel >= name_count(*g_work)) {
        set_error(h, msg::kSelectToModify);
        return;
    }
    std::string name = edited_name(h);
    if (name.empty()) return;
    g_work->f_names[sel] = name;
    show_list(h, *g_work);
}

// Inserts before the selected name. A full list refuses the insert rather
// than silently dropping its last name.
void on_ins(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    int sel = g_work->selected, n = name_count(*g_work);
    if (sel < 0 || sel >= n) {
        set_error(h, msg::kNoneSelected);
        return;
    }
    std::string name = edited_name(h);
    if (name.empty()) return;
    if (n >= kMaxFileNames) {
        set_error(h, msg::kMaxFiles);
        return;
    }
    if (n + 1 < kMaxFileNames) g_work->f_names[n + 1] = kListEnd;
    for (int i = n; i > sel; --i) g_work->f_names[i] = g_work->f_names[i - 1].view();
    g_work->f_names[sel] = name;
    show_list(h, *g_work);
}

// OK: takes the title and the edit boxes as they stand (a value typed just
// before OK counts), then closes with status 1.
void on_accept(ads_callback_packet* p) {
    ads_hdlg h = p->dialog;
    clear_error(h);
    get_tile_text(h, "p_title", g_work->p_title.ref());
    FixedText<60> text;
    get_tile_text(h, "p_name", text.ref());
    if (!take_name(h, "p_name", text.c_str(), is_valid_file, msg::kBadProjectName, g_work->p_name)) return;
    get_tile_text(h, "p_dir", text.ref());
    if (!take_name(h, "p_dir", text.c_str(), is_valid_dir, msg::kBadDirectory, g_work->p_dir)) return;
    if (g_work->f_mode == FM_MASK) {
        get_tile_text(h, "f_mask", text.ref());
        if (!take_name(h, "f_mask", text.c_str(), is_valid_file, msg::kBadMask, g_work->f_mask)) return;
    }
    config().config_changed = 1;
    ads_done_dialog(h, DLGOK);
}

}  // namespace

namespace {

void fill_work(ProjectWork& w, const ProjectConfig& c) {
    w.p_name = c.p_name.view();
    w.p_dir = c.p_dir.view();
    w.p_title = c.p_title.view();
    w.f_mode = c.f_mode;
    w.f_mask = c.f_mask.view();
    for (int i = 0; i < kMaxFileNames; ++i) w.f_names[i] = c.f_names[i].view();
}

void store_work(const ProjectWork& w, ProjectConfig& c) {
    c.p_name = w.p_name.view();
    c.p_dir = w.p_dir.view();
    c.p_title = w.p_title.view();
    c.f_mode = w.f_mode;
    c.f_mask = w.f_mask.view();
    for (int i = 0; i < kMaxFileNames; ++i) c.f_names[i] = w.f_names[i].view();
}

void bind_and_fill(ads_hdlg h, const ProjectWork& w) {
    ads_action_tile(h, "p_name", on_p_name);
    ads_action_tile(h, "p_dir", on_p_dir);
    ads_action_tile(h, "f_mask", on_f_mask);
    ads_action_tile(h, "m_but", [](ads_callback_packet* p) { set_mode(p, FM_MASK); });
    ads_action_tile(h, "f_but", [](ads_callback_packet* p) { set_mode(p, FM_FILENAME); });
    ads_action_tile(h, "d_but", [](ads_callback_packet* p) { set_mode(p, FM_DIRECTORY); });
    ads_action_tile(h, "f_names", on_list);
    ads_action_tile(h, "add", on_add);
    ads_action_tile(h, "del", on_del);
    ads_action_tile(h, "mod", on_mod);
    ads_action_tile(h, "ins", on_ins);
    ads_action_tile(h, "info", wcr_info);
    ads_action_tile(h, "accept", on_accept);
    ads_set_tile(h, "p_name", w.p_name.c_str());
    ads_set_tile(h, "p_dir", w.p_dir.c_str());
    ads_set_tile(h, "p_title", w.p_title.c_str());
    ads_set_tile(h, "f_mask", w.f_mask.c_str());
    const char* radio = w.f_mode == FM_FILENAME ? "f_but" : w.f_mode == FM_DIRECTORY ? "d_but" : "m_but";
    ads_set_tile(h, radio, "1");
    show_list(h, w);
    apply_modes(h, w.f_mode);
}

}  // namespace

int project_dialog() {
    auto work = std::make_unique<ProjectWork>();
    fill_work(*work, config());
    OpenDialog d;
    if (!open_dialog("wcraft.dcl", "project_main", d)) return 1;
    ProjectWork* outer = g_work;
    g_work = work.get();
    bind_and_fill(d.hdlg, *work);
    int status = DLGCANCEL;
    if (ads_start_dialog(d.hdlg, &status) != RTNORM) status = DLGCANCEL;
    g_work = outer;
    close_dialog(d);
    if (status == DLGOK) {
        store_work(*work, config());
        ads_printf("%s", msg::kDialogOk);
    } else {
        ads_printf("%s", msg::kDialogCancel);
    }
    return 1;
}

}  // namespace wcraft
