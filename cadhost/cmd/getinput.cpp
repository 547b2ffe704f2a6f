// Prompting for typed values with validation and re-prompting.
#include "cmd/getinput.h"

#include <charconv>
#include <cmath>
#include <cctype>

#include "ads.h"
#include "cmd/selectobj.h"

namespace cadhost::cmd {

namespace {

bool parse_number(const std::string& s, double& out) {
    std::string t = s;
    while (!t.empty() && t.back() == ' ') t.pop_back();
    if (t.empty()) return false;
    const char* b = t.c_str() + (t[0] == '+' ? 1 : 0);
    auto r = std::from_chars(b, t.c_str() + t.size(), out);
    return r.ec == std::errc() && r.ptr == t.c_str() + t.size();
}

bool parse_int(const std::string& s, int32_t& out) {
    const char* b = s.c_str() + (!s.empty() && s[0] == '+' ? 1 : 0);
    auto r = std::from_chars(b, s.c_str() + s.size(), out);
    return !s.empty() && r.ec == std::errc() && r.ptr == s.c_str() + s.size();
}

Point last_point(CommandLine& cl) {
    auto v = cl.session().sysvars().get("LASTPOINT");
    if (v)
        if (auto p = std::get_if<Point>(&*v)) return *p;
    return {};
}

// A typed point, absolute or relative ("@dx,dy") to the last point.
std::optional<Point> typed_point(CommandLine& cl, const std::string& a) {
    if (!a.empty() && a[0] == '@') {
        Point base = last_point(cl);
        if (a.size() == 1) return base;
        auto d = parse_point(a.substr(1));
        if (!d) return std::nullopt;
        return Point{base.x + d->x, base.y + d->y, base.z + (d->dims == 3 ? d->z : 0)};
    }
    auto p = parse_point(a);
    if (p) p->dims = 3;
    return p;
}

// Checks the value against the control bits; the message when it fails.
const char* range_error(double v, int bits) {
    if ((bits & RSG_NOZERO) && v == 0) return "Value must be nonzero.";
    if ((bits & RSG_NONEG) && v < 0) return "Value must be positive.";
    return nullptr;
}

const char* requires_text(GetKind k) {
    switch (k) {
    case GetKind::Int: return "Requires an integer value.";
    case GetKind::Real: return "Requires a real value.";
    case GetKind::Dist: return "Requires numeric distance or two points.";
    case GetKind::Angle: return "Requires valid numeric angle or second point.";
    case GetKind::Point: return "Invalid point.";
    case GetKind::Corner: return "Invalid point.";
    case GetKind::Kword: return "Invalid option keyword.";
    case GetKind::String: return "";
    }
    return "";
}

// Interprets one non-empty answer; nullopt with msg set when invalid.
std::optional<GroupValue> interpret(CommandLine& cl, const GetRequest& req, const std::string& a, int bits,
                                    const char*& msg) {
    msg = requires_text(req.kind);
    switch (req.kind) {
    case GetKind::Int: {
        int32_t n;
        if (!parse_int(a, n) || n < -32768 || n > 32767) return std::nullopt;
        if ((msg = range_error(n, bits))) return std::nullopt;
        return GroupValue(n);
    }
    case GetKind::Real:
    case GetKind::Dist:
    case GetKind::Angle: {
        double d;
        if (parse_number(a, d)) {
            if (req.kind == GetKind::Angle) d = d * M_PI / 180.0;
            if ((msg = range_error(d, bits))) return std::nullopt;
            return GroupValue(d);
        }
        if (req.kind == GetKind::Real) return std::nullopt;
        auto p = typed_point(cl, a);
        Point base = req.base.value_or(last_point(cl));
        if (!p) return std::nullopt;
        double dx = p->x - base.x, dy = p->y - base.y;
        if (req.kind == GetKind::Angle) return GroupValue(std::atan2(dy, dx) < 0 ? std::atan2(dy, dx) + 2 * M_PI : std::atan2(dy, dx));
        double dz = (bits & RSG_2D) ? 0 : p->z - base.z;
        return GroupValue(std::sqrt(dx * dx + dy * dy + dz * dz));
    }
    case GetKind::Point:
    case GetKind::Corner: {
        auto p = typed_point(cl, a);
        if (!p) return std::nullopt;
        (void)cl.session().sysvars().set("LASTPOINT", GroupValue(*p));
        return GroupValue(*p);
    }
    case GetKind::Kword:
    case GetKind::String:
        return GroupValue(a);
    }
    return std::nullopt;
}

// A number or point an application gave as a value, for a prompt of its
// kind: what reading the value's text would give. nullopt sends the answer
// the way of text (another kind, keywords to match, a value out of range).
std::optional<GroupValue> typed_value(CommandLine& cl, const GetRequest& req, const host::Answer& a, const InitGet& init) {
    if (a.kind != host::Answer::Kind::Text || !init.keywords.empty()) return std::nullopt;
    switch (req.kind) {
    case GetKind::Real:
    case GetKind::Dist:
    case GetKind::Angle: {
        if (a.typed != host::Answer::Typed::Real) return std::nullopt;
        double d = a.value.x;
        if (req.kind == GetKind::Angle) d = d * M_PI / 180.0;
        if (range_error(d, init.bits)) return std::nullopt;
        return GroupValue(d);
    }
    case GetKind::Point:
    case GetKind::Corner: {
        if (a.typed != host::Answer::Typed::Point) return std::nullopt;
        Point p = a.value;
        if (p.dims == 2) p.z = 0;  // the text of a 2D point has no Z
        p.dims = 3;
        static const host::SysvarDef* lastpoint = host::Sysvars::find("LASTPOINT");
        (void)cl.session().sysvars().set(*lastpoint, GroupValue(p));
        return GroupValue(p);
    }
    default:
        return std::nullopt;
    }
}

}  // namespace

InitGet parse_initget(int bits, const char* keywords) {
    InitGet g;
    g.bits = bits;
    if (!keywords) return g;
    auto blank = [](char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; };
    for (const char* p = keywords; *p;) {
        while (*p && blank(*p)) ++p;
        const char* start = p;
        while (*p && !blank(*p)) ++p;
        if (p == start) break;
        std::string w(start, p);
        // "_Global" names after the local ones are accepted too.
        if (w[0] == '_') w.erase(0, 1);
        g.keywords.push_back(w);
    }
    return g;
}

std::string match_keyword(const std::string& answer, const std::vector<std::string>& keywords) {
    if (keywords.empty()) return "";
    std::string a = host::to_upper(answer);
    if (!a.empty() && a[0] == '_') a.erase(0, 1);
    if (a.empty()) return "";
    for (const auto& k : keywords) {
        std::string u = host::to_upper(k);
        size_t caps = 0;  // the capitalised part is the shortest abbreviation
        while (caps < k.size() && std::isupper(static_cast<unsigned char>(k[caps]))) ++caps;
        if (caps == 0) caps = k.size();
        if (u.compare(0, a.size(), a) == 0 && a.size() >= std::min(caps, u.size())) return k;
    }
    return "";
}

GetResult get_input(CommandLine& cl, const GetRequest& req, const InitGet& init) {
    auto mode = req.kind == GetKind::String && req.spaces ? host::ReadMode::Line : host::ReadMode::Token;
    for (;;) {
        auto a = cl.ask_answer(req.prompt, mode, true);
        if (!a) return GetResult{RTCAN, {}, {}};
        if (auto v = typed_value(cl, req, *a, init)) return GetResult{RTNORM, std::move(*v), {}};
        a->spell();
        std::string ans = std::move(a->text);
        if (ans.size() > 132) ans.resize(132);
        if (req.kind == GetKind::String) return GetResult{RTNORM, GroupValue(ans), {}};
        if (ans.empty()) {
            if (init.bits & RSG_NONULL) {
                cl.print(req.kind == GetKind::Kword ? "Invalid option keyword.\n" : std::string(requires_text(req.kind)) + "\n");
                continue;
            }
            return GetResult{RTNONE, {}, {}};
        }
        std::string kw = match_keyword(ans, init.keywords);
        if (!kw.empty()) {
            if (req.kind == GetKind::Kword) return GetResult{RTNORM, GroupValue(kw), kw};
            return GetResult{RTKWORD, GroupValue(kw), kw};
        }
        if (req.kind == GetKind::Kword) {
            if (init.bits & RSG_OTHER) return GetResult{RTNORM, GroupValue(ans), ans};
            cl.print("Invalid option keyword.\n");
            continue;
        }
        const char* msg = nullptr;
        if (auto v = interpret(cl, req, ans, init.bits, msg)) return GetResult{RTNORM, *v, {}};
        if (init.bits & RSG_OTHER) return GetResult{RTKWORD, GroupValue(ans), ans};
        cl.print(std::string(msg) + "\n");
    }
}

GetResult CommandLine::get_input(const GetRequest& req, const InitGet& init) {
    return cadhost::cmd::get_input(*this, req, init);
}

host::Pick CommandLine::pick_entity(const std::string& prompt, const InitGet& init) {
    return cadhost::cmd::pick_entity(*this, prompt, init);
}

host::SelectionResult CommandLine::select_by_mode(const std::string& mode, const std::vector<Point>& points,
                                                  const select::Filter* filter) {
    return cadhost::cmd::select_by_mode(m_session, this, mode, points, filter);
}

}  // namespace cadhost::cmd
