// Reading answers from the layered input sources.
#include "host/input.h"

#include <csignal>
#include <cstdio>

#include <charconv>

namespace cadhost::host {

namespace {
volatile std::sig_atomic_t g_user_break = 0;
}  // namespace

void note_user_break() { g_user_break = 1; }

bool take_user_break() {
    if (!g_user_break) return false;
    g_user_break = 0;
    return true;
}

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
    m_scripts.push_back(Source{std::move(text), 0, std::move(name), true, {}});
}

void Input::start_macro(std::string text, std::vector<size_t> pauses, std::string name) {
    m_scripts.push_back(Source{std::move(text), 0, std::move(name), true, std::move(pauses)});
}

std::optional<std::string> Input::from_source(Source& s, ReadMode mode) {
    if (s.pos >= s.text.size()) return std::nullopt;
    std::string out;
    s.line_ended = false;
    m_separated = false;
    while (s.pos < s.text.size()) {
        if (s.at_pause()) {  // a pause ends the answer before it
            m_separated = true;
            return out;
        }
        char c = s.text[s.pos++];
        if (c == '\r') continue;
        if (c == ' ' && mode == ReadMode::Token) {
            m_separated = true;
            return out;
        }
        if (c == '\n') {
            m_separated = true;
            break;
        }
        out += c;
    }
    s.line_ended = true;
    return out;
}

bool Input::fill_base(const std::string& more) {
    if (m_term) {
        TypedLine t = m_term->read_line(more, m_completion);
        m_last_typed = t.kind;
        m_typed = true;
        if (t.kind != TypedLine::Kind::Text) return false;
        m_base_buf.text.erase(0, m_base_buf.pos);
        m_base_buf.pos = 0;
        m_base_buf.text += t.text;
        m_base_buf.text += '\n';
        return true;
    }
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
    if (take_user_break()) {
        // Ctrl-C while a command or script ran: cancels what was asking,
        // and a running script stops.
        m_scripts.clear();
        m_base_buf.pos = m_base_buf.text.size();
        return make("^C", false);
    }
    return read_below(m_scripts.size(), mode);
}

Answer Input::read_below(size_t top, ReadMode mode) {
    auto make = [](std::string t, bool script) {
        Answer a = Answer::of_text(std::move(t));
        a.from_script = script;
        return a;
    };
    while (top > 0) {
        Source& s = m_scripts[top - 1];
        if (s.at_pause()) {
            s.pauses.erase(s.pauses.begin());
            Answer a = read_below(top - 1, mode);
            // The user cancelled, or there is no more input: the macro ends here.
            if (a.kind == Answer::Kind::Cancel || a.kind == Answer::Kind::End)
                m_scripts.erase(m_scripts.begin() + static_cast<long>(top - 1), m_scripts.end());
            return a;
        }
        if (auto t = from_source(s, mode)) {
            m_last_source = static_cast<long>(top - 1);
            return make(std::move(*t), true);
        }
        // Finished scripts leave once nothing above them is still reading.
        if (top == m_scripts.size()) m_scripts.pop_back();
        --top;
    }
    m_last_source = -1;
    if (m_base_buf.pos >= m_base_buf.text.size() && !fill_base()) return read_terminal_end();
    std::optional<std::string> t = from_source(m_base_buf, mode);
    std::string text;
    if (t) text.swap(*t);
    return make(std::move(text), false);
}

// What a terminal read that gave no line means as an answer.
Answer Input::read_terminal_end() {
    Answer a;
    if (!m_term) return a;
    if (m_last_typed == TypedLine::Kind::Cancel) return Answer::of_text("^C");
    a.end_key = m_last_typed == TypedLine::Kind::EndKey;
    return a;
}

bool Input::has_more_on_line() const {
    if (!m_pending.empty()) return true;
    const Source& s = m_scripts.empty() ? m_base_buf : m_scripts.back();
    return !s.line_ended && s.pos < s.text.size();
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

std::optional<std::string> Input::read_balanced(const std::string& first) {
    ParenScan scan;
    bool comment = false;
    std::string out;
    for (char c : first) {
        scan.feed(c, comment);
        out += c;
    }
    // The answer that brought the "(" ended at a blank or line end; keep it.
    // One that ended with the text had none, and gains none.
    bool scripted = m_last_source >= 0 && static_cast<size_t>(m_last_source) < m_scripts.size();
    Source* src = scripted ? &m_scripts[static_cast<size_t>(m_last_source)] : &m_base_buf;
    if (scan.depth > 0 && m_separated) {
        out += ' ';  // the blank or line end that ended the first answer
        comment = false;
    }
    while (scan.depth > 0) {
        if (src->pos >= src->text.size()) {
            if (src != &m_base_buf) break;
            // At a terminal the open parens are shown until the expression closes.
            std::string more = m_term ? std::string(static_cast<size_t>(scan.depth), '(') + "> " : "";
            if (!fill_base(more)) {
                if (m_term && m_last_typed != TypedLine::Kind::Closed) return std::nullopt;
                break;
            }
        }
        char c = src->text[src->pos++];
        out += c;
        scan.feed(c, comment);
    }
    // The rest of the line after the closing paren is not an answer of its own
    // when it is only the line end.
    if (src->pos < src->text.size() && src->text[src->pos] == '\n') ++src->pos;
    src->line_ended = src->pos >= src->text.size() || src->text[src->pos - 1] == '\n';
    return out;
}

}  // namespace cadhost::host
