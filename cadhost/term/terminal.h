// A person at a terminal: line editing and a history kept across sessions
// (libedit), Tab completion, Ctrl-C and Escape as cancel, Ctrl-D as the
// request to end. Output is held back from the last line break on, so that
// the text the person answers (a prompt) is the line editor's own prompt.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "host/input.h"

struct editline;

namespace cadhost::term {

// Candidates for completing `word` (the text before the cursor that Tab
// completes); each candidate is a whole replacement for the word.
using Completer = std::function<std::vector<std::string>(host::Completion, const std::string& word)>;

class Terminal : public host::LineSource {
public:
    // in_fd is the terminal read from; the history file (empty for none)
    // is read now and written as lines are entered.
    Terminal(int in_fd, std::string history_file);
    ~Terminal() override;
    Terminal(const Terminal&) = delete;
    Terminal& operator=(const Terminal&) = delete;

    // The session's output: whole lines go out, the rest is held.
    void write(std::string_view text);
    // Writes what is held (before the process ends or another program runs).
    void flush();
    void set_completer(Completer c) { m_completer = std::move(c); }

    host::TypedLine read_line(const std::string& more, host::Completion completion) override;

    // $XDG_STATE_HOME/cadhost/history, or ~/.local/state/cadhost/history.
    static std::string default_history_file();
    // Ctrl-C (SIGINT) noted as a user break instead of ending the process.
    static void catch_interrupts();

private:
    struct Editor;
    static int get_char(editline* el, wchar_t* out);
    static unsigned char complete(editline* el, int key);
    static char* prompt_text(editline* el);
    int read_byte(unsigned char& c);
    void complete_word();
    void add_history(const std::string& line);

    int m_fd;
    std::string m_history_file;
    std::string m_held;    // output after the last line break
    std::string m_prompt;  // the prompt of the read in progress
    bool m_cancelled = false;  // the read in progress ended with Ctrl-C or Escape
    bool m_closed = false;     // the terminal gave end of file or an error
    host::Completion m_completion = host::Completion::None;
    Completer m_completer;
    Editor* m_editor = nullptr;
};

// The longest text every candidate starts with, letters compared without
// regard to case (the first candidate's spelling is kept).
std::string common_prefix(const std::vector<std::string>& candidates);

}  // namespace cadhost::term
