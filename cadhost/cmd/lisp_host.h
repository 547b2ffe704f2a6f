// Connects the AutoLISP interpreter to the session: what Lisp asks of the
// host (variables, entities, selections, input, files, commands and
// application functions) and what the host asks of Lisp (expressions typed
// at prompts, "C:" functions, the start-up file at each drawing).
#pragma once

#include <cstdio>
#include <map>
#include <memory>

#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "lisp/interpreter.h"

namespace cadhost::cmd {

// Host paths of application modules: the name as given, with ".so", or
// with "lib" before it, in the drawing folder and on the support path.
std::string find_module(host::Session& s, const std::string& name);

class LispHost : public lisp::Host {
public:
    LispHost(host::Session& s, CommandLine& cl);
    ~LispHost() override;

    void print(const std::string& text) override;
    bool take_break() override;
    std::optional<GroupValue> getvar(const std::string& name) override;
    Status setvar(const std::string& name, const GroupValue& value) override;
    int command(const lisp::AdsList& args) override;
    std::optional<GroupList> entget(EntityRef e, const std::vector<std::string>& apps) override;
    EntityRef entnext(EntityRef after) override;
    EntityRef entlast() override;
    bool entmod(const GroupList& groups) override;
    bool entmake(const GroupList& groups) override;
    bool entdel(EntityRef e) override;
    EntityRef handent(const std::string& handle) override;
    bool regapp(const std::string& name) override;
    std::optional<GroupList> tblnext(const std::string& table, lisp::TableNext from) override;
    std::optional<GroupList> tblsearch(const std::string& table, const std::string& name,
                                       lisp::SearchSetsNext next) override;
    std::optional<lisp::SelSet> ssget(const lisp::SsgetRequest& request) override;
    std::optional<long> sslength(lisp::SelSet set) override;
    EntityRef ssname(lisp::SelSet set, long index) override;
    std::optional<lisp::SelSet> ssadd(std::optional<EntityRef> e, std::optional<lisp::SelSet> set) override;
    bool ssdel(EntityRef e, lisp::SelSet set) override;
    bool ssmemb(EntityRef e, lisp::SelSet set) override;
    void initget(int bits, const std::string& keywords) override;
    lisp::InputReply get_input(const lisp::InputRequest& request) override;
    lisp::PickReply entsel(const std::optional<std::string>& prompt) override;
    std::optional<std::string> findfile(const std::string& name) override;
    void alert(const std::string& text) override;
    std::optional<std::string> getfiled(const std::string& title, const std::string& def, const std::string& ext,
                                        int flags) override;
    Result<lisp::SourceText> read_source(const std::string& name) override;
    std::optional<uint64_t> open_file(const std::string& path, lisp::FileMode mode) override;
    std::optional<std::string> read_line(uint64_t file) override;
    bool write_text(uint64_t file, const std::string& text) override;
    bool close_file(uint64_t file) override;
    Status arxload(const std::string& path) override;
    lisp::ExternalReply call_external(int app, int code, const lisp::AdsList& args) override;
    Result<bool> wcmatch(const std::string& text, const std::string& pattern) override;

private:
    host::Session& m_session;
    CommandLine& m_cl;
    InitGet m_init;
    std::map<uint64_t, FILE*> m_files;
    uint64_t m_next_file = 1;
};

// Owns the interpreter for a session and installs it in the session and
// the command line.
class LispBinding {
public:
    LispBinding(host::Session& s, CommandLine& cl);
    ~LispBinding();
    lisp::Interpreter& interpreter() { return *m_interp; }

private:
    void drawing_loaded();
    host::Session& m_session;
    CommandLine& m_cl;
    LispHost m_host;
    std::unique_ptr<lisp::Interpreter> m_interp;
};

}  // namespace cadhost::cmd
