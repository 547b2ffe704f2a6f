// Texts of the interpreter's messages, as the host prints them.
#include "messages.h"

#include <array>

namespace cadhost::lisp {

namespace {
constexpr std::array<const char*, static_cast<size_t>(Msg::Count)> k_texts = {
    "; error: ",
    "bad argument type: ",
    "no function definition: ",
    "bad function: ",
    "too few arguments",
    "too many arguments",
    "malformed list on input",
    "malformed string on input",
    "extra right paren on input",
    "misplaced dot on input",
    "divide by zero",
    "stack overflow",
    "quit / exit abort",
    "Function cancelled",
    "LOAD failed: ",
    "ARXLOAD failed",
    "bad DXF group: ",
    "bad list: ",
    "bad argument value: ",
    "bad ssget mode string",
    "ADS request error",
    "not available: ",
    "bad DEFUN syntax",
    "function undefined for argument: ",
    "command failed",
};

constexpr std::array<const char*, static_cast<size_t>(Pred::Count)> k_predicates = {
    "numberp: ", "fixnump: ", "stringp ", "listp ", "consp ", "symbolp ",
    "lentityp ", "lselsetp ", "streamp ", "2D/3D point: ",
};
}  // namespace

const char* predicate_text(Pred p) { return k_predicates[static_cast<size_t>(p)]; }

void raise_bad_type(Pred p, const std::string& printed_value) {
    throw LispError{std::string(message_text(Msg::BadArgType)) + predicate_text(p) + printed_value};
}

const char* message_text(Msg m) { return k_texts[static_cast<size_t>(m)]; }

void raise(Msg m, const std::string& detail) { throw LispError{message_text(m) + detail}; }

void raise_text(const std::string& message) { throw LispError{message}; }

}  // namespace cadhost::lisp
