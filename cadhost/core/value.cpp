// Lookups over group lists.
#include "value.h"

#include "groupcode.h"

namespace cadhost {

const Group* find_group(const GroupList& list, int code) {
    for (const auto& g : list)
        if (g.code == code) return &g;
    return nullptr;
}

Group* find_group(GroupList& list, int code) {
    for (auto& g : list)
        if (g.code == code) return &g;
    return nullptr;
}

std::string group_string(const GroupList& list, int code, const std::string& fallback) {
    const Group* g = find_group(list, code);
    if (!g) return fallback;
    if (auto s = std::get_if<std::string>(&g->value)) return *s;
    return fallback;
}

long group_int(const GroupList& list, int code, long fallback) {
    const Group* g = find_group(list, code);
    if (!g) return fallback;
    if (auto v = std::get_if<int16_t>(&g->value)) return *v;
    if (auto v = std::get_if<int32_t>(&g->value)) return *v;
    if (auto v = std::get_if<int64_t>(&g->value)) return static_cast<long>(*v);
    return fallback;
}

double group_real(const GroupList& list, int code, double fallback) {
    const Group* g = find_group(list, code);
    if (!g) return fallback;
    if (auto v = std::get_if<double>(&g->value)) return *v;
    return fallback;
}

namespace {
bool holds_number(GroupType t) {
    switch (t) {
    case GroupType::Point: case GroupType::Coord: case GroupType::Real: case GroupType::Angle:
    case GroupType::Int16: case GroupType::Int32: case GroupType::Int64: case GroupType::Bool:
        return true;
    default:
        return false;
    }
}
}  // namespace

const Group* misread_group(const GroupList& list) {
    for (const auto& g : list)
        if (holds_number(group_type(g.code)) && std::holds_alternative<std::string>(g.value)) return &g;
    return nullptr;
}

std::string misread_message(const Group& g) {
    const char* want = group_type(g.code) == GroupType::Point ? "a point" : "a number";
    auto* text = std::get_if<std::string>(&g.value);
    return "group " + std::to_string(g.code) + " is \"" + (text ? *text : std::string()) + "\", not " + want;
}

}  // namespace cadhost
