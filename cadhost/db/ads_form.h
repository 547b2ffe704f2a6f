// Conversion between an object's file tags and the ADS group list that
// applications see: points merged, angles in radians, handles as references,
// strings in UTF-8. Each ADS group remembers the tags it came from.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "core/groupcode.h"
#include "core/result.h"
#include "core/value.h"
#include "db/document.h"
#include "db/entity_defaults.h"

namespace cadhost::db {

struct Span {
    uint32_t first = 0;  // index of the first tag in the object's tags
    uint32_t count = 0;
};

struct AdsForm {
    GroupList groups;
    std::vector<Span> spans;  // parallel to groups; -1 and -3 have empty spans
};

enum class XdataMode { Skip, Include };
// Whether an entity's list holds the default groups of its type that its
// tags lack (see entity_defaults.h). Applications always get them; version
// conversion copies only what the file holds.
enum class DefaultsMode { Include, Omit };

using FileTags = std::vector<std::pair<int, std::string>>;

// Where the file tags of one group go, one (code, text) at a time; the text
// is only good for the call.
class TagSink {
public:
    template <class Put>
    explicit TagSink(Put& put)
        : m_put(&put), m_call([](void* p, int code, std::string_view text) { (*static_cast<Put*>(p))(code, text); }) {}
    void operator()(int code, std::string_view text) const { m_call(m_put, code, text); }

private:
    void* m_put;
    void (*m_call)(void*, int, std::string_view);
};

// Takes the groups of a conversion one at a time, with the tags each came from.
using GroupTaker = std::function<void(Group&&, const Span&)>;

class AdsConverter {
public:
    explicit AdsConverter(const DrawingImpl& doc, DefaultsMode defaults = DefaultsMode::Include)
        : m_doc(doc), m_defaults(defaults) {}
    // Converts only the groups whose code `wanted` accepts, leaving the rest
    // unread; for readers that look at a few codes only.
    AdsConverter(const DrawingImpl& doc, const std::function<bool(int)>& wanted) : m_doc(doc), m_wanted(&wanted) {}
    // The whole object with group -1 first and the owner after group 0. An
    // entity's default groups missing from its tags come where the type's
    // write order puts them, each with an empty span at the tag it goes
    // before, so that entmod writes a changed one in its place.
    AdsForm object_form(uint32_t id, XdataMode xdata) const;
    // The same groups in the same order, handed to `take` as they are made,
    // for callers that build a form of their own from them.
    void each_object_group(uint32_t id, XdataMode xdata, const GroupTaker& take) const;
    // The same handed to a sink, string groups that need no decoding as text.
    void each_object_group(uint32_t id, XdataMode xdata, Drawing::GroupSink& sink) const;
    // The first group of a tag range (a header variable holds one).
    std::optional<Group> first_group(const TagVec& tags, size_t begin, size_t end) const;
    // Tags in file form for one ADS group; fails when the value does not fit the code.
    Result<FileTags> file_tags(const Group& g) const;
    // The same added to `out`, which is left as it was on failure.
    Status append_file_tags(const Group& g, FileTags& out) const;
    // The same handed to `out`, which gets nothing on failure.
    Status put_file_tags(const Group& g, TagSink out) const;

private:
    GroupValue value_of(int code, std::string_view text) const;
    // Converts [begin, end) but the tag at `skip` (none when out of range).
    // `take` is called as GroupTaker is; `take_text`, when not null, takes
    // string groups that need no decoding as (code, text). Both are inlined
    // where the converter uses them.
    // With `Filtered`, groups of codes not wanted are left unread.
    template <bool Filtered, class Take, class TakeText>
    void convert_each(const TagVec& tags, size_t begin, size_t end, size_t skip, Take& take,
                      TakeText* take_text) const;
    template <bool Filtered, class Take, class TakeText>
    void each_group(uint32_t id, XdataMode xdata, Take& take, TakeText* take_text) const;
    // Hands over a default group the tags lack, as each_group's `take` takes groups.
    template <bool Filtered, class Take>
    void put_default(uint32_t id, const TypeDefaults& d, const MissingDefault& m, Take& take) const;
    bool sub_entities_follow(uint32_t id) const;
    size_t owner_tag(const TagVec& tags, size_t end) const;
    // A group left unconverted: its code is not wanted.
    bool unread(int code, GroupType type) const;
    const DrawingImpl& m_doc;
    const std::function<bool(int)>* m_wanted = nullptr;
    DefaultsMode m_defaults = DefaultsMode::Include;
};

// Index of the first XDATA tag (1001) or tags.size().
size_t xdata_start(const TagVec& tags);

}  // namespace cadhost::db
