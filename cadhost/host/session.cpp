// The host session: drawing lifetime, application calls, selection sets.
#include "host/session.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ads.h"
#include "fs/filelayer.h"
#include "lisp/interpreter.h"

namespace cadhost::host {

namespace {
Session* g_current = nullptr;

std::string folder_of(const std::string& path) {
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? std::string() : path.substr(0, pos + 1);
}
std::string file_of(const std::string& path) {
    auto pos = path.find_last_of('/');
    return pos == std::string::npos ? path : path.substr(pos + 1);
}
}  // namespace

Session* Session::current() { return g_current; }
void Session::set_current(Session* s) { g_current = s; }

Session::Session(SessionOptions opts) : m_opts(std::move(opts)), m_sysvars(*this) {
    // Output is buffered; it is flushed before input is read and at exit.
    m_out = [](std::string_view t) { fwrite(t.data(), 1, t.size(), stdout); };
    m_sysvars.set_session_value("ACADVER", m_opts.acadver);
    m_sysvars.set_session_value("PLATFORM", m_opts.platform);
    install_computed_vars();
}

Session::~Session() {
    for (auto& f : m_calls) {
        release_chain(f.args);
        release_chain(f.result);
    }
    if (g_current == this) g_current = nullptr;
}

void Session::install_computed_vars() {
    m_sysvars.set_computed("DWGNAME", [this] {
        return GroupValue(m_path.empty() ? std::string("Drawing") + kDrawingExt : file_of(m_path));
    });
    m_sysvars.set_computed("DWGPREFIX", [this] {
        std::string f = m_path.empty() ? std::filesystem::current_path().string() + "/" : folder_of(m_path);
        return GroupValue(f);
    });
    m_sysvars.set_computed("SAVENAME", [this] { return GroupValue(m_path); });
    m_sysvars.set_computed("DWGTITLED", [this] { return GroupValue(int16_t(m_path.empty() ? 0 : 1)); });
    m_sysvars.set_computed("DBMOD", [this] {
        long n = has_drawing() ? m_drawing->dbmod() : 0;
        return GroupValue(int16_t(n > 0 ? 1 : 0));
    });
    m_sysvars.set_computed("CMDACTIVE", [this] {
        return GroupValue(int16_t(m_runner && m_runner->command_active() ? 1 : 0));
    });
    m_sysvars.set_computed("ACADPREFIX", [this] {
        std::string s;
        for (auto& d : m_opts.support_dirs) {
            s += d;
            if (!d.empty() && d.back() != '/') s += '/';
            s += ';';
        }
        return GroupValue(s);
    });
    m_sysvars.set_computed("LOGINNAME", [] {
        const char* u = getenv("USER");
        return GroupValue(std::string(u ? u : "user"));
    });
    m_sysvars.set_computed("CDATE", [] {
        time_t t = time(nullptr);
        struct tm tmv;
        localtime_r(&t, &tmv);
        double d = (tmv.tm_year + 1900) * 10000.0 + (tmv.tm_mon + 1) * 100 + tmv.tm_mday;
        d += tmv.tm_hour / 100.0 + tmv.tm_min / 10000.0 + tmv.tm_sec / 1000000.0;
        return GroupValue(d);
    });
}

void Session::print(std::string_view text) {
    if (text.empty()) return;
    m_at_line_start = text.back() == '\n';
    m_out(text);
}

void Session::print_prompt(std::string_view prompt) {
    // A person reads prompts at the start of a line; piped output stays as
    // it always was, since programs compare it byte for byte.
    fresh_line();
    print(prompt);
}

void Session::fresh_line() {
    if (m_input.base_is_terminal() && !m_at_line_start) print("\n");
}

void Session::alert(std::string_view text) {
    std::string s = "\n** ";
    for (char c : text) s += c == '\n' ? std::string("\n** ") : std::string(1, c);
    s += "\n";
    print(s);
}

void Session::drawing_changed() {
    ++m_serial;
    m_selections.clear();
    m_apps.clear_functions();
    if (m_on_new_drawing) m_on_new_drawing();
    m_apps.broadcast(kLoadDwgMsg);
    if (m_on_loaded) m_on_loaded();
}

Status Session::open_drawing(const std::string& host_path) {
    auto r = db::Drawing::read_file(host_path);
    if (!r) return r.error();
    std::string path = std::filesystem::absolute(host_path).lexically_normal().string();
    if (m_on_read) m_on_read(**r, path);
    if (m_drawing) m_apps.broadcast(kUnloadDwgMsg);
    m_drawing = r.release();
    m_path = path;
    drawing_changed();
    return ok_status();
}

void Session::new_drawing(const std::string& host_path) {
    if (m_drawing) m_apps.broadcast(kUnloadDwgMsg);
    m_drawing = db::Drawing::prototype();
    m_path = host_path.empty() ? std::string() : std::filesystem::absolute(host_path).lexically_normal().string();
    drawing_changed();
}

Status Session::save_drawing(const std::string& host_path, db::DxfVersion version) {
    if (!m_drawing) return Error{"No drawing open."};
    std::string target = std::filesystem::absolute(host_path).lexically_normal().string();
    auto st = m_drawing->save(target, version);
    if (!st) return st;
    m_path = target;
    return ok_status();
}

void Session::restore_drawing(std::unique_ptr<db::Drawing> earlier) {
    if (m_on_read) m_on_read(*earlier, m_path);
    m_drawing = std::move(earlier);
    ++m_serial;
    m_selections.clear();
}

Result<LoadedApp*> Session::load_app(const std::string& host_path) {
    auto r = m_apps.load(host_path);
    if (!r) return r;
    if (m_drawing) m_apps.send(**r, kLoadDwgMsg);
    return r;
}

Status Session::unload_app(const std::string& name) {
    LoadedApp* app = m_apps.find(name);
    int id = app ? app->id : 0;
    auto st = m_apps.unload(name);
    if (st && m_lisp) m_lisp->remove_application(id);
    return st;
}

int Session::call_function(const FunctionDef& def, struct resbuf* args, struct resbuf** result) {
    if (result) *result = nullptr;
    LoadedApp* app = m_apps.by_id(def.app_id);
    if (!app) {
        release_chain(args);
        return RTERROR;
    }
    m_calls.push_back(CallFrame{def.app_id, def.code, args, nullptr, false, false});
    int status = RTNORM;
    auto direct = app->direct.find(def.code);
    if (direct != app->direct.end()) {
        m_apps.push_current(app);
        int r = direct->second();
        m_apps.pop_current();
        if (r != RTNORM && r != RSG_NONULL) status = r == RTERROR ? RTERROR : status;
    } else {
        m_apps.send(*app, kInvkSubrMsg, app);
    }
    CallFrame frame = m_calls.back();
    m_calls.pop_back();
    release_chain(frame.args);
    if (frame.failed) status = RTERROR;
    if (result) *result = frame.result;
    else release_chain(frame.result);
    return status;
}

long Session::new_selection(std::vector<EntityRef> ents) {
    long id = m_next_selection++;
    m_selections[id] = std::deque<EntityRef>(ents.begin(), ents.end());
    return id;
}

std::deque<EntityRef>* Session::selection(long id) {
    auto it = m_selections.find(id);
    return it == m_selections.end() ? nullptr : &it->second;
}

bool Session::free_selection(long id) { return m_selections.erase(id) > 0; }

std::string Session::host_path(const std::string& path) const { return fs::file_layer().resolve(path); }

std::string Session::find_file(const std::string& name) const {
    std::vector<std::string> dirs;
    if (!m_path.empty()) dirs.push_back(folder_of(m_path));
    for (auto& d : m_opts.support_dirs) dirs.push_back(d);
    return fs::file_layer().find_file(name, dirs);
}

std::string Session::current_layer() const {
    // Asked for every entity made without a layer.
    if (has_drawing())
        if (auto text = drawing().header_text("$CLAYER")) return std::string(*text);
    static const SysvarDef* clayer = Sysvars::find("CLAYER");
    auto v = m_sysvars.get(*clayer);
    auto* s = v ? std::get_if<std::string>(&*v) : nullptr;
    return s ? *s : "0";
}

GroupList Session::on_current_layer(GroupList entity) const {
    if (!entity.empty() && !find_group(entity, 8)) {
        auto at = entity[0].code == 0 ? entity.begin() + 1 : entity.begin();
        entity.insert(at, make_group(8, current_layer()));
    }
    return entity;
}

std::optional<std::string> read_file_text(const std::string& host_path) {
    std::ifstream f(host_path, std::ios::binary);
    if (!f) return std::nullopt;
    std::stringstream ss;
    ss << f.rdbuf();
    if (f.bad()) return std::nullopt;
    return ss.str();
}

}  // namespace cadhost::host
