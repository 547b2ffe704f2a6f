// The store behind Drawing: every entity, table record and object kept as
// its file tags, the sections in file order, the handle index and the
// entity lists of model space and of each block definition.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "core/result.h"
#include "core/value.h"
#include "db/drawing.h"
#include "db/handle_index.h"
#include "dxf/text_codec.h"

namespace cadhost::db {

// One tag whose text lives in the drawing's source buffer or string arena.
struct Tag {
    const char* ptr = nullptr;
    uint32_t len = 0;
    int32_t code = 0;
    std::string_view text() const { return {ptr, len}; }
};
using TagVec = std::vector<Tag>;

enum class ObjKind : uint8_t { Entity, TableHead, TableRecord, BlockBegin, BlockEnd, Object };

struct DbObject {
    TagVec tags;                 // tags[0] is the 0 group (type)
    uint64_t handle = 0;         // 0 until known
    int list = -1;               // entity list holding it (entities, BLOCK, ENDBLK)
    int table = -1;              // table index (heads and records)
    ObjKind kind = ObjKind::Entity;
    bool deleted = false;
    bool sub = false;            // ATTRIB / VERTEX / SEQEND of a complex entity
    bool committed = true;       // false while an entmake sequence is pending
    uint32_t position = 0;       // index in its entity list
};

// Entities in file order: model space (list 0) or one block definition.
struct EntityList {
    std::vector<uint32_t> ids;
    int block = -1;  // index into blocks; -1 for the ENTITIES section
};

struct BlockDef {
    uint32_t begin = 0;  // BLOCK entity
    uint32_t end = 0;    // ENDBLK entity
    int list = -1;
    bool removed = false;  // replaced by a redefinition
};

struct Table {
    std::string name;  // upper case: LAYER, LTYPE, ...
    uint32_t head = 0;
    std::vector<uint32_t> records;
    size_t cursor = 0;  // tblnext position
};

struct HeaderVar {
    std::string name;  // as in the file, with '$'
    TagVec tags;
};

enum class SectionKind { Header, Classes, Tables, Blocks, Entities, Objects, Raw };

struct Section {
    SectionKind kind = SectionKind::Raw;
    std::string name;
    TagVec raw;  // Classes and Raw sections: every tag between the name and ENDSEC
};

// Forms of the data: R12 style (no owners, no subclass markers) or R13 and later.
enum class DataForm { Classic, Modern };

class DrawingImpl {
public:
    DrawingImpl();
    // --- storage
    std::string_view keep(std::string_view s);  // copies text into the arena
    Tag make_tag(int code, std::string_view s) { auto v = keep(s); return {v.data(), static_cast<uint32_t>(v.size()), code}; }
    uint32_t add_object(DbObject obj);
    DbObject* object(EntityRef e);
    const DbObject* object(EntityRef e) const;
    DbObject& obj(uint32_t id) { return m_objects[id - 1]; }
    const DbObject& obj(uint32_t id) const { return m_objects[id - 1]; }
    size_t object_count() const { return m_objects.size(); }

    // --- handles
    uint64_t new_handle() { return m_next_handle++; }
    EntityRef ref_of_handle(uint64_t h) const;
    uint64_t handle_of(uint32_t id) const { return obj(id).handle; }
    void index_handle(uint32_t id);
    void assign_handles();  // load stage two

    // --- structure helpers
    std::string_view type_name(uint32_t id) const;
    std::string_view tag_text(uint32_t id, int code) const;  // first group of a code
    Table* table(std::string_view name);
    const Table* table(std::string_view name) const;
    Table& ensure_table(std::string_view name);
    // Lookups by name as the file stores it (encoded), ignoring ASCII case.
    std::optional<uint32_t> find_record(std::string_view table, std::string_view name) const;
    int find_block(std::string_view name) const;
    // An external reference's definition (BLOCK flag 4): its entities are
    // read from the drawing it names, so files hold it without them.
    bool external_reference(const BlockDef& b) const;
    uint32_t block_record_of(int block) const;  // 0 when none
    uint32_t space_record(Space s) const;
    void mark_complex(EntityList& list);
    void append_to_list(int list, uint32_t id);
    HeaderVar* header(std::string_view name);
    const HeaderVar* header(std::string_view name) const;
    void set_header_tags(std::string_view name, TagVec tags);
    bool has_section(SectionKind k) const;
    Section& ensure_section(SectionKind k, const char* name);

    // --- what the drawing remembers to answer its frequent lookups fast
    // (lookups.cpp): the walk key of each entity (Drawing::walk_key), the
    // main list's positions grouped by walk key (Drawing::main_entities),
    // and records and blocks found by name (find_record, find_block).
    //
    // The rule: every remembered answer is the one a fresh look at the
    // objects would give. Objects, records, blocks and entities added later
    // are taken in when next asked for, so adding needs no call; whoever
    // changes an object's tags in place calls tags_changed(id), which
    // forgets what was remembered of it. stale_lookups() looks afresh and
    // names every remembered answer that differs, so that tests can hold
    // the rule after any change.
    struct WalkEntry {
        uint32_t type = 0, layer = 0;
        bool paper = false;  // group 67 is 1
        bool sub = false;
        bool known = false;
    };
    const WalkEntry& walk_entry(uint32_t id) const;
    void update_key_index() const;
    void tags_changed(uint32_t id);
    std::vector<std::string> stale_lookups() const;
    // Sub-entities are left out of the key index; deleted entities stay in,
    // since entdel can bring them back.
    struct KeyBucket {
        uint32_t type = 0, layer = 0;
        bool paper = false;
        std::vector<uint32_t> positions;
    };
    struct NameHash {
        using is_transparent = void;
        size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
    };
    struct Lookups {
        std::vector<WalkEntry> walk;  // by object id - 1
        // The texts that walk keys number: [0] is no text (a missing,
        // doubled or encoded one).
        std::vector<std::string_view> walk_texts{std::string_view()};
        std::unordered_map<std::string_view, uint32_t> walk_numbers;
        struct LastText {
            std::string_view text;
            uint32_t number = 0;  // 0 while none
        } last_type, last_layer;
        std::vector<KeyBucket> key_buckets;
        std::unordered_map<uint64_t, uint32_t> key_bucket_of;
        uint32_t keyed_upto = 0;  // main-list positions indexed so far
        // Record id or block index by kind and upper-case name.
        std::unordered_map<std::string, uint32_t, NameHash, std::equal_to<>> names;
        // The last names answered, as they were spelled; each is one of `names`.
        struct RecentName {
            std::string kind, name;
            uint32_t value = 0;
            bool set = false;
        };
        std::array<RecentName, 4> recent_names;
        uint32_t next_recent = 0;
    };
    mutable Lookups m_lookups;

    // --- state
    std::string m_source;  // the file text; never changed once tags point into it
    // Text of tags made after loading, packed into blocks that never move
    // (tags point into them) and live as long as the drawing.
    struct Arena {
        std::vector<std::unique_ptr<char[]>> blocks;
        char* free = nullptr;
        size_t left = 0;
    } m_arena;
    std::vector<DbObject> m_objects;
    HandleIndex m_handles;
    uint64_t m_next_handle = 1;
    std::vector<Section> m_sections;
    TagVec m_preamble;  // comments before the first section
    std::vector<HeaderVar> m_header;
    std::unordered_map<std::string, size_t, NameHash, std::equal_to<>> m_header_index;  // upper-case name
    std::vector<Table> m_tables;
    size_t m_block_cursor = 0;  // tblnext over block definitions
    std::vector<BlockDef> m_blocks;
    std::vector<EntityList> m_lists;  // [0] is the ENTITIES section
    std::vector<uint32_t> m_objects_section;
    dxf::TextCodec m_codec;
    DataForm m_form = DataForm::Classic;
    DxfVersion m_version = DxfVersion::R12;
    // $ACADVER of a file older than R12 or of R13/R14, which output of the
    // version it was read as (R12, R2000) keeps: relabelled, such a file
    // reads differently in other programs, which upgrade it themselves.
    std::string m_acadver_kept;
    long m_dbmod = 0;
    mutable Drawing::WriteReport m_write_report;  // of the last write; conversion fills it
    std::string m_name;

    // Earlier states of entities that entmod and entdel changed while a
    // mark is open (Drawing::mark_changes), oldest first, so that they can
    // be put back as they were. The tags' text never moves, so a copy of a
    // TagVec is the whole earlier state.
    struct KeptChange {
        uint32_t id = 0;
        bool tags_kept = false;  // entmod: `tags` were the object's tags
        TagVec tags;
        bool deleted = false;    // entdel: the deleted flag before it
    };
    struct ChangeRecord {
        int open_marks = 0;
        std::vector<KeptChange> kept;
        bool keeping() const { return open_marks > 0; }
    } m_changes;

    // entmake state: a complex entity or block definition being built
    struct Pending {
        std::vector<uint32_t> ids;  // main entity first, then its sub-entities
        int polyline_flags = 0;
    } m_complex;
    struct PendingBlock {
        bool active = false;
        uint32_t begin = 0;
        int list = -1;
        uint32_t record = 0;
        int replaces = -1;  // block redefined
        std::string name;
    } m_block_build;
};

}  // namespace cadhost::db
