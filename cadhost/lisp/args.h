// Evaluated arguments of a built-in call, with checked access that raises
// the host's argument errors.
#pragma once

#include <optional>
#include <vector>

#include "ads_value.h"
#include "messages.h"
#include "value.h"

namespace cadhost::lisp {

class Args {
public:
    Args(const char* name, std::vector<Value>& values) : m_name(name), m_values(values) {}
    const char* name() const { return m_name; }
    size_t size() const { return m_values.size(); }
    bool has(size_t i) const { return i < m_values.size(); }
    const Value& operator[](size_t i) const { return m_values[i]; }
    const std::vector<Value>& values() const { return m_values; }

    // Raises "too few arguments" / "too many arguments".
    void count(size_t min, size_t max) const;
    double number(size_t i) const;
    int32_t integer(size_t i) const;
    const std::string& string(size_t i) const;
    const Value& list(size_t i) const;
    const Value& cons(size_t i) const;
    const Value& symbol(size_t i) const;
    EntityRef ename(size_t i) const;
    SelSet pickset(size_t i) const;
    uint64_t file(size_t i) const;
    Point point(size_t i) const;
    // The argument when present and not nil.
    std::optional<std::string> opt_string(size_t i) const;
    std::optional<Point> opt_point(size_t i) const;

private:
    const char* m_name;
    std::vector<Value>& m_values;
};

[[noreturn]] void bad_type(Pred p, const Value& v);
// A point from a list of two or three numbers; nullopt otherwise.
std::optional<Point> value_point(const Value& v);
Value point_value(const Point& p);

}  // namespace cadhost::lisp
