// Special forms (quote, setq, defun, lambda, if, cond, loops, and/or) and
// evaluation functions (eval, set, read, exit).
#include "builtins.h"
#include "reader.h"

namespace cadhost::lisp {

namespace {
std::vector<Value> forms_between(const Value& forms, size_t min, size_t max) {
    std::vector<Value> f = list_items(forms);
    if (f.size() < min) raise(Msg::TooFew);
    if (f.size() > max) raise(Msg::TooMany);
    return f;
}

const std::string& symbol_name(const Value& v) {
    if (v.kind() != Kind::Sym) bad_type(Pred::Symbolp, v);
    return v.text();
}

Value sf_quote(Interpreter&, const Value& forms) { return forms_between(forms, 1, 1)[0]; }

Value sf_function(Interpreter& in, const Value& forms) {
    Value f = forms_between(forms, 1, 1)[0];
    if (f.is_cons() && f.car().is_symbol("LAMBDA")) return in.eval(f);
    return f;
}

Value sf_setq(Interpreter& in, const Value& forms) {
    Value last;
    const Value* p = &forms;
    if (!p->is_cons()) raise(Msg::TooFew);
    for (; p->is_cons(); p = &p->cdr().cdr()) {
        const std::string& name = symbol_name(p->car());
        if (!p->cdr().is_cons()) raise(Msg::TooFew);
        last = in.eval(p->cdr().car());
        in.set_variable(name, last);
    }
    return last;
}

void check_parameters(const Value& params) {
    if (!params.is_list()) bad_type(Pred::Listp, params);
    for (const Value* p = &params; p->is_cons(); p = &p->cdr())
        if (p->car().kind() != Kind::Sym) bad_type(Pred::Symbolp, p->car());
}

Value sf_defun(Interpreter& in, const Value& forms) {
    std::vector<Value> f = list_items(forms);
    if (f.size() < 2) raise(Msg::TooFew);
    const std::string& name = symbol_name(f[0]);
    check_parameters(f[1]);
    in.set_variable(name, Value::usubr(forms.cdr(), name));
    return f[0];
}

Value sf_lambda(Interpreter&, const Value& forms) {
    if (!forms.is_cons()) raise(Msg::TooFew);
    check_parameters(forms.car());
    return Value::usubr(forms, "");
}

Value sf_if(Interpreter& in, const Value& forms) {
    std::vector<Value> f = forms_between(forms, 2, 3);
    if (!in.eval(f[0]).is_nil()) return in.eval(f[1]);
    return f.size() == 3 ? in.eval(f[2]) : Value();
}

Value sf_cond(Interpreter& in, const Value& forms) {
    for (const Value* p = &forms; p->is_cons(); p = &p->cdr()) {
        const Value& clause = p->car();
        if (!clause.is_cons()) bad_type(Pred::Consp, clause);
        Value test = in.eval(clause.car());
        if (test.is_nil()) continue;
        return clause.cdr().is_nil() ? test : in.progn(clause.cdr());
    }
    return {};
}

Value sf_progn(Interpreter& in, const Value& forms) { return in.progn(forms); }

Value sf_while(Interpreter& in, const Value& forms) {
    if (!forms.is_cons()) raise(Msg::TooFew);
    Value last;
    while (!in.eval(forms.car()).is_nil()) {
        in.check_break();
        last = in.progn(forms.cdr());
    }
    return last;
}

Value sf_repeat(Interpreter& in, const Value& forms) {
    if (!forms.is_cons()) raise(Msg::TooFew);
    Value n = in.eval(forms.car());
    if (n.kind() != Kind::Int) bad_type(Pred::Fixnump, n);
    Value last;
    for (int32_t i = 0; i < n.as_int(); ++i) {
        in.check_break();
        last = in.progn(forms.cdr());
    }
    return last;
}

Value sf_foreach(Interpreter& in, const Value& forms) {
    std::vector<Value> f = list_items(forms);
    if (f.size() < 2) raise(Msg::TooFew);
    const std::string& name = symbol_name(f[0]);
    Value list = in.eval(f[1]);
    if (!list.is_list()) bad_type(Pred::Listp, list);
    Interpreter::Scope scope(in);
    scope.bind(name, Value());
    Value last;
    for (const Value* p = &list; p->is_cons(); p = &p->cdr()) {
        in.set_variable(name, p->car());
        last = in.progn(forms.cdr().cdr());
    }
    return last;
}

Value sf_and(Interpreter& in, const Value& forms) {
    for (const Value* p = &forms; p->is_cons(); p = &p->cdr())
        if (in.eval(p->car()).is_nil()) return {};
    return Value::t();
}

Value sf_or(Interpreter& in, const Value& forms) {
    for (const Value* p = &forms; p->is_cons(); p = &p->cdr())
        if (!in.eval(p->car()).is_nil()) return Value::t();
    return {};
}

Value fn_eval(Interpreter& in, Args& a) {
    a.count(1, 1);
    return in.eval(a[0]);
}

Value fn_set(Interpreter& in, Args& a) {
    a.count(2, 2);
    in.set_variable(a.symbol(0).text(), a[1]);
    return a[1];
}

Value fn_read(Interpreter&, Args& a) {
    a.count(0, 1);
    if (!a.has(0)) return {};
    Reader r(a.string(0));
    ReadOutcome o = r.next();
    if (o.status == ReadStatus::Form) return o.value;
    if (o.status == ReadStatus::End) return {};
    raise(o.error);
}

Value fn_exit(Interpreter&, Args& a) {
    a.count(0, 0);
    raise(Msg::QuitAbort);
}

const Builtin k_control[] = {
    {"quote", SubrStyle::SpecialForm, nullptr, sf_quote},
    {"function", SubrStyle::SpecialForm, nullptr, sf_function},
    {"setq", SubrStyle::SpecialForm, nullptr, sf_setq},
    {"defun", SubrStyle::SpecialForm, nullptr, sf_defun},
    {"lambda", SubrStyle::SpecialForm, nullptr, sf_lambda},
    {"if", SubrStyle::SpecialForm, nullptr, sf_if},
    {"cond", SubrStyle::SpecialForm, nullptr, sf_cond},
    {"progn", SubrStyle::SpecialForm, nullptr, sf_progn},
    {"while", SubrStyle::SpecialForm, nullptr, sf_while},
    {"repeat", SubrStyle::SpecialForm, nullptr, sf_repeat},
    {"foreach", SubrStyle::SpecialForm, nullptr, sf_foreach},
    {"and", SubrStyle::SpecialForm, nullptr, sf_and},
    {"or", SubrStyle::SpecialForm, nullptr, sf_or},
    {"eval", SubrStyle::Function, fn_eval, nullptr},
    {"set", SubrStyle::Function, fn_set, nullptr},
    {"read", SubrStyle::Function, fn_read, nullptr},
    {"exit", SubrStyle::Function, fn_exit, nullptr},
    {"quit", SubrStyle::Function, fn_exit, nullptr},
};
}  // namespace

void register_control(Interpreter& in) { define_all(in, k_control); }

}  // namespace cadhost::lisp
