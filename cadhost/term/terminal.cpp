// Line editing at a terminal with libedit. Keys are read here rather than
// by libedit so that Ctrl-C (a signal that interrupts the read) and a lone
// Escape (no other byte follows it at once, unlike the arrow keys' "ESC [")
// can end the line as a cancel.
#include "term/terminal.h"

#include <histedit.h>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cctype>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace cadhost::term {

namespace {

constexpr int kEscapeWaitMs = 40;  // bytes of one key sequence arrive together
constexpr int kHistorySize = 1000;

enum class ByteRead { Byte, End, Interrupted };

// The interrupt handler also writes a byte here, so that a read waiting
// for a key wakes even when the signal came just before it began to wait.
int g_wake[2] = {-1, -1};

void on_interrupt(int) {
    host::note_user_break();
    if (g_wake[1] >= 0) {
        ssize_t n = ::write(g_wake[1], "!", 1);
        (void)n;  // a full pipe already holds a wake-up
    }
}

bool same_letter(char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == std::toupper(static_cast<unsigned char>(b));
}

int char_count(const std::string& s) {
    int n = 0;
    for (unsigned char c : s)
        if ((c & 0xC0) != 0x80) ++n;
    return n;
}

}  // namespace

struct Terminal::Editor {
    EditLine* el = nullptr;
    History* hist = nullptr;
    HistEvent ev{};
};

std::string common_prefix(const std::vector<std::string>& candidates) {
    if (candidates.empty()) return "";
    std::string p = candidates[0];
    for (const std::string& c : candidates) {
        size_t n = 0;
        while (n < p.size() && n < c.size() && same_letter(p[n], c[n])) ++n;
        p.resize(n);
    }
    return p;
}

std::string Terminal::default_history_file() {
    const char* state = getenv("XDG_STATE_HOME");
    std::string base;
    if (state && *state) base = state;
    else if (const char* home = getenv("HOME"); home && *home) base = std::string(home) + "/.local/state";
    else return "";
    return base + "/cadhost/history";
}

void Terminal::catch_interrupts() {
    if (g_wake[0] < 0 && pipe2(g_wake, O_CLOEXEC | O_NONBLOCK) != 0) {
        perror("cadhost: cannot catch Ctrl-C");
        return;
    }
    struct sigaction sa {};
    sa.sa_handler = on_interrupt;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = 0;  // no SA_RESTART: a read waiting for a key is interrupted
    sigaction(SIGINT, &sa, nullptr);
}

Terminal::Terminal(int in_fd, std::string history_file)
    : m_fd(in_fd), m_history_file(std::move(history_file)), m_editor(new Editor) {
    m_editor->hist = history_init();
    history(m_editor->hist, &m_editor->ev, H_SETSIZE, kHistorySize);
    history(m_editor->hist, &m_editor->ev, H_SETUNIQUE, 1);
    // A first session has no history file yet; that is not an error.
    if (!m_history_file.empty() && std::filesystem::exists(m_history_file))
        if (history(m_editor->hist, &m_editor->ev, H_LOAD, m_history_file.c_str()) < 0)
            fprintf(stderr, "cadhost: cannot read the history file %s\n", m_history_file.c_str());
    EditLine* el = el_init("cadhost", stdin, stdout, stderr);
    m_editor->el = el;
    el_set(el, EL_CLIENTDATA, this);
    el_set(el, EL_EDITOR, "emacs");
    el_set(el, EL_SIGNAL, 0);
    el_set(el, EL_PROMPT, &Terminal::prompt_text);
    el_set(el, EL_GETCFN, &Terminal::get_char);
    el_set(el, EL_HIST, history, m_editor->hist);
    el_set(el, EL_ADDFN, "cadhost-complete", "complete a command or file name", &Terminal::complete);
    el_set(el, EL_BIND, "^I", "cadhost-complete", nullptr);
}

Terminal::~Terminal() {
    flush();
    el_end(m_editor->el);
    history_end(m_editor->hist);
    delete m_editor;
}

void Terminal::write(std::string_view text) {
    size_t nl = text.rfind('\n');
    if (nl == std::string_view::npos) {
        m_held.append(text);
        return;
    }
    fwrite(m_held.data(), 1, m_held.size(), stdout);
    fwrite(text.data(), 1, nl + 1, stdout);
    m_held.assign(text.substr(nl + 1));
}

void Terminal::flush() {
    fwrite(m_held.data(), 1, m_held.size(), stdout);
    m_held.clear();
    fflush(stdout);
}

char* Terminal::prompt_text(EditLine* el) {
    Terminal* t = nullptr;
    el_get(el, EL_CLIENTDATA, &t);
    return t->m_prompt.data();
}

int Terminal::read_byte(unsigned char& c) {
    for (;;) {
        pollfd p[2] = {{m_fd, POLLIN, 0}, {g_wake[0], POLLIN, 0}};
        int ready = poll(p, g_wake[0] >= 0 ? 2 : 1, -1);
        if (ready < 0 && errno != EINTR) break;
        if (g_wake[0] >= 0 && (p[1].revents & POLLIN)) {
            char drain[16];
            while (::read(g_wake[0], drain, sizeof drain) > 0) {
            }
        }
        // A break someone else took already (a Lisp loop) is not a cancel here.
        if (host::take_user_break()) return static_cast<int>(ByteRead::Interrupted);
        if (ready <= 0 || !(p[0].revents & (POLLIN | POLLHUP | POLLERR))) continue;
        ssize_t n = ::read(m_fd, &c, 1);
        if (n == 1) return static_cast<int>(ByteRead::Byte);
        if (n < 0 && errno == EINTR) continue;
        break;
    }
    m_closed = true;
    return static_cast<int>(ByteRead::End);
}

int Terminal::get_char(EditLine* el, wchar_t* out) {
    Terminal* t = nullptr;
    el_get(el, EL_CLIENTDATA, &t);
    unsigned char c = 0;
    auto r = static_cast<ByteRead>(t->read_byte(c));
    if (r == ByteRead::End) {
        *out = 0;
        return 0;
    }
    bool lone_escape = false;
    if (r == ByteRead::Byte && c == 0x1b) {
        pollfd p{t->m_fd, POLLIN, 0};
        lone_escape = poll(&p, 1, kEscapeWaitMs) == 0;
    }
    // Ctrl-C read as a byte (the terminal not sending it as a signal) too.
    if (r == ByteRead::Interrupted || lone_escape || (r == ByteRead::Byte && c == 0x03)) {
        t->m_cancelled = true;
        *out = L'\n';  // ends the line; read_line drops it
        return 1;
    }
    // UTF-8: the lead byte tells how many continuation bytes follow.
    int more = c >= 0xF0 ? 3 : c >= 0xE0 ? 2 : c >= 0xC0 ? 1 : 0;
    wchar_t w = more == 3 ? (c & 0x07) : more == 2 ? (c & 0x0F) : more == 1 ? (c & 0x1F) : c;
    for (int i = 0; i < more; ++i) {
        unsigned char k = 0;
        if (static_cast<ByteRead>(t->read_byte(k)) != ByteRead::Byte) break;
        w = (w << 6) | (k & 0x3F);
    }
    *out = w;
    return 1;
}

unsigned char Terminal::complete(EditLine* el, int) {
    Terminal* t = nullptr;
    el_get(el, EL_CLIENTDATA, &t);
    if (t->m_completion == host::Completion::None || !t->m_completer) return CC_ERROR;
    const LineInfo* li = el_line(el);
    std::string before(li->buffer, li->cursor);
    // A command name is the last word; a file name is the whole answer.
    std::string word = before;
    if (t->m_completion == host::Completion::Command) {
        size_t sp = before.find_last_of(' ');
        if (sp != std::string::npos) word = before.substr(sp + 1);
    }
    std::vector<std::string> found = t->m_completer(t->m_completion, word);
    if (found.empty()) return CC_ERROR;
    std::string prefix = common_prefix(found);
    if (prefix.size() > word.size() || (found.size() == 1 && prefix != word)) {
        el_deletestr(el, char_count(word));
        el_insertstr(el, prefix.c_str());
        return CC_REFRESH;
    }
    if (found.size() == 1) return CC_REFRESH;
    // Nothing more in common: the choices are listed under the line.
    std::string list = "\n";
    for (const std::string& f : found) list += f + "  ";
    list += "\n";
    fwrite(list.data(), 1, list.size(), stdout);
    fflush(stdout);
    return CC_REDISPLAY;
}

void Terminal::add_history(const std::string& line) {
    if (line.find_first_not_of(' ') == std::string::npos) return;
    history(m_editor->hist, &m_editor->ev, H_ENTER, line.c_str());
    if (m_history_file.empty()) return;
    // Kept after every line, so that a session that is killed loses none.
    std::error_code ec;
    std::filesystem::create_directories(std::filesystem::path(m_history_file).parent_path(), ec);
    if (ec || history(m_editor->hist, &m_editor->ev, H_SAVE, m_history_file.c_str()) < 0) {
        fprintf(stderr, "cadhost: cannot write the history file %s; history is not kept\n", m_history_file.c_str());
        m_history_file.clear();
    }
}

host::TypedLine Terminal::read_line(const std::string& more, host::Completion completion) {
    m_prompt = m_held + more;
    m_held.clear();
    fflush(stdout);
    m_cancelled = false;
    m_completion = completion;
    int count = 0;
    const char* line = el_gets(m_editor->el, &count);
    if (m_cancelled) return {host::TypedLine::Kind::Cancel, ""};
    if (!line || count <= 0)
        return {m_closed ? host::TypedLine::Kind::Closed : host::TypedLine::Kind::EndKey, ""};
    std::string s(line, static_cast<size_t>(count));
    while (!s.empty() && (s.back() == '\n' || s.back() == '\r')) s.pop_back();
    add_history(s);
    return {host::TypedLine::Kind::Text, s};
}

}  // namespace cadhost::term
