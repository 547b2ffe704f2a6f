// The interpreter's error and prompt texts, kept in one table, and the error
// raised inside the interpreter when evaluation cannot go on.
#pragma once

#include <string>

#include "core/result.h"

namespace cadhost::lisp {

enum class Msg {
    ErrorPrefix,         // "; error: "
    BadArgType,          // bad argument type: <predicate><value>
    NoFunction,          // no function definition: NAME
    BadFunction,         // bad function: VALUE
    TooFew,
    TooMany,
    MalformedList,
    MalformedString,
    ExtraParen,
    MisplacedDot,
    DivideByZero,
    StackOverflow,
    QuitAbort,
    Cancelled,
    LoadFailed,          // LOAD failed: "name"
    ArxLoadFailed,
    BadDxfGroup,         // bad DXF group: GROUP
    BadList,             // bad list: VALUE
    BadArgValue,         // bad argument value: VALUE
    BadSsgetMode,
    ExternalFailed,
    NotAvailable,        // host facility missing
    BadDefun,
    Undefined,           // function undefined for argument: VALUE
    CommandFailed,       // a command that (command ...) ran ended in error
    Count
};

const char* message_text(Msg m);

// The type a bad argument should have had, as the message names it.
enum class Pred { Numberp, Fixnump, Stringp, Listp, Consp, Symbolp, Lentityp, Lselsetp, Streamp, Point, Count };
// The predicate with the separator the host puts before the value.
const char* predicate_text(Pred p);

// Errors carry the text the host prints after "; error: ".
struct LispError {
    std::string message;
    bool handled = false;  // *error* already ran for this error
};

inline Error error_of(std::string message) { return Error{std::move(message), {}, 0}; }
inline Error error_of(Msg m) { return error_of(message_text(m)); }

[[noreturn]] void raise(Msg m, const std::string& detail = "");
[[noreturn]] void raise_bad_type(Pred p, const std::string& printed_value);
[[noreturn]] void raise_text(const std::string& message);

}  // namespace cadhost::lisp
