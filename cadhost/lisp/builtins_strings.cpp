// String functions: concatenation, substrings, case, conversions between
// numbers and text, character codes and pattern matching.
#include <cstdlib>

#include "builtins.h"
#include "units.h"

namespace cadhost::lisp {

namespace {
Value fn_strcat(Interpreter&, Args& a) {
    std::string s;
    for (size_t i = 0; i < a.size(); ++i) s += a.string(i);
    return Value::string(std::move(s));
}

Value fn_strlen(Interpreter&, Args& a) {
    size_t n = 0;
    for (size_t i = 0; i < a.size(); ++i) n += a.string(i).size();
    return Value::integer(static_cast<int32_t>(n));
}

Value fn_substr(Interpreter&, Args& a) {
    a.count(2, 3);
    const std::string& s = a.string(0);
    int32_t start = a.integer(1);
    if (start < 1) raise(Msg::BadArgValue, std::to_string(start));
    int32_t len = a.has(2) && !a[2].is_nil() ? a.integer(2) : INT32_MAX;
    if (len < 0) raise(Msg::BadArgValue, std::to_string(len));
    if (size_t(start) > s.size()) return Value::string("");
    return Value::string(s.substr(size_t(start) - 1, size_t(len)));
}

Value fn_strcase(Interpreter&, Args& a) {
    a.count(1, 2);
    const std::string& s = a.string(0);
    bool to_lower = a.has(1) && !a[1].is_nil();
    return Value::string(to_lower ? lower(s) : upper(s));
}

Value fn_itoa(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::string(std::to_string(a.integer(0)));
}

Value fn_atoi(Interpreter&, Args& a) {
    a.count(1, 1);
    long long v = std::strtoll(a.string(0).c_str(), nullptr, 10);
    return Value::integer(static_cast<int32_t>(static_cast<uint32_t>(v)));
}

Value fn_atof(Interpreter&, Args& a) {
    a.count(1, 1);
    return Value::real(std::strtod(a.string(0).c_str(), nullptr));
}

int sysvar_int(Interpreter& in, const char* name, int fallback) {
    auto v = in.host().getvar(name);
    if (!v) return fallback;
    if (auto s = std::get_if<int16_t>(&*v)) return *s;
    if (auto l = std::get_if<int32_t>(&*v)) return *l;
    return fallback;
}

Value fn_rtos(Interpreter& in, Args& a) {
    a.count(1, 3);
    double v = a.number(0);
    int mode = a.has(1) && !a[1].is_nil() ? a.integer(1) : sysvar_int(in, "LUNITS", 2);
    int prec = a.has(2) && !a[2].is_nil() ? a.integer(2) : sysvar_int(in, "LUPREC", 4);
    if (mode < 1 || mode > 5) raise(Msg::BadArgValue, std::to_string(mode));
    if (prec < 0) raise(Msg::BadArgValue, std::to_string(prec));
    return Value::string(Units::format(v, mode, prec));
}

Value fn_distof(Interpreter&, Args& a) {
    a.count(1, 2);
    if (a.has(1) && !a[1].is_nil()) a.integer(1);
    auto v = Units::parse(a.string(0));
    return v ? Value::real(*v) : Value();
}

Value fn_ascii(Interpreter&, Args& a) {
    a.count(1, 1);
    const std::string& s = a.string(0);
    return Value::integer(s.empty() ? 0 : static_cast<unsigned char>(s[0]));
}

Value fn_chr(Interpreter&, Args& a) {
    a.count(1, 1);
    int32_t c = a.integer(0) & 0xff;
    return Value::string(c == 0 ? std::string() : std::string(1, static_cast<char>(c)));
}

Value fn_wcmatch(Interpreter& in, Args& a) {
    a.count(2, 2);
    auto r = in.host().wcmatch(a.string(0), a.string(1));
    if (!r.ok()) raise_text(r.error().message);
    return Value::boolean(r.value());
}

Value fn_string_search(Interpreter&, Args& a) {
    a.count(2, 3);
    const std::string& pattern = a.string(0);
    const std::string& s = a.string(1);
    int32_t start = a.has(2) && !a[2].is_nil() ? a.integer(2) : 0;
    if (start < 0) start = 0;
    if (size_t(start) > s.size()) return {};
    size_t at = s.find(pattern, size_t(start));
    return at == std::string::npos ? Value() : Value::integer(static_cast<int32_t>(at));
}

const Builtin k_strings[] = {
    {"strcat", SubrStyle::Function, fn_strcat, nullptr},   {"strlen", SubrStyle::Function, fn_strlen, nullptr},
    {"substr", SubrStyle::Function, fn_substr, nullptr},   {"strcase", SubrStyle::Function, fn_strcase, nullptr},
    {"itoa", SubrStyle::Function, fn_itoa, nullptr},       {"atoi", SubrStyle::Function, fn_atoi, nullptr},
    {"atof", SubrStyle::Function, fn_atof, nullptr},       {"rtos", SubrStyle::Function, fn_rtos, nullptr},
    {"distof", SubrStyle::Function, fn_distof, nullptr},   {"ascii", SubrStyle::Function, fn_ascii, nullptr},
    {"chr", SubrStyle::Function, fn_chr, nullptr},         {"wcmatch", SubrStyle::Function, fn_wcmatch, nullptr},
    {"vl-string-search", SubrStyle::Function, fn_string_search, nullptr},
};
}  // namespace

void register_strings(Interpreter& in) { define_all(in, k_strings); }

}  // namespace cadhost::lisp
