// The system variable table and typed access to it.
#include "host/sysvars.h"

#include <algorithm>
#include <cctype>

#include "db/drawing.h"
#include "host/session.h"

namespace cadhost::host {

std::string to_upper(std::string s) {
    // ASCII only, as toupper does in the "C" locale the host runs in.
    for (auto& c : s)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return s;
}

namespace {

using VT = VarType;
using VH = VarHome;
using VA = VarAccess;

GroupValue s16(int v) { return static_cast<int16_t>(v); }
GroupValue str(const char* v) { return std::string(v); }
GroupValue pt(double x, double y, double z = 0) { return Point{x, y, z}; }

std::vector<SysvarDef> build_table() {
    std::vector<SysvarDef> t = {
        {"ACADPREFIX", VT::String, VH::Computed, VA::ReadOnly, str("")},
        {"ACADVER", VT::String, VH::Session, VA::ReadOnly, str("14.0")},
        {"ATTDIA", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"ATTMODE", VT::Short, VH::Header, VA::ReadWrite, s16(1), 70},
        {"ATTREQ", VT::Short, VH::Session, VA::ReadWrite, s16(1)},
        {"AUNITS", VT::Short, VH::Header, VA::ReadWrite, s16(0), 70},
        {"AUPREC", VT::Short, VH::Header, VA::ReadWrite, s16(0), 70},
        {"BLIPMODE", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"CDATE", VT::Real, VH::Computed, VA::ReadOnly, 0.0},
        {"CECOLOR", VT::String, VH::Session, VA::ReadWrite, str("BYLAYER")},
        {"CELTYPE", VT::String, VH::Header, VA::ReadWrite, str("BYLAYER"), 6},
        {"CLAYER", VT::String, VH::Header, VA::ReadWrite, str("0"), 8},
        {"CMDACTIVE", VT::Short, VH::Computed, VA::ReadOnly, s16(0)},
        {"CMDDIA", VT::Short, VH::Session, VA::ReadWrite, s16(1)},
        {"CMDECHO", VT::Short, VH::Session, VA::ReadWrite, s16(1)},
        {"CMDNAMES", VT::String, VH::Computed, VA::ReadOnly, str("")},
        {"DBMOD", VT::Short, VH::Computed, VA::ReadOnly, s16(0)},
        {"DWGCODEPAGE", VT::String, VH::Header, VA::ReadOnly, str("ANSI_1252"), 3},
        {"DWGNAME", VT::String, VH::Computed, VA::ReadOnly, str("Drawing.dxf")},
        {"DWGPREFIX", VT::String, VH::Computed, VA::ReadOnly, str("")},
        {"DWGTITLED", VT::Short, VH::Computed, VA::ReadOnly, s16(0)},
        {"ERRNO", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"EXPERT", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"EXTMAX", VT::Point3, VH::Header, VA::ReadOnly, pt(-1e20, -1e20, -1e20), 10},
        {"EXTMIN", VT::Point3, VH::Header, VA::ReadOnly, pt(1e20, 1e20, 1e20), 10},
        {"FILEDIA", VT::Short, VH::Session, VA::ReadWrite, s16(1)},
        {"GRIDMODE", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"HANDSEED", VT::String, VH::Header, VA::ReadOnly, str("1"), 5},
        {"HIGHLIGHT", VT::Short, VH::Session, VA::ReadWrite, s16(1)},
        {"INSBASE", VT::Point3, VH::Header, VA::ReadWrite, pt(0, 0, 0), 10},
        {"LASTPOINT", VT::Point3, VH::Session, VA::ReadWrite, pt(0, 0, 0)},
        {"LIMMAX", VT::Point2, VH::Header, VA::ReadWrite, pt(12, 9), 10},
        {"LIMMIN", VT::Point2, VH::Header, VA::ReadWrite, pt(0, 0), 10},
        {"LOGINNAME", VT::String, VH::Computed, VA::ReadOnly, str("user")},
        {"LUNITS", VT::Short, VH::Header, VA::ReadWrite, s16(2), 70},
        {"LUPREC", VT::Short, VH::Header, VA::ReadWrite, s16(4), 70},
        {"MENUNAME", VT::String, VH::Session, VA::ReadOnly, str("cadhost")},
        {"ORTHOMODE", VT::Short, VH::Header, VA::ReadWrite, s16(0), 70},
        {"OSMODE", VT::Short, VH::Header, VA::ReadWrite, s16(0), 70},
        {"PDMODE", VT::Short, VH::Header, VA::ReadWrite, s16(0), 70},
        {"PDSIZE", VT::Real, VH::Header, VA::ReadWrite, 0.0, 40},
        {"PLATFORM", VT::String, VH::Session, VA::ReadOnly, str("Microsoft Windows NT Version 4.00 (x86)")},
        {"SAVENAME", VT::String, VH::Computed, VA::ReadOnly, str("")},
        {"SCREENSIZE", VT::Point2, VH::Session, VA::ReadOnly, pt(800, 600)},
        {"SDI", VT::Short, VH::Session, VA::ReadOnly, s16(1)},
        {"SNAPMODE", VT::Short, VH::Session, VA::ReadWrite, s16(0)},
        {"TEXTSIZE", VT::Real, VH::Header, VA::ReadWrite, 0.2, 40},
        {"TEXTSTYLE", VT::String, VH::Header, VA::ReadWrite, str("STANDARD"), 7},
        {"TILEMODE", VT::Short, VH::Header, VA::ReadWrite, s16(1), 70},
        {"VIEWCTR", VT::Point3, VH::Session, VA::ReadOnly, pt(6, 4.5)},
        {"VIEWSIZE", VT::Real, VH::Session, VA::ReadOnly, 9.0},
    };
    static const char* users[] = {"USERI1", "USERI2", "USERI3", "USERI4", "USERI5",
                                  "USERR1", "USERR2", "USERR3", "USERR4", "USERR5",
                                  "USERS1", "USERS2", "USERS3", "USERS4", "USERS5"};
    for (int i = 0; i < 5; ++i) t.push_back({users[i], VT::Short, VH::Header, VA::ReadWrite, s16(0), 70});
    for (int i = 5; i < 10; ++i) t.push_back({users[i], VT::Real, VH::Header, VA::ReadWrite, 0.0, 40});
    // USERS1-5 are not saved with the drawing.
    for (int i = 10; i < 15; ++i) t.push_back({users[i], VT::String, VH::Session, VA::ReadWrite, str("")});
    std::sort(t.begin(), t.end(), [](const SysvarDef& a, const SysvarDef& b) {
        return std::string(a.name) < b.name;
    });
    return t;
}

// Converts a value to the variable's type, or nullopt when it does not fit.
std::optional<GroupValue> coerce(VarType type, const GroupValue& v) {
    auto as_long = [&](long long& out) {
        if (auto p = std::get_if<int16_t>(&v)) return out = *p, true;
        if (auto p = std::get_if<int32_t>(&v)) return out = *p, true;
        if (auto p = std::get_if<int64_t>(&v)) return out = *p, true;
        return false;
    };
    long long n = 0;
    switch (type) {
    case VarType::Short:
        if (as_long(n) && n >= -32768 && n <= 32767) return GroupValue(static_cast<int16_t>(n));
        return std::nullopt;
    case VarType::Long:
        if (as_long(n) && n >= INT32_MIN && n <= INT32_MAX) return GroupValue(static_cast<int32_t>(n));
        return std::nullopt;
    case VarType::Real:
        if (auto d = std::get_if<double>(&v)) return GroupValue(*d);
        if (as_long(n)) return GroupValue(static_cast<double>(n));
        return std::nullopt;
    case VarType::String:
        if (std::holds_alternative<std::string>(v)) return v;
        return std::nullopt;
    case VarType::Point2:
    case VarType::Point3:
        if (auto p = std::get_if<Point>(&v)) {
            Point q = *p;
            q.dims = type == VarType::Point2 ? 2 : 3;
            if (q.dims == 2) q.z = 0;
            return GroupValue(q);
        }
        return std::nullopt;
    }
    return std::nullopt;
}

}  // namespace

const std::vector<SysvarDef>& Sysvars::table() {
    static const std::vector<SysvarDef> t = build_table();
    return t;
}

namespace {

// Orders a table name against the upper-case form of `name`, as comparing
// it with to_upper(name) would, without making that copy.
int compare_upper(const char* table_name, const std::string& name) {
    size_t i = 0;
    for (; table_name[i] && i < name.size(); ++i) {
        auto a = static_cast<unsigned char>(table_name[i]);
        auto b = static_cast<unsigned char>(name[i]);
        if (b >= 'a' && b <= 'z') b = static_cast<unsigned char>(b - 'a' + 'A');
        if (a != b) return a < b ? -1 : 1;
    }
    if (table_name[i]) return 1;
    return i < name.size() ? -1 : 0;
}

}  // namespace

const SysvarDef* Sysvars::find(const std::string& name) {
    const auto& t = table();
    auto it = std::lower_bound(t.begin(), t.end(), name,
                               [](const SysvarDef& d, const std::string& n) { return compare_upper(d.name, n) < 0; });
    if (it == t.end() || compare_upper(it->name, name) != 0) return nullptr;
    return &*it;
}

Sysvars::Sysvars(Session& s) : m_session(s), m_values(table().size()) {}

size_t Sysvars::index_of(const SysvarDef& d) { return static_cast<size_t>(&d - table().data()); }

std::optional<GroupValue> Sysvars::get(const std::string& name) const {
    const SysvarDef* d = find(name);
    if (!d) return std::nullopt;
    return get(*d);
}

std::optional<GroupValue> Sysvars::get(const SysvarDef& def) const {
    switch (def.home) {
    case VarHome::Header:
        if (m_session.has_drawing()) {
            if (auto g = m_session.drawing().header_var(std::string("$") + def.name)) {
                if (auto v = coerce(def.type, g->value)) return v;
            }
        }
        return def.fallback;
    case VarHome::Computed: {
        auto it = m_computed.find(std::string_view(def.name));
        if (it != m_computed.end()) return it->second();
        return def.fallback;
    }
    case VarHome::Session: return *session_value(def);
    }
    return std::nullopt;
}

const GroupValue* Sysvars::session_value(const SysvarDef& def) const {
    if (def.home != VarHome::Session) return nullptr;
    const auto& held = m_values[index_of(def)];
    return held ? &*held : &def.fallback;
}

Status Sysvars::set(const std::string& name, const GroupValue& value) {
    const SysvarDef* d = find(name);
    if (!d) return Error{"Unknown variable name."};
    return set(*d, value);
}

Status Sysvars::set(const SysvarDef& def, const GroupValue& value) {
    const SysvarDef* d = &def;
    if (d->access == VarAccess::ReadOnly) return Error{"Variable is read-only."};
    auto v = coerce(d->type, value);
    if (!v) return Error{"Invalid value for " + std::string(d->name) + "."};
    if (d->home == VarHome::Header) {
        if (!m_session.has_drawing()) return Error{"No drawing open."};
        return m_session.drawing().set_header_var(std::string("$") + d->name, Group{d->header_code, *v});
    }
    if (d->home == VarHome::Computed) return Error{"Variable is read-only."};
    m_values[index_of(*d)] = *v;
    return ok_status();
}

void Sysvars::set_session_value(const std::string& name, const GroupValue& value) {
    // Only variables of the table can be read back.
    if (const SysvarDef* d = find(name)) m_values[index_of(*d)] = value;
}

void Sysvars::set_computed(const std::string& name, std::function<GroupValue()> fn) {
    m_computed[to_upper(name)] = std::move(fn);
}

}  // namespace cadhost::host
