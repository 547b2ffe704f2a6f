// The command line: the "Command: " prompt, the command table, prompting
// helpers for commands, and the loop that reads commands until input ends.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "cmd/fiber.h"
#include "host/session.h"

namespace cadhost::cmd {

class CommandLine;
using host::GetRequest;
using host::GetResult;
using host::InitGet;

// A command's outcome, as reported to applications that started it.
enum class CmdStatus { Done, Cancelled, Rejected, Failed };

using CommandFn = std::function<CmdStatus(CommandLine&)>;

struct CommandDef {
    std::string name;  // upper case, without prefixes
    CommandFn run;
    bool transparent = false;  // may run inside another command with "'"
};

// Undo history of the open drawing: earlier states as the drawing's text.
struct UndoState {
    std::vector<std::string> saved;  // newest last
    int open_groups = 0;             // nesting of BEgin ... End
    long serial = -1;                // drawing the states belong to
};

class CommandLine : public host::CommandRunner {
public:
    UndoState& undo_state() { return m_undo; }
    explicit CommandLine(host::Session& s);
    ~CommandLine() override;

    void add(CommandDef def);
    const CommandDef* find(const std::string& name) const;
    std::vector<std::string> names() const;

    // CommandRunner
    int run_command(const std::string& name) override;
    bool command_active() const override;
    // The interactive get functions (see getinput.h).
    GetResult get_input(const GetRequest& req, const InitGet& init) override;
    // pick_entity and select_by_mode (see selectobj.h) asking here.
    host::Pick pick_entity(const std::string& prompt, const InitGet& init) override;
    host::SelectionResult select_by_mode(const std::string& mode, const std::vector<Point>& points,
                                         const select::Filter* filter) override;

    // Runs commands with their answers, as an application call does: the
    // first answer names a command, the rest answer its prompts. A command
    // left waiting for more answers stays active and suspended; the next
    // call's answers (or, once control is back at the command line, the
    // normal input) feed it. Returns RTNORM, RTCAN, RTREJ or RTERROR.
    int command(std::vector<host::Answer> answers) override;

    // Reads and runs commands until the input ends or QUIT. Returns the exit status.
    int run();
    bool quit_requested() const { return m_quit; }
    void request_quit(int status) { m_quit = true, m_exit_status = status; }

    // --- prompting, for commands
    // Prints the prompt and reads one answer, which may be a set of objects
    // given by an application; nullopt on cancel or end of input.
    // With `typed`, a number or point given as a value comes back as that
    // value (Answer::typed), without its text unless the answer is echoed.
    std::optional<host::Answer> ask_answer(const std::string& prompt, host::ReadMode mode = host::ReadMode::Token,
                                           bool typed = false);
    // CMDECHO: whether commands driven by application calls show their
    // prompts and the answers the calls give.
    bool echoes_calls() const;
    // Prints the prompt and reads one answer; nullopt on cancel or end of input.
    std::optional<std::string> ask(const std::string& prompt, host::ReadMode mode = host::ReadMode::Token);
    // A file name, a whole line; at a terminal Tab completes it.
    std::optional<std::string> ask_file_name(const std::string& prompt);
    // Yes/No question; def is the answer to an empty reply. nullopt on cancel.
    std::optional<bool> ask_yes_no(const std::string& prompt, bool def);
    // Did the last ask() end on a cancel (as opposed to end of input)?
    bool last_was_cancel() const { return m_last_cancel; }
    host::Session& session() { return m_session; }
    void print(const std::string& s) { m_session.print(s); }

    // The previous selection ("P" at "Select objects: ", ssget "P"): the
    // last set a selection prompt gave, or what EXPLODE made. Forgotten
    // when another drawing is opened; deleted entities are left out.
    std::vector<EntityRef> previous_selection() const;
    void set_previous_selection(std::vector<EntityRef> set);

    // Runs whatever a typed name means: a command, a "C:" function, a
    // system variable, or a Lisp expression.
    CmdStatus dispatch(const std::string& typed);

    // Lisp evaluation of an expression typed at a prompt (installed by the host).
    // Print: the value as the command line shows it; Answer: as a prompt's answer.
    enum class LispUse { Print, Answer };
    void set_lisp_evaluator(std::function<std::optional<std::string>(const std::string&, LispUse)> fn) {
        m_eval_lisp = std::move(fn);
    }
    // Looks up "C:NAME" functions defined in Lisp (installed by the host).
    void set_lisp_command_hook(std::function<bool(const std::string&, CmdStatus&)> fn) {
        m_lisp_command = std::move(fn);
    }

private:
    struct Suspended {
        std::unique_ptr<Fiber> fiber;
        CmdStatus status = CmdStatus::Done;
        bool feed = false;     // resumed by a command call: wait for its answers only
        bool waiting = false;  // yielded for want of answers (otherwise running)
        std::string name;      // as the call gave it
        long serial = 0;       // the drawing it started in (0: none open)
        EntityRef last;        // that drawing's last entity when it started
        size_t mark = 0;       // that drawing's change mark (open while serial != 0)
    };
    // Ends the drawing's change mark of a command that has ended or gone.
    void end_mark(Suspended& s, db::Drawing::MarkEnd how);
    // A command whose body threw: says why and takes back what it made.
    void fail_broken(Suspended& s);
    CmdStatus run_sysvar(const std::string& name);
    // Resumes the innermost suspended command; true when it has ended.
    bool resume_suspended(bool feed, CmdStatus& status);
    Suspended* suspended_for(Fiber* f);
    std::vector<std::unique_ptr<Suspended>> m_suspended;
    host::Session& m_session;
    std::map<std::string, CommandDef> m_commands;
    // The command found last, by key: applications run one command many times.
    const CommandDef* find_key(const std::string& key) const;
    mutable std::string m_last_key;
    mutable const CommandDef* m_last_found = nullptr;
    std::string m_last_command;
    int m_depth = 0;
    bool m_quit = false;
    int m_exit_status = 0;
    bool m_last_cancel = false;
    bool m_last_end_key = false;  // the last answer was Ctrl-D at a terminal
    bool m_at_command_prompt = false;
    UndoState m_undo;
    std::vector<EntityRef> m_previous;  // see previous_selection()
    long m_previous_serial = -1;        // drawing m_previous belongs to
    std::function<std::optional<std::string>(const std::string&, LispUse)> m_eval_lisp;
    std::function<bool(const std::string&, CmdStatus&)> m_lisp_command;
};

// Registers the host's own commands.
void add_file_commands(CommandLine& cl);
void add_list_command(CommandLine& cl);
void add_app_commands(CommandLine& cl);
void add_layer_command(CommandLine& cl);
void add_draw_commands(CommandLine& cl);
void add_misc_commands(CommandLine& cl);
void add_insert_command(CommandLine& cl);
void add_mslide_command(CommandLine& cl);
void add_undo_commands(CommandLine& cl);
void add_plot_command(CommandLine& cl);
void add_wblock_command(CommandLine& cl);
void add_menu_commands(CommandLine& cl);
void add_help_command(CommandLine& cl);
void add_explode_command(CommandLine& cl);

// Strips the "_", "." and "'" prefixes of a typed command name and upper-cases it.
std::string command_key(const std::string& typed);

// Status code for applications
int to_rt(CmdStatus s);

}  // namespace cadhost::cmd
