// Drawing: reading, the entity walk and lookups; editing, making, tables
// and writing are delegated to their own classes.
#include "db/drawing.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <iterator>

#include "db/ads_form.h"
#include "db/document.h"
#include "db/editor.h"
#include "db/emitter.h"
#include "db/entity_maker.h"
#include "db/loader.h"
#include "db/messages.h"
#include "db/prototype.h"
#include "db/tables.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

struct VersionName {
    DxfVersion version;
    const char* acadver;
};
constexpr VersionName version_names[] = {
    {DxfVersion::R12, "AC1009"},   {DxfVersion::R2000, "AC1015"}, {DxfVersion::R2004, "AC1018"},
    {DxfVersion::R2007, "AC1021"}, {DxfVersion::R2010, "AC1024"}, {DxfVersion::R2013, "AC1027"},
    {DxfVersion::R2018, "AC1032"},
};

}  // namespace

const char* acadver_name(DxfVersion v) {
    for (const auto& n : version_names)
        if (n.version == v) return n.acadver;
    return "AC1015";
}

std::optional<DxfVersion> version_from_acadver(const std::string& s) {
    std::string_view v = dxf::trim_blanks(s);
    for (const auto& n : version_names)
        if (v == n.acadver) return n.version;
    if (v == "AC1006" || v == "AC1004" || v == "AC1002") return DxfVersion::R12;
    if (v == "AC1012" || v == "AC1014") return DxfVersion::R2000;
    return std::nullopt;
}

Drawing::Drawing() : m_impl(std::make_unique<DrawingImpl>()) {}
Drawing::~Drawing() = default;

Result<std::unique_ptr<Drawing>> Drawing::read_file(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return Error{msg::cannot_open + std::string(": ") + std::strerror(errno), path, 0};
    // A folder opens like a file here, but its size is no size of a text.
    struct stat st {};
    if (::fstat(::fileno(f), &st) == 0 && (S_ISDIR(st.st_mode) || (S_ISREG(st.st_mode) && st.st_size == 0))) {
        std::fclose(f);
        return Error{msg::not_a_drawing + std::string(": ") + (S_ISDIR(st.st_mode) ? msg::is_a_folder : msg::is_empty), path, 0};
    }
    // Read straight into the buffer the drawing keeps: tags point into it.
    std::string text;
    if (std::fseek(f, 0, SEEK_END) == 0) {
        long size = std::ftell(f);
        if (size > 0) text.reserve(static_cast<size_t>(size) + 1);
        std::rewind(f);
    }
    char buf[1 << 16];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) text.append(buf, n);
    bool failed = std::ferror(f);
    std::fclose(f);
    if (failed) return Error{msg::cannot_read, path, 0};
    return load(std::move(text), path);
}

Result<std::unique_ptr<Drawing>> Drawing::read_text(const std::string& text, const std::string& name) {
    return load(std::string(text), name);
}

Result<std::unique_ptr<Drawing>> Drawing::load(std::string text, const std::string& name) {
    std::unique_ptr<Drawing> d(new Drawing());
    DrawingImpl& impl = *d->m_impl;
    impl.m_name = name;
    impl.m_source = std::move(text);
    DxfLoader loader(impl, impl.m_source, name);
    CH_TRY(loader.load());
    return d;
}

std::unique_ptr<Drawing> Drawing::prototype(DxfVersion version) {
    std::unique_ptr<Drawing> d(new Drawing());
    Prototype::build(*d->m_impl, version);
    return d;
}

std::string Drawing::write_text(DxfVersion version) const {
    m_impl->m_write_report = {};
    return DxfEmitter(*m_impl).write(version);
}

const Drawing::WriteReport& Drawing::last_write_report() const { return m_impl->m_write_report; }

namespace {

std::string counted(const std::map<std::string, size_t>& by_type) {
    std::string out;
    for (const auto& [type, n] : by_type) out += (out.empty() ? "" : ", ") + std::to_string(n) + " " + type;
    return out;
}

}  // namespace

std::string Drawing::WriteReport::describe(DxfVersion version) const {
    std::string out;
    std::string name = version == DxfVersion::R12 ? "R12" : acadver_name(version);
    if (!no_such_type.empty()) out += counted(no_such_type) + " not saved: " + name + msg::no_such_entities + "\n";
    if (!not_placed.empty()) out += counted(not_placed) + msg::not_converted + "\n";
    if (other_layouts) out += std::to_string(other_layouts) + msg::other_layouts_lost + "\n";
    return out;
}

Status Drawing::save(const std::string& path, DxfVersion version) {
    m_impl->m_write_report = {};
    CH_TRY(DxfEmitter(*m_impl).save(path, version));
    m_impl->m_version = version;
    // $ACADVER reads as the version the drawing now has on disk.
    m_impl->set_header_tags("$ACADVER", {m_impl->make_tag(1, acadver_name(version))});
    m_impl->m_dbmod = 0;
    return ok_status();
}

DxfVersion Drawing::version() const { return m_impl->m_version; }

namespace {

EntityRef walk_from(const DrawingImpl& d, int list, size_t pos) {
    if (list < 0) return {};
    const auto& ids = d.m_lists[static_cast<size_t>(list)].ids;
    for (size_t i = pos; i < ids.size(); ++i)
        if (!d.obj(ids[i]).deleted) return EntityRef{ids[i]};
    return {};
}

}  // namespace

EntityRef Drawing::first_entity() const { return walk_from(*m_impl, 0, 0); }

EntityRef Drawing::next_entity(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    if (!o || !o->committed) return {};
    if (o->kind == ObjKind::BlockBegin) return walk_from(*m_impl, o->list, 0);
    if (o->kind != ObjKind::Entity) return {};
    return walk_from(*m_impl, o->list, o->position + 1);
}

EntityRef Drawing::last_entity() const {
    const auto& ids = m_impl->m_lists[0].ids;
    for (size_t i = ids.size(); i-- > 0;) {
        const DbObject& o = m_impl->obj(ids[i]);
        if (!o.deleted && !o.sub) return EntityRef{ids[i]};
    }
    return {};
}

namespace {

// Collects an entity list; with application names, of the XDATA only
// theirs, and no -3 group when none of them has any.
struct ListSink final : GroupSink {
    explicit ListSink(const std::vector<std::string>* apps_ = nullptr) : apps(apps_) {}
    void group(Group&& g, TagSpan) override {
        if (apps) {
            if (g.code == -3) {
                in_xdata = true;
                xdata_mark = groups.size();
            } else if (in_xdata && g.code == 1001) {
                keep = false;
                if (auto app = std::get_if<std::string>(&g.value))
                    for (const auto& a : *apps) keep = keep || a == "*" || dxf::equal_nocase(a, *app);
            }
            if (in_xdata && !keep && g.code != -3) return;
        }
        groups.push_back(std::move(g));
    }
    GroupList finish() {
        if (in_xdata && groups.size() == xdata_mark + 1) groups.pop_back();
        return std::move(groups);
    }
    const std::vector<std::string>* apps;
    GroupList groups;
    bool in_xdata = false, keep = false;
    size_t xdata_mark = 0;
};

}  // namespace

bool Drawing::entget(EntityRef e, GroupSink& sink, XdataMode xdata) const {
    const DbObject* o = m_impl->object(e);
    if (!o || o->deleted) return false;
    AdsConverter(*m_impl).each_object_group(static_cast<uint32_t>(e.id), xdata, sink);
    return true;
}

std::optional<GroupList> Drawing::entget(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    if (!o || o->deleted) return std::nullopt;
    ListSink sink;
    sink.groups.reserve(o->tags.size() + 2);
    entget(e, sink);
    return sink.finish();
}

std::optional<GroupList> Drawing::entget(EntityRef e, const std::vector<std::string>& apps) const {
    ListSink sink(&apps);
    if (!entget(e, sink, XdataMode::Include)) return std::nullopt;
    return sink.finish();
}

Status Drawing::entmod(const GroupList& list) { return EntityEditor(*m_impl).entmod(list); }
Result<EntityRef> Drawing::entmake(const GroupList& list) {
    EntityMaker maker(*m_impl);
    auto r = maker.make(list);
    // A block definition that is given an entity it cannot take is rejected
    // whole, so that what follows does not go into a half-made block.
    if (!r && m_impl->m_block_build.active) maker.abandon_unfinished();
    return r;
}
void Drawing::abandon_unfinished() { EntityMaker(*m_impl).abandon_unfinished(); }
Status Drawing::entdel(EntityRef e) { return EntityEditor(*m_impl).entdel(e); }

size_t Drawing::mark_changes() {
    ++m_impl->m_changes.open_marks;
    return m_impl->m_changes.kept.size();
}

void Drawing::end_mark(size_t mark, MarkEnd how) {
    auto& record = m_impl->m_changes;
    if (how == MarkEnd::TakeBack) EntityEditor(*m_impl).take_back_changes(mark);
    if (record.open_marks > 0 && --record.open_marks == 0) record.kept.clear();  // nothing is kept outside a mark
}

bool Drawing::is_deleted(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    return o && o->deleted;
}

EntityRef Drawing::handent(const std::string& handle) const {
    auto h = dxf::parse_handle(handle);
    return h ? m_impl->ref_of_handle(*h) : EntityRef{};
}

std::string Drawing::handle_of(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    return o && o->handle ? dxf::format_handle(o->handle) : std::string();
}

Space Drawing::space_of(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    if (!o || o->list < 0) return Space::Model;
    int block = m_impl->m_lists[static_cast<size_t>(o->list)].block;
    if (block < 0) return dxf::trim_blanks(m_impl->tag_text(static_cast<uint32_t>(e.id), 67)) == "1" ? Space::Paper : Space::Model;
    std::string name = dxf::upper_ascii(dxf::trim_blanks(m_impl->tag_text(m_impl->m_blocks[static_cast<size_t>(block)].begin, 2)));
    if (name.rfind("*PAPER_SPACE", 0) == 0) return Space::Paper;
    if (name == "*MODEL_SPACE") return Space::Model;
    return Space::Block;
}

std::string Drawing::type_of(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    return o ? std::string(m_impl->type_name(static_cast<uint32_t>(e.id))) : std::string();
}

std::string_view Drawing::type_view(EntityRef e) const {
    return m_impl->object(e) ? m_impl->type_name(static_cast<uint32_t>(e.id)) : std::string_view();
}

namespace {

// The one tag of `code` before any extended data, when it is there exactly once.
const Tag* lone_tag(const TagVec& tags, int code) {
    const Tag* found = nullptr;
    for (const Tag& t : tags) {
        if (t.code == 1001) break;  // extended data
        if (t.code != code) continue;
        if (found) return nullptr;
        found = &t;
    }
    return found;
}

// The same when its text needs no decoding.
std::optional<std::string_view> plain_tag_text(const TagVec& tags, int code) {
    const Tag* found = lone_tag(tags, code);
    if (!found || !dxf::TextCodec::plain(found->text())) return std::nullopt;
    return found->text();
}

bool single_tag_type(GroupType t) {
    switch (t) {
    case GroupType::String: case GroupType::Real: case GroupType::Angle: case GroupType::Int16:
    case GroupType::Int32: case GroupType::Int64: case GroupType::Bool:
        return true;
    default:
        return false;
    }
}

}  // namespace

std::optional<std::string_view> Drawing::plain_group_text(EntityRef e, int code) const {
    const DbObject* o = m_impl->object(e);
    if (!o) return std::nullopt;
    return plain_tag_text(o->tags, code);
}

bool Drawing::lone_group_code(int code) { return code >= 0 && code < 1000 && single_tag_type(group_type(code)); }

std::optional<Group> Drawing::lone_group(EntityRef e, int code) const {
    const DbObject* o = m_impl->object(e);
    if (!o || !lone_group_code(code)) return std::nullopt;
    const Tag* t = lone_tag(o->tags, code);
    if (!t) return std::nullopt;
    if (group_type(code) == GroupType::String && dxf::TextCodec::plain(t->text()))
        return Group{code, std::string(t->text())};
    return Group{code, AdsConverter(*m_impl).value_of(code, t->text())};
}

std::vector<EntityRef> Drawing::main_entities(const std::function<bool(const WalkKey&)>& wanted) const {
    const DrawingImpl& d = *m_impl;
    d.update_key_index();
    const std::vector<uint32_t>* only = nullptr;
    std::vector<uint32_t> merged;
    size_t taken = 0;
    for (const DrawingImpl::KeyBucket& b : d.m_lookups.key_buckets) {
        WalkKey k;
        k.type = b.type;
        k.layer = b.layer;
        k.space = b.paper ? Space::Paper : Space::Model;
        if (!wanted(k)) continue;
        if (++taken == 1) {
            only = &b.positions;
            continue;
        }
        if (taken == 2) merged = *only;
        merged.insert(merged.end(), b.positions.begin(), b.positions.end());
    }
    if (taken > 1) std::sort(merged.begin(), merged.end());
    std::vector<EntityRef> out;
    if (taken == 0) return out;
    const std::vector<uint32_t>& positions = taken == 1 ? *only : merged;
    const std::vector<uint32_t>& ids = d.m_lists[0].ids;
    out.reserve(positions.size());
    for (uint32_t pos : positions)
        if (!d.obj(ids[pos]).deleted) out.push_back(EntityRef{ids[pos]});
    return out;
}

Drawing::WalkKey Drawing::walk_key(EntityRef e) const {
    const DbObject* o = m_impl->object(e);
    if (!o) return {};
    const DrawingImpl::WalkEntry& w = m_impl->walk_entry(static_cast<uint32_t>(e.id));
    WalkKey k;
    k.type = w.type;
    k.layer = w.layer;
    k.sub = w.sub;
    // Only the main entity list's space is read from the tags; a block's
    // follows its definition's name.
    k.space = o->list == 0 ? (w.paper ? Space::Paper : Space::Model) : space_of(e);
    return k;
}

std::string_view Drawing::walk_text(uint32_t key) const {
    const auto& texts = m_impl->m_lookups.walk_texts;
    return key < texts.size() ? texts[key] : std::string_view();
}

std::vector<std::string> Drawing::stale_lookups() const { return m_impl->stale_lookups(); }

std::optional<GroupList> Drawing::tblsearch(const std::string& table, const std::string& name) {
    return TableReader(*m_impl).search(table, name);
}

std::optional<GroupList> Drawing::tblnext(const std::string& table, bool rewind) {
    return TableReader(*m_impl).next(table, rewind);
}

EntityRef Drawing::tblobjname(const std::string& table, const std::string& name) const {
    return TableReader(*m_impl).object_name(table, name);
}

std::optional<Drawing::BlockStart> Drawing::block_start(const std::string& name) const {
    auto s = TableReader(*m_impl).block_start(name);
    if (!s) return std::nullopt;
    return BlockStart{s->first, s->second};
}

Status Drawing::ensure_layer(const std::string& name) { return EntityEditor(*m_impl).ensure_layer(name); }
Status Drawing::regapp(const std::string& name) { return EntityEditor(*m_impl).regapp(name); }

bool Drawing::register_new_app(const std::string& name) {
    return !m_impl->find_record("APPID", m_impl->m_codec.encode(name)) && regapp(name).ok();
}

Status Drawing::add_linetype(const std::string& name, const std::string& description,
                             const std::vector<double>& pattern) {
    return EntityEditor(*m_impl).add_linetype(name, description, pattern);
}

std::optional<Group> Drawing::header_var(const std::string& name) const {
    if (name.empty()) return std::nullopt;
    std::string prefixed;
    std::string_view n = name;
    if (name[0] != '$') n = prefixed = "$" + name;
    if (dxf::equal_nocase(n, "$HANDSEED")) return make_group(5, dxf::format_handle(m_impl->m_next_handle));
    const HeaderVar* v = m_impl->header(n);
    if (!v) return std::nullopt;
    return AdsConverter(*m_impl).first_group(v->tags, 0, v->tags.size());
}

std::optional<std::string_view> Drawing::header_text(std::string_view name) const {
    const HeaderVar* v = m_impl->header(name);
    if (!v) return std::nullopt;
    for (const Tag& t : v->tags) {
        GroupType type = group_type(t.code);
        if (t.code < 0 || type == GroupType::Comment) continue;
        if (type != GroupType::String || !dxf::TextCodec::plain(t.text())) return std::nullopt;
        return t.text();
    }
    return std::nullopt;
}

Status Drawing::set_header_var(const std::string& name, const Group& value) {
    return EntityEditor(*m_impl).set_header_var(name, value);
}

long Drawing::dbmod() const { return m_impl->m_dbmod; }
void Drawing::clear_dbmod() { m_impl->m_dbmod = 0; }

}  // namespace cadhost::db
