// Checked access to built-in arguments.
#include "args.h"

#include "printer.h"

namespace cadhost::lisp {

void bad_type(Pred p, const Value& v) { raise_bad_type(p, print_value(v, PrintStyle::Prin1)); }

std::optional<Point> value_point(const Value& v) {
    std::vector<Value> xs;
    const Value* q = &v;
    for (; q->is_cons() && xs.size() < 4; q = &q->cdr()) xs.push_back(q->car());
    if (!q->is_nil() || xs.size() < 2 || xs.size() > 3) return std::nullopt;
    for (const auto& x : xs)
        if (!x.is_number()) return std::nullopt;
    return Point{xs[0].as_real(), xs[1].as_real(), xs.size() == 3 ? xs[2].as_real() : 0.0,
                 static_cast<uint8_t>(xs.size())};
}

Value point_value(const Point& p) {
    std::vector<Value> xs{Value::real(p.x), Value::real(p.y)};
    if (p.dims != 2) xs.push_back(Value::real(p.z));
    return list_of(xs);
}

void Args::count(size_t min, size_t max) const {
    if (m_values.size() < min) raise(Msg::TooFew);
    if (m_values.size() > max) raise(Msg::TooMany);
}

double Args::number(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (!m_values[i].is_number()) bad_type(Pred::Numberp, m_values[i]);
    return m_values[i].as_real();
}

int32_t Args::integer(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::Int) bad_type(Pred::Fixnump, m_values[i]);
    return m_values[i].as_int();
}

const std::string& Args::string(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::Str) bad_type(Pred::Stringp, m_values[i]);
    return m_values[i].text();
}

const Value& Args::list(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (!m_values[i].is_list()) bad_type(Pred::Listp, m_values[i]);
    return m_values[i];
}

const Value& Args::cons(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (!m_values[i].is_cons()) bad_type(Pred::Consp, m_values[i]);
    return m_values[i];
}

const Value& Args::symbol(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::Sym) bad_type(Pred::Symbolp, m_values[i]);
    return m_values[i];
}

EntityRef Args::ename(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::Ename) bad_type(Pred::Lentityp, m_values[i]);
    return m_values[i].as_ename();
}

SelSet Args::pickset(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::Pickset) bad_type(Pred::Lselsetp, m_values[i]);
    return SelSet{m_values[i].as_id()};
}

uint64_t Args::file(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    if (m_values[i].kind() != Kind::File) bad_type(Pred::Streamp, m_values[i]);
    return m_values[i].as_id();
}

Point Args::point(size_t i) const {
    if (!has(i)) raise(Msg::TooFew);
    auto p = value_point(m_values[i]);
    if (!p) bad_type(Pred::Point, m_values[i]);
    return *p;
}

std::optional<std::string> Args::opt_string(size_t i) const {
    if (!has(i) || m_values[i].is_nil()) return std::nullopt;
    return string(i);
}

std::optional<Point> Args::opt_point(size_t i) const {
    if (!has(i) || m_values[i].is_nil()) return std::nullopt;
    return point(i);
}

}  // namespace cadhost::lisp
