// User input: the get* functions and initget. The host prompts and reads;
// the interpreter passes the arguments and turns the answer into a value.
#include "builtins.h"

namespace cadhost::lisp {

namespace {
Value reply_value(const InputReply& r) {
    switch (r.status) {
    case InputStatus::Cancel: raise(Msg::Cancelled);
    case InputStatus::None:
    case InputStatus::Error: return {};
    case InputStatus::Keyword:
    case InputStatus::Normal: break;
    }
    const GroupValue& v = r.value;
    if (auto s = std::get_if<std::string>(&v)) return Value::string(*s);
    if (auto i = std::get_if<int32_t>(&v)) return Value::integer(*i);
    if (auto h = std::get_if<int16_t>(&v)) return Value::integer(*h);
    if (auto d = std::get_if<double>(&v)) return Value::real(*d);
    if (auto p = std::get_if<Point>(&v)) return point_value(*p);
    return {};
}

// Arguments of the form [base-point] [prompt].
Value ask_with_base(Interpreter& in, Args& a, InputKind kind) {
    a.count(0, 2);
    InputRequest req;
    req.kind = kind;
    size_t i = 0;
    if (a.has(0) && a[0].kind() != Kind::Str) {
        req.base = a.opt_point(0);
        i = 1;
    }
    if (a.has(i)) req.prompt = a.opt_string(i);
    else if (i == 0 && a.has(1)) raise(Msg::TooMany);
    return reply_value(in.host().get_input(req));
}

Value ask_plain(Interpreter& in, Args& a, InputKind kind) {
    a.count(0, 1);
    InputRequest req;
    req.kind = kind;
    req.prompt = a.opt_string(0);
    return reply_value(in.host().get_input(req));
}

Value fn_getstring(Interpreter& in, Args& a) {
    a.count(0, 2);
    InputRequest req;
    size_t i = 0;
    if (a.size() == 2 || (a.has(0) && a[0].kind() != Kind::Str)) {
        req.spaces = a[0].is_nil() ? Spaces::Ends : Spaces::Allowed;
        i = 1;
    }
    req.prompt = a.opt_string(i);
    return reply_value(in.host().get_input(req));
}

Value fn_getint(Interpreter& in, Args& a) { return ask_plain(in, a, InputKind::Int); }
Value fn_getreal(Interpreter& in, Args& a) { return ask_plain(in, a, InputKind::Real); }
Value fn_getkword(Interpreter& in, Args& a) { return ask_plain(in, a, InputKind::Kword); }
Value fn_getpoint(Interpreter& in, Args& a) { return ask_with_base(in, a, InputKind::Point); }
Value fn_getdist(Interpreter& in, Args& a) { return ask_with_base(in, a, InputKind::Dist); }
Value fn_getangle(Interpreter& in, Args& a) { return ask_with_base(in, a, InputKind::Angle); }

Value fn_getcorner(Interpreter& in, Args& a) {
    a.count(1, 2);
    InputRequest req;
    req.kind = InputKind::Corner;
    req.base = a.point(0);
    req.prompt = a.opt_string(1);
    return reply_value(in.host().get_input(req));
}

Value fn_initget(Interpreter& in, Args& a) {
    a.count(0, 2);
    int bits = 0;
    std::string keywords;
    size_t i = 0;
    if (a.has(0) && a[0].kind() != Kind::Str) {
        if (!a[0].is_nil()) bits = a.integer(0);
        i = 1;
    }
    if (a.has(i)) keywords = a.opt_string(i).value_or("");
    else if (i == 0 && a.has(1)) raise(Msg::TooMany);
    in.host().initget(bits, keywords);
    return {};
}

Value fn_entsel(Interpreter& in, Args& a) {
    a.count(0, 1);
    PickReply r = in.host().entsel(a.opt_string(0));
    switch (r.status) {
    case InputStatus::Cancel: raise(Msg::Cancelled);
    case InputStatus::Keyword: return Value::string(r.keyword);
    case InputStatus::Normal:
        if (r.entity) return list_of({Value::ename(r.entity), point_value(r.point)});
        return {};
    default: return {};
    }
}

const Builtin k_input[] = {
    {"entsel", SubrStyle::Function, fn_entsel, nullptr},
    {"getstring", SubrStyle::Function, fn_getstring, nullptr},
    {"getint", SubrStyle::Function, fn_getint, nullptr},
    {"getreal", SubrStyle::Function, fn_getreal, nullptr},
    {"getpoint", SubrStyle::Function, fn_getpoint, nullptr},
    {"getcorner", SubrStyle::Function, fn_getcorner, nullptr},
    {"getdist", SubrStyle::Function, fn_getdist, nullptr},
    {"getangle", SubrStyle::Function, fn_getangle, nullptr},
    {"getkword", SubrStyle::Function, fn_getkword, nullptr},
    {"initget", SubrStyle::Function, fn_initget, nullptr},
};
}  // namespace

void register_input(Interpreter& in) { define_all(in, k_input); }

}  // namespace cadhost::lisp
