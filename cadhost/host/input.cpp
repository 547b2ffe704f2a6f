// Reading answers from the layered input sources.
#include "host/input.h"

#include <cstdio>

#include <charconv>

namespace cadhost::host {

std::string real_text(double d) {
    char buf[64];
    auto r = std::to_chars(buf, buf + sizeof buf, d);
    return std::string(buf, r.ptr);
}

std::string point_text(const Point& p) {
    std::string t = real_text(p.x) + "," + real_text(p.y);
    if (p.dims == 3) t += "," + real_text(p.z);
    return t;
}

void Answer::spell() {
    if (!text.empty()) return;
    if (typed == Typed::Real) text = real_text(value.x);
    else if (typed == Typed::Point) text = point_text(value);
}

void Input::push_pending(std::vector<Answer> answers) {
    for (auto& a : answers) m_pending.push_back(std::move(a));
}

Answer Input::pop_pending() {
    if (m_pending.empty()) return Answer{};
    Answer a = std::move(m_pending.front());
    m_pending.pop_front();
    m_separated = true;
    return a;
}

void Input::start_script(std::string text, std::string name) {
    m_scripts.clear();
    m_scripts.push_back(Source{std::move(text), 0, std::move(name)});
}

std::optional<std::string> Input::from_source(Source& s, ReadMode mode) {
    if (s.pos >= s.text.size()) return std::nullopt;
    std::string out;
    m_separated = false;
    while (s.pos < s.text.size()) {
        char c = s.text[s.pos++];
        if (c == '\r') continue;
        if (c == '\n' || (c == ' ' && mode == ReadMode::Token)) {
            m_separated = true;
            break;
        }
        out += c;
    }
    return out;
}

bool Input::fill_base() {
    if (!m_base) return false;
    fflush(stdout);  // the prompt is seen before the answer is awaited
    std::string line;
    if (!std::getline(*m_base, line)) return false;
    m_base_buf.text.erase(0, m_base_buf.pos);
    m_base_buf.pos = 0;
    m_base_buf.text += line;
    m_base_buf.text += '\n';
    return true;
}

Answer Input::read(ReadMode mode) {
    auto make = [](std::string t, bool script) {
        Answer a;
        bool cancel = t.size() == 2 && t[0] == '^' && t[1] == 'C';
        a.kind = cancel ? Answer::Kind::Cancel : Answer::Kind::Text;
        a.text.swap(t);
        a.from_script = script;
        return a;
    };
    if (!m_pending.empty()) return pop_pending();
    while (!m_scripts.empty()) {
        if (auto t = from_source(m_scripts.back(), mode)) return make(std::move(*t), true);
        m_scripts.pop_back();
    }
    if (m_base_buf.pos >= m_base_buf.text.size() && !fill_base()) return Answer{};
    std::optional<std::string> t = from_source(m_base_buf, mode);
    std::string text;
    if (t) text.swap(*t);
    return make(std::move(text), false);
}

namespace {
// Depth change of a chunk of Lisp text, tracking strings and comments.
struct ParenScan {
    int depth = 0;
    bool in_string = false;
    bool escape = false;
    void feed(char c, bool& line_comment) {
        if (line_comment) {
            if (c == '\n') line_comment = false;
            return;
        }
        if (in_string) {
            if (escape) escape = false;
            else if (c == '\\') escape = true;
            else if (c == '"') in_string = false;
            return;
        }
        if (c == '"') in_string = true;
        else if (c == ';') line_comment = true;
        else if (c == '(') ++depth;
        else if (c == ')') --depth;
    }
};
}  // namespace

std::string Input::read_balanced(const std::string& first) {
    ParenScan scan;
    bool comment = false;
    std::string out;
    for (char c : first) {
        scan.feed(c, comment);
        out += c;
    }
    // The answer that brought the "(" ended at a blank or line end; keep it.
    // One that ended with the text had none, and gains none.
    Source* src = m_scripts.empty() ? &m_base_buf : &m_scripts.back();
    if (scan.depth > 0 && m_separated) {
        out += ' ';  // the blank or line end that ended the first answer
        comment = false;
    }
    while (scan.depth > 0) {
        if (src->pos >= src->text.size()) {
            if (src != &m_base_buf || !fill_base()) break;
        }
        char c = src->text[src->pos++];
        out += c;
        scan.feed(c, comment);
    }
    // The rest of the line after the closing paren is not an answer of its own
    // when it is only the line end.
    if (src->pos < src->text.size() && src->text[src->pos] == '\n') ++src->pos;
    return out;
}

}  // namespace cadhost::host
