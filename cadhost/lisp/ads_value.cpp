// Conversions between Lisp values and application item chains.
#include "ads_value.h"

#include "messages.h"
#include "printer.h"

namespace cadhost::lisp {

namespace {
constexpr int k_max_depth = 1000;

// Out of line: building the variant inline trips a false uninitialized warning.
[[gnu::noinline]] void push(AdsList& out, int restype, AdsPayload value) {
    out.push_back(AdsValue{restype, std::move(value)});
}

bool as_point(const Value& v, PointRule rule, Point& p) {
    std::vector<Value> items;
    const Value* q = &v;
    for (; q->is_cons() && items.size() < 4; q = &q->cdr()) items.push_back(q->car());
    if (!q->is_nil() || items.size() < 2 || items.size() > 3) return false;
    for (const auto& i : items) {
        if (rule == PointRule::RealsOnly ? i.kind() != Kind::Real : !i.is_number()) return false;
    }
    p.x = items[0].as_real();
    p.y = items[1].as_real();
    p.z = items.size() == 3 ? items[2].as_real() : 0.0;
    p.dims = static_cast<uint8_t>(items.size());
    return true;
}

Status append_at(AdsList& out, const Value& v, PointRule rule, int depth) {
    if (depth > k_max_depth) return error_of(Msg::StackOverflow);
    switch (v.kind()) {
    case Kind::Nil: push(out, rt::Nil, {}); return ok_status();
    case Kind::Int:
        if (v.as_int() >= -32768 && v.as_int() <= 32767) push(out, rt::Short, v.as_int());
        else push(out, rt::Long, v.as_int());
        return ok_status();
    case Kind::Real: push(out, rt::Real, v.as_real()); return ok_status();
    case Kind::Str: push(out, rt::Str, v.text()); return ok_status();
    case Kind::Sym:
        if (v.is_symbol("T")) push(out, rt::T, {});
        else push(out, rt::Str, v.text());
        return ok_status();
    case Kind::Ename: push(out, rt::Ename, v.as_ename()); return ok_status();
    case Kind::Pickset: push(out, rt::Picks, SelSet{v.as_id()}); return ok_status();
    case Kind::Cons: break;
    default:
        return error_of(std::string(message_text(Msg::BadArgType)) + print_value(v, PrintStyle::Prin1));
    }
    Point p;
    if (as_point(v, rule, p)) {
        push(out, p.dims == 2 ? rt::Point : rt::Point3d, p);
        return ok_status();
    }
    push(out, rt::ListBegin, {});
    const Value* q = &v;
    for (; q->is_cons(); q = &q->cdr()) CH_TRY(append_at(out, q->car(), rule, depth + 1));
    if (q->is_nil()) {
        push(out, rt::ListEnd, {});
    } else {
        CH_TRY(append_at(out, *q, rule, depth + 1));
        push(out, rt::DotEnd, {});
    }
    return ok_status();
}

Value point_value(const Point& p, int restype) {
    std::vector<Value> xs{Value::real(p.x), Value::real(p.y)};
    if (restype != rt::Point) xs.push_back(Value::real(p.z));
    return list_of(xs);
}

class ChainReader {
public:
    explicit ChainReader(const AdsList& items) : m_items(items) {}
    bool done() const { return m_pos >= m_items.size(); }
    Result<Value> read(int depth);

private:
    Result<Value> read_list(int depth);
    const AdsList& m_items;
    size_t m_pos = 0;
};

Result<Value> ChainReader::read(int depth) {
    if (depth > k_max_depth) return error_of(Msg::StackOverflow);
    const AdsValue& it = m_items[m_pos++];
    switch (it.restype) {
    case rt::Nil:
    case rt::None:
    case rt::Void: return Value();
    case rt::T: return Value::t();
    case rt::Short:
    case rt::Long:
        if (auto i = std::get_if<int32_t>(&it.value)) return Value::integer(*i);
        break;
    case rt::Real:
    case rt::Angle:
    case rt::Orint:
        if (auto d = std::get_if<double>(&it.value)) return Value::real(*d);
        break;
    case rt::Str:
        if (auto s = std::get_if<std::string>(&it.value)) return Value::string(*s);
        break;
    case rt::Point:
    case rt::Point3d:
        if (auto p = std::get_if<Point>(&it.value)) return point_value(*p, it.restype);
        break;
    case rt::Ename:
        if (auto e = std::get_if<EntityRef>(&it.value)) return Value::ename(*e);
        break;
    case rt::Picks:
        if (auto s = std::get_if<SelSet>(&it.value)) return Value::pickset(s->id);
        break;
    case rt::ListBegin: return read_list(depth + 1);
    default: break;
    }
    return error_of(std::string(message_text(Msg::BadArgValue)) + "restype " + std::to_string(it.restype));
}

Result<Value> ChainReader::read_list(int depth) {
    std::vector<Value> items;
    while (!done()) {
        int t = m_items[m_pos].restype;
        if (t == rt::ListEnd || t == rt::DotEnd) {
            ++m_pos;
            if (t == rt::ListEnd) return list_of(items);
            if (items.size() < 2) return error_of(Msg::MisplacedDot);
            Value r = items.back();
            for (size_t i = items.size() - 1; i-- > 0;) r = Value::cons(items[i], r);
            return r;
        }
        items.push_back(CH_TRY(read(depth)));
    }
    return error_of(Msg::MalformedList);
}
}  // namespace

Status append_ads(AdsList& out, const Value& v, PointRule rule) { return append_at(out, v, rule, 0); }

Result<AdsList> to_ads(const Value& v, PointRule rule) {
    AdsList out;
    CH_TRY(append_ads(out, v, rule));
    return out;
}

Result<Value> from_ads(const AdsList& items) {
    ChainReader reader(items);
    std::vector<Value> values;
    while (!reader.done()) values.push_back(CH_TRY(reader.read(0)));
    if (values.empty()) return Value();
    if (values.size() == 1) return values[0];
    return list_of(values);
}

}  // namespace cadhost::lisp
