// The table of default groups by entity type, and the placing of the ones
// an entity's tags lack.
#include "entity_defaults.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <memory>

#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

constexpr Point origin{0, 0, 0, 3};
constexpr Point z_axis{0, 0, 1, 3};

// One default as the table below writes it; the subclass and rank come from the layout.
struct Entry {
    int code;
    GroupValue value;
    DefaultRule rule = DefaultRule::Value;
    int same_as = 0;
};

Entry follows(int code) { return {code, int16_t(0), DefaultRule::SubEntitiesFollow}; }
Entry same_as(int code, int source) { return {code, origin, DefaultRule::SameAs, source}; }
Entry real(int code, double v) { return {code, v}; }
Entry shorts(int code, int v) { return {code, static_cast<int16_t>(v)}; }
Entry point(int code, Point p = origin) { return {code, p}; }
Entry text(int code, const char* s) { return {code, std::string(s)}; }

// The text groups of TEXT, ATTDEF and ATTRIB (group 73 is TEXT's vertical
// justification, but the field length of the attribute types).
std::vector<Entry> text_entries() {
    return {point(10), text(1, ""), real(50, 0), real(41, 1), real(51, 0), text(7, "STANDARD"),
            shorts(71, 0), shorts(72, 0), point(11), point(210, z_axis)};
}

std::vector<Entry> with(std::vector<Entry> a, std::initializer_list<Entry> more) {
    a.insert(a.end(), more.begin(), more.end());
    return a;
}

struct TypeEntries {
    const char* type;
    std::vector<Entry> entries;
};

const std::vector<TypeEntries>& entries_by_type() {
    static const std::vector<TypeEntries> table = {
        {"LINE", {point(10), point(11), point(210, z_axis)}},
        {"CIRCLE", {point(10), point(210, z_axis)}},
        {"ARC", {point(10), point(210, z_axis)}},
        {"POINT", {point(10), point(210, z_axis), real(50, 0)}},
        {"TEXT", with(text_entries(), {shorts(73, 0)})},
        {"ATTDEF", with(text_entries(), {text(3, ""), shorts(70, 0), shorts(73, 0), shorts(74, 0)})},
        {"ATTRIB", with(text_entries(), {shorts(70, 0), shorts(73, 0), shorts(74, 0)})},
        {"INSERT",
         {follows(66), point(10), real(41, 1), real(42, 1), real(43, 1), real(50, 0), shorts(70, 1), shorts(71, 1),
          real(44, 0), real(45, 0), point(210, z_axis)}},
        {"LWPOLYLINE", {shorts(70, 0), real(43, 0), real(38, 0), real(39, 0), point(210, z_axis)}},
        {"POLYLINE",
         {follows(66), point(10), shorts(70, 0), real(40, 0), real(41, 0), shorts(71, 0), shorts(72, 0),
          shorts(73, 0), shorts(74, 0), shorts(75, 0), point(210, z_axis)}},
        {"VERTEX", {point(10), real(40, 0), real(41, 0), real(42, 0), shorts(70, 0), real(50, 0)}},
        {"SOLID", {same_as(13, 12), point(210, z_axis)}},
        {"TRACE", {same_as(13, 12), point(210, z_axis)}},
        {"3DFACE", {same_as(13, 12), shorts(70, 0)}},
        {"ELLIPSE", {point(210, z_axis), real(41, 0), real(42, 2 * M_PI)}},
        {"MTEXT", {real(41, 0), shorts(71, 1), shorts(72, 1), text(7, "STANDARD"), point(210, z_axis)}},
        {"SHAPE", {point(10), real(50, 0), real(41, 1), real(51, 0), point(210, z_axis)}},
        {"DIMENSION", {shorts(70, 0), text(1, ""), point(210, z_axis)}},
    };
    return table;
}

std::vector<TypeDefaults> build_all() {
    std::vector<TypeDefaults> out;
    for (const TypeEntries& t : entries_by_type()) {
        const EntityLayout* layout = entity_layout(t.type);
        std::vector<DefaultGroup> groups;
        for (const Entry& e : t.entries) {
            DefaultGroup g{e.code, e.value, e.rule, e.same_as, 0, 0};
            // The first subclass that writes the code holds it, at its place in the write order.
            uint16_t rank = 0;
            bool placed = false;
            for (size_t s = 0; s < layout->subclasses.size() && !placed; ++s)
                for (int c : layout->subclasses[s].codes) {
                    if (c == e.code && !placed) {
                        g.subclass = static_cast<uint8_t>(s);
                        g.rank = rank;
                        placed = true;
                    }
                    ++rank;
                }
            groups.push_back(std::move(g));
        }
        std::stable_sort(groups.begin(), groups.end(),
                         [](const DefaultGroup& a, const DefaultGroup& b) { return a.rank < b.rank; });
        out.emplace_back(*layout, std::move(groups));
    }
    return out;
}

bool entity_marker_text(const Tag& t) { return dxf::trim_blanks(t.text()) == "AcDbEntity"; }

// What an answer of missing_defaults depends on besides the type: the
// codes of the tags looked at, with the first AcDbEntity marker told apart
// from the other markers (after it, a marker's text makes no difference).
// Entities of more tags than a shape holds are worked out each time.
struct Shape {
    static constexpr size_t kCodes = 64;
    static constexpr uint16_t kEntityMarker = 0xFFFF;
    const TypeDefaults* type = nullptr;
    uint32_t length = 0;
    uint16_t codes[kCodes];
    MissingDefaults answer;
};

constexpr size_t kShapes = 64;  // remembered answers, by a hash of the shape

// Per thread, made when first asked for.
std::unique_ptr<Shape[]>& remembered_shapes() {
    thread_local std::unique_ptr<Shape[]> shapes;
    return shapes;
}

}  // namespace

TypeDefaults::TypeDefaults(const EntityLayout& layout, std::vector<DefaultGroup> groups)
    : m_layout(&layout), m_groups(std::move(groups)) {
    m_slot.fill(-1);
    m_rank.fill(-1);
    int16_t rank = 0;
    for (const SubclassLayout& s : layout.subclasses)
        for (int c : s.codes) {
            if (c < kCodes && m_rank[static_cast<size_t>(c)] < 0) m_rank[static_cast<size_t>(c)] = rank;
            ++rank;
        }
    for (size_t i = 0; i < m_groups.size() && i < kMax; ++i)
        m_slot[static_cast<size_t>(m_groups[i].code)] = static_cast<int8_t>(i);
}

const TypeDefaults* type_defaults(std::string_view type) {
    static const std::vector<TypeDefaults> all = build_all();
    // Asked for every entity list made, mostly for a run of one type (the
    // attributes of a block): the type found last is tried first, and the
    // first letter rules out most others.
    thread_local const TypeDefaults* last = nullptr;
    if (type.empty()) return nullptr;
    if (last && type == last->layout().type) return last;
    for (const TypeDefaults& d : all) {
        const char* name = d.layout().type;
        if (name[0] == type[0] && type == name) return last = &d;
    }
    return nullptr;
}

MissingDefaults work_out_missing_defaults(const TypeDefaults& d, const TagVec& tags, size_t end) {
    MissingDefaults out;
    const auto& groups = d.groups();
    uint32_t present = 0;
    bool markers = false;
    for (size_t i = 1; i < end; ++i) {
        int code = tags[i].code;
        markers = markers || code == 100;
        if (int s = d.slot(code); s >= 0) present |= uint32_t{1} << s;
    }
    uint32_t all = groups.size() >= 32 ? ~uint32_t{0} : (uint32_t{1} << groups.size()) - 1;
    if (present == all) return out;
    // The missing groups in write order; a subclass's codes come together
    // in it, so one pass over the tags places them all: each before the
    // first tag of its subclass's tags that the layout writes later, or at
    // the end of those tags (the next marker, or the end).
    uint8_t pending[TypeDefaults::kMax];
    size_t count = 0, next = 0;
    for (size_t k = 0; k < groups.size(); ++k)
        if (!(present & (uint32_t{1} << k))) pending[count++] = static_cast<uint8_t>(k);
    auto put = [&](size_t before) {
        const DefaultGroup& g = groups[pending[next]];
        MissingDefault md;
        md.index = pending[next++];
        md.before = static_cast<uint32_t>(before);
        md.source = UINT32_MAX;
        if (g.rule == DefaultRule::SameAs)
            for (size_t i = 1; i < end && md.source == UINT32_MAX; ++i)
                if (tags[i].code == g.same_as) md.source = static_cast<uint32_t>(i);
        out.at[out.count++] = md;
    };
    // Subclasses are the markers after AcDbEntity, by position (a vertex's
    // or dimension's second marker names its kind); in files without
    // markers every group is among the entity's tags.
    bool entity_marker = false;
    int region = markers ? -1 : INT32_MAX;
    for (size_t i = 1; i < end && next < count; ++i) {
        int c = tags[i].code;
        if (c == 100 && markers) {
            if (!entity_marker && entity_marker_text(tags[i])) {
                entity_marker = true;
                continue;
            }
            ++region;
            while (next < count && groups[pending[next]].subclass < region) put(i);
            continue;
        }
        int rank = d.rank(c);
        if (rank < 0) continue;
        while (next < count && groups[pending[next]].subclass <= region && groups[pending[next]].rank < rank) put(i);
    }
    while (next < count) put(end);
    return out;
}

MissingDefaults missing_defaults(const TypeDefaults& d, const TagVec& tags, size_t end) {
    if (end <= 1 || end - 1 > Shape::kCodes) return work_out_missing_defaults(d, tags, end);
    uint16_t codes[Shape::kCodes];
    const uint32_t length = static_cast<uint32_t>(end - 1);
    uint64_t hash = reinterpret_cast<uintptr_t>(&d);
    bool entity_marker = false;
    for (size_t i = 1; i < end; ++i) {
        int code = tags[i].code;
        // Group codes run from -5 to 1071; anything else is worked out afresh.
        if (code < -16 || code >= Shape::kEntityMarker - 16) return work_out_missing_defaults(d, tags, end);
        uint16_t c = static_cast<uint16_t>(code + 16);
        if (code == 100 && !entity_marker && entity_marker_text(tags[i])) {
            entity_marker = true;
            c = Shape::kEntityMarker;
        }
        codes[i - 1] = c;
        hash = (hash ^ c) * 0x100000001b3ULL;
    }
    std::unique_ptr<Shape[]>& shapes = remembered_shapes();
    if (!shapes) shapes = std::make_unique<Shape[]>(kShapes);
    Shape& slot = shapes[(hash ^ (hash >> 29)) % kShapes];
    if (slot.type == &d && slot.length == length && std::memcmp(slot.codes, codes, length * sizeof codes[0]) == 0) {
        MissingDefaults out;
        out.count = slot.answer.count;
        std::copy_n(slot.answer.at.begin(), out.count, out.at.begin());
        return out;
    }
    MissingDefaults out = work_out_missing_defaults(d, tags, end);
    slot.type = &d;
    slot.length = length;
    std::copy_n(codes, length, slot.codes);
    slot.answer.count = out.count;
    std::copy_n(out.at.begin(), out.count, slot.answer.at.begin());
    return out;
}

}  // namespace cadhost::db
