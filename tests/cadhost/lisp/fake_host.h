// A host for interpreter tests: output and commands are recorded, entities,
// variables, sources and files live in memory, input comes from a queue.
#pragma once

#include <deque>
#include <functional>
#include <map>

#include "lisp/host.h"
#include "lisp/interpreter.h"

namespace cadhost::lisp::test {

class FakeHost : public Host {
public:
    std::string output;
    std::map<std::string, GroupValue> vars;
    std::vector<AdsList> commands;
    int command_status = rs::Normal;
    std::map<uint64_t, GroupList> entities;  // id -> groups without the -1 group
    uint64_t next_entity = 1;
    std::map<uint64_t, std::vector<EntityRef>> sets;
    uint64_t next_set = 1;
    std::vector<SsgetRequest> ssget_requests;
    std::deque<InputReply> answers;
    std::vector<InputRequest> requests;
    std::vector<std::pair<int, std::string>> initgets;
    std::map<std::string, std::string> sources;
    std::map<std::string, std::vector<std::string>> files;  // path -> lines
    std::map<uint64_t, std::pair<std::string, size_t>> open_files;  // handle -> path, next line
    uint64_t next_file = 1;
    std::vector<std::string> alerts;
    std::function<ExternalReply(int, int, const AdsList&)> external;

    void print(const std::string& text) override { output += text; }
    std::optional<GroupValue> getvar(const std::string& name) override;
    Status setvar(const std::string& name, const GroupValue& value) override;
    int command(const AdsList& args) override {
        commands.push_back(args);
        return command_status;
    }
    EntityRef add_entity(GroupList groups);
    std::optional<GroupList> entget(EntityRef e, const std::vector<std::string>& apps) override;
    EntityRef entnext(EntityRef after) override;
    EntityRef entlast() override;
    bool entmod(const GroupList& groups) override;
    bool entmake(const GroupList& groups) override;
    bool entdel(EntityRef e) override;
    std::optional<SelSet> ssget(const SsgetRequest& request) override;
    std::optional<long> sslength(SelSet set) override;
    EntityRef ssname(SelSet set, long index) override;
    std::optional<SelSet> ssadd(std::optional<EntityRef> e, std::optional<SelSet> set) override;
    void initget(int bits, const std::string& keywords) override { initgets.emplace_back(bits, keywords); }
    InputReply get_input(const InputRequest& request) override;
    void alert(const std::string& text) override { alerts.push_back(text); }
    std::deque<PickReply> picks;
    PickReply entsel(const std::optional<std::string>&) override {
        if (picks.empty()) return {InputStatus::Cancel, {}, {}, {}};
        PickReply r = picks.front();
        picks.pop_front();
        return r;
    }
    std::vector<std::string> registered_apps;
    bool regapp(const std::string& name) override {
        for (const auto& a : registered_apps)
            if (a == name) return false;
        registered_apps.push_back(name);
        return true;
    }
    Result<SourceText> read_source(const std::string& name) override;
    std::optional<std::string> findfile(const std::string& name) override;
    std::optional<uint64_t> open_file(const std::string& path, FileMode mode) override;
    std::optional<std::string> read_line(uint64_t file) override;
    bool write_text(uint64_t file, const std::string& text) override;
    bool close_file(uint64_t file) override { return open_files.erase(file) == 1; }
    ExternalReply call_external(int app, int code, const AdsList& args) override {
        return external ? external(app, code, args) : ExternalReply{rs::Error, {}};
    }
    Result<bool> wcmatch(const std::string& text, const std::string& pattern) override;
};

// Evaluates text and gives the prin1 form of the result, or "ERR:" and the message.
std::string eval_text(Interpreter& in, const std::string& text);

}  // namespace cadhost::lisp::test
