// entmod, entdel, layer creation and header variables.
#include "editor.h"

#include <algorithm>
#include <cctype>

#include "core/groupcode.h"
#include "db/messages.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

bool is_common_entity_code(int c) {
    switch (c) {
    case 6: case 48: case 60: case 62: case 67: case 284: case 347: case 370: case 390: case 410: case 420: case 430: case 440:
        return true;
    default:
        return false;
    }
}

// Equal as the application sees it; a 2D file point equals a 3D one at z 0.
bool same_value(const Group& a, const Group& b) {
    auto pa = std::get_if<Point>(&a.value);
    auto pb = std::get_if<Point>(&b.value);
    if (pa && pb) return pa->x == pb->x && pa->y == pb->y && pa->z == pb->z;
    return a.value == b.value;
}

int find_kth(const AdsForm& f, int code, int k) {
    for (size_t i = 0; i < f.groups.size(); ++i)
        if (f.groups[i].code == code && k-- == 0) return static_cast<int>(i);
    return -1;
}

}  // namespace

bool EntityEditor::valid_symbol_name(const std::string& name) {
    if (name.empty() || name.size() > 255) return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string_view("<>/\\\":;?*|,=`").find(c) != std::string_view::npos)
            return false;
    return true;
}

Result<bool> EntityEditor::plan_group(uint32_t id, const AdsForm& old, const Group& g, int j, std::vector<Edit>& edits,
                                      FileTags& inserts) {
    if (g.code == 0) {
        auto was = j >= 0 ? std::get_if<std::string>(&old.groups[static_cast<size_t>(j)].value) : nullptr;
        auto now = std::get_if<std::string>(&g.value);
        if (j >= 0 && (!was || !now || !dxf::equal_nocase(*was, *now))) return fail(msg::type_change);
        return false;
    }
    if (g.code == 5 || g.code == 105 || g.code < 0) return false;  // handles stay
    if (j >= 0 && same_value(old.groups[static_cast<size_t>(j)], g)) return false;
    Group v = g;
    if (auto p = std::get_if<Point>(&v.value)) {
        bool flat = m_doc.type_name(id) == "LWPOLYLINE" && g.code == 10;
        bool old_flat = j >= 0 && std::get_if<Point>(&old.groups[static_cast<size_t>(j)].value) &&
                        std::get<Point>(old.groups[static_cast<size_t>(j)].value).dims == 2;
        if (flat || (old_flat && p->z == 0)) p->dims = 2;
    }
    if (g.code == 8) {
        auto s = std::get_if<std::string>(&g.value);
        if (!s) return fail(msg::bad_value);
        CH_TRY(ensure_layer(*s));
    }
    FileTags tags = CH_TRY(AdsConverter(m_doc).file_tags(v));
    if (j >= 0) edits.push_back({old.spans[static_cast<size_t>(j)], std::move(tags)});
    else inserts.insert(inserts.end(), tags.begin(), tags.end());
    return true;
}

size_t EntityEditor::insert_position(const TagVec& tags, int code) const {
    if (is_common_entity_code(code))
        for (size_t i = 1; i < tags.size(); ++i)
            if (tags[i].code == 8) return i + 1;
    return xdata_start(tags);
}

void EntityEditor::apply(uint32_t id, std::vector<Edit>& edits, const FileTags& inserts) {
    TagVec& tags = m_doc.obj(id).tags;
    // Applied from the last tag back, so that earlier spans stay where they
    // are. A default group the tags lack has an empty span at the tag it goes
    // before: that tag's own edit comes first, and several empty spans at one
    // place go in last to first, which leaves them in list order.
    for (size_t i = 0; i < edits.size(); ++i) edits[i].order = i;
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) {
        if (a.span.first != b.span.first) return a.span.first > b.span.first;
        if ((a.span.count == 0) != (b.span.count == 0)) return b.span.count == 0;
        return a.order > b.order;
    });
    for (const Edit& e : edits) {
        TagVec repl;
        for (const auto& [code, text] : e.tags) repl.push_back(m_doc.make_tag(code, text));
        auto at = tags.begin() + e.span.first;
        tags.erase(at, at + e.span.count);
        tags.insert(tags.begin() + e.span.first, repl.begin(), repl.end());
    }
    // A new point's coordinates stay together: insert group by group.
    for (size_t i = 0; i < inserts.size();) {
        size_t n = 1;
        while (i + n < inserts.size() && group_type(inserts[i + n].first) == GroupType::Coord) ++n;
        size_t at = insert_position(tags, inserts[i].first);
        for (size_t k = 0; k < n; ++k)
            tags.insert(tags.begin() + static_cast<long>(at + k), m_doc.make_tag(inserts[i + k].first, inserts[i + k].second));
        i += n;
    }
}

// Replaces the XDATA of each application named after the -3 group.
void EntityEditor::replace_xdata(uint32_t id, const GroupList& list, size_t from) {
    TagVec& tags = m_doc.obj(id).tags;
    AdsConverter conv(m_doc);
    std::vector<std::string> apps;
    for (size_t i = from; i < list.size(); ++i)
        if (list[i].code == 1001) apps.push_back(group_string({list[i]}, 1001));
    TagVec kept(tags.begin(), tags.begin() + static_cast<long>(xdata_start(tags)));
    bool drop = false;
    for (size_t i = kept.size(); i < tags.size(); ++i) {
        if (tags[i].code == 1001) {
            std::string app(dxf::trim_blanks(tags[i].text()));
            drop = std::any_of(apps.begin(), apps.end(), [&](const std::string& a) { return dxf::equal_nocase(a, app); });
        }
        if (!drop) kept.push_back(tags[i]);
    }
    for (size_t i = from; i < list.size(); ++i) {
        // An application named without data only loses its old XDATA.
        bool empty_app = list[i].code == 1001 && (i + 1 == list.size() || list[i + 1].code == 1001);
        if (empty_app) continue;
        auto ft = conv.file_tags(list[i]);
        if (!ft) continue;
        for (const auto& [code, text] : *ft) kept.push_back(m_doc.make_tag(code, text));
    }
    tags = std::move(kept);
}

namespace {

bool vertex_code(int c) { return c == 10 || c == 20 || c == 30 || c == 40 || c == 41 || c == 42 || c == 91; }

long count_code(const GroupList& l, int code) {
    return std::count_if(l.begin(), l.end(), [code](const Group& g) { return g.code == code; });
}

}  // namespace

// An LWPOLYLINE given more vertices than it has gets the list's vertices in
// place of its own and a vertex count (90) to match (fewer follow the k-th
// group rule like any other code). The
// vertex groups leave the list; the new tags are returned for later.
Result<FileTags> EntityEditor::take_vertices(GroupList& list) const {
    FileTags fresh;
    AdsConverter conv(m_doc);
    for (const Group& g : list) {
        if (g.code == -3) break;
        if (!vertex_code(g.code)) continue;
        Group v = g;
        if (auto p = std::get_if<Point>(&v.value)) p->dims = 2;
        FileTags ft = CH_TRY(conv.file_tags(v));
        fresh.insert(fresh.end(), ft.begin(), ft.end());
    }
    long n = count_code(list, 10);
    list.erase(std::remove_if(list.begin(), list.end(), [](const Group& g) { return vertex_code(g.code) || g.code == 90; }), list.end());
    fresh.emplace_back(90, std::to_string(n));
    return fresh;
}

void EntityEditor::put_vertices(uint32_t id, const FileTags& fresh) {
    TagVec& tags = m_doc.obj(id).tags;
    size_t end = xdata_start(tags), at = end;
    TagVec kept;
    for (size_t i = 0; i < tags.size(); ++i) {
        if (i < end && vertex_code(tags[i].code)) {
            at = std::min(at, kept.size());
            continue;
        }
        if (tags[i].code == 90 && i < end) tags[i] = m_doc.make_tag(90, fresh.back().second);
        kept.push_back(tags[i]);
    }
    TagVec ins;
    for (size_t k = 0; k + 1 < fresh.size(); ++k) ins.push_back(m_doc.make_tag(fresh[k].first, fresh[k].second));
    kept.insert(kept.begin() + static_cast<long>(std::min(at, kept.size())), ins.begin(), ins.end());
    tags = std::move(kept);
}

namespace {

// How many groups of each code came before: the k-th group of a code
// replaces the entity's k-th. Codes outside the file's range (the list's
// own markers) are few and counted apart.
class CodeCounts {
public:
    int next(int code) {
        if (code >= 0 && code < kGroupCodes) {
            if (m_counts.empty()) m_counts.assign(static_cast<size_t>(kGroupCodes), 0);
            return m_counts[static_cast<size_t>(code)]++;
        }
        for (auto& [c, n] : m_other)
            if (c == code) return n++;
        m_other.emplace_back(code, 1);
        return 0;
    }

private:
    std::vector<int> m_counts;
    std::vector<std::pair<int, int>> m_other;
};

}  // namespace

Status EntityEditor::entmod(const GroupList& given) {
    // A lightweight polyline's new vertices are taken out of the list, so
    // only then is it copied.
    GroupList copy;
    const GroupList* listed = &given;
    const Group* name = find_group(given, -1);
    if (!name || !std::get_if<EntityRef>(&name->value)) return fail(msg::no_name_group);
    EntityRef e = std::get<EntityRef>(name->value);
    DbObject* o = m_doc.object(e);
    if (!o) return fail(msg::no_entity);
    if (o->deleted) return fail(msg::deleted_entity);
    auto id = static_cast<uint32_t>(e.id);
    CH_TRY(check_xdata_apps(given));
    std::optional<FileTags> vertices;
    if (m_doc.type_name(id) == "LWPOLYLINE") {
        GroupList now = AdsConverter(m_doc).object_form(id, XdataMode::Skip).groups;
        if (count_code(given, 10) > count_code(now, 10)) {
            copy = given;
            listed = &copy;
            vertices = CH_TRY(take_vertices(copy));
        }
    }
    const GroupList& list = *listed;
    AdsForm old = AdsConverter(m_doc).object_form(id, XdataMode::Skip);
    CodeCounts seen;
    std::vector<Edit> edits;
    FileTags inserts;
    size_t xdata_from = list.size();
    bool changed = false;
    // A list read with entget and given back changed has the groups of the
    // entity's own in the same places: while its codes follow the entity's
    // one by one, the k-th group of a code is the entity's one in the same
    // place, and it need not be looked for.
    bool aligned = true;
    for (size_t i = 0; i < list.size(); ++i) {
        if (list[i].code == -3) { xdata_from = i + 1; break; }
        int k = seen.next(list[i].code);
        aligned = aligned && i < old.groups.size() && old.groups[i].code == list[i].code;
        int j = aligned ? static_cast<int>(i) : find_kth(old, list[i].code, k);
        changed = CH_TRY(plan_group(id, old, list[i], j, edits, inserts)) || changed;
    }
    for (size_t i = xdata_from; i < list.size(); ++i) CH_TRY(AdsConverter(m_doc).file_tags(list[i]));
    // Every group is checked before anything changes, so a failure leaves the entity as it was.
    if (m_doc.m_changes.keeping()) m_doc.m_changes.kept.push_back({id, true, m_doc.obj(id).tags, false});
    apply(id, edits, inserts);
    if (vertices) {
        put_vertices(id, *vertices);
        changed = true;
    }
    if (xdata_from < list.size()) {
        replace_xdata(id, list, xdata_from);
        changed = true;
    }
    m_doc.tags_changed(id);
    if (changed) ++m_doc.m_dbmod;
    return ok_status();
}

Status EntityEditor::entdel(EntityRef e) {
    DbObject* o = m_doc.object(e);
    if (!o) return fail(msg::no_entity);
    if (o->kind != ObjKind::Entity || !o->committed || o->list < 0) return fail(msg::not_an_entity);
    if (o->sub) return fail(msg::sub_entity_delete);
    bool now = !o->deleted;
    const auto& ids = m_doc.m_lists[static_cast<size_t>(o->list)].ids;
    for (size_t i = o->position; i < ids.size(); ++i) {
        DbObject& x = m_doc.obj(ids[i]);
        if (i > o->position && !x.sub) break;
        if (m_doc.m_changes.keeping()) m_doc.m_changes.kept.push_back({ids[i], false, {}, x.deleted});
        x.deleted = now;
    }
    ++m_doc.m_dbmod;
    return ok_status();
}

// Newest first, so that an entity changed twice ends as it was before
// the first change.
void EntityEditor::take_back_changes(size_t mark) {
    auto& kept = m_doc.m_changes.kept;
    for (size_t i = kept.size(); i-- > mark;) {
        DrawingImpl::KeptChange& c = kept[i];
        DbObject& o = m_doc.obj(c.id);
        if (!c.tags_kept) {
            o.deleted = c.deleted;
            continue;
        }
        o.tags = std::move(c.tags);
        m_doc.tags_changed(c.id);
    }
    if (mark < kept.size()) {
        kept.resize(mark);
        ++m_doc.m_dbmod;
    }
}

uint32_t EntityEditor::add_record(const char* table, const char* subclass, const std::string& name, const FileTags& data) {
    Table& t = m_doc.ensure_table(table);
    bool modern = m_doc.m_form == DataForm::Modern;
    DbObject o;
    o.kind = ObjKind::TableRecord;
    o.table = static_cast<int>(&t - m_doc.m_tables.data());
    o.handle = m_doc.new_handle();
    o.tags.push_back(m_doc.make_tag(0, table));
    o.tags.push_back(m_doc.make_tag(5, dxf::format_handle(o.handle)));
    if (modern) {
        o.tags.push_back(m_doc.make_tag(330, dxf::format_handle(m_doc.obj(t.head).handle)));
        o.tags.push_back(m_doc.make_tag(100, "AcDbSymbolTableRecord"));
        o.tags.push_back(m_doc.make_tag(100, subclass));
    }
    o.tags.push_back(m_doc.make_tag(2, m_doc.m_codec.encode(name)));
    for (const auto& [code, text] : data)
        if (modern || code < 100) o.tags.push_back(m_doc.make_tag(code, text));
    uint32_t id = m_doc.add_object(std::move(o));
    m_doc.index_handle(id);
    t.records.push_back(id);
    ++m_doc.m_dbmod;
    return id;
}

Status EntityEditor::ensure_layer(const std::string& name) {
    std::string stored = m_doc.m_codec.encode(name);
    if (m_doc.find_record("LAYER", stored)) return ok_status();
    if (!valid_symbol_name(name)) return fail(msg::bad_layer_name + std::string(": ") + name);
    auto lt = m_doc.find_record("LTYPE", "CONTINUOUS");
    std::string ltype = lt ? std::string(dxf::trim_blanks(m_doc.tag_text(*lt, 2))) : "CONTINUOUS";
    add_record("LAYER", "AcDbLayerTableRecord", name, {{70, "0"}, {62, "7"}, {6, ltype}, {370, "-3"}});
    return ok_status();
}

Status EntityEditor::add_linetype(const std::string& name, const std::string& description,
                                  const std::vector<double>& pattern) {
    if (m_doc.find_record("LTYPE", m_doc.m_codec.encode(name))) return ok_status();
    if (!valid_symbol_name(name)) return fail(msg::bad_value + std::string(" (LTYPE) ") + name);
    double total = 0;
    for (double d : pattern) total += d < 0 ? -d : d;
    auto num = [](double d) {
        char buf[40];
        snprintf(buf, sizeof buf, "%.15g", d);
        return std::string(buf);
    };
    FileTags data{{70, "0"}, {3, m_doc.m_codec.encode(description)}, {72, "65"},
                  {73, std::to_string(pattern.size())}, {40, num(total)}};
    for (double d : pattern) {
        data.push_back({49, num(d)});
        data.push_back({74, "0"});
    }
    add_record("LTYPE", "AcDbLinetypeTableRecord", name, data);
    return ok_status();
}

Status EntityEditor::regapp(const std::string& name) {
    if (m_doc.find_record("APPID", m_doc.m_codec.encode(name))) return ok_status();
    if (!valid_symbol_name(name)) return fail(msg::bad_value + std::string(" (APPID) ") + name);
    add_record("APPID", "AcDbRegAppTableRecord", name, {{70, "0"}});
    return ok_status();
}

Status EntityEditor::check_xdata_apps(const GroupList& list) const {
    bool in_xdata = false;
    for (const Group& g : list) {
        in_xdata = in_xdata || g.code == -3;
        if (!in_xdata || g.code != 1001) continue;
        auto app = std::get_if<std::string>(&g.value);
        if (!app || !m_doc.find_record("APPID", m_doc.m_codec.encode(*app)))
            return fail(msg::unregistered_app + std::string(": ") + (app ? *app : std::string()));
    }
    return ok_status();
}

Status EntityEditor::set_header_var(const std::string& name, const Group& value) {
    std::string n = name.empty() || name[0] == '$' ? name : "$" + name;
    if (n.size() < 2) return fail(msg::bad_header_name);
    for (char c : n.substr(1))
        if (!(std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '$')) return fail(msg::bad_header_name);
    FileTags ft = CH_TRY(AdsConverter(m_doc).file_tags(value));
    if (dxf::equal_nocase(n, "$HANDSEED")) {
        auto h = dxf::parse_handle(ft[0].second);
        if (!h) return fail(msg::bad_value);
        // The seed never goes below a handle already in use.
        if (*h > m_doc.m_next_handle) m_doc.m_next_handle = *h;
        ft[0].second = dxf::format_handle(m_doc.m_next_handle);
    }
    TagVec tags;
    for (const auto& [code, text] : ft) tags.push_back(m_doc.make_tag(code, text));
    m_doc.set_header_tags(n, std::move(tags));
    ++m_doc.m_dbmod;
    return ok_status();
}

}  // namespace cadhost::db
