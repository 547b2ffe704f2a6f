// entmake: new entities from ADS lists, written in the form the drawing's
// version needs, including complex entities and block definitions that
// arrive as sequences (INSERT/ATTRIB/SEQEND, POLYLINE/VERTEX/SEQEND,
// BLOCK ... ENDBLK).
#pragma once

#include <memory>
#include <string>

#include "core/result.h"
#include "core/value.h"
#include "db/ads_form.h"
#include "db/document.h"
#include "db/entity_layouts.h"

namespace cadhost::db {

class EntityMaker {
public:
    explicit EntityMaker(DrawingImpl& doc) : m_doc(doc) {}
    Result<EntityRef> make(const GroupList& list);
    // The same, giving the entity this handle when it is still free.
    Result<EntityRef> make_with_handle(const GroupList& list, uint64_t handle);
    // For version conversion, which makes the blocks of a whole file: an
    // INSERT may name a block made later, and the caller checks afterwards.
    void allow_blocks_made_later() { m_blocks_later = true; }
    // Drops a complex entity or block definition still being made.
    void abandon_unfinished();
    // Tags of an entity in the drawing's form (also used when converting versions).
    Result<TagVec> compose(std::string_view type, const GroupList& list, uint64_t handle, uint64_t owner, DataForm form,
                           int polyline_flags);

private:
    Result<EntityRef> make_plain(const std::string& type, const GroupList& list);
    Result<EntityRef> make_sub(const std::string& type, const GroupList& list);
    Result<EntityRef> begin_block(const GroupList& list);
    Result<EntityRef> end_block(const GroupList& list);
    uint32_t new_block_record(const std::string& name);
    // Which groups of a list have been placed: on the stack for the lists
    // entities are made from, on the heap for longer ones.
    class Used {
    public:
        explicit Used(size_t n) {
            if (n > kInline) {
                m_heap.reset(new bool[n]());
                m_at = m_heap.get();
            }
        }
        Used(const Used&) = delete;
        Used& operator=(const Used&) = delete;
        bool& operator[](size_t i) { return m_at[i]; }

    private:
        static constexpr size_t kInline = 64;
        bool m_inline[kInline] = {};
        std::unique_ptr<bool[]> m_heap;
        bool* m_at = m_inline;
    };
    Status add_groups(TagVec& tags, const GroupList& list, const std::vector<int>& codes, Used& used, int vertex_dims);
    // Appends the file tags of one group.
    Status add_file_tags(TagVec& tags, const AdsConverter& conv, const Group& g);
    uint64_t take_handle();
    uint32_t new_entity(TagVec tags, uint64_t handle, ObjKind kind);
    void cancel_complex();
    int target_list() const;
    uint64_t owner_for(const GroupList& list) const;
    std::string unique_anonymous_name(char letter) const;
    DrawingImpl& m_doc;
    uint64_t m_wanted = 0;
    bool m_blocks_later = false;
};

}  // namespace cadhost::db
