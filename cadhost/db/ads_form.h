// Conversion between an object's file tags and the ADS group list that
// applications see: points merged, angles in radians, handles as references,
// strings in UTF-8. Each ADS group remembers the tags it came from.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "core/groupcode.h"
#include "core/result.h"
#include "core/value.h"
#include "db/document.h"
#include "db/entity_defaults.h"

namespace cadhost::db {

struct AdsForm {
    GroupList groups;
    std::vector<TagSpan> spans;  // parallel to groups; -1 and -3 have empty spans
};

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

class AdsConverter {
public:
    explicit AdsConverter(const DrawingImpl& doc, DefaultsMode defaults = DefaultsMode::Include)
        : m_doc(doc), m_defaults(defaults) {}
    // The whole object with group -1 first and the owner after group 0. An
    // entity's default groups missing from its tags come where the type's
    // write order puts them, each with an empty span at the tag it goes
    // before, so that entmod writes a changed one in its place.
    AdsForm object_form(uint32_t id, XdataMode xdata) const;
    // The same groups in the same order, handed to `sink` as they are made
    // (object_form collects them so). With GroupSink::Codes::Wanted, groups
    // of codes the sink does not want are left unread.
    void each_object_group(uint32_t id, XdataMode xdata, GroupSink& sink) const;
    // The first group of a tag range (a header variable holds one).
    std::optional<Group> first_group(const TagVec& tags, size_t begin, size_t end) const;
    // Tags in file form for one ADS group; fails when the value does not fit the code.
    Result<FileTags> file_tags(const Group& g) const;
    // The same added to `out`, which is left as it was on failure.
    Status append_file_tags(const Group& g, FileTags& out) const;
    // The same handed to `out`, which gets nothing on failure.
    Status put_file_tags(const Group& g, TagSink out) const;
    // The value of one tag of `code` as the entity list gives it (a point's
    // X alone; the list joins Y and Z to it).
    GroupValue value_of(int code, std::string_view text) const;

private:
    // Converts [begin, end) but the tag at `skip` (none when out of range),
    // handing groups to `take` as (group, span) and string groups that need
    // no decoding to `take_text` as (code, text, span); both are inlined
    // where the converter uses them. With `Filtered`, groups of codes
    // `filter` does not want are left unread.
    template <bool Filtered, class Take, class TakeText>
    void convert_each(const TagVec& tags, size_t begin, size_t end, size_t skip, const GroupSink* filter, Take& take,
                      TakeText& take_text) const;
    template <bool Filtered>
    void each_group(uint32_t id, XdataMode xdata, GroupSink& sink) const;
    // Hands over a default group the tags lack, as each_group's `take` takes groups.
    template <bool Filtered, class Take>
    void put_default(uint32_t id, const TypeDefaults& d, const MissingDefault& m, const GroupSink& filter,
                     Take& take) const;
    bool sub_entities_follow(uint32_t id) const;
    size_t owner_tag(const TagVec& tags, size_t end) const;
    const DrawingImpl& m_doc;
    DefaultsMode m_defaults = DefaultsMode::Include;
};

// Index of the first XDATA tag (1001) or tags.size().
size_t xdata_start(const TagVec& tags);

}  // namespace cadhost::db
