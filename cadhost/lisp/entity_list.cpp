// Group list <-> association list conversion, guided by the group code types.
#include "entity_list.h"

#include <cstdio>

#include "core/groupcode.h"
#include "messages.h"
#include "printer.h"

namespace cadhost::lisp {

namespace {
Value point_tail(const Point& p) {
    std::vector<Value> xs{Value::real(p.x), Value::real(p.y)};
    if (p.dims != 2) xs.push_back(Value::real(p.z));
    return list_of(xs);
}

std::string to_hex(const Binary& b) {
    std::string s;
    char buf[4];
    for (uint8_t byte : b) {
        std::snprintf(buf, sizeof buf, "%02X", byte);
        s += buf;
    }
    return s;
}

Value group_value(const GroupValue& v) {
    struct Visit {
        Value operator()(double d) const { return Value::real(d); }
        Value operator()(const Point& p) const { return point_tail(p); }
        Value operator()(int16_t i) const { return Value::integer(i); }
        Value operator()(int32_t i) const { return Value::integer(i); }
        Value operator()(int64_t i) const {
            if (i >= INT32_MIN && i <= INT32_MAX) return Value::integer(static_cast<int32_t>(i));
            return Value::real(static_cast<double>(i));
        }
        Value operator()(const std::string& s) const { return Value::string(s); }
        Value operator()(EntityRef r) const { return Value::ename(r); }
        Value operator()(const Binary& b) const { return Value::string(to_hex(b)); }
    };
    return std::visit(Visit{}, v);
}

Value group_pair(const Group& g) { return Value::cons(Value::integer(g.code), group_value(g.value)); }

Value xdata_apps(const GroupList& groups, size_t from) {
    std::vector<Value> apps;
    std::vector<Value> current;
    auto flush = [&] {
        if (!current.empty()) apps.push_back(list_of(current));
        current.clear();
    };
    for (size_t i = from; i < groups.size(); ++i) {
        const Group& g = groups[i];
        if (g.code == 1001) {
            flush();
            current.push_back(group_value(g.value));
        } else {
            current.push_back(group_pair(g));
        }
    }
    flush();
    return list_of(apps);
}

[[noreturn]] void bad_group(const Value& pair) { raise(Msg::BadDxfGroup, print_value(pair, PrintStyle::Prin1)); }

bool point_from(const Value& tail, Point& p) {
    std::vector<Value> xs = list_items(tail);
    const Value* q = &tail;
    while (q->is_cons()) q = &q->cdr();
    if (!q->is_nil() || xs.size() < 2 || xs.size() > 3) return false;
    for (const auto& x : xs)
        if (!x.is_number()) return false;
    p = Point{xs[0].as_real(), xs[1].as_real(), xs.size() == 3 ? xs[2].as_real() : 0.0,
              static_cast<uint8_t>(xs.size())};
    return true;
}

bool binary_from(const std::string& hex, Binary& out) {
    if (hex.size() % 2) return false;
    for (size_t i = 0; i < hex.size(); i += 2) {
        unsigned v = 0;
        if (std::sscanf(hex.c_str() + i, "%2x", &v) != 1) return false;
        out.push_back(static_cast<uint8_t>(v));
    }
    return true;
}

// A value whose code gives no type: kept as the Lisp value's own kind.
GroupValue untyped_value(const Value& pair) {
    const Value& v = pair.cdr();
    Point p;
    switch (v.kind()) {
    case Kind::Str: return v.text();
    case Kind::Int: return v.as_int();
    case Kind::Real: return v.as_real();
    case Kind::Ename: return v.as_ename();
    case Kind::Cons:
        if (point_from(v, p)) return p;
        break;
    default: break;
    }
    bad_group(pair);
}

GroupValue typed_value(const Value& pair, int code) {
    const Value& v = pair.cdr();
    Point p;
    Binary bin;
    switch (group_type(code)) {
    case GroupType::String:
    case GroupType::Comment:
        if (v.kind() == Kind::Str) return v.text();
        break;
    case GroupType::Point:
        if (point_from(v, p)) return p;
        break;
    case GroupType::Coord:
    case GroupType::Real:
    case GroupType::Angle:
        if (v.is_number()) return v.as_real();
        break;
    case GroupType::Int16:
    case GroupType::Bool:
        if (v.kind() == Kind::Int && v.as_int() >= INT16_MIN && v.as_int() <= INT16_MAX)
            return static_cast<int16_t>(v.as_int());
        break;
    case GroupType::Int32:
        if (v.kind() == Kind::Int) return v.as_int();
        break;
    case GroupType::Int64:
        if (v.kind() == Kind::Int) return static_cast<int64_t>(v.as_int());
        if (v.kind() == Kind::Real) return static_cast<int64_t>(v.as_real());
        break;
    case GroupType::Hex:
        if (v.kind() == Kind::Str && binary_from(v.text(), bin)) return bin;
        break;
    case GroupType::Pointer:
        if (v.kind() == Kind::Ename) return v.as_ename();
        if (v.kind() == Kind::Str) return v.text();
        break;
    case GroupType::Unknown: return untyped_value(pair);
    }
    bad_group(pair);
}

void append_xdata(GroupList& out, const Value& pair) {
    if (!pair.cdr().is_list()) bad_group(pair);
    out.push_back(make_group(-3, std::string()));
    for (const Value& app : list_items(pair.cdr())) {
        if (!app.is_cons() || app.car().kind() != Kind::Str) bad_group(pair);
        out.push_back(make_group(1001, app.car().text()));
        for (const Value& g : list_items(app.cdr())) {
            if (!g.is_cons() || g.car().kind() != Kind::Int) bad_group(g);
            out.push_back({g.car().as_int(), typed_value(g, g.car().as_int())});
        }
    }
}
}  // namespace

Value groups_to_alist(const GroupList& groups) {
    std::vector<Value> items;
    for (size_t i = 0; i < groups.size(); ++i) {
        if (groups[i].code == -3) {
            items.push_back(Value::cons(Value::integer(-3), xdata_apps(groups, i + 1)));
            break;
        }
        items.push_back(group_pair(groups[i]));
    }
    return list_of(items);
}

Result<GroupList> alist_to_groups(const Value& alist) {
    GroupList out;
    try {
        const Value* q = &alist;
        for (; q->is_cons(); q = &q->cdr()) {
            const Value& pair = q->car();
            if (!pair.is_cons() || pair.car().kind() != Kind::Int) bad_group(pair);
            int code = pair.car().as_int();
            if (code == -3) append_xdata(out, pair);
            else out.push_back({code, typed_value(pair, code)});
        }
        if (!q->is_nil()) raise(Msg::BadList, print_value(*q, PrintStyle::Prin1));
    } catch (const LispError& e) {
        return error_of(e.message);
    }
    return out;
}

}  // namespace cadhost::lisp
