// The C interface of dialogs: thin wrappers that check their arguments,
// catch everything and hand over to the process-wide dialog engine.
#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "adsdlg.h"
#include "dcl/engine.h"

using cadhost::Result;
using cadhost::Status;
using cadhost::dcl::DialogEngine;

namespace {

// Says on the dialog output that a call failed on an exception; the call's
// RTERROR stands even when the message itself cannot be written.
void report_failed_call(const char* why) noexcept {
    try {
        DialogEngine::instance().report(std::string("Dialog call failed: ") + why);
    } catch (...) {
        return;  // nothing left to tell it with
    }
}

template <typename F>
int dlg_guard(F&& body) noexcept {
    try {
        return body(DialogEngine::instance());
    } catch (const std::exception& e) {
        report_failed_call(e.what());
    } catch (...) {
        report_failed_call("an exception of unknown type");
    }
    return RTERROR;
}

int to_rt(const Status& s) { return s ? RTNORM : RTERROR; }

// Copies into a caller's buffer of `len` bytes, cut to fit, always ended.
int copy_out(const std::string& s, char* out, int len) {
    if (!out || len <= 0) return RTERROR;
    size_t n = std::min(s.size(), static_cast<size_t>(len - 1));
    std::memcpy(out, s.data(), n);
    out[n] = '\0';
    return RTNORM;
}

// Adapts a C callback; the packet's value is a copy that lives for the call.
// What an application's callback throws goes to the dialog, which fails
// with it: the start of the dialog returns RTERROR.
cadhost::dcl::Callback wrap(CLIENTFUNC f) {
    if (!f) return {};
    return [f](const cadhost::dcl::CallbackEvent& e) {
        std::vector<char> value(e.value.begin(), e.value.end());
        value.push_back('\0');
        ads_hdlg dialog = DialogEngine::instance().handle_of(e.dialog);
        ads_callback_packet p{dialog, e.tile, value.data(), e.client_data, e.reason, e.x, e.y};
        f(&p);
    };
}

cadhost::dcl::Dialog* dialog_of(DialogEngine& e, ads_hdlg h) { return h ? e.open_dialog(h) : nullptr; }

int open_dialog(const char* name, int id, CLIENTFUNC cb, long x, long y, ads_hdlg* hdlg) {
    if (!hdlg) return RTERROR;
    *hdlg = nullptr;
    if (!name) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = e.new_dialog(name, id, wrap(cb), x, y);
        if (!d) {
            e.report(d.error().what());
            return RTERROR;
        }
        *hdlg = e.handle_of(*d);
        return RTNORM;
    });
}

}  // namespace

extern "C" int ads_load_dialog(const char* dclfile, int* dcl_id) {
    if (!dclfile || !dcl_id) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto id = e.load_dialog(dclfile);
        if (!id) {
            e.report(id.error().what());
            *dcl_id = -1;
            return RTERROR;
        }
        *dcl_id = *id;
        return RTNORM;
    });
}

extern "C" int ads_unload_dialog(int dcl_id) {
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.unload_dialog(dcl_id)); });
}

extern "C" int ads_new_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def_callback, ads_hdlg* hdlg) {
    return open_dialog(dlgname, dcl_id, def_callback, -1, -1, hdlg);
}

extern "C" int ads_new_positioned_dialog(const char* dlgname, int dcl_id, CLIENTFUNC def_callback, int x, int y,
                                         ads_hdlg* hdlg) {
    return open_dialog(dlgname, dcl_id, def_callback, x, y, hdlg);
}

// A dialog that fails (a callback threw) reads as cancelled as well, for
// callers that look at the status alone.
extern "C" int ads_start_dialog(ads_hdlg hdlg, int* status) {
    if (!status) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        if (!d) return RTERROR;
        auto st = e.start_dialog(d);
        if (!st) {
            *status = DLGCANCEL;
            return RTERROR;
        }
        *status = *st;
        return RTNORM;
    });
}

extern "C" int ads_done_dialog(ads_hdlg hdlg, int status) {
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(e.done_dialog(d, status)) : RTERROR;
    });
}

extern "C" int ads_done_positioned_dialog(ads_hdlg hdlg, int status, int* x, int* y) {
    if (!x || !y) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        long lx = 0, ly = 0;
        if (!d || !e.done_dialog(d, status, &lx, &ly)) return RTERROR;
        *x = static_cast<int>(lx), *y = static_cast<int>(ly);
        return RTNORM;
    });
}

extern "C" int ads_term_dialog(void) {
    return dlg_guard([&](DialogEngine& e) {
        e.term_dialog();
        return RTNORM;
    });
}

extern "C" int ads_action_tile(ads_hdlg hdlg, const char* key, CLIENTFUNC tilefunc) {
    if (!key) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(d->action_tile(key, wrap(tilefunc))) : RTERROR;
    });
}

extern "C" int ads_set_tile(ads_hdlg hdlg, const char* key, const char* value) {
    if (!key || !value) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(d->set_tile(key, value)) : RTERROR;
    });
}

extern "C" int ads_get_tile(ads_hdlg hdlg, const char* key, char* value, int maxlen) {
    if (!key || !value || maxlen <= 0) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        if (!d) return RTERROR;
        auto v = d->get_tile(key);
        return v ? copy_out(*v, value, maxlen) : RTERROR;
    });
}

extern "C" int ads_get_attr(ads_hdlg hdlg, const char* key, const char* attr, char* value, int len) {
    if (!key || !attr || !value || len <= 0) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        if (!d) return RTERROR;
        auto v = d->get_attr(key, attr);
        return v ? copy_out(*v, value, len) : RTERROR;
    });
}

extern "C" int ads_get_attr_string(ads_htile tile, const char* attr, char* value, int len) {
    if (!tile || !attr || !value || len <= 0) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        const cadhost::dcl::Tile* t = e.open_tile(tile);
        return t ? copy_out(t->attr(attr), value, len) : RTERROR;
    });
}

extern "C" int ads_mode_tile(ads_hdlg hdlg, const char* key, short mode) {
    if (!key) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(d->mode_tile(key, mode)) : RTERROR;
    });
}

extern "C" int ads_client_data_tile(ads_hdlg hdlg, const char* key, void* clientdata) {
    if (!key) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(d->client_data_tile(key, clientdata)) : RTERROR;
    });
}

extern "C" int ads_start_list(ads_hdlg hdlg, const char* key, short operation, short index) {
    if (!key) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(e.start_list(d, key, operation, index)) : RTERROR;
    });
}

extern "C" int ads_add_list(const char* item) {
    if (!item) return RTERROR;
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.add_list(item)); });
}

extern "C" int ads_end_list(void) {
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.end_list()); });
}

extern "C" int ads_dimensions_tile(ads_hdlg hdlg, const char* key, short* cx, short* cy) {
    if (!key || !cx || !cy) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        if (!d) return RTERROR;
        auto size = d->dimensions(key);
        if (!size) return RTERROR;
        *cx = static_cast<short>(std::clamp(size->first, 0, 32767));
        *cy = static_cast<short>(std::clamp(size->second, 0, 32767));
        return RTNORM;
    });
}

extern "C" int ads_start_image(ads_hdlg hdlg, const char* key) {
    if (!key) return RTERROR;
    return dlg_guard([&](DialogEngine& e) {
        auto d = dialog_of(e, hdlg);
        return d ? to_rt(e.start_image(d, key)) : RTERROR;
    });
}

extern "C" int ads_fill_image(int x1, int y1, int width, int height, int color) {
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.fill_image(x1, y1, width, height, color)); });
}

extern "C" int ads_vector_image(int x1, int y1, int x2, int y2, int color) {
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.vector_image(x1, y1, x2, y2, color)); });
}

extern "C" int ads_slide_image(int x1, int y1, int width, int height, const char* slide) {
    if (!slide) return RTERROR;
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.slide_image(x1, y1, width, height, slide)); });
}

extern "C" int ads_end_image(void) {
    return dlg_guard([&](DialogEngine& e) { return to_rt(e.end_image()); });
}
