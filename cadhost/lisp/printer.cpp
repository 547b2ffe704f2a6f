// Printer: lists are walked along the cdr iteratively; nesting in the car
// direction is cut off at a fixed depth instead of exhausting the stack.
#include "printer.h"

#include <cmath>
#include <cstdio>

namespace cadhost::lisp {

namespace {
constexpr int k_max_depth = 1000;
constexpr uint64_t k_ename_base = 0x7ff700000000ull;

std::string hex(uint64_t v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llx", static_cast<unsigned long long>(v));
    return buf;
}

void print_into(std::string& out, const Value& v, PrintStyle style, int depth);

void print_list(std::string& out, const Value& v, PrintStyle style, int depth) {
    if (depth > k_max_depth) {
        out += "(...)";
        return;
    }
    out += '(';
    const Value* p = &v;
    bool first = true;
    while (p->is_cons()) {
        if (!first) out += ' ';
        first = false;
        print_into(out, p->car(), style, depth + 1);
        p = &p->cdr();
    }
    if (!p->is_nil()) {
        out += " . ";
        print_into(out, *p, style, depth + 1);
    }
    out += ')';
}

void print_into(std::string& out, const Value& v, PrintStyle style, int depth) {
    switch (v.kind()) {
    case Kind::Nil: out += "nil"; break;
    case Kind::Int: out += std::to_string(v.as_int()); break;
    case Kind::Real: out += format_real(v.as_real()); break;
    case Kind::Str: out += style == PrintStyle::Prin1 ? quote_string(v.text()) : v.text(); break;
    case Kind::Sym: out += v.text(); break;
    case Kind::Cons: print_list(out, v, style, depth); break;
    case Kind::Ename: out += "<Entity name: " + hex(k_ename_base + v.as_id()) + ">"; break;
    case Kind::Pickset: out += "<Selection set: " + hex(v.as_id()) + ">"; break;
    case Kind::File: out += "<File: #" + hex(v.as_id()) + ">"; break;
    case Kind::Subr: out += std::string("<Subr: ") + upper(v.as_subr()->name) + ">"; break;
    case Kind::Usubr: print_into(out, v.definition(), style, depth); break;
    case Kind::Exsubr: out += "<Exsubr: " + v.function_name() + ">"; break;
    }
}
}  // namespace

std::string format_real(double d) {
    if (std::isnan(d)) return "1.#QNAN";
    if (std::isinf(d)) return d < 0 ? "-1.#INF" : "1.#INF";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.6g", d);
    std::string s = buf;
    size_t e = s.find('e');
    std::string mantissa = e == std::string::npos ? s : s.substr(0, e);
    if (mantissa.find('.') == std::string::npos) mantissa += ".0";
    if (e == std::string::npos) return mantissa;
    std::string exponent = s.substr(e + 1);  // sign and at least two digits
    std::string digits = exponent.substr(1);
    while (digits.size() < 3) digits = "0" + digits;
    return mantissa + "e" + exponent[0] + digits;
}

std::string quote_string(const std::string& s) {
    std::string out = "\"";
    for (unsigned char c : s) {
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        case '\r': out += "\\r"; break;
        case 0x1b: out += "\\e"; break;
        default:
            if (c < 0x20) {
                char buf[8];
                std::snprintf(buf, sizeof buf, "\\%03o", c);
                out += buf;
            } else {
                out += static_cast<char>(c);
            }
        }
    }
    return out + "\"";
}

std::string print_value(const Value& v, PrintStyle style) {
    std::string out;
    print_into(out, v, style, 0);
    return out;
}

}  // namespace cadhost::lisp
