// The AutoLISP interpreter: symbol table with dynamic scope, evaluator,
// error handling through *error*, and the entry points the host and the
// application layer use.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ads_value.h"
#include "core/result.h"
#include "host.h"
#include "messages.h"
#include "printer.h"
#include "value.h"

namespace cadhost::lisp {

enum class FeedState {
    Evaluated,  // the pending text was complete and has been evaluated
    NeedMore,   // a form is still open: feed the next line
    Empty,      // nothing but blanks and comments so far
};

struct FeedResult {
    FeedState state = FeedState::Empty;
    Result<Value> value = Value();  // for Evaluated: the last value or the error
};

class Interpreter {
public:
    explicit Interpreter(Host& host);
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    Host& host() { return m_host; }

    // Evaluates every form of the text in turn and gives the last value. An
    // error ends evaluation: *error* runs (or "; error: ..." is printed)
    // and the message comes back as the Error.
    Result<Value> eval_string(std::string_view text);
    // As eval_string for a loaded file: an unclosed form is an error.
    Result<Value> eval_source(std::string_view text, const std::string& file_name);

    // Loads a source through the host's file layer, as (load name) does:
    // for the start-up file and files named on the command line.
    Result<Value> load(const std::string& name);

    // Line-by-line input for scripts and the command line: lines are
    // collected until the forms in them are complete, then evaluated.
    FeedResult feed(std::string_view line);
    bool has_pending() const { return !m_pending.empty(); }
    void clear_pending() { m_pending.clear(); }

    // Variables as applications see them (ads_putsym / ads_getsym).
    Status set_symbol(const std::string& name, const AdsList& value);
    Result<AdsList> get_symbol(const std::string& name);
    // Functions registered by applications (ads_defun / ads_undef).
    void define_external(const std::string& name, int app, int code);
    bool undefine_external(const std::string& name, int app);
    void remove_application(int app);
    // A new drawing: user variables and functions, including registered
    // ones, are dropped; built-ins and T, PI, PAUSE come back.
    void reset();

    bool is_function_defined(const std::string& name) const;
    // name is the command's symbol, "C:NAME" (any case).
    bool is_command_defined(const std::string& name) const;
    // The "C:NAME" functions defined, in name order.
    std::vector<std::string> command_names() const;
    Result<Value> call_command(const std::string& name);
    Result<Value> call_function(const std::string& name, const AdsList& args);
    // ads_invoke: the first item names the function, the rest are arguments.
    Result<AdsList> invoke(const AdsList& call);

    // Used by the built-ins.
    Value eval(const Value& form);
    Value apply(const Value& function, std::vector<Value>& args);
    Value progn(const Value& body);
    Value lookup(const std::string& name) const;
    void set_variable(const std::string& name, Value v);
    void define_builtin(const Builtin* b);
    // The function a value designates: a symbol's value, or the value itself.
    Value function_of(const Value& f) const;
    void print(const std::string& text) { m_host.print(text); }
    // Raises "Function cancelled" when the user asked for a break.
    void check_break();
    // Evaluates a loaded source; errors propagate to the caller.
    Value eval_loaded(std::string_view text, const std::string& file_name);

    // Binds names dynamically for the life of the object.
    class Scope {
    public:
        explicit Scope(Interpreter& in) : m_in(in), m_mark(in.m_saved.size()) {}
        ~Scope() { m_in.unwind_to(m_mark); }
        void bind(const std::string& name, Value v) { m_in.bind(name, std::move(v)); }

    private:
        Interpreter& m_in;
        size_t m_mark;
    };

private:
    struct Saved {
        std::string name;
        std::optional<Value> old;
    };
    friend class Scope;
    friend class DepthGuard;

    Value eval_list(const Value& form);
    Value call_user(const Value& definition, std::vector<Value>& args);
    void bind(const std::string& name, Value v);
    void unwind_to(size_t mark);
    void handle_error(LispError& e);
    template <typename F>
    Result<Value> top_level(F&& body);
    void install_builtins();

    Host& m_host;
    std::unordered_map<std::string, Value> m_base;  // built-ins and constants
    std::unordered_map<std::string, Value> m_vars;  // everything the user set
    std::vector<Saved> m_saved;                     // dynamic bindings to undo
    std::string m_pending;
    int m_depth = 0;
    int m_max_depth = 0;
    uintptr_t m_stack_allowance = 0;  // extra stack the running *error* handler may use
    bool m_in_handler = false;
};

}  // namespace cadhost::lisp
