// System variables: a table naming each one, its type, where it lives (the
// drawing's HEADER or the session) and whether applications may set it.
#pragma once

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/value.h"

namespace cadhost::host {

enum class VarType { Short, Long, Real, String, Point2, Point3 };
enum class VarHome { Header, Session, Computed };
enum class VarAccess { ReadWrite, ReadOnly };

struct SysvarDef {
    const char* name;       // upper case, as typed
    VarType type;
    VarHome home;
    VarAccess access;
    GroupValue fallback;    // value when neither the drawing nor the session holds one
    int header_code = 0;    // group code of the HEADER entry, for Header-home variables
};

class Session;

// Reads and writes variables against a session and its open drawing.
class Sysvars {
public:
    explicit Sysvars(Session& s);
    static const SysvarDef* find(const std::string& name);  // case-insensitive
    static const std::vector<SysvarDef>& table();
    std::optional<GroupValue> get(const std::string& name) const;
    // The same for a variable already found, as callers asking often keep it.
    std::optional<GroupValue> get(const SysvarDef& def) const;
    // The value of a variable the session holds, without a copy; null for
    // variables held elsewhere (read those with get).
    const GroupValue* session_value(const SysvarDef& def) const;
    // Checks the type (integers widen to reals, shorts to longs) and range.
    Status set(const std::string& name, const GroupValue& value);
    Status set(const SysvarDef& def, const GroupValue& value);
    // Session-held values, for tests and the loader (no access check).
    void set_session_value(const std::string& name, const GroupValue& value);
    // Values computed by the session itself (DWGNAME, DBMOD ...).
    void set_computed(const std::string& name, std::function<GroupValue()> fn);

private:
    static size_t index_of(const SysvarDef& d);  // its place in table()
    Session& m_session;
    std::vector<std::optional<GroupValue>> m_values;  // Session-home values, by place in table()
    // Computed-home values, keyed by upper-case name; found by the table's
    // names without a copy.
    std::map<std::string, std::function<GroupValue()>, std::less<>> m_computed;
};

std::string to_upper(std::string s);

}  // namespace cadhost::host
