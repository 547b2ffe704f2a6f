// Lisp reader: a recursive-descent parser over the text with a nesting limit.
#include "reader.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <limits>

namespace cadhost::lisp {

namespace {
constexpr int k_max_depth = 2000;

bool is_delimiter(char c) {
    return std::isspace(static_cast<unsigned char>(c)) || c == '(' || c == ')' || c == '\'' || c == '"' ||
           c == ';';
}
}  // namespace

Value parse_number(std::string_view token) {
    if (token.empty()) return {};
    bool digit = false;
    bool real_syntax = false;
    for (size_t i = 0; i < token.size(); ++i) {
        char c = token[i];
        if (std::isdigit(static_cast<unsigned char>(c))) digit = true;
        else if (c == '.' || c == 'e' || c == 'E') real_syntax = true;
        else if (!((c == '+' || c == '-') && (i == 0 || token[i - 1] == 'e' || token[i - 1] == 'E')))
            return {};
    }
    if (!digit) return {};
    std::string s(token);
    char* end = nullptr;
    if (!real_syntax) {
        errno = 0;
        long long v = std::strtoll(s.c_str(), &end, 10);
        if (*end != '\0') return {};
        if (errno == 0 && v >= std::numeric_limits<int32_t>::min() && v <= std::numeric_limits<int32_t>::max())
            return Value::integer(static_cast<int32_t>(v));
    }
    double d = std::strtod(s.c_str(), &end);
    if (*end != '\0') return {};
    return Value::real(d);
}

void Reader::advance() {
    if (m_text[m_pos] == '\n') ++m_line;
    ++m_pos;
}

bool Reader::skip_blanks() {
    while (!at_end()) {
        char c = peek();
        if (std::isspace(static_cast<unsigned char>(c))) {
            advance();
        } else if (c == ';' && m_pos + 1 < m_text.size() && m_text[m_pos + 1] == '|') {
            size_t close = m_text.find("|;", m_pos + 2);
            if (close == std::string_view::npos) {
                while (!at_end()) advance();
                return false;
            }
            while (m_pos < close + 2) advance();
        } else if (c == ';') {
            while (!at_end() && peek() != '\n') advance();
        } else {
            return true;
        }
    }
    return true;
}

ReadOutcome Reader::next() {
    ReadOutcome out;
    if (!skip_blanks()) {
        out.status = ReadStatus::Incomplete;
        out.line = m_line;
        return out;
    }
    out.line = m_line;
    if (at_end()) return out;
    try {
        out.value = read_form(0);
        out.status = ReadStatus::Form;
    } catch (const Failure& f) {
        out.status = f.status;
        out.error = f.msg;
        out.line = m_line;
    }
    return out;
}

Value Reader::read_form(int depth) {
    if (depth > k_max_depth) throw Failure{ReadStatus::Error, Msg::StackOverflow};
    if (!skip_blanks() || at_end()) throw Failure{ReadStatus::Incomplete, Msg::MalformedList};
    char c = peek();
    if (c == '(') {
        advance();
        return read_list(depth + 1);
    }
    if (c == ')') {
        advance();
        throw Failure{ReadStatus::Error, Msg::ExtraParen};
    }
    if (c == '\'') {
        advance();
        Value quoted = read_form(depth + 1);
        return Value::cons(Value::symbol("QUOTE"), Value::cons(quoted, {}));
    }
    if (c == '"') {
        advance();
        return read_string();
    }
    return read_atom();
}

Value Reader::read_list(int depth) {
    std::vector<Value> items;
    Value tail;
    for (;;) {
        if (!skip_blanks() || at_end()) throw Failure{ReadStatus::Incomplete, Msg::MalformedList};
        if (peek() == ')') {
            advance();
            break;
        }
        if (peek() == '.' && (m_pos + 1 == m_text.size() || is_delimiter(m_text[m_pos + 1]))) {
            advance();
            if (items.empty()) throw Failure{ReadStatus::Error, Msg::MisplacedDot};
            tail = read_form(depth);
            if (!skip_blanks() || at_end()) throw Failure{ReadStatus::Incomplete, Msg::MalformedList};
            if (peek() != ')') throw Failure{ReadStatus::Error, Msg::MisplacedDot};
            advance();
            break;
        }
        items.push_back(read_form(depth));
    }
    Value r = std::move(tail);
    for (auto it = items.rbegin(); it != items.rend(); ++it) r = Value::cons(std::move(*it), std::move(r));
    return r;
}

Value Reader::read_string() {
    std::string s;
    for (;;) {
        if (at_end()) throw Failure{ReadStatus::Incomplete, Msg::MalformedString};
        char c = peek();
        advance();
        if (c == '"') return Value::string(std::move(s));
        if (c != '\\') {
            s += c;
            continue;
        }
        if (at_end()) throw Failure{ReadStatus::Incomplete, Msg::MalformedString};
        char e = peek();
        advance();
        switch (e) {
        case 'n': s += '\n'; break;
        case 't': s += '\t'; break;
        case 'r': s += '\r'; break;
        case 'e': s += '\x1b'; break;
        default:
            if (e >= '0' && e <= '7') {
                int v = e - '0';
                for (int i = 0; i < 2 && !at_end() && peek() >= '0' && peek() <= '7'; ++i) {
                    v = v * 8 + (peek() - '0');
                    advance();
                }
                s += static_cast<char>(v & 0xff);
            } else {
                s += e;  // \\ and \" and any other character stand for themselves
            }
        }
    }
}

Value Reader::read_atom() {
    size_t start = m_pos;
    while (!at_end() && !is_delimiter(peek())) advance();
    std::string_view token = m_text.substr(start, m_pos - start);
    if (token == ".") throw Failure{ReadStatus::Error, Msg::MisplacedDot};
    Value number = parse_number(token);
    if (!number.is_nil()) return number;
    std::string name = upper(std::string(token));
    if (name == "NIL") return {};
    return Value::symbol(std::move(name));
}

ReadStatus Reader::completeness(std::string_view text) {
    Reader r(text);
    bool any = false;
    for (;;) {
        ReadOutcome o = r.next();
        if (o.status == ReadStatus::Form) any = true;
        else if (o.status == ReadStatus::End) return any ? ReadStatus::Form : ReadStatus::End;
        else return o.status;
    }
}

Reader::Span Reader::first_form(std::string_view text) {
    Reader r(text);
    ReadOutcome o = r.next();
    return {o.status, r.position()};
}

}  // namespace cadhost::lisp
