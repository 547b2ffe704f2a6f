// Predicates and type inspection: not, null, atom, listp, numberp, type,
// boundp, eq, equal.
#include <cmath>

#include "builtins.h"

namespace cadhost::lisp {

namespace {
constexpr int k_max_depth = 1000;

bool equal_at(const Value& a, const Value& b, double fuzz, int depth) {
    if (depth > k_max_depth) raise(Msg::StackOverflow);
    if (a.is_number() && b.is_number()) return std::fabs(a.as_real() - b.as_real()) <= fuzz;
    if (a.kind() != b.kind()) return false;
    if (a.kind() == Kind::Str) return a.text() == b.text();
    if (a.kind() != Kind::Cons) return a.same(b);
    const Value* p = &a;
    const Value* q = &b;
    for (; p->is_cons() && q->is_cons(); p = &p->cdr(), q = &q->cdr())
        if (!equal_at(p->car(), q->car(), fuzz, depth + 1)) return false;
    return equal_at(*p, *q, fuzz, depth + 1);
}

Value fn_not(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(a[0].is_nil());
}

Value fn_atom(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(!a[0].is_cons());
}

Value fn_listp(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(a[0].is_list());
}

Value fn_numberp(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(a[0].is_number());
}

const char* type_name(Kind k) {
    switch (k) {
    case Kind::Nil: return nullptr;
    case Kind::Int: return "INT";
    case Kind::Real: return "REAL";
    case Kind::Str: return "STR";
    case Kind::Sym: return "SYM";
    case Kind::Cons: return "LIST";
    case Kind::Ename: return "ENAME";
    case Kind::Pickset: return "PICKSET";
    case Kind::File: return "FILE";
    case Kind::Subr: return "SUBR";
    case Kind::Usubr: return "USUBR";
    case Kind::Exsubr: return "EXRXSUBR";
    }
    return nullptr;
}

Value fn_type(Interpreter&, Args& a) {
    a.count(1, 1);
    const char* n = type_name(a[0].kind());
    return n ? Value::symbol(n) : Value();
}

Value fn_boundp(Interpreter& in, Args& a) {
    a.count(1, 1);
    if (a[0].is_nil()) return {};
    return Value::boolean(!in.lookup(a.symbol(0).text()).is_nil());
}

Value fn_eq(Interpreter&, Args& a) {
    a.count(2, 2);
    return Value::boolean(a[0].same(a[1]));
}

Value fn_equal(Interpreter&, Args& a) {
    a.count(2, 3);
    double fuzz = a.has(2) ? std::fabs(a.number(2)) : 0.0;
    return Value::boolean(lisp_equal(a[0], a[1], fuzz));
}

const Builtin k_predicates[] = {
    {"not", SubrStyle::Function, fn_not, nullptr},         {"null", SubrStyle::Function, fn_not, nullptr},
    {"atom", SubrStyle::Function, fn_atom, nullptr},       {"listp", SubrStyle::Function, fn_listp, nullptr},
    {"numberp", SubrStyle::Function, fn_numberp, nullptr}, {"type", SubrStyle::Function, fn_type, nullptr},
    {"boundp", SubrStyle::Function, fn_boundp, nullptr},   {"eq", SubrStyle::Function, fn_eq, nullptr},
    {"equal", SubrStyle::Function, fn_equal, nullptr},
};
}  // namespace

bool lisp_equal(const Value& a, const Value& b, double fuzz) { return equal_at(a, b, fuzz, 0); }

void register_predicates(Interpreter& in) { define_all(in, k_predicates); }

}  // namespace cadhost::lisp
