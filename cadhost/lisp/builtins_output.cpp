// Output functions: princ, prin1, print, prompt, terpri. With a file
// argument the text goes to the file, otherwise through the host.
#include "builtins.h"

namespace cadhost::lisp {

namespace {
void emit(Interpreter& in, Args& a, size_t file_index, const std::string& text) {
    if (a.has(file_index) && !a[file_index].is_nil()) {
        // A closed file or a failed write is an error, not silently lost output.
        if (!in.host().write_text(a.file(file_index), text)) bad_type(Pred::Streamp, a[file_index]);
        return;
    }
    in.print(text);
}

Value fn_princ(Interpreter& in, Args& a) {
    a.count(0, 2);
    if (a.size() == 0) return Value::symbol("");  // the quiet symbol: prints nothing
    emit(in, a, 1, print_value(a[0], PrintStyle::Princ));
    return a[0];
}

Value fn_prin1(Interpreter& in, Args& a) {
    a.count(0, 2);
    if (a.size() == 0) return Value::symbol("");
    emit(in, a, 1, print_value(a[0], PrintStyle::Prin1));
    return a[0];
}

Value fn_print(Interpreter& in, Args& a) {
    a.count(0, 2);
    if (a.size() == 0) return Value::symbol("");
    emit(in, a, 1, "\n" + print_value(a[0], PrintStyle::Prin1) + " ");
    return a[0];
}

Value fn_prompt(Interpreter& in, Args& a) {
    a.count(1, 1);
    in.print(a.string(0));
    return {};
}

Value fn_terpri(Interpreter& in, Args& a) {
    a.count(0, 1);
    emit(in, a, 0, "\n");
    return {};
}

const Builtin k_output[] = {
    {"princ", SubrStyle::Function, fn_princ, nullptr},   {"prin1", SubrStyle::Function, fn_prin1, nullptr},
    {"print", SubrStyle::Function, fn_print, nullptr},   {"prompt", SubrStyle::Function, fn_prompt, nullptr},
    {"terpri", SubrStyle::Function, fn_terpri, nullptr},
};
}  // namespace

void register_output(Interpreter& in) { define_all(in, k_output); }

}  // namespace cadhost::lisp
