// The host session: the open drawing, system variables, loaded applications
// and their functions, selection sets, input and output. One session per
// process is current; the C interface works on it.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <optional>
#include <memory>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/value.h"
#include "db/drawing.h"
#include "host/apps.h"
#include "host/input.h"
#include "host/prompts.h"
#include "host/sysvars.h"

struct resbuf;

namespace cadhost::lisp {
class Interpreter;
}

namespace cadhost::select {
class Filter;
}

namespace cadhost::host {

// Runs host commands and asks at the command line on behalf of the session
// and of applications (implemented by the command layer, which depends on
// this one).
class CommandRunner {
public:
    virtual ~CommandRunner() = default;
    // Runs one command with the answers already queued in the input; returns
    // the host's status code (RTNORM, RTERROR, RTCAN, RTREJ).
    virtual int run_command(const std::string& name) = 0;
    virtual bool command_active() const = 0;
    // Runs commands with their answers, as an application's command call
    // does; RTNORM, RTCAN, RTREJ or RTERROR.
    virtual int command(std::vector<Answer> answers) = 0;
    // The interactive get functions.
    virtual GetResult get_input(const GetRequest& req, const InitGet& init) = 0;
    // An entity picked at a point, as entsel asks for it.
    virtual Pick pick_entity(const std::string& prompt, const InitGet& init) = 0;
    // What a selection by mode finds, the prompt mode asking here.
    virtual SelectionResult select_by_mode(const std::string& mode, const std::vector<Point>& points,
                                           const select::Filter* filter) = 0;
};

// A call of an application function in progress.
struct CallFrame {
    int app_id = 0;
    short code = 0;
    struct resbuf* args = nullptr;    // owned; released when the frame ends
    struct resbuf* result = nullptr;  // owned copy of what ads_ret* gave
    bool has_result = false;
    bool failed = false;
};

struct SessionOptions {
    std::vector<std::string> support_dirs;  // host folders searched by findfile
    std::string acadver = "14.0";
    std::string platform = "Microsoft Windows NT Version 4.00 (x86)";
};

class Session {
public:
    explicit Session(SessionOptions opts = {});
    ~Session();
    static Session* current();
    static void set_current(Session* s);

    // --- output
    void print(std::string_view text);
    // A prompt: at a terminal it starts on a line of its own.
    void print_prompt(std::string_view prompt);
    // At a terminal, ends the line being printed on unless it is empty.
    void fresh_line();
    // The cursor is at the start of a line (a line typed at the terminal ended).
    void note_line_start() { m_at_line_start = true; }
    // Whether a person reads the output (the base input is a terminal).
    bool at_terminal() const { return m_input.base_is_terminal(); }
    void set_output(std::function<void(std::string_view)> sink) { m_out = std::move(sink); }
    // Alerts go to output as a boxed message in this headless host.
    void alert(std::string_view text);

    // --- the drawing
    bool has_drawing() const { return m_drawing != nullptr; }
    db::Drawing& drawing() { return *m_drawing; }
    const db::Drawing& drawing() const { return *m_drawing; }
    // Host path of the drawing file; empty for an unnamed new drawing.
    const std::string& drawing_path() const { return m_path; }
    // Changes whenever another drawing is opened or started; entity names
    // from an earlier drawing carry the old serial and are rejected.
    long drawing_serial() const { return m_serial; }
    // Opens a file (already a host path). On failure nothing changes.
    Status open_drawing(const std::string& host_path);
    void new_drawing(const std::string& host_path = "");
    Status save_drawing(const std::string& host_path, db::DxfVersion version);
    // Puts an earlier state of the same drawing in place (undo). Entity
    // names and selection sets of the replaced state become invalid; the
    // applications are not told of a new drawing.
    void restore_drawing(std::unique_ptr<db::Drawing> earlier);

    // --- parts
    Sysvars& sysvars() { return m_sysvars; }
    AppLoader& apps() { return m_apps; }
    Input& input() { return m_input; }
    SessionOptions& options() { return m_opts; }
    void set_command_runner(CommandRunner* r) { m_runner = r; }
    // The AutoLISP interpreter of the session, when one is installed.
    void set_lisp(lisp::Interpreter* l) { m_lisp = l; }
    lisp::Interpreter* lisp() { return m_lisp; }
    CommandRunner* command_runner() { return m_runner; }

    // --- application loading and calls
    Result<LoadedApp*> load_app(const std::string& host_path);
    Status unload_app(const std::string& name);
    // Calls an application function with an argument chain (taken over);
    // the result chain (owned by the caller, may be null) and status come back.
    int call_function(const FunctionDef& def, struct resbuf* args, struct resbuf** result);
    CallFrame* call_frame() { return m_calls.empty() ? nullptr : &m_calls.back(); }

    // --- selection sets: a set is a list of entities in order, no duplicates
    long new_selection(std::vector<EntityRef> ents);
    // A set's entities in order. Applications take sets apart from the
    // front, one entity at a time, so taking the first one out is quick.
    std::deque<EntityRef>* selection(long id);
    bool free_selection(long id);

    // A user break (Ctrl-C at the terminal) waiting to be noticed; reading clears it.
    void request_break() { m_break = true; }
    bool take_break() {
        bool b = m_break || take_user_break();
        m_break = false;
        return b;
    }

    // The current layer (CLAYER), and an entity list put on it when it names none.
    std::string current_layer() const;
    GroupList on_current_layer(GroupList entity) const;

    // Host folder search for a file name (drawing folder, then support path).
    std::string find_file(const std::string& name) const;

    // Host path for a path typed or built by an application (Windows style).
    std::string host_path(const std::string& path) const;

    // Hooks around a drawing becoming current: before the applications hear
    // of it (AutoLISP starts afresh) and after (start-up file).
    void set_new_drawing_hook(std::function<void()> fn) { m_on_new_drawing = std::move(fn); }
    void set_drawing_loaded_hook(std::function<void()> fn) { m_on_loaded = std::move(fn); }
    // Called with a drawing just read from its file (opened, or put back by
    // undo) and its host path, before it becomes current.
    using DrawingReadHook = std::function<void(db::Drawing&, const std::string&)>;
    void set_drawing_read_hook(DrawingReadHook fn) { m_on_read = std::move(fn); }

private:
    void install_computed_vars();
    void drawing_changed();
    SessionOptions m_opts;
    std::unique_ptr<db::Drawing> m_drawing;
    std::string m_path;
    long m_serial = 0;
    Sysvars m_sysvars;
    AppLoader m_apps;
    Input m_input;
    CommandRunner* m_runner = nullptr;
    lisp::Interpreter* m_lisp = nullptr;
    std::vector<CallFrame> m_calls;
    std::map<long, std::deque<EntityRef>> m_selections;
    long m_next_selection = 1;
    bool m_break = false;
    bool m_at_line_start = true;  // the last text printed ended its line
    std::function<void(std::string_view)> m_out;
    std::function<void()> m_on_new_drawing;
    std::function<void()> m_on_loaded;
    DrawingReadHook m_on_read;
};

// The host's drawing file extension.
inline constexpr const char* kDrawingExt = ".dxf";

// The whole content of a file (a host path), or nullopt when it cannot be read.
std::optional<std::string> read_file_text(const std::string& host_path);

// Frees a resbuf chain (the host's own, as ads_relrb does).
void release_chain(struct resbuf* rb);
// Deep copy of a resbuf chain.
struct resbuf* copy_chain(const struct resbuf* rb);

}  // namespace cadhost::host
