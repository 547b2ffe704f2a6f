// Construction and access of Lisp values, and the non-recursive release of
// cons cells.
#include "value.h"

#include <cctype>

namespace cadhost::lisp {

namespace {
const Value& nil_value() {
    static const Value nil{};
    return nil;
}
const std::string& empty_text() {
    static const std::string empty;
    return empty;
}
}  // namespace

Value Value::integer(int32_t v) {
    Value r;
    r.m_kind = Kind::Int;
    r.m_int = v;
    return r;
}

Value Value::real(double v) {
    Value r;
    r.m_kind = Kind::Real;
    r.m_real = v;
    return r;
}

Value Value::string(std::string s) {
    Value r;
    r.m_kind = Kind::Str;
    r.m_obj = std::make_shared<StrObj>(std::move(s));
    return r;
}

Value Value::symbol(std::string name) {
    Value r;
    r.m_kind = Kind::Sym;
    r.m_obj = std::make_shared<StrObj>(upper(std::move(name)));
    return r;
}

Value Value::cons(Value car, Value cdr) {
    Value r;
    r.m_kind = Kind::Cons;
    r.m_obj = std::make_shared<ConsObj>(std::move(car), std::move(cdr));
    return r;
}

Value Value::ename(EntityRef ref) {
    Value r;
    r.m_kind = Kind::Ename;
    r.m_id = ref.id;
    return r;
}

Value Value::pickset(uint64_t id) {
    Value r;
    r.m_kind = Kind::Pickset;
    r.m_id = id;
    return r;
}

Value Value::file(uint64_t handle) {
    Value r;
    r.m_kind = Kind::File;
    r.m_id = handle;
    return r;
}

Value Value::subr(const Builtin* b) {
    Value r;
    r.m_kind = Kind::Subr;
    r.m_subr = b;
    return r;
}

Value Value::usubr(Value definition, std::string name) {
    Value r;
    r.m_kind = Kind::Usubr;
    r.m_obj = std::make_shared<FuncObj>(std::move(definition), upper(std::move(name)));
    return r;
}

Value Value::exsubr(std::string name, int app, int code) {
    Value r;
    r.m_kind = Kind::Exsubr;
    r.m_obj = std::make_shared<ExObj>(upper(std::move(name)), app, code);
    return r;
}

Value Value::t() {
    static const Value t_symbol = symbol("T");
    return t_symbol;
}

bool Value::is_function() const {
    return m_kind == Kind::Subr || m_kind == Kind::Usubr || m_kind == Kind::Exsubr;
}

bool Value::is_symbol(const char* upper_name) const {
    return m_kind == Kind::Sym && text() == upper_name;
}

const std::string& Value::text() const {
    if (m_kind == Kind::Str || m_kind == Kind::Sym) return static_cast<StrObj*>(m_obj.get())->text;
    return empty_text();
}

const Value& Value::car() const {
    if (m_kind != Kind::Cons) return nil_value();
    return static_cast<ConsObj*>(m_obj.get())->car;
}

const Value& Value::cdr() const {
    if (m_kind != Kind::Cons) return nil_value();
    return static_cast<ConsObj*>(m_obj.get())->cdr;
}

const Value& Value::definition() const {
    if (m_kind != Kind::Usubr) return nil_value();
    return static_cast<FuncObj*>(m_obj.get())->definition;
}

const std::string& Value::function_name() const {
    if (m_kind == Kind::Usubr) return static_cast<FuncObj*>(m_obj.get())->name;
    if (m_kind == Kind::Exsubr) return static_cast<ExObj*>(m_obj.get())->name;
    return empty_text();
}

int Value::ex_app() const { return m_kind == Kind::Exsubr ? static_cast<ExObj*>(m_obj.get())->app : 0; }
int Value::ex_code() const { return m_kind == Kind::Exsubr ? static_cast<ExObj*>(m_obj.get())->code : 0; }

bool Value::same(const Value& other) const {
    if (m_kind != other.m_kind) return false;
    switch (m_kind) {
    case Kind::Nil: return true;
    case Kind::Int: return m_int == other.m_int;
    case Kind::Real: return m_real == other.m_real;
    case Kind::Sym: return text() == other.text();
    case Kind::Ename:
    case Kind::Pickset:
    case Kind::File: return m_id == other.m_id;
    case Kind::Subr: return m_subr == other.m_subr;
    default: return m_obj == other.m_obj;
    }
}

// Cells whose only owner is the cell being released are detached onto a
// work list, so neither a long cdr chain nor a deep car nesting recurses.
ConsObj::~ConsObj() {
    std::vector<std::shared_ptr<Object>> pending;
    auto detach = [&pending](Value& v) {
        if (v.m_kind == Kind::Cons && v.m_obj.use_count() == 1) pending.push_back(std::move(v.m_obj));
    };
    detach(car);
    detach(cdr);
    while (!pending.empty()) {
        std::shared_ptr<Object> cell = std::move(pending.back());
        pending.pop_back();
        auto* c = static_cast<ConsObj*>(cell.get());
        detach(c->car);
        detach(c->cdr);
    }
}

Value list_of(const std::vector<Value>& items) {
    Value r;
    for (auto it = items.rbegin(); it != items.rend(); ++it) r = Value::cons(*it, std::move(r));
    return r;
}

std::vector<Value> list_items(const Value& list) {
    std::vector<Value> out;
    for (const Value* p = &list; p->is_cons(); p = &p->cdr()) out.push_back(p->car());
    return out;
}

std::string upper(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

std::string lower(std::string s) {
    for (auto& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

}  // namespace cadhost::lisp
