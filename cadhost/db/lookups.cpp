// What the drawing remembers to answer its frequent lookups fast: walk
// keys, the key index of the main list and records and blocks by name.
// The rule that keeps it right is stated once, in document.h; this file is
// the only one that reads or writes what is remembered, and
// stale_lookups() checks the rule by looking afresh.
#include <algorithm>
#include <string>

#include "db/document.h"
#include "dxf/value_text.h"

namespace cadhost::db {

namespace {

bool is_sub_type(std::string_view t) { return t == "ATTRIB" || t == "VERTEX" || t == "SEQEND"; }

// An attribute, vertex or sequence end, which belongs to the entity before it.
bool sub_entity(const TagVec& tags) { return !tags.empty() && is_sub_type(dxf::trim_blanks(tags[0].text())); }

// What a walk key is made of, read from the tags: the first groups 0, 8
// and 67 before any extended data (which holds no codes below 1000), and
// whether 0 or 8 comes twice.
struct WalkTags {
    const Tag *type = nullptr, *layer = nullptr, *space = nullptr;
    bool type_twice = false, layer_twice = false;
    bool sub = false;
    bool paper() const { return space && dxf::trim_blanks(space->text()) == "1"; }
};

WalkTags walk_tags(const TagVec& tags) {
    WalkTags w;
    auto note = [](const Tag& t, const Tag*& first, bool& twice) {
        if (first) twice = true;
        else first = &t;
    };
    for (const Tag& t : tags) {
        if (t.code == 1001) break;
        if (t.code == 0) note(t, w.type, w.type_twice);
        else if (t.code == 8) note(t, w.layer, w.layer_twice);
        else if (t.code == 67 && !w.space) w.space = &t;
    }
    w.sub = sub_entity(tags);
    return w;
}

// The text a key number stands for: none when the tag is missing or
// doubled, or when its text needs decoding, since keys compare texts as
// stored.
std::string_view keyed_text(const Tag* tag, bool twice) {
    if (!tag || twice || !dxf::TextCodec::plain(tag->text())) return {};
    return tag->text();
}

// `last` is the text numbered last for the same group, which neighbouring
// entities mostly share: a text equal to it is plain and has its number.
uint32_t walk_number(DrawingImpl::Lookups& l, const Tag* tag, bool twice, DrawingImpl::Lookups::LastText& last) {
    if (tag && !twice && last.number && tag->text() == last.text) return last.number;
    std::string_view text = keyed_text(tag, twice);
    if (text.data() == nullptr) return 0;
    auto [it, added] = l.walk_numbers.try_emplace(text, static_cast<uint32_t>(l.walk_texts.size()));
    if (added) l.walk_texts.push_back(text);
    last.text = text;
    last.number = it->second;
    return it->second;
}

uint64_t bucket_key(uint32_t type, uint32_t layer, bool paper) {
    return (uint64_t{type} << 32) | (uint64_t{layer} << 1) | (paper ? 1 : 0);
}

// The key of a name among the remembered names: the kind, a NUL and the
// name, both in upper case. Short keys stay on the stack.
class NameKey {
public:
    NameKey(std::string_view kind, std::string_view name) {
        m_size = kind.size() + 1 + name.size();
        char* out = m_size <= sizeof m_small ? m_small : (m_big.resize(m_size), m_big.data());
        m_data = out;
        auto put = [&out](std::string_view s) {
            for (char c : s) *out++ = c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c;
        };
        put(kind);
        *out++ = '\0';
        put(name);
    }
    NameKey(const NameKey&) = delete;
    NameKey& operator=(const NameKey&) = delete;
    std::string_view view() const { return {m_data, m_size}; }

private:
    char m_small[96];
    std::string m_big;
    const char* m_data = nullptr;
    size_t m_size = 0;
};

// The kind under which blocks are remembered; no table has this name.
constexpr std::string_view kBlockKind = "\1BLOCK";

bool record_named(const DrawingImpl& d, uint32_t id, std::string_view name) {
    return dxf::equal_nocase(dxf::trim_blanks(d.tag_text(id, 2)), name);
}

bool block_named(const DrawingImpl& d, uint32_t i, std::string_view name) {
    return i < d.m_blocks.size() && !d.m_blocks[i].removed &&
           dxf::equal_nocase(dxf::trim_blanks(d.tag_text(d.m_blocks[i].begin, 2)), name);
}

// The fresh answers: the first record or block of the name.
std::optional<uint32_t> first_record(const DrawingImpl& d, std::string_view table, std::string_view name) {
    if (const Table* t = d.table(table))
        for (uint32_t id : t->records)
            if (record_named(d, id, name)) return id;
    return std::nullopt;
}

std::optional<uint32_t> first_block(const DrawingImpl& d, std::string_view name) {
    for (uint32_t i = 0; i < d.m_blocks.size(); ++i)
        if (block_named(d, i, name)) return i;
    return std::nullopt;
}

// The remembered answer for a name, else the fresh one, remembered from
// then on. A block redefined in place keeps its index, and what is
// remembered is checked against the name before it is given.
template <typename Named, typename Fresh>
std::optional<uint32_t> remembered(const DrawingImpl& d, std::string_view kind, std::string_view name, Named named,
                                   Fresh fresh) {
    // The same few names are asked for again and again (the current layer,
    // a block inserted many times, the model space record): the last ones
    // asked for, spelled as they were, are looked at before the names.
    auto& recent = d.m_lookups.recent_names;
    for (DrawingImpl::Lookups::RecentName& r : recent)
        if (r.set && r.name == name && r.kind == kind) {
            if (named(r.value)) return r.value;
            r.set = false;
            break;
        }
    auto remember = [&](uint32_t value) {
        DrawingImpl::Lookups::RecentName& r = recent[d.m_lookups.next_recent++ % recent.size()];
        r.kind.assign(kind);
        r.name.assign(name);
        r.value = value;
        r.set = true;
    };
    NameKey key(kind, name);
    auto& names = d.m_lookups.names;
    if (auto it = names.find(key.view()); it != names.end()) {
        if (named(it->second)) {
            remember(it->second);
            return it->second;
        }
        names.erase(it);
    }
    std::optional<uint32_t> found = fresh();
    if (found) {
        names.emplace(std::string(key.view()), *found);
        remember(*found);
    }
    return found;
}

}  // namespace

const DrawingImpl::WalkEntry& DrawingImpl::walk_entry(uint32_t id) const {
    Lookups& l = m_lookups;
    if (l.walk.size() < m_objects.size()) l.walk.resize(m_objects.size());
    WalkEntry& w = l.walk[id - 1];
    if (w.known) return w;
    WalkTags t = walk_tags(obj(id).tags);
    w.sub = t.sub;
    w.paper = t.paper();
    w.type = walk_number(l, t.type, t.type_twice, l.last_type);
    w.layer = walk_number(l, t.layer, t.layer_twice, l.last_layer);
    w.known = true;
    return w;
}

void DrawingImpl::update_key_index() const {
    Lookups& l = m_lookups;
    const std::vector<uint32_t>& ids = m_lists[0].ids;
    uint64_t last_key = 0;
    uint32_t last_bucket = UINT32_MAX;
    for (uint32_t pos = l.keyed_upto; pos < ids.size(); ++pos) {
        // Sub-entities stay out of the index, so their keys (half the
        // entities of a drawing of attributed blocks, and the ones with the
        // most tags) are made only when something asks for them.
        uint32_t id = ids[pos];
        if (sub_entity(obj(id).tags)) continue;
        const WalkEntry& w = walk_entry(id);
        uint64_t key = bucket_key(w.type, w.layer, w.paper);
        // Neighbouring entities mostly share their key.
        if (last_bucket == UINT32_MAX || key != last_key) {
            auto [it, added] = l.key_bucket_of.try_emplace(key, static_cast<uint32_t>(l.key_buckets.size()));
            if (added) l.key_buckets.push_back(KeyBucket{w.type, w.layer, w.paper, {}});
            last_key = key;
            last_bucket = it->second;
        }
        l.key_buckets[last_bucket].positions.push_back(pos);
    }
    l.keyed_upto = static_cast<uint32_t>(ids.size());
}

void DrawingImpl::tags_changed(uint32_t id) {
    Lookups& l = m_lookups;
    if (id - 1 < l.walk.size()) l.walk[id - 1].known = false;
    const DbObject& o = obj(id);
    // An indexed entity may have moved to another bucket: the index starts again.
    if (o.list == 0 && o.committed && o.position < l.keyed_upto) {
        l.key_buckets.clear();
        l.key_bucket_of.clear();
        l.keyed_upto = 0;
    }
    // A changed record or block may now be, or no longer be, the first of a name.
    if (o.kind != ObjKind::Entity) {
        l.names.clear();
        for (Lookups::RecentName& r : l.recent_names) r.set = false;
    }
}

std::optional<uint32_t> DrawingImpl::find_record(std::string_view table_name, std::string_view name) const {
    return remembered(
        *this, table_name, name, [&](uint32_t id) { return record_named(*this, id, name); },
        [&] { return first_record(*this, table_name, name); });
}

int DrawingImpl::find_block(std::string_view name) const {
    auto found = remembered(
        *this, kBlockKind, name, [&](uint32_t i) { return block_named(*this, i, name); },
        [&] { return first_block(*this, name); });
    return found ? static_cast<int>(*found) : -1;
}

std::vector<std::string> DrawingImpl::stale_lookups() const {
    const Lookups& l = m_lookups;
    std::vector<std::string> stale;
    auto text_of = [&l](uint32_t number) { return number < l.walk_texts.size() ? l.walk_texts[number] : std::string_view("?"); };
    for (uint32_t id = 1; id <= l.walk.size() && id <= m_objects.size(); ++id) {
        const WalkEntry& w = l.walk[id - 1];
        if (!w.known) continue;
        WalkTags t = walk_tags(obj(id).tags);
        if (text_of(w.type) != keyed_text(t.type, t.type_twice) ||
            text_of(w.layer) != keyed_text(t.layer, t.layer_twice) || w.paper != t.paper() || w.sub != t.sub)
            stale.push_back("walk key of object " + std::to_string(id));
    }
    // Every indexed main-list position in exactly one bucket, the one of its
    // key as the tags give it now; sub-entities in none.
    static const std::vector<uint32_t> no_ids;
    const std::vector<uint32_t>& ids = m_lists.empty() ? no_ids : m_lists[0].ids;
    std::vector<int> bucket_of(std::min<size_t>(l.keyed_upto, ids.size()), -1);
    for (size_t b = 0; b < l.key_buckets.size(); ++b)
        for (uint32_t pos : l.key_buckets[b].positions) {
            if (pos >= bucket_of.size() || bucket_of[pos] >= 0)
                stale.push_back("key index position " + std::to_string(pos) + " out of place");
            else bucket_of[pos] = static_cast<int>(b);
        }
    for (uint32_t pos = 0; pos < bucket_of.size(); ++pos) {
        WalkTags t = walk_tags(obj(ids[pos]).tags);
        if (t.sub) {
            if (bucket_of[pos] >= 0) stale.push_back("key index holds sub-entity at " + std::to_string(pos));
            continue;
        }
        if (bucket_of[pos] < 0) {
            stale.push_back("key index misses position " + std::to_string(pos));
            continue;
        }
        const KeyBucket& k = l.key_buckets[static_cast<size_t>(bucket_of[pos])];
        if (text_of(k.type) != keyed_text(t.type, t.type_twice) ||
            text_of(k.layer) != keyed_text(t.layer, t.layer_twice) || k.paper != t.paper())
            stale.push_back("key index bucket of position " + std::to_string(pos));
    }
    // A remembered name that would be given (it still has the name) must be
    // the first of that name, in the name table and among the recent names.
    auto check_name = [&](const char* what, std::string_view kind, std::string_view name, uint32_t value) {
        bool block = kind == kBlockKind;
        bool given = block ? block_named(*this, value, name) : record_named(*this, value, name);
        if (!given) return;
        auto fresh = block ? first_block(*this, name) : first_record(*this, kind, name);
        if (fresh != value) stale.push_back(std::string(what) + (block ? "block " : "record ") + std::string(name));
    };
    for (const auto& [key, value] : l.names) {
        size_t cut = key.find('\0');
        check_name("remembered ", std::string_view(key).substr(0, cut), std::string_view(key).substr(cut + 1), value);
    }
    for (const Lookups::RecentName& r : l.recent_names)
        if (r.set) check_name("recent ", r.kind, r.name, r.value);
    return stale;
}

}  // namespace cadhost::db
