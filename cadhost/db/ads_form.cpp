// File tags <-> ADS groups.
#include "ads_form.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "core/groupcode.h"
#include "db/messages.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

constexpr double deg_per_rad = 180.0 / M_PI;

GroupValue integer_value(GroupType type, int64_t v) {
    if (type == GroupType::Int64) return v;
    if (type == GroupType::Int32 || v < INT16_MIN || v > INT16_MAX) {
        if (v >= INT32_MIN && v <= INT32_MAX) return static_cast<int32_t>(v);
        return v;
    }
    return static_cast<int16_t>(v);
}

int y_code(int c) { return c == 210 ? 220 : c + 10; }
int z_code(int c) { return c == 210 ? 230 : c + 20; }

// As "%.15g" prints it, which rounds away the noise of the conversion.
size_t format_degrees_to(double radians, char* buf) {
    char* p = std::to_chars(buf, buf + dxf::kNumberText - 2, radians * deg_per_rad, std::chars_format::general, 15).ptr;
    if (std::string_view(buf, static_cast<size_t>(p - buf)).find_first_of(".eEn") == std::string_view::npos) {
        *p++ = '.';
        *p++ = '0';
    }
    return static_cast<size_t>(p - buf);
}

std::optional<double> as_real(const GroupValue& v) {
    if (auto d = std::get_if<double>(&v)) return std::isfinite(*d) ? std::optional<double>(*d) : std::nullopt;
    if (auto i = std::get_if<int16_t>(&v)) return *i;
    if (auto i = std::get_if<int32_t>(&v)) return *i;
    if (auto i = std::get_if<int64_t>(&v)) return static_cast<double>(*i);
    return std::nullopt;
}

std::optional<int64_t> as_int(const GroupValue& v) {
    if (auto i = std::get_if<int16_t>(&v)) return *i;
    if (auto i = std::get_if<int32_t>(&v)) return *i;
    if (auto i = std::get_if<int64_t>(&v)) return *i;
    return std::nullopt;
}

}  // namespace

size_t xdata_start(const TagVec& tags) {
    for (size_t i = 0; i < tags.size(); ++i)
        if (tags[i].code == 1001) return i;
    return tags.size();
}

GroupValue AdsConverter::value_of(int code, std::string_view text) const {
    GroupType type = group_type(code);
    switch (type) {
    case GroupType::Real:
    case GroupType::Coord:
    case GroupType::Point:
        if (auto d = dxf::parse_real(text)) return *d;
        break;
    case GroupType::Angle:
        if (auto d = dxf::parse_real(text)) return *d / deg_per_rad;
        break;
    case GroupType::Int16:
    case GroupType::Int32:
    case GroupType::Int64:
    case GroupType::Bool:
        if (auto i = dxf::parse_int(text)) return integer_value(type, *i);
        if (auto d = dxf::parse_real(text); d && *d == std::floor(*d) && std::fabs(*d) < 9e18)
            return integer_value(type, static_cast<int64_t>(*d));  // some writers put "1.0" in integer groups
        break;
    case GroupType::Pointer:
        if (auto h = dxf::parse_handle(text))
            if (EntityRef r = m_doc.ref_of_handle(*h)) return r;
        return std::string(dxf::trim_blanks(text));
    case GroupType::Hex:
        if (auto b = dxf::parse_hex_bytes(text)) return *b;
        break;
    default:
        break;
    }
    return m_doc.m_codec.decode(text);
}

namespace {

// A group left unconverted: its code is not wanted. A point is read when
// its Y or Z code is asked for, as the whole list holds a lone Y or Z only
// where the point's tags do not follow each other.
bool unread(const GroupSink& filter, int code, GroupType type) {
    if (filter.wants(code)) return false;
    return type != GroupType::Point || (!filter.wants(y_code(code)) && !filter.wants(z_code(code)));
}

}  // namespace

template <bool Filtered, class Take, class TakeText>
void AdsConverter::convert_each(const TagVec& tags, size_t begin, size_t end, size_t skip, const GroupSink* filter,
                                Take& take, TakeText& take_text) const {
    for (size_t i = begin; i < end; ++i) {
        if (i == skip) continue;
        int code = tags[i].code;
        GroupType type = group_type(code);
        // Comments and codes below zero (which ADS lists use for their own
        // markers) stay in the file tags only.
        if (type == GroupType::Comment || code < 0) continue;
        if (Filtered && unread(*filter, code, type)) {
            // Left unread, with the Y and Z tags a point would take with it.
            if (type == GroupType::Point && i + 1 < end && tags[i + 1].code == y_code(code)) {
                ++i;
                if (i + 1 < end && tags[i + 1].code == z_code(code)) ++i;
            }
            continue;
        }
        if (type == GroupType::String && dxf::TextCodec::plain(tags[i].text())) {
            take_text(code, tags[i].text(), TagSpan{static_cast<uint32_t>(i), 1});
            continue;
        }
        if (type == GroupType::Point) {
            auto x = dxf::parse_real(tags[i].text());
            Point p{x.value_or(0), 0, 0, 2};
            uint32_t n = 1;
            if (i + 1 < end && tags[i + 1].code == y_code(code)) {
                p.y = dxf::parse_real(tags[i + 1].text()).value_or(0);
                ++n;
                if (i + 2 < end && tags[i + 2].code == z_code(code)) {
                    p.z = dxf::parse_real(tags[i + 2].text()).value_or(0);
                    p.dims = 3;
                    ++n;
                }
            }
            if (x || n > 1) {
                take(Group{code, p}, TagSpan{static_cast<uint32_t>(i), n});
                i += n - 1;
                continue;
            }
        }
        take(Group{code, value_of(code, tags[i].text())}, TagSpan{static_cast<uint32_t>(i), 1});
    }
}

// The tag of the owner: the first 330 outside a {...} group, not counting
// the object's first group. SIZE_MAX when there is none.
size_t AdsConverter::owner_tag(const TagVec& tags, size_t end) const {
    bool first = true;
    int depth = 0;
    for (size_t i = 0; i < end; ++i) {
        int c = tags[i].code;
        if (c < 0 || group_type(c) == GroupType::Comment) continue;
        if (first) {
            first = false;
            continue;
        }
        if (c == 102) {
            std::string_view t = tags[i].text();
            std::string decoded;
            if (!dxf::TextCodec::plain(t)) t = decoded = m_doc.m_codec.decode(t);
            if (!t.empty()) depth = t[0] == '{' ? 1 : 0;
        } else if (c == 330 && depth == 0) {
            return i;
        }
    }
    return SIZE_MAX;
}

void AdsConverter::each_object_group(uint32_t id, XdataMode xdata, GroupSink& sink) const {
    if (sink.codes() == GroupSink::Codes::Wanted) each_group<true>(id, xdata, sink);
    else each_group<false>(id, xdata, sink);
}

template <bool Filtered>
void AdsConverter::each_group(uint32_t id, XdataMode xdata, GroupSink& sink) const {
    const DbObject& o = m_doc.obj(id);
    const TagVec& tags = o.tags;
    sink.group(Group{-1, EntityRef{id}}, TagSpan{});
    size_t xd = xdata_start(tags);
    // Entities hand points over as 3D even where the file leaves Z out; the
    // types whose points are 2D by nature keep the file's form.
    std::string_view type = m_doc.type_name(id);
    bool solid = o.kind != ObjKind::Object && o.kind != ObjKind::TableRecord && o.kind != ObjKind::TableHead &&
                 type != "LWPOLYLINE" && type != "HATCH" && type != "MPOLYGON";
    auto main = [&](Group&& g, TagSpan s) {
        if (solid)
            if (auto p = std::get_if<Point>(&g.value)) p->dims = 3;
        sink.group(std::move(g), s);
    };
    auto text = [&](int code, std::string_view t, TagSpan s) { sink.text(code, t, s); };
    // The owner goes right after the first group.
    size_t owner = owner_tag(tags, xd);
    bool first = true;
    auto after_first = [&] {
        if (!first) return;
        first = false;
        if (owner != SIZE_MAX) convert_each<Filtered>(tags, owner, owner + 1, SIZE_MAX, &sink, main, text);
    };
    auto text_then = [&](int code, std::string_view t, TagSpan s) {
        sink.text(code, t, s);
        after_first();
    };
    auto main_then = [&](Group&& g, TagSpan s) {
        main(std::move(g), s);
        after_first();
    };
    // An owner asked for still comes before the groups after an unread first one.
    for (size_t i = 0; Filtered && i < xd; ++i) {
        GroupType t = group_type(tags[i].code);
        if (tags[i].code < 0 || t == GroupType::Comment) continue;
        if (unread(sink, tags[i].code, t)) after_first();
        break;
    }
    auto convert_main = [&](size_t begin, size_t end) {
        convert_each<Filtered>(tags, begin, end, owner, &sink, main_then, text_then);
    };
    const TypeDefaults* defaults =
        m_defaults == DefaultsMode::Include && o.kind == ObjKind::Entity ? type_defaults(type) : nullptr;
    // A reader of some codes only (a selection filter) mostly wants none of
    // the defaults, and then they need not be placed.
    if (Filtered && defaults &&
        std::all_of(defaults->groups().begin(), defaults->groups().end(),
                    [&](const DefaultGroup& g) { return unread(sink, g.code, group_type(g.code)); }))
        defaults = nullptr;
    if (!defaults) {
        convert_main(0, xd);
    } else {
        // The tags are converted in runs between the places of missing
        // defaults; a place is never inside a point's tags.
        MissingDefaults missing = missing_defaults(*defaults, tags, xd);
        size_t done = 0;
        for (size_t k = 0; k < missing.count; ++k) {
            const MissingDefault& m = missing.at[k];
            convert_main(done, m.before);
            done = m.before;
            put_default<Filtered>(id, *defaults, m, sink, main_then);
        }
        convert_main(done, xd);
    }
    if (xdata == XdataMode::Include && xd < tags.size()) {
        sink.group(Group{-3, std::string()}, TagSpan{});
        auto xdata_take = [&](Group&& g, TagSpan s) {
            if (auto p = std::get_if<Point>(&g.value)) p->dims = 3;
            sink.group(std::move(g), s);
        };
        convert_each<Filtered>(tags, xd, tags.size(), SIZE_MAX, &sink, xdata_take, text);
    }
}

template <bool Filtered, class Take>
void AdsConverter::put_default(uint32_t id, const TypeDefaults& d, const MissingDefault& m, const GroupSink& filter,
                               Take& take) const {
    const DefaultGroup& g = d.groups()[m.index];
    if (Filtered && unread(filter, g.code, group_type(g.code))) return;
    Group out{g.code, g.value};
    if (g.rule == DefaultRule::SameAs && m.source != UINT32_MAX) {
        const TagVec& tags = m_doc.obj(id).tags;
        if (auto source = first_group(tags, m.source, std::min<size_t>(m.source + 3, tags.size()))) out.value = source->value;
    } else if (g.rule == DefaultRule::SubEntitiesFollow) {
        out.value = static_cast<int16_t>(sub_entities_follow(id) ? 1 : 0);
    }
    take(std::move(out), TagSpan{m.before, 0});
}

bool AdsConverter::sub_entities_follow(uint32_t id) const {
    const DbObject& o = m_doc.obj(id);
    if (o.list < 0 || !o.committed) return false;
    const std::vector<uint32_t>& ids = m_doc.m_lists[static_cast<size_t>(o.list)].ids;
    return o.position + 1 < ids.size() && m_doc.obj(ids[o.position + 1]).sub;
}

namespace {

struct FormSink final : GroupSink {
    explicit FormSink(AdsForm& form) : f(form) {}
    void group(Group&& g, TagSpan from) override {
        f.groups.push_back(std::move(g));
        f.spans.push_back(from);
    }
    AdsForm& f;
};

}  // namespace

AdsForm AdsConverter::object_form(uint32_t id, XdataMode xdata) const {
    AdsForm f;
    size_t n = m_doc.obj(id).tags.size() + 2;
    f.groups.reserve(n);
    f.spans.reserve(n);
    FormSink sink(f);
    each_object_group(id, xdata, sink);
    return f;
}

std::optional<Group> AdsConverter::first_group(const TagVec& tags, size_t begin, size_t end) const {
    std::optional<Group> first;
    auto take = [&first](Group&& g, TagSpan) {
        if (!first) first = std::move(g);
    };
    auto text = [&take](int code, std::string_view t, TagSpan s) { take(Group{code, std::string(t)}, s); };
    convert_each<false>(tags, begin, end, SIZE_MAX, nullptr, take, text);
    return first;
}

Status AdsConverter::append_file_tags(const Group& g, FileTags& out) const {
    auto add = [&out](int code, std::string_view text) { out.emplace_back(code, std::string(text)); };
    return put_file_tags(g, TagSink(add));
}

Status AdsConverter::put_file_tags(const Group& g, TagSink out) const {
    const GroupValue& v = g.value;
    // Made only on failure: building the message for every group costs more
    // than converting most of them.
    auto bad = [&g]() -> Status {
        return fail(msg::bad_value + std::string(" (") + std::to_string(g.code) + ")");
    };
    char buf[dxf::kNumberText];
    auto real = [&](int code, double d) { out(code, std::string_view(buf, dxf::format_real_to(d, buf))); };
    switch (group_type(g.code)) {
    case GroupType::Point: {
        auto p = std::get_if<Point>(&v);
        if (!p) {
            if (auto d = as_real(v)) { real(g.code, *d); return ok_status(); }
            return bad();
        }
        if (!std::isfinite(p->x) || !std::isfinite(p->y) || !std::isfinite(p->z)) return bad();
        real(g.code, p->x);
        real(y_code(g.code), p->y);
        if (p->dims != 2) real(z_code(g.code), p->z);
        return ok_status();
    }
    case GroupType::Angle:
        if (auto d = as_real(v)) {
            out(g.code, std::string_view(buf, format_degrees_to(*d, buf)));
            return ok_status();
        }
        return bad();
    case GroupType::Real:
    case GroupType::Coord:
        if (auto d = as_real(v)) { real(g.code, *d); return ok_status(); }
        return bad();
    case GroupType::Int16:
    case GroupType::Int32:
    case GroupType::Int64:
    case GroupType::Bool:
        if (auto i = as_int(v)) {
            out(g.code, std::string_view(buf, dxf::format_int_to(*i, buf)));
            return ok_status();
        }
        return bad();
    case GroupType::Pointer:
        if (auto r = std::get_if<EntityRef>(&v)) {
            const DbObject* o = m_doc.object(*r);
            if (*r && (!o || o->handle == 0)) return bad();
            if (o) out(g.code, std::string_view(buf, dxf::format_handle_to(o->handle, buf)));
            else out(g.code, "0");
            return ok_status();
        }
        break;
    case GroupType::Hex:
        if (auto b = std::get_if<Binary>(&v)) { out(g.code, dxf::format_hex_bytes(*b)); return ok_status(); }
        break;
    default:
        break;
    }
    auto s = std::get_if<std::string>(&v);
    if (!s) return bad();
    // Values are single lines in the file; the codec escapes control characters.
    if (dxf::TextCodec::plain(*s)) out(g.code, *s);
    else out(g.code, m_doc.m_codec.encode(*s));
    return ok_status();
}

Result<FileTags> AdsConverter::file_tags(const Group& g) const {
    FileTags out;
    CH_TRY(append_file_tags(g, out));
    return out;
}

}  // namespace cadhost::db
