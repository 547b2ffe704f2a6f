// Driver implementations and the string-backed input.
#include "dcl/drivers.h"

#include "dcl/action.h"
#include "dcl/messages.h"

namespace cadhost::dcl {

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

bool is_yes(const std::string& answer) {
    std::string a = trim(answer);
    return a == "y" || a == "Y" || a == "yes" || a == "Yes" || a == "YES";
}

}  // namespace

std::optional<std::string> StringInput::read_line(const std::string& prompt) {
    m_prompts += prompt;
    if (m_pos >= m_text.size()) return std::nullopt;
    size_t nl = m_text.find('\n', m_pos);
    size_t end = nl == std::string::npos ? m_text.size() : nl;
    std::string line = m_text.substr(m_pos, end - m_pos);
    m_pos = nl == std::string::npos ? m_text.size() : nl + 1;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return line;
}

std::optional<std::string> StringInput::read_token(const std::string& prompt) {
    m_prompts += prompt;
    while (m_pos < m_text.size() && (m_text[m_pos] == ' ' || m_text[m_pos] == '\t')) ++m_pos;
    if (m_pos >= m_text.size()) return std::nullopt;
    size_t end = m_text.find_first_of(" \t\n", m_pos);
    if (end == std::string::npos) end = m_text.size();
    std::string word = m_text.substr(m_pos, end - m_pos);
    m_pos = end < m_text.size() ? end + 1 : end;
    return word;
}

void TestDriver::run(Dialog& d) {
    if (m_hooks.on_dialog) m_hooks.on_dialog(d);
}

std::optional<std::string> TestDriver::ask_file(const FiledRequest& r, const std::string&) {
    return m_hooks.on_file ? m_hooks.on_file(r) : std::nullopt;
}

bool TestDriver::confirm(const std::string& question) { return m_hooks.on_confirm ? m_hooks.on_confirm(question) : true; }

void ScriptedDriver::run(Dialog& d) {
    while (!d.done()) {
        before_action(d);
        auto line = m_in.read_line(action_prompt());
        if (!line) {
            m_out << text(Msg::NoInput, d.name()) << "\n";
            return;
        }
        auto action = parse_action(*line);
        if (!action) {
            m_out << action.error().what() << "\n";
            continue;
        }
        if (action->kind == ActionKind::End) return;
        auto st = apply_action(d, *action, m_out);
        // A failed dialog is reported by the engine as it ends.
        if (!st && d.failure().empty()) m_out << st.error().what() << "\n";
    }
}

// One line: "cancel" (or "end") cancels, "file NAME" or any other text is
// the name, an empty line takes the default.
std::optional<std::string> ScriptedDriver::ask_file(const FiledRequest& r, const std::string& shown_default) {
    std::string prompt = r.title.empty() ? "File name" : r.title;
    if (!shown_default.empty()) prompt += " <" + shown_default + ">";
    auto line = m_in.read_line(prompt + ": ");
    if (!line) return std::nullopt;
    std::string t = trim(*line);
    if (t == "cancel" || t == "end") return std::nullopt;
    if (t.rfind("file ", 0) == 0) t = trim(t.substr(5));
    if (t.size() >= 2 && t.front() == '"' && t.back() == '"') t = t.substr(1, t.size() - 2);
    return t;
}

bool ScriptedDriver::confirm(const std::string& question) {
    auto line = m_in.read_line(question + " ");
    return line && is_yes(*line);
}

namespace {

std::vector<std::string> lines_of(const std::string& text) {
    std::vector<std::string> out;
    size_t start = 0;
    for (size_t nl = text.find('\n'); nl != std::string::npos; nl = text.find('\n', start)) {
        out.push_back(text.substr(start, nl - start));
        start = nl + 1;
    }
    if (start < text.size()) out.push_back(text.substr(start));
    return out;
}

// The error tile's line while it shows a message.
bool is_error_shown(const std::string& line) {
    return line.find("[error] = \"") != std::string::npos && line.size() >= 2 &&
           line.compare(line.size() - 2, 2, "\"\"") != 0;
}

}  // namespace

void TerminalDriver::before_action(const Dialog& d) {
    std::vector<std::string> now = lines_of(describe(d));
    if (&d != m_shown_dialog || m_shown.empty()) {
        for (const std::string& l : now) m_out << l << "\n";
    } else {
        // A line is new when the last showing did not have it at that place.
        for (size_t i = 1; i < now.size(); ++i) {
            bool same = i < m_shown.size() && m_shown[i] == now[i];
            if (!same || is_error_shown(now[i])) m_out << now[i] << "\n";
        }
    }
    m_shown_dialog = &d;
    m_shown = std::move(now);
}

std::optional<std::string> TerminalDriver::ask_file(const FiledRequest& r, const std::string& shown_default) {
    m_out << "File dialog \"" << r.title << "\"";
    if (!r.ext.empty()) m_out << " (*." << r.ext << ")";
    m_out << ": type a file name (a bare name is in the folder shown), * or ? to list the files,\n"
             "an empty line for the default, or cancel\n";
    return ScriptedDriver::ask_file(r, shown_default);
}

}  // namespace cadhost::dcl
