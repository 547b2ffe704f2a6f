// The stand-in host: only what the module calls, kept simple and explicit.
#include "fake_host.h"

#include <algorithm>
#include <cstdarg>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <sstream>

#include "rtlib.h"

namespace fs = std::filesystem;
using wcraft::test::fake;
using wcraft::test::FakeDialog;

namespace wcraft::test {

namespace {
std::unique_ptr<FakeHost> g_host;
std::vector<std::unique_ptr<FakeDialog>> g_open;
std::map<int, std::string> g_dcl;  // loaded DCL files by id
int g_next_dcl = 1;
FakeDialog* g_list_dialog = nullptr;
std::string g_list_key;
}  // namespace

FakeHost& fake() { return *g_host; }

void reset_fake(const fs::path& drive) {
    if (g_host) ads_relrb(g_host->args);
    g_host = std::make_unique<FakeHost>();
    g_host->drive = drive;
    g_open.clear();
    g_dcl.clear();
}

fs::path FakeHost::host_path(const std::string& path) const {
    std::string p = path;
    if (p.size() >= 2 && p[1] == ':') p = p.substr(2);
    std::replace(p.begin(), p.end(), '\\', '/');
    std::transform(p.begin(), p.end(), p.begin(), [](unsigned char c) { return static_cast<char>(tolower(c)); });
    while (!p.empty() && p[0] == '/') p.erase(0, 1);
    return drive / p;
}

struct resbuf* make_args(const std::vector<std::string>& items) {
    struct resbuf* head = nullptr;
    struct resbuf** tail = &head;
    for (const std::string& s : items) {
        auto* rb = static_cast<struct resbuf*>(calloc(1, sizeof(struct resbuf)));
        if (!s.empty() && s[0] == '#') {
            rb->restype = RTSHORT;
            rb->resval.rint = static_cast<short>(atoi(s.c_str() + 1));
        } else {
            rb->restype = RTSTR;
            rb->resval.rstring = strdup(s.c_str());
        }
        *tail = rb;
        tail = &rb->rbnext;
    }
    return head;
}

void FakeDialog::type(const std::string& key, const std::string& value) {
    tiles[key] = value;
    auto it = actions.find(key);
    if (it == actions.end()) return;
    std::string v = value;
    ads_callback_packet p{this, nullptr, v.data(), nullptr, CBR_LOST_FOCUS, 0, 0};
    it->second(&p);
}

void FakeDialog::press(const std::string& key) {
    auto it = actions.find(key);
    if (it == actions.end()) {
        if (key == "accept") done = true, status = DLGOK;
        if (key == "cancel") done = true, status = DLGCANCEL;
        return;
    }
    std::string v = tiles[key];
    ads_callback_packet p{this, nullptr, v.data(), nullptr, CBR_SELECT, 0, 0};
    it->second(&p);
}

void FakeDialog::select(const std::string& key, int row) { type(key, std::to_string(row)); }

}  // namespace wcraft::test

namespace {

FakeDialog* dlg(ads_hdlg h) {
    for (auto& d : wcraft::test::g_open)
        if (d.get() == h) return d.get();
    return nullptr;
}

std::string slurp(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string vformat(const char* fmt, va_list ap) {
    char buf[4096];
    vsnprintf(buf, sizeof buf, fmt, ap);
    return buf;
}

}  // namespace

extern "C" {

int ads_printf(const char* fmt, ...) {
    va_list ap;
    va_start(ap, fmt);
    fake().out += vformat(fmt, ap);
    va_end(ap);
    return RTNORM;
}

int ads_getstring(int, const char* prompt, char* result) {
    fake().out += prompt;
    if (fake().answers.empty()) return RTERROR;
    auto a = fake().answers.front();
    fake().answers.pop_front();
    if (!a) return RTCAN;
    std::string word = a->substr(0, a->find(' '));
    snprintf(result, 133, "%s", word.c_str());
    return RTNORM;
}

int ads_getint(const char* prompt, int* result) {
    fake().out += prompt;
    if (fake().answers.empty()) return RTERROR;
    auto a = fake().answers.front();
    fake().answers.pop_front();
    if (!a) return RTCAN;
    if (a->empty()) return RTNONE;
    *result = atoi(a->c_str());
    return RTNORM;
}

struct resbuf* ads_getargs(void) {
    struct resbuf* a = fake().args;
    fake().args = nullptr;
    return a;
}

int ads_getfuncode(void) { return fake().funcode; }
int ads_defun(const char* name, short) {
    fake().defined.push_back(name);
    return RTNORM;
}
int ads_regfunc(int (*)(void), short) { return RTNORM; }
int ads_retvoid(void) { return RTNORM; }
int ads_retnil(void) { return RTNORM; }
int ads_setvar(const char*, const struct resbuf*) { return RTNORM; }

int ads_putsym(const char* name, struct resbuf* v) {
    if (v->restype == RTSTR) fake().lisp_strings[name] = v->resval.rstring;
    else fake().lisp_ints[name] = v->resval.rint;
    return RTNORM;
}

int ads_alert(const char* s) {
    fake().alerts.push_back(s);
    return RTNORM;
}

void ads_fail(const char* s) { fake().failures.push_back(s); }

int ads_findfile(const char* name, char* result) {
    fs::path p = fake().host_path(name);
    if (!fs::exists(p)) return RTERROR;
    snprintf(result, 512, "%s", p.string().c_str());
    return RTNORM;
}

int ads_command(int rtype, ...) {
    va_list ap;
    va_start(ap, rtype);
    std::string line;
    for (int t = rtype; t != RTNONE && t != 0; t = va_arg(ap, int)) {
        if (t == RTSTR) line += std::string(line.empty() ? "" : "|") + va_arg(ap, const char*);
    }
    va_end(ap);
    fake().commands.push_back(line);
    return RTNORM;
}

int ads_getfiled(const char*, const char*, const char*, int, struct resbuf* result) {
    if (fake().files.empty() || !fake().files.front()) {
        if (!fake().files.empty()) fake().files.pop_front();
        return RTCAN;
    }
    std::string f = *fake().files.front();
    fake().files.pop_front();
    free(result->resval.rstring);
    result->restype = RTSTR;
    result->resval.rstring = strdup(f.c_str());
    return RTNORM;
}

// --- runtime file layer on the mapped drive
FILE* rt_fopen(const char* path, const char* mode) { return fopen(fake().host_path(path).c_str(), mode); }
int rt_remove(const char* path) {
    std::error_code ec;
    return fs::remove(fake().host_path(path), ec) ? 0 : -1;
}
int rt_rename(const char* from, const char* to) {
    std::error_code ec;
    fs::rename(fake().host_path(from), fake().host_path(to), ec);
    return ec ? -1 : 0;
}
int rt_access(const char* path, int) { return fs::exists(fake().host_path(path)) ? 0 : -1; }
int rt_mkdir(const char* path) {
    std::error_code ec;
    return fs::create_directory(fake().host_path(path), ec) ? 0 : -1;
}

// --- dialogs
int ads_load_dialog(const char* file, int* id) {
    fs::path p = fake().host_path(file);
    if (!fs::exists(p)) return RTERROR;
    *id = wcraft::test::g_next_dcl++;
    wcraft::test::g_dcl[*id] = slurp(p);
    return RTNORM;
}

int ads_unload_dialog(int id) { return wcraft::test::g_dcl.erase(id) ? RTNORM : RTERROR; }

int ads_new_dialog(const char* name, int id, CLIENTFUNC, ads_hdlg* h) {
    auto it = wcraft::test::g_dcl.find(id);
    if (it == wcraft::test::g_dcl.end() || it->second.find(std::string(name) + " : dialog") == std::string::npos)
        return RTERROR;
    auto d = std::make_unique<FakeDialog>();
    d->name = name;
    *h = d.get();
    wcraft::test::g_open.push_back(std::move(d));
    fake().dialog_names.push_back(name);
    return RTNORM;
}

int ads_start_dialog(ads_hdlg h, int* status) {
    FakeDialog* d = dlg(h);
    if (!d) return RTERROR;
    if (!fake().dialogs.empty()) {
        auto handler = fake().dialogs.front();
        fake().dialogs.pop_front();
        handler(*d);
    }
    *status = d->done ? d->status : DLGCANCEL;
    return RTNORM;
}

int ads_done_dialog(ads_hdlg h, int status) {
    FakeDialog* d = dlg(h);
    if (!d) return RTERROR;
    d->done = true;
    d->status = status;
    return RTNORM;
}

int ads_action_tile(ads_hdlg h, const char* key, CLIENTFUNC fn) {
    dlg(h)->actions[key] = fn;
    return RTNORM;
}
int ads_set_tile(ads_hdlg h, const char* key, const char* value) {
    dlg(h)->tiles[key] = value;
    return RTNORM;
}
int ads_get_tile(ads_hdlg h, const char* key, char* value, int maxlen) {
    snprintf(value, static_cast<size_t>(maxlen), "%s", dlg(h)->tiles[key].c_str());
    return RTNORM;
}
int ads_mode_tile(ads_hdlg h, const char* key, short mode) {
    dlg(h)->modes[key] = mode;
    return RTNORM;
}
int ads_start_list(ads_hdlg h, const char* key, short, short) {
    wcraft::test::g_list_dialog = dlg(h);
    wcraft::test::g_list_key = key;
    wcraft::test::g_list_dialog->lists[key].clear();
    return RTNORM;
}
int ads_add_list(const char* item) {
    wcraft::test::g_list_dialog->lists[wcraft::test::g_list_key].push_back(item);
    return RTNORM;
}
int ads_end_list(void) { return RTNORM; }
int ads_dimensions_tile(ads_hdlg, const char*, short* cx, short* cy) {
    *cx = 320, *cy = 192;
    return RTNORM;
}
int ads_start_image(ads_hdlg, const char*) { return RTNORM; }
int ads_fill_image(int, int, int, int, int) { return RTNORM; }
int ads_slide_image(int, int, int, int, const char*) { return RTNORM; }
int ads_end_image(void) { return RTNORM; }
// No drawing in this stand-in: selections find nothing, entity calls fail.
struct resbuf* ads_buildlist(int, ...) { return nullptr; }
int ads_ssget(const char*, const void*, const void*, const struct resbuf*, ads_name) { return RTERROR; }
int ads_sslength(const ads_name, long*) { return RTERROR; }
int ads_ssname(const ads_name, long, ads_name) { return RTERROR; }
int ads_ssdel(const ads_name, const ads_name) { return RTERROR; }
int ads_ssfree(const ads_name) { return RTERROR; }
int ads_entnext(const ads_name, ads_name) { return RTERROR; }
struct resbuf* ads_entget(const ads_name) { return nullptr; }
int ads_entmake(const struct resbuf*) { return RTERROR; }
int ads_entmod(const struct resbuf*) { return RTERROR; }
int ads_entupd(const ads_name) { return RTERROR; }
int ads_handent(const char*, ads_name) { return RTERROR; }
struct resbuf* ads_tblsearch(const char*, const char*, int) { return nullptr; }
// Nor system variables, AutoLISP values to read or folder listings.
int ads_getvar(const char*, struct resbuf*) { return RTERROR; }
int ads_getsym(const char*, struct resbuf**) { return RTERROR; }
long rt_findfirst(const char*, struct rt_finddata_t*) { return -1; }
int rt_findnext(long, struct rt_finddata_t*) { return -1; }
int rt_findclose(long) { return 0; }
// Points and picks are asked like strings: an answer gives the origin
// point (no drawing to pick from), none or a cancel ends the request.
static int ask_point(const char* prompt, ads_point result) {
    fake().out += prompt;
    if (fake().answers.empty()) return RTERROR;
    auto a = fake().answers.front();
    fake().answers.pop_front();
    if (!a) return RTCAN;
    if (a->empty()) return RTNONE;
    result[X] = result[Y] = result[Z] = 0.0;
    return RTNORM;
}
int ads_getpoint(const ads_point, const char* prompt, ads_point result) { return ask_point(prompt, result); }
int ads_getcorner(const ads_point, const char* prompt, ads_point result) { return ask_point(prompt, result); }
int ads_entsel(const char* prompt, ads_name, ads_point) {
    ads_point p;
    int r = ask_point(prompt, p);
    return r == RTNORM ? RTERROR : r;  // nothing there to pick
}
int ads_textscr(void) { return RTNORM; }
int ads_wcmatch(const char*, const char*) { return RTERROR; }
int ads_retlist(const struct resbuf*) { return RTNORM; }
}
