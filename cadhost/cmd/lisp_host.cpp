// The session side of the AutoLISP interpreter.
#include "cmd/lisp_host.h"

#include <charconv>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "ads.h"
#include "cmd/dialog_host.h"
#include "cmd/selectobj.h"
#include "fs/filelayer.h"
#include "host/adslist.h"
#include "select/filter.h"
#include "select/geometry.h"
#include "select/wildcard.h"

namespace cadhost::cmd {

namespace {

// Command answers from interpreter items; lists (an entsel result, a
// point list) give the entity or point inside them.
std::vector<host::Answer> answers_of(host::Session& s, const lisp::AdsList& args) {
    std::vector<host::Answer> out;
    for (const auto& item : args) {
        const auto& v = item.value;
        if (item.restype == RTLB || item.restype == RTLE || item.restype == RTDOTE) continue;
        if (auto str = std::get_if<std::string>(&v)) out.push_back(host::Answer::of_text(*str));
        else if (auto i = std::get_if<int32_t>(&v)) out.push_back(host::Answer::of_text(std::to_string(*i)));
        else if (auto d = std::get_if<double>(&v)) out.push_back(host::Answer::of_real(*d));
        else if (auto p = std::get_if<Point>(&v)) out.push_back(host::Answer::of_point(*p));
        else if (auto e = std::get_if<EntityRef>(&v)) {
            out.push_back(host::Answer::of_objects({*e}));
        } else if (auto set = std::get_if<lisp::SelSet>(&v)) {
            auto* ents = s.selection(static_cast<long>(set->id));
            out.push_back(host::Answer::of_objects(ents ? std::vector<EntityRef>(ents->begin(), ents->end())
                                                        : std::vector<EntityRef>{}));
        } else if (item.restype == RTNIL) {
            out.push_back(host::Answer::of_text(""));
        }
    }
    return out;
}

lisp::InputStatus status_of(int rt) {
    switch (rt) {
    case RTNORM: return lisp::InputStatus::Normal;
    case RTNONE: return lisp::InputStatus::None;
    case RTKWORD: return lisp::InputStatus::Keyword;
    case RTCAN: return lisp::InputStatus::Cancel;
    default: return lisp::InputStatus::Error;
    }
}

GetKind kind_of(lisp::InputKind k) {
    switch (k) {
    case lisp::InputKind::String: return GetKind::String;
    case lisp::InputKind::Int: return GetKind::Int;
    case lisp::InputKind::Real: return GetKind::Real;
    case lisp::InputKind::Point: return GetKind::Point;
    case lisp::InputKind::Corner: return GetKind::Corner;
    case lisp::InputKind::Dist: return GetKind::Dist;
    case lisp::InputKind::Angle: return GetKind::Angle;
    case lisp::InputKind::Kword: return GetKind::Kword;
    }
    return GetKind::String;
}

}  // namespace

std::string find_module(host::Session& s, const std::string& name) {
    std::string direct = s.host_path(name);
    std::error_code ec;
    if (std::filesystem::is_regular_file(direct, ec)) return direct;
    auto split = fs::split_path(name);
    for (const std::string& candidate : {name + ".so", split.dir + "lib" + split.fname + split.ext + ".so"}) {
        std::string p = s.host_path(candidate);
        if (std::filesystem::is_regular_file(p, ec)) return p;
        if (std::string f = s.find_file(candidate); !f.empty()) return f;
    }
    return s.find_file(name);
}

LispHost::LispHost(host::Session& s, CommandLine& cl) : m_session(s), m_cl(cl) {}

LispHost::~LispHost() {
    for (auto& [id, f] : m_files) fclose(f);
}

void LispHost::print(const std::string& text) { m_session.print(text); }
bool LispHost::take_break() { return m_session.take_break(); }

std::optional<GroupValue> LispHost::getvar(const std::string& name) { return m_session.sysvars().get(name); }

Status LispHost::setvar(const std::string& name, const GroupValue& value) {
    return m_session.sysvars().set(name, value);
}

int LispHost::command(const lisp::AdsList& args) {
    if (args.empty()) return m_cl.command({host::Answer::of_text("^C")});
    return m_cl.command(answers_of(m_session, args));
}

std::optional<GroupList> LispHost::entget(EntityRef e, const std::vector<std::string>& apps) {
    if (!m_session.has_drawing()) return std::nullopt;
    return apps.empty() ? m_session.drawing().entget(e) : m_session.drawing().entget(e, apps);
}

EntityRef LispHost::entnext(EntityRef after) {
    auto& d = m_session.drawing();
    return after ? d.next_entity(after) : d.first_entity();
}

EntityRef LispHost::entlast() { return m_session.drawing().last_entity(); }
bool LispHost::entmod(const GroupList& groups) { return m_session.drawing().entmod(groups).ok(); }

bool LispHost::entmake(const GroupList& groups) {
    return m_session.drawing().entmake(m_session.on_current_layer(groups)).ok();
}

bool LispHost::entdel(EntityRef e) { return m_session.drawing().entdel(e).ok(); }
EntityRef LispHost::handent(const std::string& handle) { return m_session.drawing().handent(handle); }

bool LispHost::regapp(const std::string& name) { return m_session.drawing().register_new_app(name); }

std::optional<GroupList> LispHost::tblnext(const std::string& table, lisp::TableNext from) {
    return m_session.drawing().tblnext(table, from == lisp::TableNext::Rewind);
}

std::optional<GroupList> LispHost::tblsearch(const std::string& table, const std::string& name,
                                             lisp::SearchSetsNext next) {
    auto& d = m_session.drawing();
    auto rec = d.tblsearch(table, name);
    if (rec && next == lisp::SearchSetsNext::Yes)
        for (auto r = d.tblnext(table, true); r; r = d.tblnext(table, false))
            if (host::to_upper(group_string(*r, 2)) == host::to_upper(name)) break;
    return rec;
}

std::optional<lisp::SelSet> LispHost::ssget(const lisp::SsgetRequest& req) {
    std::optional<select::Filter> filter;
    if (req.filter) {
        auto f = select::Filter::compile(*req.filter);
        if (!f) return std::nullopt;
        filter = f.release();
    }
    auto r = select_by_mode(m_session, &m_cl, req.mode, req.points, filter ? &*filter : nullptr);
    if (!r.ok || r.cancelled) return std::nullopt;
    std::vector<EntityRef> found = std::move(r.entities);
    if (found.empty()) return std::nullopt;
    return lisp::SelSet{static_cast<uint64_t>(m_session.new_selection(std::move(found)))};
}

std::optional<long> LispHost::sslength(lisp::SelSet set) {
    auto* s = m_session.selection(static_cast<long>(set.id));
    if (!s) return std::nullopt;
    return static_cast<long>(s->size());
}

EntityRef LispHost::ssname(lisp::SelSet set, long index) {
    auto* s = m_session.selection(static_cast<long>(set.id));
    if (!s || index < 0 || index >= static_cast<long>(s->size())) return {};
    return (*s)[index];
}

std::optional<lisp::SelSet> LispHost::ssadd(std::optional<EntityRef> e, std::optional<lisp::SelSet> set) {
    if (!set) {
        std::vector<EntityRef> v;
        if (e) v.push_back(*e);
        return lisp::SelSet{static_cast<uint64_t>(m_session.new_selection(std::move(v)))};
    }
    auto* s = m_session.selection(static_cast<long>(set->id));
    if (!s) return std::nullopt;
    if (e && std::find(s->begin(), s->end(), *e) == s->end()) s->push_back(*e);
    return set;
}

bool LispHost::ssdel(EntityRef e, lisp::SelSet set) {
    auto* s = m_session.selection(static_cast<long>(set.id));
    if (!s) return false;
    auto it = std::find(s->begin(), s->end(), e);
    if (it == s->end()) return false;
    s->erase(it);
    return true;
}

bool LispHost::ssmemb(EntityRef e, lisp::SelSet set) {
    auto* s = m_session.selection(static_cast<long>(set.id));
    return s && std::find(s->begin(), s->end(), e) != s->end();
}

void LispHost::initget(int bits, const std::string& keywords) { m_init = parse_initget(bits, keywords.c_str()); }

lisp::InputReply LispHost::get_input(const lisp::InputRequest& request) {
    GetRequest req;
    req.kind = kind_of(request.kind);
    req.prompt = request.prompt.value_or("");
    req.base = request.base;
    req.spaces = request.spaces == lisp::Spaces::Allowed;
    InitGet init = m_init;
    m_init = {};
    GetResult r = m_cl.get_input(req, init);
    lisp::InputReply reply;
    reply.status = status_of(r.status);
    reply.value = r.status == RTKWORD ? GroupValue(r.keyword) : r.value;
    return reply;
}

lisp::PickReply LispHost::entsel(const std::optional<std::string>& prompt) {
    InitGet init = m_init;
    m_init = {};
    Pick p = pick_entity(m_cl, prompt.value_or("Select object: "), init);
    lisp::PickReply reply;
    reply.status = status_of(p.status);
    reply.entity = p.entity;
    reply.point = p.point;
    reply.keyword = p.keyword;
    return reply;
}

std::optional<std::string> LispHost::findfile(const std::string& name) {
    std::string f = m_session.find_file(name);
    if (f.empty()) return std::nullopt;
    return f;
}

void LispHost::alert(const std::string& text) { m_session.alert(text); }

std::optional<std::string> LispHost::getfiled(const std::string& title, const std::string& def,
                                              const std::string& ext, int flags) {
    auto r = get_file_name(m_session, dcl::FiledRequest{title, def, ext, flags});
    if (!r) return std::nullopt;
    return *r;
}

Result<lisp::SourceText> LispHost::read_source(const std::string& name) {
    std::string n = std::filesystem::path(fs::split_path(name).fname + fs::split_path(name).ext).has_extension()
                        ? name : name + ".lsp";
    std::string path = m_session.find_file(n);
    if (path.empty()) return Error{"LOAD failed: \"" + name + "\""};
    auto text = host::read_file_text(path);
    if (!text) return Error{"LOAD failed: \"" + name + "\""};
    return lisp::SourceText{path, *text};
}

std::optional<uint64_t> LispHost::open_file(const std::string& path, lisp::FileMode mode) {
    const char* m = mode == lisp::FileMode::Read ? "r" : mode == lisp::FileMode::Write ? "w" : "a";
    FILE* f = fopen(m_session.host_path(path).c_str(), m);
    if (!f) return std::nullopt;
    uint64_t id = m_next_file++;
    m_files[id] = f;
    return id;
}

std::optional<std::string> LispHost::read_line(uint64_t file) {
    auto it = m_files.find(file);
    if (it == m_files.end()) return std::nullopt;
    std::string line;
    int c;
    bool any = false;
    while ((c = fgetc(it->second)) != EOF) {
        any = true;
        if (c == '\n') break;
        line += static_cast<char>(c);
    }
    if (!any) return std::nullopt;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

bool LispHost::write_text(uint64_t file, const std::string& text) {
    auto it = m_files.find(file);
    return it != m_files.end() && fwrite(text.data(), 1, text.size(), it->second) == text.size();
}

bool LispHost::close_file(uint64_t file) {
    auto it = m_files.find(file);
    if (it == m_files.end()) return false;
    bool ok = fclose(it->second) == 0;
    m_files.erase(it);
    return ok;
}

Status LispHost::arxload(const std::string& path) {
    std::string file = find_module(m_session, path);
    if (file.empty()) return Error{"Unable to find " + path};
    auto r = m_session.load_app(file);
    if (!r) return r.error();
    return ok_status();
}

lisp::ExternalReply LispHost::call_external(int app, int code, const lisp::AdsList& args) {
    long serial = m_session.drawing_serial();
    struct resbuf* chain = ads::to_resbuf(args, serial);
    struct resbuf* result = nullptr;
    host::FunctionDef def{"", app, static_cast<short>(code)};
    int st = m_session.call_function(def, chain, &result);
    lisp::ExternalReply reply;
    reply.status = st;
    auto items = ads::from_resbuf(result, serial);
    host::release_chain(result);
    if (items) reply.result = items.release();
    // A function that returned nothing in particular gives nil; RTVOID prints nothing.
    return reply;
}

Result<bool> LispHost::wcmatch(const std::string& text, const std::string& pattern) {
    return select::wcmatch(text, pattern, select::CaseMode::Sensitive);
}

LispBinding::LispBinding(host::Session& s, CommandLine& cl)
    : m_session(s), m_cl(cl), m_host(s, cl), m_interp(std::make_unique<lisp::Interpreter>(m_host)) {
    s.set_lisp(m_interp.get());
    s.set_new_drawing_hook([this] { m_interp->reset(); });
    s.set_drawing_loaded_hook([this] { drawing_loaded(); });
    cl.set_lisp_evaluator([this](const std::string& expr, CommandLine::LispUse use) -> std::optional<std::string> {
        auto r = m_interp->eval_string(expr);
        if (!r) return std::nullopt;
        if (use == CommandLine::LispUse::Print) return lisp::print_value(*r, lisp::PrintStyle::Prin1);
        auto items = lisp::to_ads(*r, lisp::PointRule::AnyNumbers);
        if (items && items->size() == 1) {
            const auto& v = (*items)[0].value;
            if (auto str = std::get_if<std::string>(&v)) return *str;
            if (auto p = std::get_if<Point>(&v))
                return host::point_text(*p);
        }
        return lisp::print_value(*r, lisp::PrintStyle::Prin1);
    });
    cl.set_lisp_command_hook([this](const std::string& name, CmdStatus& st) {
        if (!m_interp->is_command_defined(name)) return false;
        auto r = m_interp->call_command(name);
        st = r ? CmdStatus::Done : CmdStatus::Failed;
        return true;
    });
}

LispBinding::~LispBinding() {
    if (m_session.lisp() == m_interp.get()) m_session.set_lisp(nullptr);
    m_session.set_new_drawing_hook(nullptr);
    m_session.set_drawing_loaded_hook(nullptr);
}

void LispBinding::drawing_loaded() {
    // The start-up file, then S::STARTUP when it defines one.
    std::string acad = m_session.find_file("ACAD.LSP");
    if (acad.empty()) return;
    auto r = m_interp->load(acad);
    if (r && m_interp->is_function_defined("S::STARTUP")) (void)m_interp->call_function("S::STARTUP", {});
}

}  // namespace cadhost::cmd
