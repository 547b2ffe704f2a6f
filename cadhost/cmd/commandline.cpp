// The command loop and dispatch of typed names.
#include "cmd/commandline.h"

#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <limits>

#include "ads.h"
#include "acrx.h"
#include "db/drawing.h"

namespace cadhost::cmd {

std::string command_key(const std::string& typed) {
    size_t i = 0;
    while (i < typed.size() && (typed[i] == '_' || typed[i] == '.' || typed[i] == '\'')) ++i;
    return host::to_upper(typed.substr(i));
}

int to_rt(CmdStatus s) {
    switch (s) {
    case CmdStatus::Done: return RTNORM;
    case CmdStatus::Cancelled: return RTCAN;
    case CmdStatus::Rejected: return RTREJ;
    case CmdStatus::Failed: return RTERROR;
    }
    return RTERROR;
}

CommandLine::CommandLine(host::Session& s) : m_session(s) {
    m_session.set_command_runner(this);
    add_file_commands(*this);
    add_list_command(*this);
    add_app_commands(*this);
    add_layer_command(*this);
    add_draw_commands(*this);
    add_misc_commands(*this);
    add_insert_command(*this);
    add_mslide_command(*this);
    add_undo_commands(*this);
    add_plot_command(*this);
    add_wblock_command(*this);
    add_menu_commands(*this);
    add_help_command(*this);
    add_explode_command(*this);
}

CommandLine::~CommandLine() {
    if (m_session.command_runner() == this) m_session.set_command_runner(nullptr);
    // Commands still waiting keep what they changed.
    for (auto it = m_suspended.rbegin(); it != m_suspended.rend(); ++it) end_mark(**it, db::Drawing::MarkEnd::Keep);
}

void CommandLine::add(CommandDef def) {
    std::string key = host::to_upper(def.name);
    m_commands[key] = std::move(def);
}

const CommandDef* CommandLine::find(const std::string& name) const { return find_key(command_key(name)); }

const CommandDef* CommandLine::find_key(const std::string& key) const {
    // Map entries stay where they are when commands are added or replaced.
    if (m_last_found && key == m_last_key) return m_last_found;
    auto it = m_commands.find(key);
    if (it == m_commands.end()) return nullptr;
    m_last_key = key;
    m_last_found = &it->second;
    return m_last_found;
}

std::vector<std::string> CommandLine::names() const {
    std::vector<std::string> out;
    for (auto& [k, v] : m_commands) out.push_back(k);
    return out;
}

CommandLine::Suspended* CommandLine::suspended_for(Fiber* f) {
    for (auto& s : m_suspended)
        if (s->fiber.get() == f) return s.get();
    return nullptr;
}

std::optional<host::Answer> CommandLine::ask_answer(const std::string& prompt, host::ReadMode mode, bool typed) {
    m_last_cancel = false;
    // With CMDECHO 0 a command driven by an application call shows neither
    // its prompts nor the answers the call gives it; a prompt left for the
    // user to answer is still shown.
    bool quiet = Fiber::current() && !echoes_calls();
    if (!quiet) m_session.print_prompt(prompt);
    // A command fed by an application call waits for that call's answers.
    while (Fiber* f = Fiber::current()) {
        Suspended* s = suspended_for(f);
        if (f->aborting()) {
            m_last_cancel = true;
            return std::nullopt;
        }
        if (!s || !s->feed || m_session.input().has_pending()) break;
        s->waiting = true;
        f->yield();
        s->waiting = false;
    }
    bool from_call = quiet && m_session.input().has_pending();
    if (quiet && !from_call) m_session.print_prompt(prompt);
    bool echo = !from_call && !m_session.input().interactive();
    host::Answer a = m_session.input().read(mode);
    if (m_session.input().take_typed()) m_session.note_line_start();
    if (!typed || echo) a.spell();
    if (a.kind == host::Answer::Kind::Objects) {
        if (echo) print("\n");
        return a;
    }
    m_last_end_key = a.kind == host::Answer::Kind::End && a.end_key;
    if (a.kind == host::Answer::Kind::End && !(m_last_end_key && !m_at_command_prompt)) {
        if (echo) print("\n");
        return std::nullopt;
    }
    if (a.kind == host::Answer::Kind::Cancel || a.kind == host::Answer::Kind::End) {
        // Ctrl-D at a prompt other than "Command: " cancels it: the person
        // is still there, and ending the session is asked at "Command: ".
        m_last_cancel = true;
        m_session.fresh_line();
        print("*Cancel*\n");
        return std::nullopt;
    }
    if (!a.text.empty() && a.text[0] == '(' && a.kind == host::Answer::Kind::Text) {
        // A Lisp expression, read whole; at a prompt its value is the answer.
        std::optional<std::string> read = m_session.input().read_balanced(a.text);
        if (m_session.input().take_typed()) m_session.note_line_start();
        if (!read) {
            m_last_cancel = true;
            print("*Cancel*\n");
            return std::nullopt;
        }
        std::string expr = std::move(*read);
        if (echo) print(expr + "\n");
        if (m_at_command_prompt || !m_eval_lisp) return host::Answer::of_text(expr);
        auto v = m_eval_lisp(expr, LispUse::Answer);
        if (!v) return std::nullopt;
        return host::Answer::of_text(*v);
    }
    if (echo) print(a.text + "\n");
    if (a.text.size() > 1 && a.text[0] == '\'' && !m_at_command_prompt) {
        // A transparent command inside another: run it, then ask again.
        const CommandDef* t = find(a.text);
        if (t && t->transparent) {
            t->run(*this);
            return ask_answer(prompt, mode, typed);
        }
    }
    return a;
}

std::vector<EntityRef> CommandLine::previous_selection() const {
    std::vector<EntityRef> out;
    if (m_previous_serial != m_session.drawing_serial() || !m_session.has_drawing()) return out;
    for (EntityRef e : m_previous)
        if (!m_session.drawing().is_deleted(e)) out.push_back(e);
    return out;
}

void CommandLine::set_previous_selection(std::vector<EntityRef> set) {
    m_previous = std::move(set);
    m_previous_serial = m_session.drawing_serial();
}

bool CommandLine::echoes_calls() const {
    // Asked at every prompt of every command an application drives.
    static const host::SysvarDef* cmdecho = host::Sysvars::find("CMDECHO");
    if (const GroupValue* held = m_session.sysvars().session_value(*cmdecho)) {
        auto* on = std::get_if<int16_t>(held);
        return !on || *on != 0;
    }
    auto v = m_session.sysvars().get(*cmdecho);
    auto* on = v ? std::get_if<int16_t>(&*v) : nullptr;
    return !on || *on != 0;
}

std::optional<std::string> CommandLine::ask(const std::string& prompt, host::ReadMode mode) {
    auto a = ask_answer(prompt, mode);
    if (!a) return std::nullopt;
    return a->text;
}

std::optional<std::string> CommandLine::ask_file_name(const std::string& prompt) {
    host::Input& in = m_session.input();
    host::Completion before = in.completion();
    in.set_completion(host::Completion::File);
    auto a = ask(prompt, host::ReadMode::Line);
    in.set_completion(before);
    return a;
}

bool CommandLine::resume_suspended(bool feed, CmdStatus& status) {
    // The innermost waiting command; entries after it are still running.
    Suspended* s = m_suspended.back().get();
    bool saved = s->feed;
    s->feed = feed;
    bool ended = s->fiber->resume();
    s->feed = saved;
    if (!ended) return false;
    status = s->status;
    if (s->fiber->failure()) {
        fail_broken(*s);
        status = CmdStatus::Failed;
    } else {
        end_mark(*s, db::Drawing::MarkEnd::Keep);
    }
    std::erase_if(m_suspended, [&](const auto& p) { return p.get() == s; });
    return true;
}

void CommandLine::end_mark(Suspended& s, db::Drawing::MarkEnd how) {
    if (s.serial == 0) return;
    if (m_session.has_drawing() && m_session.drawing_serial() == s.serial) m_session.drawing().end_mark(s.mark, how);
    s.serial = 0;  // ended once
}

void CommandLine::fail_broken(Suspended& s) {
    std::string why;
    try {
        std::rethrow_exception(s.fiber->failure());
    } catch (const std::exception& e) {
        why = e.what();
    } catch (...) {
        why = "an exception of unknown type";
    }
    print("Command " + s.name + " failed: " + why + "\n");
    if (!m_session.has_drawing() || m_session.drawing_serial() != s.serial) return;  // its drawing is gone
    // What it changed goes back first, then what it made goes. Entities are
    // appended, so what the command made follows the last one it found;
    // deleting a main entity deletes its sub-entities with it.
    db::Drawing& d = m_session.drawing();
    end_mark(s, db::Drawing::MarkEnd::TakeBack);
    d.abandon_unfinished();
    std::vector<EntityRef> made;
    for (EntityRef e = s.last ? d.next_entity(s.last) : d.first_entity(); e; e = d.next_entity(e)) {
        std::string_view type = d.type_view(e);
        if (type != "ATTRIB" && type != "VERTEX" && type != "SEQEND") made.push_back(e);
    }
    for (EntityRef e : made)
        if (!d.is_deleted(e))
            if (auto st = d.entdel(e); !st) print("Cannot take back what " + s.name + " made: " + st.error().message + "\n");
}

int CommandLine::command(std::vector<host::Answer> answers) {
    host::Input& in = m_session.input();
    in.push_pending(std::move(answers));
    CmdStatus status = CmdStatus::Done;
    for (;;) {
        bool waiting = !m_suspended.empty() && m_suspended.back()->waiting;
        if (waiting && in.has_pending()) {
            // A command left waiting by an earlier call takes these answers.
            if (!resume_suspended(true, status)) break;
            if (status != CmdStatus::Done) break;
            continue;
        }
        if (!in.has_pending()) break;
        host::Answer first = in.pop_pending();
        first.spell();
        if (first.kind == host::Answer::Kind::Cancel) {
            status = CmdStatus::Cancelled;
            break;
        }
        if (first.kind != host::Answer::Kind::Text || first.text.empty()) continue;
        auto s = std::make_unique<Suspended>();
        Suspended* raw = s.get();
        std::string name = first.text;
        s->name = name;
        if (m_session.has_drawing()) {
            s->serial = m_session.drawing_serial();
            s->last = m_session.drawing().last_entity();
            s->mark = m_session.drawing().mark_changes();
        }
        s->fiber = std::make_unique<Fiber>([this, raw, name] { raw->status = dispatch(name); });
        m_suspended.push_back(std::move(s));
        if (!resume_suspended(true, status)) break;  // waiting for more: left active
        if (status != CmdStatus::Done) break;
    }
    if (status != CmdStatus::Done) in.clear_pending();
    return to_rt(status);
}

std::optional<bool> CommandLine::ask_yes_no(const std::string& prompt, bool def) {
    for (;;) {
        auto a = ask(prompt);
        if (!a) return std::nullopt;
        std::string u = host::to_upper(*a);
        if (u.empty()) return def;
        if (u == "Y" || u == "YES" || u == "_Y" || u == "_YES") return true;
        if (u == "N" || u == "NO" || u == "_N" || u == "_NO") return false;
        print("Invalid option keyword.\n");
    }
}

bool CommandLine::command_active() const {
    // Host commands count, running or left waiting for answers; functions
    // that applications and AutoLISP define as commands do not.
    return m_depth > 0;
}

int CommandLine::run_command(const std::string& name) {
    return to_rt(dispatch(name));
}

namespace {

// A whole integer of the type's range: "70000" is no short, "12abc" no number.
template <typename Int>
Result<GroupValue> whole_integer(const std::string& text) {
    const char* b = text.data() + (!text.empty() && text[0] == '+' ? 1 : 0);
    const char* e = text.data() + text.size();
    Int v = 0;
    auto [end, ec] = std::from_chars(b, e, v);
    if (ec == std::errc::result_out_of_range)
        return Error{"Value must be between " + std::to_string(std::numeric_limits<Int>::min()) + " and " +
                     std::to_string(std::numeric_limits<Int>::max()) + "."};
    if (ec != std::errc() || end != e) return Error{"Requires an integer value."};
    return GroupValue(v);
}

// The value typed for a system variable of this type.
Result<GroupValue> typed_value(host::VarType type, const std::string& text) {
    switch (type) {
    case host::VarType::Short: return whole_integer<int16_t>(text);
    case host::VarType::Long: return whole_integer<int32_t>(text);
    case host::VarType::Real: {
        char* end = nullptr;
        double d = std::strtod(text.c_str(), &end);
        if (text.empty() || *end || !std::isfinite(d)) return Error{"Requires a real value."};
        return GroupValue(d);
    }
    case host::VarType::String: return GroupValue(text);
    default: return Error{"Requires a point."};
    }
}

}  // namespace

CmdStatus CommandLine::run_sysvar(const std::string& name) {
    const host::SysvarDef* def = host::Sysvars::find(name);
    auto cur = m_session.sysvars().get(name);
    std::string shown;
    if (auto s = std::get_if<int16_t>(&*cur)) shown = std::to_string(*s);
    else if (auto l = std::get_if<int32_t>(&*cur)) shown = std::to_string(*l);
    else if (auto d = std::get_if<double>(&*cur)) shown = std::to_string(*d);
    else if (auto t = std::get_if<std::string>(&*cur)) shown = "\"" + *t + "\"";
    else if (auto p = std::get_if<Point>(&*cur)) shown = std::to_string(p->x) + "," + std::to_string(p->y);
    if (def->access == host::VarAccess::ReadOnly) {
        print(std::string(def->name) + " = " + shown + " (read only)\n");
        return CmdStatus::Done;
    }
    auto a = ask("Enter new value for " + std::string(def->name) + " <" + shown + ">: ",
                 def->type == host::VarType::String ? host::ReadMode::Line : host::ReadMode::Token);
    if (!a) return last_was_cancel() ? CmdStatus::Cancelled : CmdStatus::Failed;
    if (a->empty()) return CmdStatus::Done;
    auto v = typed_value(def->type, *a);
    if (!v) {
        print(v.error().message + "\n");
        return CmdStatus::Rejected;
    }
    auto st = m_session.sysvars().set(name, *v);
    if (!st) {
        print(st.error().message + "\n");
        return CmdStatus::Rejected;
    }
    return CmdStatus::Done;
}

CmdStatus CommandLine::dispatch(const std::string& typed) {
    std::string key = command_key(typed);
    if (key.empty()) return CmdStatus::Done;
    struct Depth {
        int& d;
        explicit Depth(int& x) : d(x) { ++d; }
        ~Depth() { --d; }
    };
    if (const CommandDef* c = find_key(key)) {
        Depth depth(m_depth);
        return c->run(*this);
    }
    if (const host::FunctionDef* f = m_session.apps().function("C:" + key)) {
        struct resbuf* result = nullptr;
        int st = m_session.call_function(*f, nullptr, &result);
        host::release_chain(result);
        return st == RTNORM ? CmdStatus::Done : st == RTCAN ? CmdStatus::Cancelled : CmdStatus::Failed;
    }
    CmdStatus ls;
    if (m_lisp_command && m_lisp_command("C:" + key, ls)) return ls;
    if (host::Sysvars::find(key)) {
        Depth depth(m_depth);
        return run_sysvar(key);
    }
    print("Unknown command \"" + key + "\".  Press F1 for help.\n");
    return CmdStatus::Rejected;
}

int CommandLine::run() {
    while (!m_quit) {
        if (!m_suspended.empty() && m_suspended.back()->waiting) {
            // A command an application left active takes the normal input.
            CmdStatus st;
            resume_suspended(false, st);
            continue;
        }
        m_at_command_prompt = true;
        m_session.input().set_completion(host::Completion::Command);
        auto a = ask("Command: ");
        m_session.input().set_completion(host::Completion::None);
        m_at_command_prompt = false;
        if (a && !a->empty() && (*a)[0] == '(') {
            // A Lisp expression at the prompt: evaluated, its value printed.
            const std::string& expr = *a;
            if (m_eval_lisp) {
                if (auto v = m_eval_lisp(expr, LispUse::Print)) {
                    m_session.fresh_line();
                    print(*v + "\n");
                }
            } else {
                print("AutoLISP is not available.\n");
            }
            continue;
        }
        if (!a) {
            if (last_was_cancel()) continue;
            if (m_last_end_key) {
                // Ctrl-D at a terminal ends the session as QUIT does,
                // asking first about unsaved changes.
                print("QUIT\n");
                dispatch("QUIT");
                continue;
            }
            // End of input ends the session as the END command would.
            m_session.apps().broadcast(kEndMsg);
            break;
        }
        std::string typed = *a;
        if (typed.empty()) {
            if (m_last_command.empty()) continue;
            typed = m_last_command;
        }
        std::string key = command_key(typed);
        bool known = find(key) || m_session.apps().function("C:" + key) || host::Sysvars::find(key);
        dispatch(typed);
        if (known) m_last_command = typed;  // Enter repeats the last command that exists
    }
    return m_exit_status;
}

}  // namespace cadhost::cmd
