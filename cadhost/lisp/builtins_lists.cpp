// List functions: access, construction, search and mapping.
#include "builtins.h"
#include "printer.h"

namespace cadhost::lisp {

namespace {
// The list behind a value: user functions show their (args . body) list.
const Value& as_list(const Value& v) {
    if (v.kind() == Kind::Usubr) return v.definition();
    if (!v.is_list()) bad_type(Pred::Consp, v);
    return v;
}

Value walk(const Value& v, const char* path) {
    // path is read right to left as in c[ad]+r: 'a' takes the car, 'd' the cdr
    Value cur = v;
    for (const char* p = path + std::char_traits<char>::length(path); p-- != path;) {
        const Value& l = as_list(cur);
        cur = *p == 'a' ? l.car() : l.cdr();
    }
    return cur;
}

template <const char* Path>
Value fn_cxr(Interpreter&, Args& a) {
    a.count(1, 1);
    return walk(a[0], Path);
}

constexpr char k_a[] = "a", k_d[] = "d", k_aa[] = "aa", k_ad[] = "ad", k_da[] = "da", k_dd[] = "dd",
               k_add[] = "add", k_ddd[] = "ddd", k_ada[] = "ada", k_daa[] = "daa", k_aad[] = "aad",
               k_dda[] = "dda", k_ddda[] = "ddda", k_adda[] = "adda";

size_t proper_length(const Value& list) {
    size_t n = 0;
    const Value* p = &list;
    for (; p->is_cons(); p = &p->cdr()) ++n;
    if (!p->is_nil()) raise(Msg::BadList, print_value(*p, PrintStyle::Prin1));
    return n;
}

Value fn_cons(Interpreter&, Args& a) {
    a.count(2, 2);
    return Value::cons(a[0], a[1]);
}

Value fn_list(Interpreter&, Args& a) { return list_of(a.values()); }

Value fn_append(Interpreter&, Args& a) {
    std::vector<Value> items;
    for (size_t i = 0; i < a.size(); ++i) {
        proper_length(a.list(i));
        for (const Value* p = &a[i]; p->is_cons(); p = &p->cdr()) items.push_back(p->car());
    }
    return list_of(items);
}

Value fn_length(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::integer(static_cast<int32_t>(proper_length(a.list(0))));
}

Value fn_nth(Interpreter&, Args& a) {
    a.count(2, 2);
    int32_t n = a.integer(0);
    const Value* p = &a.list(1);
    if (n < 0) return {};
    for (int32_t i = 0; i < n && p->is_cons(); ++i) p = &p->cdr();
    return p->car();
}

Value fn_assoc(Interpreter&, Args& a) {
    a.count(2, 2);
    for (const Value* p = &a.list(1); p->is_cons(); p = &p->cdr()) {
        const Value& item = p->car();
        if (item.is_cons() && lisp_equal(item.car(), a[0], 0)) return item;
    }
    return {};
}

Value fn_member(Interpreter&, Args& a) {
    a.count(2, 2);
    for (const Value* p = &a.list(1); p->is_cons(); p = &p->cdr())
        if (lisp_equal(p->car(), a[0], 0)) return *p;
    return {};
}

Value fn_reverse(Interpreter&, Args& a) {
    a.count(1, 1);
    Value r;
    for (const Value* p = &a.list(0); p->is_cons(); p = &p->cdr()) r = Value::cons(p->car(), r);
    return r;
}

Value fn_last(Interpreter&, Args& a) {
    a.count(1, 1);
    const Value* p = &a.list(0);
    while (p->cdr().is_cons()) p = &p->cdr();
    return p->car();
}

Value fn_subst(Interpreter&, Args& a) {
    a.count(3, 3);
    std::vector<Value> items;
    for (const Value* p = &a.list(2); p->is_cons(); p = &p->cdr())
        items.push_back(lisp_equal(p->car(), a[1], 0) ? a[0] : p->car());
    return list_of(items);
}

Value callable(Interpreter& in, const Value& f) {
    Value fn = in.function_of(f);
    if (!fn.is_function() && !fn.is_cons()) {
        if (f.kind() == Kind::Sym) raise(Msg::NoFunction, f.text());
        raise(Msg::BadFunction, print_value(f, PrintStyle::Prin1));
    }
    return fn;
}

Value fn_mapcar(Interpreter& in, Args& a) {
    a.count(2, SIZE_MAX);
    Value fn = callable(in, a[0]);
    std::vector<const Value*> lists;
    for (size_t i = 1; i < a.size(); ++i) lists.push_back(&a.list(i));
    std::vector<Value> out;
    for (;;) {
        std::vector<Value> args;
        for (auto*& l : lists) {
            if (!l->is_cons()) return list_of(out);
            args.push_back(l->car());
            l = &l->cdr();
        }
        out.push_back(in.apply(fn, args));
    }
}

Value fn_apply(Interpreter& in, Args& a) {
    a.count(2, 2);
    Value fn = callable(in, a[0]);
    proper_length(a.list(1));
    std::vector<Value> args = list_items(a[1]);
    return in.apply(fn, args);
}

const Builtin k_lists[] = {
    {"car", SubrStyle::Function, fn_cxr<k_a>, nullptr},       {"cdr", SubrStyle::Function, fn_cxr<k_d>, nullptr},
    {"caar", SubrStyle::Function, fn_cxr<k_aa>, nullptr},     {"cadr", SubrStyle::Function, fn_cxr<k_ad>, nullptr},
    {"cdar", SubrStyle::Function, fn_cxr<k_da>, nullptr},     {"cddr", SubrStyle::Function, fn_cxr<k_dd>, nullptr},
    {"caddr", SubrStyle::Function, fn_cxr<k_add>, nullptr},   {"cdddr", SubrStyle::Function, fn_cxr<k_ddd>, nullptr},
    {"cadar", SubrStyle::Function, fn_cxr<k_ada>, nullptr},   {"cdaar", SubrStyle::Function, fn_cxr<k_daa>, nullptr},
    {"caadr", SubrStyle::Function, fn_cxr<k_aad>, nullptr},   {"cddar", SubrStyle::Function, fn_cxr<k_dda>, nullptr},
    {"cdddar", SubrStyle::Function, fn_cxr<k_ddda>, nullptr}, {"caddar", SubrStyle::Function, fn_cxr<k_adda>, nullptr},
    {"cons", SubrStyle::Function, fn_cons, nullptr},          {"list", SubrStyle::Function, fn_list, nullptr},
    {"append", SubrStyle::Function, fn_append, nullptr},      {"length", SubrStyle::Function, fn_length, nullptr},
    {"nth", SubrStyle::Function, fn_nth, nullptr},            {"assoc", SubrStyle::Function, fn_assoc, nullptr},
    {"member", SubrStyle::Function, fn_member, nullptr},      {"reverse", SubrStyle::Function, fn_reverse, nullptr},
    {"last", SubrStyle::Function, fn_last, nullptr},          {"subst", SubrStyle::Function, fn_subst, nullptr},
    {"mapcar", SubrStyle::Function, fn_mapcar, nullptr},      {"apply", SubrStyle::Function, fn_apply, nullptr},
};
}  // namespace

void register_lists(Interpreter& in) { define_all(in, k_lists); }

}  // namespace cadhost::lisp
