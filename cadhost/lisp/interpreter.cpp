// Evaluator, dynamic bindings, error handling and the host-facing entry
// points of the interpreter.
#include "interpreter.h"

#include <algorithm>
#include <cmath>
#include <exception>

#include "builtins.h"
#include "core/stack.h"
#include "reader.h"

namespace cadhost::lisp {

namespace {
constexpr int k_max_evals = 200000;
constexpr size_t k_handler_stack = 128 * 1024;  // extra stack the *error* handler may use
constexpr int k_handler_reserve = 2000;

uintptr_t current_stack() { return reinterpret_cast<uintptr_t>(__builtin_frame_address(0)); }

// Each top-level value of the chain is one argument.
std::vector<Value> ads_arguments(const AdsList& args) {
    AdsList wrapped{{rt::ListBegin, {}}};
    wrapped.insert(wrapped.end(), args.begin(), args.end());
    wrapped.push_back({rt::ListEnd, {}});
    auto r = from_ads(wrapped);
    if (!r.ok()) raise_text(r.error().message);
    return list_items(r.value());
}

bool is_lambda_list(const Value& v) { return v.is_cons() && v.car().is_symbol("LAMBDA"); }
}  // namespace

class DepthGuard {
public:
    explicit DepthGuard(Interpreter& in) : m_in(in) {
        if (m_in.m_depth == 0) m_in.m_max_depth = k_max_evals;
        ++m_in.m_depth;
        // The floor is that of the stack running now: nested evaluation may
        // run on a command's fiber, whose stack is not the thread's.
        uintptr_t floor = stack_floor();
        floor = floor > m_in.m_stack_allowance ? floor - m_in.m_stack_allowance : 0;
        if (m_in.m_depth > m_in.m_max_depth || current_stack() < floor) {
            --m_in.m_depth;
            raise(Msg::StackOverflow);
        }
    }
    ~DepthGuard() { --m_in.m_depth; }

private:
    Interpreter& m_in;
};

Interpreter::Interpreter(Host& host) : m_host(host) { install_builtins(); }

void Interpreter::install_builtins() {
    register_control(*this);
    register_math(*this);
    register_strings(*this);
    register_lists(*this);
    register_predicates(*this);
    register_output(*this);
    register_files(*this);
    register_host(*this);
    register_input(*this);
    m_base["T"] = Value::t();
    m_base["PI"] = Value::real(M_PI);
    m_base["PAUSE"] = Value::string("\\");
}

void Interpreter::define_builtin(const Builtin* b) { m_base[upper(b->name)] = Value::subr(b); }

Value Interpreter::lookup(const std::string& name) const {
    auto v = m_vars.find(name);
    if (v != m_vars.end()) return v->second;
    auto b = m_base.find(name);
    if (b != m_base.end()) return b->second;
    return {};
}

void Interpreter::set_variable(const std::string& name, Value v) { m_vars[name] = std::move(v); }

void Interpreter::bind(const std::string& name, Value v) {
    auto it = m_vars.find(name);
    if (it == m_vars.end()) {
        m_saved.push_back({name, std::nullopt});
        m_vars.emplace(name, std::move(v));
    } else {
        m_saved.push_back({name, std::move(it->second)});
        it->second = std::move(v);
    }
}

void Interpreter::unwind_to(size_t mark) {
    while (m_saved.size() > mark) {
        Saved s = std::move(m_saved.back());
        m_saved.pop_back();
        if (s.old) m_vars[s.name] = std::move(*s.old);
        else m_vars.erase(s.name);
    }
}

Value Interpreter::eval(const Value& form) {
    switch (form.kind()) {
    case Kind::Sym: return lookup(form.text());
    case Kind::Cons: {
        DepthGuard guard(*this);
        return eval_list(form);
    }
    default: return form;
    }
}

Value Interpreter::function_of(const Value& f) const {
    if (f.kind() == Kind::Sym) return lookup(f.text());
    return f;
}

Value Interpreter::eval_list(const Value& form) {
    const Value& head = form.car();
    Value fn;
    if (head.kind() == Kind::Sym) {
        fn = lookup(head.text());
        if (fn.is_nil()) raise(Msg::NoFunction, head.text());
    } else if (head.is_cons()) {
        fn = eval(head);
    } else {
        raise(Msg::BadFunction, print_value(head, PrintStyle::Prin1));
    }
    if (fn.kind() == Kind::Subr && fn.as_subr()->style == SubrStyle::SpecialForm)
        return fn.as_subr()->special(*this, form.cdr());
    std::vector<Value> args;
    const Value* p = &form.cdr();
    for (; p->is_cons(); p = &p->cdr()) args.push_back(eval(p->car()));
    if (!p->is_nil()) raise(Msg::BadList, print_value(*p, PrintStyle::Prin1));
    return apply(fn, args);
}

Value Interpreter::apply(const Value& function, std::vector<Value>& args) {
    switch (function.kind()) {
    case Kind::Subr: {
        const Builtin* b = function.as_subr();
        if (b->style == SubrStyle::SpecialForm) raise(Msg::BadFunction, print_value(function, PrintStyle::Prin1));
        Args a(b->name, args);
        return b->function(*this, a);
    }
    case Kind::Usubr: return call_user(function.definition(), args);
    case Kind::Cons: return call_user(is_lambda_list(function) ? function.cdr() : function, args);
    case Kind::Exsubr: {
        AdsList items;
        for (const auto& a : args) {
            auto st = append_ads(items, a, PointRule::RealsOnly);
            if (!st.ok()) raise_text(st.error().message);
        }
        ExternalReply reply = m_host.call_external(function.ex_app(), function.ex_code(), items);
        if (reply.status == rs::Cancel) raise(Msg::Cancelled);
        if (reply.status != rs::Normal) raise(Msg::ExternalFailed);
        auto v = from_ads(reply.result);
        if (!v.ok()) raise_text(v.error().message);
        return v.release();
    }
    default: raise(Msg::BadFunction, print_value(function, PrintStyle::Prin1));
    }
}

void Interpreter::check_break() {
    if (m_host.take_break()) raise(Msg::Cancelled);
}

Value Interpreter::call_user(const Value& definition, std::vector<Value>& args) {
    check_break();
    if (!definition.car().is_list()) raise(Msg::BadDefun);
    Scope scope(*this);
    size_t i = 0;
    bool locals = false;
    for (const Value* p = &definition.car(); p->is_cons(); p = &p->cdr()) {
        const Value& name = p->car();
        if (name.kind() != Kind::Sym) bad_type(Pred::Symbolp, name);
        if (name.text() == "/") {
            locals = true;
        } else if (locals) {
            scope.bind(name.text(), Value());
        } else {
            if (i >= args.size()) raise(Msg::TooFew);
            scope.bind(name.text(), args[i++]);
        }
    }
    if (i < args.size()) raise(Msg::TooMany);
    try {
        return progn(definition.cdr());
    } catch (LispError& e) {
        handle_error(e);  // *error* sees the function's bindings still in place
        throw;
    }
}

Value Interpreter::progn(const Value& body) {
    Value r;
    for (const Value* p = &body; p->is_cons(); p = &p->cdr()) r = eval(p->car());
    return r;
}

void Interpreter::handle_error(LispError& e) {
    if (e.handled) return;
    e.handled = true;
    Value handler = lookup("*ERROR*");
    bool callable = handler.is_function() || handler.is_cons();
    if (m_in_handler || !callable) {
        print(std::string(message_text(Msg::ErrorPrefix)) + e.message + "\n");
        return;
    }
    m_in_handler = true;
    int saved_max = m_max_depth;
    m_max_depth = m_depth + k_handler_reserve;
    m_stack_allowance = k_handler_stack;
    try {
        std::vector<Value> args{Value::string(e.message)};
        apply(handler, args);
    } catch (LispError& inner) {
        if (!inner.handled) print(std::string(message_text(Msg::ErrorPrefix)) + inner.message + "\n");
    }
    m_max_depth = saved_max;
    m_stack_allowance = 0;
    m_in_handler = false;
}

template <typename F>
Result<Value> Interpreter::top_level(F&& body) {
    size_t mark = m_saved.size();
    try {
        return body();
    } catch (LispError& e) {
        handle_error(e);
        unwind_to(mark);
        return error_of(e.message);
    } catch (const std::exception& e) {
        // Whatever a host callback let escape ends the evaluation like an error.
        LispError le{e.what()};
        unwind_to(mark);
        handle_error(le);
        return error_of(le.message);
    }
}

Value Interpreter::eval_loaded(std::string_view text, const std::string& file_name) {
    (void)file_name;
    Reader reader(text);
    Value last;
    for (;;) {
        ReadOutcome o = reader.next();
        if (o.status == ReadStatus::End) return last;
        if (o.status != ReadStatus::Form) raise(o.error);
        last = eval(o.value);
    }
}

Result<Value> Interpreter::eval_string(std::string_view text) {
    return top_level([&] { return eval_loaded(text, ""); });
}

Result<Value> Interpreter::eval_source(std::string_view text, const std::string& file_name) {
    auto r = top_level([&] { return eval_loaded(text, file_name); });
    if (!r.ok() && !file_name.empty()) return Error{r.error().message, file_name, 0};
    return r;
}

Result<Value> Interpreter::load(const std::string& name) {
    auto src = m_host.read_source(name);
    if (!src.ok()) {
        LispError e{std::string(message_text(Msg::LoadFailed)) + "\"" + name + "\""};
        handle_error(e);
        return error_of(e.message);
    }
    return eval_source(src.value().text, src.value().path);
}

FeedResult Interpreter::feed(std::string_view line) {
    if (!m_pending.empty()) m_pending += '\n';
    m_pending += line;
    ReadStatus s = Reader::completeness(m_pending);
    if (s == ReadStatus::Incomplete) return {FeedState::NeedMore, Value()};
    std::string text = std::move(m_pending);
    m_pending.clear();
    if (s == ReadStatus::End) return {FeedState::Empty, Value()};
    return {FeedState::Evaluated, eval_string(text)};
}

Status Interpreter::set_symbol(const std::string& name, const AdsList& value) {
    auto v = from_ads(value);
    if (!v.ok()) return v.error();
    set_variable(upper(name), v.release());
    return ok_status();
}

Result<AdsList> Interpreter::get_symbol(const std::string& name) {
    return to_ads(lookup(upper(name)), PointRule::RealsOnly);
}

void Interpreter::define_external(const std::string& name, int app, int code) {
    set_variable(upper(name), Value::exsubr(name, app, code));
}

bool Interpreter::undefine_external(const std::string& name, int app) {
    auto it = m_vars.find(upper(name));
    if (it == m_vars.end() || it->second.kind() != Kind::Exsubr || it->second.ex_app() != app) return false;
    m_vars.erase(it);
    return true;
}

void Interpreter::remove_application(int app) {
    for (auto it = m_vars.begin(); it != m_vars.end();) {
        if (it->second.kind() == Kind::Exsubr && it->second.ex_app() == app) it = m_vars.erase(it);
        else ++it;
    }
}

void Interpreter::reset() {
    m_vars.clear();
    m_saved.clear();
    m_pending.clear();
}

bool Interpreter::is_function_defined(const std::string& name) const {
    Value f = lookup(upper(name));
    return f.is_function() || f.is_cons();
}

bool Interpreter::is_command_defined(const std::string& name) const {
    std::string n = upper(name);
    return n.rfind("C:", 0) == 0 && is_function_defined(n);
}

std::vector<std::string> Interpreter::command_names() const {
    std::vector<std::string> out;
    for (const auto& [name, v] : m_vars)
        if (name.rfind("C:", 0) == 0 && (v.is_function() || v.is_cons())) out.push_back(name);
    std::sort(out.begin(), out.end());
    return out;
}

Result<Value> Interpreter::call_command(const std::string& name) { return call_function(name, {}); }

Result<Value> Interpreter::call_function(const std::string& name, const AdsList& args) {
    std::string n = upper(name);
    return top_level([&] {
        Value f = lookup(n);
        if (!f.is_function() && !f.is_cons()) raise(Msg::NoFunction, n);
        std::vector<Value> items = ads_arguments(args);
        return apply(f, items);
    });
}

Result<AdsList> Interpreter::invoke(const AdsList& call) {
    if (call.empty() || call[0].restype != rt::Str) return error_of(Msg::TooFew);
    const std::string& name = std::get<std::string>(call[0].value);
    AdsList rest(call.begin() + 1, call.end());
    Value f = lookup(upper(name));
    auto result = top_level([&] {
        if (!f.is_function() && !f.is_cons()) raise(Msg::NoFunction, upper(name));
        std::vector<Value> items = ads_arguments(rest);
        return apply(f, items);
    });
    if (!result.ok()) return result.error();
    return to_ads(result.value(), PointRule::RealsOnly);
}

}  // namespace cadhost::lisp
