// Host access: system variables, commands, entities and tables, selection
// sets, alerts and application loading.
#include "builtins.h"
#include "entity_list.h"
#include "printer.h"

namespace cadhost::lisp {

namespace {
Value from_group_value(const GroupValue& v) {
    if (auto i = std::get_if<int16_t>(&v)) return Value::integer(*i);
    if (auto l = std::get_if<int32_t>(&v)) return Value::integer(*l);
    if (auto d = std::get_if<double>(&v)) return Value::real(*d);
    if (auto s = std::get_if<std::string>(&v)) return Value::string(*s);
    if (auto p = std::get_if<Point>(&v)) return point_value(*p);
    if (auto e = std::get_if<EntityRef>(&v)) return *e ? Value::ename(*e) : Value();
    return {};
}

GroupValue to_group_value(const Value& v) {
    switch (v.kind()) {
    case Kind::Int: return v.as_int();
    case Kind::Real: return v.as_real();
    case Kind::Str: return v.text();
    default:
        if (auto p = value_point(v)) return *p;
        bad_type(Pred::Numberp, v);
    }
}

GroupList groups_of(const Value& alist) {
    auto g = alist_to_groups(alist);
    if (!g.ok()) raise_text(g.error().message);
    return g.release();
}

Value ename_or_nil(EntityRef e) { return e ? Value::ename(e) : Value(); }
Value alist_or_nil(const std::optional<GroupList>& g) { return g ? groups_to_alist(*g) : Value(); }

// An entity with the point it was picked at, as entsel gives it.
bool is_pick(const Value& v) {
    return v.is_cons() && v.car().kind() == Kind::Ename && value_point(v.cdr().car()) && v.cdr().cdr().is_nil();
}

Value fn_command(Interpreter& in, Args& a) {
    AdsList items;
    for (const auto& v : a.values()) {
        if (v.is_cons() && !value_point(v) && !is_pick(v)) bad_type(Pred::Point, v);
        auto st = append_ads(items, v, PointRule::AnyNumbers);
        if (!st.ok()) raise_text(st.error().message);
    }
    int status = in.host().command(items);
    if (status == rs::Cancel) raise(Msg::Cancelled);
    if (status == rs::Error) raise(Msg::CommandFailed);
    return {};  // refused input and unknown commands are reported by the host
}

Value fn_getvar(Interpreter& in, Args& a) {
    a.count(1, 1);
    auto v = in.host().getvar(upper(a.string(0)));
    return v ? from_group_value(*v) : Value();
}

Value fn_setvar(Interpreter& in, Args& a) {
    a.count(2, 2);
    auto st = in.host().setvar(upper(a.string(0)), to_group_value(a[1]));
    if (!st.ok()) raise_text(st.error().message);
    return a[1];
}

Value fn_entget(Interpreter& in, Args& a) {
    a.count(1, 2);
    std::vector<std::string> apps;
    if (a.has(1))
        for (const Value& app : list_items(a.list(1))) {
            if (app.kind() != Kind::Str) bad_type(Pred::Stringp, app);
            apps.push_back(app.text());
        }
    return alist_or_nil(in.host().entget(a.ename(0), apps));
}

Value fn_entnext(Interpreter& in, Args& a) {
    a.count(0, 1);
    EntityRef after = a.has(0) && !a[0].is_nil() ? a.ename(0) : EntityRef{};
    return ename_or_nil(in.host().entnext(after));
}

Value fn_entlast(Interpreter& in, Args& a) {
    a.count(0, 0);
    return ename_or_nil(in.host().entlast());
}

Value fn_entmod(Interpreter& in, Args& a) {
    a.count(1, 1);
    return in.host().entmod(groups_of(a.list(0))) ? a[0] : Value();
}

Value fn_entmake(Interpreter& in, Args& a) {
    a.count(0, 1);
    GroupList g = a.has(0) ? groups_of(a.list(0)) : GroupList{};
    return in.host().entmake(g) ? (a.has(0) ? a[0] : Value()) : Value();
}

Value fn_entdel(Interpreter& in, Args& a) {
    a.count(1, 1);
    return in.host().entdel(a.ename(0)) ? a[0] : Value();
}

Value fn_handent(Interpreter& in, Args& a) {
    a.count(1, 1);
    return ename_or_nil(in.host().handent(a.string(0)));
}

Value fn_tblnext(Interpreter& in, Args& a) {
    a.count(1, 2);
    TableNext from = a.has(1) && !a[1].is_nil() ? TableNext::Rewind : TableNext::Continue;
    return alist_or_nil(in.host().tblnext(upper(a.string(0)), from));
}

Value fn_tblsearch(Interpreter& in, Args& a) {
    a.count(2, 3);
    SearchSetsNext next = a.has(2) && !a[2].is_nil() ? SearchSetsNext::Yes : SearchSetsNext::No;
    return alist_or_nil(in.host().tblsearch(upper(a.string(0)), a.string(1), next));
}

bool is_filter(const Value& v) {
    if (!v.is_cons()) return false;
    for (const Value& item : list_items(v))
        if (!item.is_cons() || item.car().kind() != Kind::Int) return false;
    return true;
}

// Modes whose argument is a list of vertices.
bool takes_point_list(std::string mode) {
    while (!mode.empty() && (mode[0] == '_' || mode[0] == '+' || mode[0] == ':')) mode.erase(0, 1);
    return mode == "WP" || mode == "CP" || mode == "F";
}

Value fn_ssget(Interpreter& in, Args& a) {
    a.count(0, 4);
    SsgetRequest req;
    size_t i = 0;
    if (a.has(0) && a[0].kind() == Kind::Str) {
        req.mode = upper(a[0].text());
        i = 1;
    }
    for (; i < a.size(); ++i) {
        const Value& v = a[i];
        if (v.is_nil()) continue;
        if (auto p = value_point(v)) {
            req.points.push_back(*p);
        } else if (is_filter(v) && i + 1 == a.size() && !(i == 1 && takes_point_list(req.mode))) {
            req.filter = groups_of(v);
        } else if (v.is_cons()) {
            for (const Value& pt : list_items(v)) {
                auto q = value_point(pt);
                if (!q) bad_type(Pred::Point, pt);
                req.points.push_back(*q);
            }
        } else {
            raise(Msg::BadSsgetMode);
        }
    }
    auto s = in.host().ssget(req);
    return s ? Value::pickset(s->id) : Value();
}

Value fn_sslength(Interpreter& in, Args& a) {
    a.count(1, 1);
    auto n = in.host().sslength(a.pickset(0));
    return n ? Value::integer(static_cast<int32_t>(*n)) : Value();
}

Value fn_ssname(Interpreter& in, Args& a) {
    a.count(2, 2);
    long index = a[1].kind() == Kind::Real ? static_cast<long>(a.number(1)) : a.integer(1);
    if (index < 0) return {};
    return ename_or_nil(in.host().ssname(a.pickset(0), index));
}

Value fn_ssadd(Interpreter& in, Args& a) {
    a.count(0, 2);
    std::optional<EntityRef> e;
    std::optional<SelSet> set;
    if (a.has(0)) e = a.ename(0);
    if (a.has(1)) set = a.pickset(1);
    auto s = in.host().ssadd(e, set);
    return s ? Value::pickset(s->id) : Value();
}

Value fn_ssdel(Interpreter& in, Args& a) {
    a.count(2, 2);
    return in.host().ssdel(a.ename(0), a.pickset(1)) ? a[1] : Value();
}

Value fn_ssmemb(Interpreter& in, Args& a) {
    a.count(2, 2);
    return in.host().ssmemb(a.ename(0), a.pickset(1)) ? a[0] : Value();
}

Value fn_regapp(Interpreter& in, Args& a) {
    a.count(1, 1);
    return in.host().regapp(a.string(0)) ? a[0] : Value();
}

Value fn_alert(Interpreter& in, Args& a) {
    a.count(1, 1);
    in.host().alert(a.string(0));
    return {};
}

Value fn_arxload(Interpreter& in, Args& a) {
    a.count(1, 2);
    auto st = in.host().arxload(a.string(0));
    if (st.ok()) return a[0];
    if (a.has(1)) return a[1];
    raise(Msg::ArxLoadFailed);
}

const Builtin k_host[] = {
    {"command", SubrStyle::Function, fn_command, nullptr},   {"getvar", SubrStyle::Function, fn_getvar, nullptr},
    {"setvar", SubrStyle::Function, fn_setvar, nullptr},     {"entget", SubrStyle::Function, fn_entget, nullptr},
    {"entnext", SubrStyle::Function, fn_entnext, nullptr},   {"entlast", SubrStyle::Function, fn_entlast, nullptr},
    {"entmod", SubrStyle::Function, fn_entmod, nullptr},     {"entmake", SubrStyle::Function, fn_entmake, nullptr},
    {"entdel", SubrStyle::Function, fn_entdel, nullptr},     {"handent", SubrStyle::Function, fn_handent, nullptr},
    {"tblnext", SubrStyle::Function, fn_tblnext, nullptr},   {"tblsearch", SubrStyle::Function, fn_tblsearch, nullptr},
    {"ssget", SubrStyle::Function, fn_ssget, nullptr},       {"sslength", SubrStyle::Function, fn_sslength, nullptr},
    {"ssname", SubrStyle::Function, fn_ssname, nullptr},     {"ssadd", SubrStyle::Function, fn_ssadd, nullptr},
    {"ssdel", SubrStyle::Function, fn_ssdel, nullptr},       {"ssmemb", SubrStyle::Function, fn_ssmemb, nullptr},
    {"regapp", SubrStyle::Function, fn_regapp, nullptr},     {"alert", SubrStyle::Function, fn_alert, nullptr},       {"arxload", SubrStyle::Function, fn_arxload, nullptr},
};
}  // namespace

void register_host(Interpreter& in) { define_all(in, k_host); }

}  // namespace cadhost::lisp
