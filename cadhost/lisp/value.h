// Lisp values: a small tagged handle; strings, symbols, cons cells and
// functions live in reference-counted objects shared between handles.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/value.h"

namespace cadhost::lisp {

class Interpreter;
class Args;
class Value;

enum class Kind : uint8_t {
    Nil,
    Int,
    Real,
    Str,
    Sym,
    Cons,
    Ename,
    Pickset,
    File,
    Subr,    // built-in function or special form
    Usubr,   // function made by defun or lambda
    Exsubr,  // function registered by an application
};

enum class SubrStyle : uint8_t { Function, SpecialForm };

// A built-in: functions receive evaluated arguments, special forms the
// unevaluated argument list.
struct Builtin {
    const char* name;
    SubrStyle style;
    Value (*function)(Interpreter&, Args&);
    Value (*special)(Interpreter&, const Value& forms);
};

struct Object {
    virtual ~Object() = default;
};

class Value {
public:
    Value() = default;
    static Value integer(int32_t v);
    static Value real(double v);
    static Value string(std::string s);
    static Value symbol(std::string name);  // name is upper-cased
    static Value cons(Value car, Value cdr);
    static Value ename(EntityRef ref);
    static Value pickset(uint64_t id);
    static Value file(uint64_t handle);
    static Value subr(const Builtin* b);
    static Value usubr(Value definition, std::string name);
    static Value exsubr(std::string name, int app, int code);
    static Value t();
    static Value boolean(bool b) { return b ? t() : Value(); }

    Kind kind() const { return m_kind; }
    bool is_nil() const { return m_kind == Kind::Nil; }
    bool is_cons() const { return m_kind == Kind::Cons; }
    bool is_list() const { return m_kind == Kind::Nil || m_kind == Kind::Cons; }
    bool is_number() const { return m_kind == Kind::Int || m_kind == Kind::Real; }
    bool is_function() const;
    bool is_symbol(const char* upper_name) const;

    int32_t as_int() const { return m_int; }
    double as_real() const { return m_kind == Kind::Int ? double(m_int) : m_real; }
    uint64_t as_id() const { return m_id; }
    EntityRef as_ename() const { return EntityRef{m_id}; }
    const Builtin* as_subr() const { return m_subr; }
    // Text of strings and names of symbols.
    const std::string& text() const;
    // Cons parts; nil for anything that is not a cons.
    const Value& car() const;
    const Value& cdr() const;
    // User functions: the (args . body) list and the defun'd name.
    const Value& definition() const;
    const std::string& function_name() const;
    // External functions.
    int ex_app() const;
    int ex_code() const;

    // Identity as eq sees it.
    bool same(const Value& other) const;

private:
    friend struct ConsObj;
    Kind m_kind = Kind::Nil;
    union {
        int32_t m_int;
        double m_real;
        uint64_t m_id;
        const Builtin* m_subr = nullptr;
    };
    std::shared_ptr<Object> m_obj;
};

struct StrObj : Object {
    explicit StrObj(std::string s) : text(std::move(s)) {}
    std::string text;
};

struct ConsObj : Object {
    ConsObj(Value a, Value d) : car(std::move(a)), cdr(std::move(d)) {}
    ~ConsObj() override;  // frees long and deep lists without recursion
    Value car, cdr;
};

struct FuncObj : Object {
    FuncObj(Value d, std::string n) : definition(std::move(d)), name(std::move(n)) {}
    Value definition;
    std::string name;
};

struct ExObj : Object {
    ExObj(std::string n, int a, int c) : name(std::move(n)), app(a), code(c) {}
    std::string name;
    int app, code;
};

// List helpers.
Value list_of(const std::vector<Value>& items);
// Elements of a proper list; the dotted tail, if any, is dropped.
std::vector<Value> list_items(const Value& list);
std::string upper(std::string s);
std::string lower(std::string s);

}  // namespace cadhost::lisp
