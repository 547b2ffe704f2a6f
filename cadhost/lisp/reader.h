// Reads Lisp forms from source text with the host's rules: quote, line and
// block comments, string escapes, dotted pairs, numbers.
#pragma once

#include <string>
#include <string_view>

#include "messages.h"
#include "value.h"

namespace cadhost::lisp {

enum class ReadStatus {
    Form,        // value holds the form read
    End,         // only blanks and comments were left
    Incomplete,  // the text ends inside a list, string or comment
    Error,       // error holds the message (extra paren, misplaced dot, ...)
};

struct ReadOutcome {
    ReadStatus status = ReadStatus::End;
    Value value;
    Msg error = Msg::MalformedList;  // for Error, and for Incomplete as it reads when no more comes
    long line = 1;                   // where the form started or the error arose
};

class Reader {
public:
    explicit Reader(std::string_view text) : m_text(text) {}
    ReadOutcome next();
    size_t position() const { return m_pos; }

    // Whether text holds only complete forms: Form when it holds at least
    // one, End when it holds none, Incomplete or Error otherwise.
    static ReadStatus completeness(std::string_view text);
    // Where the first form of text ends, for input that mixes a form with
    // other tokens (script lines): end is the offset just after the form.
    struct Span {
        ReadStatus status;
        size_t end;
    };
    static Span first_form(std::string_view text);

private:
    struct Failure {
        ReadStatus status;
        Msg msg;
    };
    Value read_form(int depth);
    Value read_list(int depth);
    Value read_string();
    Value read_atom();
    // Skips blanks and comments; false when an unclosed block comment ends the text.
    bool skip_blanks();
    bool at_end() const { return m_pos >= m_text.size(); }
    char peek() const { return m_text[m_pos]; }
    void advance();

    std::string_view m_text;
    size_t m_pos = 0;
    long m_line = 1;
};

// Token text as a number when it reads as one; nil otherwise.
Value parse_number(std::string_view token);

}  // namespace cadhost::lisp
