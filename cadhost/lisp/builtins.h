// Registration of the built-in function families.
#pragma once

#include "args.h"
#include "interpreter.h"

namespace cadhost::lisp {

void register_control(Interpreter& in);     // special forms and evaluation
void register_math(Interpreter& in);
void register_strings(Interpreter& in);
void register_lists(Interpreter& in);
void register_predicates(Interpreter& in);
void register_output(Interpreter& in);
void register_files(Interpreter& in);
void register_host(Interpreter& in);        // variables, commands, entities, selections
void register_input(Interpreter& in);       // get* and initget

// Lisp equality as equal sees it; fuzz applies to numbers.
bool lisp_equal(const Value& a, const Value& b, double fuzz);

template <size_t N>
void define_all(Interpreter& in, const Builtin (&table)[N]) {
    for (const auto& b : table) in.define_builtin(&b);
}

}  // namespace cadhost::lisp
