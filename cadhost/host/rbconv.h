// Conversion between the host's group lists and resbuf chains, and the
// encoding of entity and selection set names.
#pragma once

#include <string_view>

#include "ads.h"
#include "core/result.h"
#include "core/value.h"

namespace cadhost::ads {

// How a resbuf of a given restype holds its value.
enum class RbKind { None, Real, Point, Short, Long, String, Name, Binary };
RbKind rb_kind(int restype);

// Resbufs are made with ads_newrb and given back with ads_relrb; both keep
// released blocks for reuse (see rbconv.cpp), and every block is malloc'd,
// so that applications may free a resbuf or its text themselves.
// Copies a string into a resbuf (malloc'd).
void set_rb_string(struct resbuf* rb, const std::string& s);
// A malloc'd copy of a text for a resbuf, and the giving back of one.
char* new_rb_text(std::string_view text);
void release_text(char* p);

// Builds a chain group by group; entity references become names of
// drawing `serial`. A value an application could not read (a pointer left
// as text because its object is missing) is left out.
class ChainBuilder {
public:
    explicit ChainBuilder(long serial) : m_serial(serial) {}
    ChainBuilder(const ChainBuilder&) = delete;
    ChainBuilder& operator=(const ChainBuilder&) = delete;
    ~ChainBuilder();
    void add(const Group& g);
    // A string group given by its text.
    void add_text(int code, std::string_view text);
    struct resbuf* release();  // the chain made so far; the builder starts again

private:
    long m_serial;
    struct resbuf* m_head = nullptr;
    struct resbuf** m_tail = &m_head;
};

// Group list -> chain, as ChainBuilder makes it.
struct resbuf* to_chain(const GroupList& list, long serial);
// Chain -> group list; names must belong to drawing `serial`.
Result<GroupList> from_chain(const struct resbuf* rb, long serial);
// One value from a resbuf (for setvar and the like).
Result<GroupValue> rb_value(const struct resbuf* rb, long serial);

// Entity names carry the drawing serial in their second word; selection
// sets carry its negation, so neither can be taken for the other.
void set_entity_name(ads_name out, EntityRef e, long serial);
EntityRef entity_from_name(const long* name, long serial);  // none when stale or not an entity
void set_selection_name(ads_name out, long id, long serial);
long selection_from_name(const long* name, long serial);   // 0 when not a current selection name

}  // namespace cadhost::ads
