// In-memory host for the interpreter tests.
#include "fake_host.h"

namespace cadhost::lisp::test {

std::optional<GroupValue> FakeHost::getvar(const std::string& name) {
    auto it = vars.find(name);
    if (it == vars.end()) return std::nullopt;
    return it->second;
}

Status FakeHost::setvar(const std::string& name, const GroupValue& value) {
    if (name == "READONLY") return Error{"setting rejected: READONLY", {}, 0};
    vars[name] = value;
    return ok_status();
}

EntityRef FakeHost::add_entity(GroupList groups) {
    EntityRef e{next_entity++};
    entities[e.id] = std::move(groups);
    return e;
}

std::optional<GroupList> FakeHost::entget(EntityRef e, const std::vector<std::string>& apps) {
    auto it = entities.find(e.id);
    if (it == entities.end()) return std::nullopt;
    GroupList out{make_ref(-1, e)};
    for (const auto& g : it->second) {
        if (g.code == -3 && apps.empty()) break;
        out.push_back(g);
    }
    return out;
}

EntityRef FakeHost::entnext(EntityRef after) {
    auto it = after ? entities.upper_bound(after.id) : entities.begin();
    return it == entities.end() ? EntityRef{} : EntityRef{it->first};
}

EntityRef FakeHost::entlast() { return entities.empty() ? EntityRef{} : EntityRef{entities.rbegin()->first}; }

bool FakeHost::entmod(const GroupList& groups) {
    const Group* g = find_group(groups, -1);
    if (!g || !std::holds_alternative<EntityRef>(g->value)) return false;
    auto it = entities.find(std::get<EntityRef>(g->value).id);
    if (it == entities.end()) return false;
    GroupList rest;
    for (const auto& x : groups)
        if (x.code != -1) rest.push_back(x);
    it->second = rest;
    return true;
}

bool FakeHost::entmake(const GroupList& groups) {
    if (!find_group(groups, 0)) return false;
    add_entity(groups);
    return true;
}

bool FakeHost::entdel(EntityRef e) { return entities.erase(e.id) == 1; }

std::optional<SelSet> FakeHost::ssget(const SsgetRequest& request) {
    ssget_requests.push_back(request);
    std::vector<EntityRef> found;
    for (const auto& [id, groups] : entities) {
        if (request.filter) {
            const Group* want = find_group(*request.filter, 0);
            if (want && group_string(groups, 0) != std::get<std::string>(want->value)) continue;
        }
        found.push_back({id});
    }
    if (found.empty()) return std::nullopt;
    sets[next_set] = found;
    return SelSet{next_set++};
}

std::optional<long> FakeHost::sslength(SelSet set) {
    auto it = sets.find(set.id);
    if (it == sets.end()) return std::nullopt;
    return static_cast<long>(it->second.size());
}

EntityRef FakeHost::ssname(SelSet set, long index) {
    auto it = sets.find(set.id);
    if (it == sets.end() || index >= static_cast<long>(it->second.size())) return {};
    return it->second[size_t(index)];
}

std::optional<SelSet> FakeHost::ssadd(std::optional<EntityRef> e, std::optional<SelSet> set) {
    uint64_t id = set ? set->id : next_set++;
    auto& members = sets[id];
    if (e) members.push_back(*e);
    return SelSet{id};
}

InputReply FakeHost::get_input(const InputRequest& request) {
    requests.push_back(request);
    if (answers.empty()) return {InputStatus::Cancel, {}};
    InputReply r = answers.front();
    answers.pop_front();
    return r;
}

Result<SourceText> FakeHost::read_source(const std::string& name) {
    auto it = sources.find(name);
    if (it == sources.end()) return Error{"not found", name, 0};
    return SourceText{name, it->second};
}

std::optional<std::string> FakeHost::findfile(const std::string& name) {
    if (sources.count(name) || files.count(name)) return "/support/" + name;
    return std::nullopt;
}

std::optional<uint64_t> FakeHost::open_file(const std::string& path, FileMode mode) {
    if (mode == FileMode::Read && !files.count(path)) return std::nullopt;
    if (mode == FileMode::Write) files[path].clear();
    open_files[next_file] = {path, 0};
    return next_file++;
}

std::optional<std::string> FakeHost::read_line(uint64_t file) {
    auto it = open_files.find(file);
    if (it == open_files.end()) return std::nullopt;
    auto& lines = files[it->second.first];
    if (it->second.second >= lines.size()) return std::nullopt;
    return lines[it->second.second++];
}

bool FakeHost::write_text(uint64_t file, const std::string& text) {
    auto it = open_files.find(file);
    if (it == open_files.end()) return false;
    auto& lines = files[it->second.first];
    size_t start = 0;
    for (size_t nl; (nl = text.find('\n', start)) != std::string::npos; start = nl + 1)
        lines.push_back(text.substr(start, nl - start));
    if (start < text.size()) lines.push_back(text.substr(start));
    return true;
}

namespace {
bool glob(const char* t, const char* p) {
    if (*p == '\0') return *t == '\0';
    if (*p == '*') return glob(t, p + 1) || (*t && glob(t + 1, p));
    if (*t && (*p == '?' || *p == *t)) return glob(t + 1, p + 1);
    return false;
}
}  // namespace

Result<bool> FakeHost::wcmatch(const std::string& text, const std::string& pattern) {
    return glob(text.c_str(), pattern.c_str());
}

std::string eval_text(Interpreter& in, const std::string& text) {
    auto r = in.eval_string(text);
    if (!r.ok()) return "ERR:" + r.error().message;
    return print_value(r.value(), PrintStyle::Prin1);
}

}  // namespace cadhost::lisp::test
