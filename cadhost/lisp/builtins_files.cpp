// File functions: open, close, read-line, write-line, findfile, load. The
// host opens and maps paths; the interpreter only holds its handles.
#include "builtins.h"

namespace cadhost::lisp {

namespace {
Value fn_open(Interpreter& in, Args& a) {
    a.count(2, 2);
    const std::string& path = a.string(0);
    std::string mode = lower(a.string(1));
    FileMode m;
    if (mode == "r") m = FileMode::Read;
    else if (mode == "w") m = FileMode::Write;
    else if (mode == "a") m = FileMode::Append;
    else raise(Msg::BadArgValue, a.string(1));
    auto h = in.host().open_file(path, m);
    return h ? Value::file(*h) : Value();
}

Value fn_close(Interpreter& in, Args& a) {
    a.count(1, 1);
    in.host().close_file(a.file(0));
    return {};
}

Value fn_read_line(Interpreter& in, Args& a) {
    a.count(0, 1);
    if (a.has(0) && !a[0].is_nil()) {
        auto line = in.host().read_line(a.file(0));
        return line ? Value::string(*line) : Value();
    }
    InputRequest req;
    req.spaces = Spaces::Allowed;
    InputReply r = in.host().get_input(req);
    if (r.status == InputStatus::Cancel) raise(Msg::Cancelled);
    auto s = std::get_if<std::string>(&r.value);
    return s ? Value::string(*s) : Value::string("");
}

Value fn_write_line(Interpreter& in, Args& a) {
    a.count(1, 2);
    const std::string& s = a.string(0);
    if (a.has(1) && !a[1].is_nil()) {
        if (!in.host().write_text(a.file(1), s + "\n")) bad_type(Pred::Streamp, a[1]);
    } else {
        in.print(s + "\n");
    }
    return a[0];
}

Value fn_findfile(Interpreter& in, Args& a) {
    a.count(1, 1);
    auto f = in.host().findfile(a.string(0));
    return f ? Value::string(*f) : Value();
}

// (getfiled title default ext flags): the host's file dialog; nil on cancel.
Value fn_getfiled(Interpreter& in, Args& a) {
    a.count(4, 4);
    auto f = in.host().getfiled(a.string(0), a.string(1), a.string(2), a.integer(3));
    return f ? Value::string(*f) : Value();
}

Value fn_load(Interpreter& in, Args& a) {
    a.count(1, 2);
    auto src = in.host().read_source(a.string(0));
    if (!src.ok()) {
        if (a.has(1)) return a[1];
        raise(Msg::LoadFailed, "\"" + a.string(0) + "\"");
    }
    return in.eval_loaded(src.value().text, src.value().path);
}

const Builtin k_files[] = {
    {"open", SubrStyle::Function, fn_open, nullptr},
    {"close", SubrStyle::Function, fn_close, nullptr},
    {"read-line", SubrStyle::Function, fn_read_line, nullptr},
    {"write-line", SubrStyle::Function, fn_write_line, nullptr},
    {"findfile", SubrStyle::Function, fn_findfile, nullptr},
    {"getfiled", SubrStyle::Function, fn_getfiled, nullptr},
    {"load", SubrStyle::Function, fn_load, nullptr},
};
}  // namespace

void register_files(Interpreter& in) { define_all(in, k_files); }

}  // namespace cadhost::lisp
