// Arithmetic, comparison and geometry: integers are 32 bits and wrap around;
// a real among the arguments makes the result real.
#include <cmath>

#include "builtins.h"
#include "printer.h"

namespace cadhost::lisp {

namespace {
enum class Op { Add, Sub, Mul, Div };

int32_t wrap(int64_t v) { return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(v))); }

bool all_ints(const Args& a) {
    for (const auto& v : a.values())
        if (v.kind() != Kind::Int) return false;
    return true;
}

Value int_op(Op op, int32_t x, int32_t y) {
    switch (op) {
    case Op::Add: return Value::integer(wrap(int64_t(x) + y));
    case Op::Sub: return Value::integer(wrap(int64_t(x) - y));
    case Op::Mul: return Value::integer(wrap(int64_t(x) * y));
    case Op::Div:
        if (y == 0) raise(Msg::DivideByZero);
        if (y == -1) return Value::integer(wrap(-int64_t(x)));
        return Value::integer(x / y);
    }
    return {};
}

double real_op(Op op, double x, double y) {
    switch (op) {
    case Op::Add: return x + y;
    case Op::Sub: return x - y;
    case Op::Mul: return x * y;
    case Op::Div:
        if (y == 0) raise(Msg::DivideByZero);
        return x / y;
    }
    return 0;
}

Value arith(Args& a, Op op) {
    if (a.size() == 0) return Value::integer(0);
    for (size_t i = 0; i < a.size(); ++i) a.number(i);
    bool ints = all_ints(a);
    if (a.size() == 1 && op == Op::Sub)
        return ints ? Value::integer(wrap(-int64_t(a[0].as_int()))) : Value::real(-a[0].as_real());
    Value acc = a[0];
    for (size_t i = 1; i < a.size(); ++i) {
        if (ints) acc = int_op(op, acc.as_int(), a[i].as_int());
        else acc = Value::real(real_op(op, acc.as_real(), a[i].as_real()));
    }
    if (!ints && acc.kind() == Kind::Int) acc = Value::real(acc.as_real());
    return acc;
}

Value fn_add(Interpreter&, Args& a) { return arith(a, Op::Add); }
Value fn_sub(Interpreter&, Args& a) { return arith(a, Op::Sub); }
Value fn_mul(Interpreter&, Args& a) { return arith(a, Op::Mul); }
Value fn_div(Interpreter&, Args& a) { return arith(a, Op::Div); }

Value fn_inc(Interpreter&, Args& a) {
    a.count(1, 1);
    a.number(0);
    if (a[0].kind() == Kind::Int) return Value::integer(wrap(int64_t(a[0].as_int()) + 1));
    return Value::real(a[0].as_real() + 1);
}

Value fn_dec(Interpreter&, Args& a) {
    a.count(1, 1);
    a.number(0);
    if (a[0].kind() == Kind::Int) return Value::integer(wrap(int64_t(a[0].as_int()) - 1));
    return Value::real(a[0].as_real() - 1);
}

Value fn_abs(Interpreter&, Args& a) {
    a.count(1, 1);
    a.number(0);
    if (a[0].kind() == Kind::Int) return Value::integer(wrap(std::llabs(a[0].as_int())));
    return Value::real(std::fabs(a[0].as_real()));
}

Value extreme(Args& a, bool want_max) {
    if (a.size() == 0) return Value::integer(0);
    for (size_t i = 0; i < a.size(); ++i) a.number(i);
    bool ints = all_ints(a);
    double best = a[0].as_real();
    for (size_t i = 1; i < a.size(); ++i) best = want_max ? std::max(best, a[i].as_real()) : std::min(best, a[i].as_real());
    return ints ? Value::integer(static_cast<int32_t>(best)) : Value::real(best);
}

Value fn_min(Interpreter&, Args& a) { return extreme(a, false); }
Value fn_max(Interpreter&, Args& a) { return extreme(a, true); }

Value fn_rem(Interpreter&, Args& a) {
    a.count(1, SIZE_MAX);
    for (size_t i = 0; i < a.size(); ++i) a.number(i);
    bool ints = all_ints(a);
    Value acc = a[0];
    for (size_t i = 1; i < a.size(); ++i) {
        if (a[i].as_real() == 0) raise(Msg::DivideByZero);
        if (ints) acc = Value::integer(a[i].as_int() == -1 ? 0 : acc.as_int() % a[i].as_int());
        else acc = Value::real(std::fmod(acc.as_real(), a[i].as_real()));
    }
    return acc;
}

Value fn_fix(Interpreter&, Args& a) {
    a.count(1, 1);
    double d = std::trunc(a.number(0));
    if (a[0].kind() == Kind::Int) return a[0];
    if (d >= INT32_MIN && d <= INT32_MAX) return Value::integer(static_cast<int32_t>(d));
    return Value::real(d);  // does not fit an integer
}

Value fn_float(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::real(a.number(0));
}

// Numbers compare numerically, strings by character codes.
int compare(const Value& x, const Value& y) {
    if (x.is_number() && y.is_number()) {
        double d = x.as_real() - y.as_real();
        return d < 0 ? -1 : d > 0 ? 1 : 0;
    }
    if (x.kind() == Kind::Str && y.kind() == Kind::Str) {
        int c = x.text().compare(y.text());
        return c < 0 ? -1 : c > 0 ? 1 : 0;
    }
    bad_type(Pred::Numberp, x.is_number() || x.kind() == Kind::Str ? y : x);
}

template <typename Test>
Value chain(Args& a, Test test) {
    a.count(1, SIZE_MAX);
    for (size_t i = 0; i + 1 < a.size(); ++i)
        if (!test(compare(a[i], a[i + 1]))) return {};
    if (a.size() == 1) compare(a[0], a[0]);
    return Value::t();
}

Value fn_eq_num(Interpreter&, Args& a) { return chain(a, [](int c) { return c == 0; }); }
Value fn_ne_num(Interpreter&, Args& a) { return chain(a, [](int c) { return c != 0; }); }
Value fn_lt(Interpreter&, Args& a) { return chain(a, [](int c) { return c < 0; }); }
Value fn_gt(Interpreter&, Args& a) { return chain(a, [](int c) { return c > 0; }); }
Value fn_le(Interpreter&, Args& a) { return chain(a, [](int c) { return c <= 0; }); }
Value fn_ge(Interpreter&, Args& a) { return chain(a, [](int c) { return c >= 0; }); }

Value fn_zerop(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(a.number(0) == 0);
}

Value fn_minusp(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::boolean(a.number(0) < 0);
}

Value checked(double r, const Value& arg) {
    if (!std::isfinite(r)) raise(Msg::Undefined, print_value(arg, PrintStyle::Prin1));
    return Value::real(r);
}

Value fn_sqrt(Interpreter&, Args& a) {
    a.count(1, 1);
    if (a.number(0) < 0) raise(Msg::Undefined, print_value(a[0], PrintStyle::Prin1));
    return Value::real(std::sqrt(a.number(0)));
}

Value fn_sin(Interpreter&, Args& a) { a.count(1, 1); return Value::real(std::sin(a.number(0))); }
Value fn_cos(Interpreter&, Args& a) { a.count(1, 1); return Value::real(std::cos(a.number(0))); }
Value fn_exp(Interpreter&, Args& a) { a.count(1, 1); return checked(std::exp(a.number(0)), a[0]); }

Value fn_log(Interpreter&, Args& a) {
    a.count(1, 1);
    if (a.number(0) <= 0) raise(Msg::Undefined, print_value(a[0], PrintStyle::Prin1));
    return Value::real(std::log(a.number(0)));
}

Value fn_atan(Interpreter&, Args& a) {
    a.count(1, 2);
    if (a.size() == 1) return Value::real(std::atan(a.number(0)));
    return Value::real(std::atan2(a.number(0), a.number(1)));
}

Value fn_expt(Interpreter&, Args& a) {
    a.count(2, 2);
    double b = a.number(0), e = a.number(1);
    if (all_ints(a) && a[1].as_int() >= 0) {
        // Square and multiply in 32 bits: the result wraps as integer products do.
        uint32_t base = static_cast<uint32_t>(a[0].as_int()), r = 1;
        for (uint32_t n = static_cast<uint32_t>(a[1].as_int()); n; n >>= 1) {
            if (n & 1) r *= base;
            base *= base;
        }
        return Value::integer(static_cast<int32_t>(r));
    }
    return checked(std::pow(b, e), a[0]);
}

Value fn_logand(Interpreter&, Args& a) {
    int32_t r = -1;
    for (size_t i = 0; i < a.size(); ++i) r &= a.integer(i);
    return Value::integer(a.size() ? r : 0);
}

Value fn_logior(Interpreter&, Args& a) {
    int32_t r = 0;
    for (size_t i = 0; i < a.size(); ++i) r |= a.integer(i);
    return Value::integer(r);
}

Value fn_lognot(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::integer(~a.integer(0));
}

Value fn_lsh(Interpreter&, Args& a) {
    a.count(2, 2);
    uint32_t v = static_cast<uint32_t>(a.integer(0));
    int32_t n = a.integer(1);
    if (n >= 32 || n <= -32) return Value::integer(0);
    return Value::integer(static_cast<int32_t>(n >= 0 ? v << n : v >> -n));
}

Value fn_gcd(Interpreter&, Args& a) {
    a.count(2, 2);
    int64_t x = std::llabs(a.integer(0)), y = std::llabs(a.integer(1));
    if (x == 0 && y == 0) raise(Msg::BadArgValue, "0");
    while (y) {
        int64_t t = x % y;
        x = y;
        y = t;
    }
    return Value::integer(wrap(x));
}

Value fn_distance(Interpreter&, Args& a) {
    a.count(2, 2);
    Point p = a.point(0), q = a.point(1);
    double dz = (p.dims == 3 && q.dims == 3) ? q.z - p.z : 0;
    return Value::real(std::sqrt((q.x - p.x) * (q.x - p.x) + (q.y - p.y) * (q.y - p.y) + dz * dz));
}

Value fn_angle(Interpreter&, Args& a) {
    a.count(2, 2);
    Point p = a.point(0), q = a.point(1);
    double r = std::atan2(q.y - p.y, q.x - p.x);
    return Value::real(r < 0 ? r + 2 * M_PI : r);
}

Value fn_polar(Interpreter&, Args& a) {
    a.count(3, 3);
    Point p = a.point(0);
    double ang = a.number(1), dist = a.number(2);
    p.x += dist * std::cos(ang);
    p.y += dist * std::sin(ang);
    return point_value(p);
}

const Builtin k_math[] = {
    {"+", SubrStyle::Function, fn_add, nullptr},       {"-", SubrStyle::Function, fn_sub, nullptr},
    {"*", SubrStyle::Function, fn_mul, nullptr},       {"/", SubrStyle::Function, fn_div, nullptr},
    {"1+", SubrStyle::Function, fn_inc, nullptr},      {"1-", SubrStyle::Function, fn_dec, nullptr},
    {"abs", SubrStyle::Function, fn_abs, nullptr},     {"min", SubrStyle::Function, fn_min, nullptr},
    {"max", SubrStyle::Function, fn_max, nullptr},     {"rem", SubrStyle::Function, fn_rem, nullptr},
    {"fix", SubrStyle::Function, fn_fix, nullptr},     {"float", SubrStyle::Function, fn_float, nullptr},
    {"=", SubrStyle::Function, fn_eq_num, nullptr},    {"/=", SubrStyle::Function, fn_ne_num, nullptr},
    {"<", SubrStyle::Function, fn_lt, nullptr},        {">", SubrStyle::Function, fn_gt, nullptr},
    {"<=", SubrStyle::Function, fn_le, nullptr},       {">=", SubrStyle::Function, fn_ge, nullptr},
    {"zerop", SubrStyle::Function, fn_zerop, nullptr}, {"minusp", SubrStyle::Function, fn_minusp, nullptr},
    {"sqrt", SubrStyle::Function, fn_sqrt, nullptr},   {"sin", SubrStyle::Function, fn_sin, nullptr},
    {"cos", SubrStyle::Function, fn_cos, nullptr},     {"exp", SubrStyle::Function, fn_exp, nullptr},
    {"log", SubrStyle::Function, fn_log, nullptr},     {"atan", SubrStyle::Function, fn_atan, nullptr},
    {"expt", SubrStyle::Function, fn_expt, nullptr},   {"logand", SubrStyle::Function, fn_logand, nullptr},
    {"logior", SubrStyle::Function, fn_logior, nullptr}, {"~", SubrStyle::Function, fn_lognot, nullptr},
    {"lsh", SubrStyle::Function, fn_lsh, nullptr},     {"gcd", SubrStyle::Function, fn_gcd, nullptr},
    {"distance", SubrStyle::Function, fn_distance, nullptr},
    {"angle", SubrStyle::Function, fn_angle, nullptr}, {"polar", SubrStyle::Function, fn_polar, nullptr},
};
}  // namespace

void register_math(Interpreter& in) { define_all(in, k_math); }

}  // namespace cadhost::lisp
