// Where command-line input comes from, in order: answers pending from a
// command call, the running script(s), then the terminal or standard input.
// Input is a stream of characters; a blank or a line end ends one answer, so
// an empty line (or a second blank) is an empty answer, which is Enter.
#pragma once

#include <deque>
#include <istream>
#include <optional>
#include <string>
#include <vector>

#include "core/value.h"

namespace cadhost::host {

enum class ReadMode {
    Token,  // ends at a blank or a line end
    Line,   // ends at a line end only (text with spaces)
};

// What Tab completes in the line being typed at a terminal.
enum class Completion { None, Command, File };

// One line typed at a terminal.
struct TypedLine {
    enum class Kind {
        Text,    // a line ended with Enter
        Cancel,  // Ctrl-C or Escape
        EndKey,  // Ctrl-D on an empty line: the person asks to end
        Closed,  // the terminal is gone
    };
    Kind kind = Kind::Closed;
    std::string text;
};

// A person's terminal: shows what was printed of the current line as the
// prompt, with `more` after it, and returns the line typed.
class LineSource {
public:
    virtual ~LineSource() = default;
    virtual TypedLine read_line(const std::string& more, Completion completion) = 0;
};

// Ctrl-C noticed by a signal handler (async-signal-safe), and taking it:
// the next input read or break check sees it once.
void note_user_break();
bool take_user_break();

struct Answer {
    enum class Kind { Text, Cancel, End, Objects };  // End: no more input anywhere
    Kind kind = Kind::End;
    std::string text;
    bool end_key = false;  // End: Ctrl-D at a terminal that is still there
    std::vector<EntityRef> objects;  // Objects: entities given by an application
    bool from_script = false;
    static Answer of_text(std::string t) {
        bool cancel = t.size() == 2 && t[0] == '^' && t[1] == 'C';
        Answer a;
        a.kind = cancel ? Kind::Cancel : Kind::Text;
        a.text = std::move(t);
        return a;
    }
    static Answer of_objects(std::vector<EntityRef> o) {
        Answer a;
        a.kind = Kind::Objects;
        a.objects = std::move(o);
        return a;
    }
    // A number or point an application gave as a value: its text is made
    // only for a prompt that reads text, so a prompt for that kind of value
    // takes it as it is.
    enum class Typed : uint8_t { None, Real, Point };
    Typed typed = Typed::None;
    Point value;  // a real in x
    static Answer of_real(double d) {
        Answer a;
        a.kind = Kind::Text;
        a.typed = Typed::Real;
        a.value.x = d;
        return a;
    }
    static Answer of_point(const Point& p) {
        Answer a;
        a.kind = Kind::Text;
        a.typed = Typed::Point;
        a.value = p;
        return a;
    }
    // Gives a typed answer its text, the text the value would be typed as;
    // the value stays.
    void spell();
};

// Numbers and points as typed answers: shortest text that reads back exactly.
std::string real_text(double d);
std::string point_text(const Point& p);  // "x,y" or "x,y,z" by the point's dimensions

class Input {
public:
    // Answers given by a command call; each is one whole answer.
    void push_pending(std::vector<Answer> answers);
    Answer pop_pending();
    void clear_pending() { m_pending.clear(); }
    bool has_pending() const { return !m_pending.empty(); }
    // A script's text; a script started from a script replaces it, as the
    // host does (the rest of the calling script is dropped).
    void start_script(std::string text, std::string name);
    // A menu macro's answers, read before what was being read (which goes
    // on afterwards). At each of `pauses` (offsets into `text`, ascending)
    // the macro waits: one answer comes from the sources below it, then the
    // macro goes on. A cancel or the end of input there ends the macro.
    void start_macro(std::string text, std::vector<size_t> pauses, std::string name);
    void stop_scripts() { m_scripts.clear(); }
    bool in_script() const { return !m_scripts.empty(); }
    // The base stream; terminal selects line editing and echo behaviour.
    void set_base(std::istream* in, bool terminal) { m_base = in; m_terminal = terminal; }
    // A terminal with line editing as the base; it replaces the stream.
    void set_line_source(LineSource* term) {
        m_term = term;
        m_terminal = term != nullptr || m_terminal;
    }
    bool base_is_terminal() const { return m_terminal; }
    // What Tab completes at the next terminal read; set by the prompt asking.
    void set_completion(Completion c) { m_completion = c; }
    Completion completion() const { return m_completion; }
    // Whether the line being read has more on it: "HELP LINE" typed on one
    // line, or a command call's answers still waiting.
    bool has_more_on_line() const;
    // Whether a line was read from the terminal since the last call: the
    // person's Enter (or Ctrl-C) has put the cursor at the start of a line.
    bool take_typed() {
        bool t = m_typed;
        m_typed = false;
        return t;
    }
    // Whether the next answer would come from the terminal (no queue, no script).
    bool interactive() const { return m_pending.empty() && m_scripts.empty() && m_terminal; }

    Answer read(ReadMode mode);
    // A whole Lisp expression starting with the "(" already at the front of
    // the current source: reads up to the matching paren (strings and
    // comments respected) across line ends.
    // Returns nullopt when the expression is cancelled at the terminal.
    std::optional<std::string> read_balanced(const std::string& first);

private:
    struct Source {
        std::string text;
        size_t pos = 0;
        std::string name;
        bool line_ended = true;  // the last answer taken ended its line
        std::vector<size_t> pauses;  // offsets where the user gives an answer, ascending
        bool at_pause() const { return !pauses.empty() && pauses.front() <= pos; }
    };
    // An answer from the first `top` scripts (innermost last), then the base.
    Answer read_below(size_t top, ReadMode mode);
    std::optional<std::string> from_source(Source& s, ReadMode mode);
    // Reads the next base line; at a terminal `more` follows the prompt.
    bool fill_base(const std::string& more = "");
    Answer read_terminal_end();
    std::deque<Answer> m_pending;
    std::vector<Source> m_scripts;
    long m_last_source = -1;  // script the last answer came from, -1 for the base (read_balanced goes on there)
    Source m_base_buf;             // what has been read of the base stream
    std::istream* m_base = nullptr;
    bool m_terminal = false;
    LineSource* m_term = nullptr;  // line editing at a terminal, or null
    Completion m_completion = Completion::None;
    TypedLine::Kind m_last_typed = TypedLine::Kind::Text;
    bool m_typed = false;
    // The last answer taken from a source ended at a blank or line end,
    // not with the source's text (answers given by a call count as ended).
    bool m_separated = true;
};

}  // namespace cadhost::host
