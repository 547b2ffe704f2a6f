// The drawing database: one open drawing read from and saved to ASCII DXF.
// Entities are kept as their file tags so that everything the host does not
// interpret is written back unchanged; applications see them in ADS form
// (group -1 the entity, 0 the type, the owner 330 next, then the file's
// groups in order; points as one group, 3D for entities except the vertices
// of LWPOLYLINE and HATCH (dims 2); angles in radians; pointer handles as
// entity references, unresolvable ones as their handle text).
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result.h"
#include "core/value.h"

namespace cadhost::db {

// DXF versions the host reads and writes, by their $ACADVER names.
enum class DxfVersion { R12, R2000, R2004, R2007, R2010, R2013, R2018 };
const char* acadver_name(DxfVersion v);  // "AC1009", "AC1015", ...
std::optional<DxfVersion> version_from_acadver(const std::string& s);

enum class Space { Model, Paper, Block };

class DrawingImpl;

// Whether an object's groups go on past its own to its XDATA (-3 first).
enum class XdataMode { Skip, Include };

// Where in an object's stored tags a group came from: `count` tags from
// `first`. Groups the tags do not hold (-1, -3, defaults) span no tags; a
// default's span starts at the tag it is written before.
struct TagSpan {
    uint32_t first = 0;
    uint32_t count = 0;
};

// Takes the groups of an object one at a time, in entity-list order: the
// one way the drawing hands its groups out.
class GroupSink {
public:
    // With Wanted, groups whose code wants() refuses are left unconverted
    // (a point still comes when its Y or Z code is wanted). A sink that
    // filters this way still checks the codes of the groups it gets.
    enum class Codes { All, Wanted };
    explicit GroupSink(Codes codes = Codes::All) : m_codes(codes) {}
    virtual void group(Group&& g, TagSpan from) = 0;
    // A string group whose file text is its value as it stands; the text is
    // good for the call only. Sinks that can take the text as it is save
    // making a string; by default it becomes a group.
    virtual void text(int code, std::string_view text, TagSpan from) { group(Group{code, std::string(text)}, from); }
    virtual bool wants(int /*code*/) const { return true; }
    Codes codes() const { return m_codes; }

protected:
    ~GroupSink() = default;

private:
    Codes m_codes;
};

class Drawing {
public:
    // Reads a DXF file; the error names the file and the line where reading failed.
    static Result<std::unique_ptr<Drawing>> read_file(const std::string& path);
    // Reads DXF text already in memory (name is used in messages only).
    static Result<std::unique_ptr<Drawing>> read_text(const std::string& text, const std::string& name);
    // A new drawing from the host's own prototype: layer 0, standard
    // linetypes, text style STANDARD, written as version.
    static std::unique_ptr<Drawing> prototype(DxfVersion version = DxfVersion::R2000);
    ~Drawing();

    // Writes the whole drawing as DXF text of the given version.
    std::string write_text(DxfVersion version) const;
    // What a write in another version could not keep.
    struct WriteReport {
        std::map<std::string, size_t> no_such_type;  // entities of types the version lacks, by type
        std::map<std::string, size_t> not_placed;    // entities the conversion failed to place, by type
        size_t other_layouts = 0;  // entities of layouts beyond the one paper space R12 has
        bool empty() const { return no_such_type.empty() && not_placed.empty() && other_layouts == 0; }
        // One line for each kind of loss, for the command line; empty when nothing was lost.
        std::string describe(DxfVersion version) const;
    };
    // What the last write_text or save left out.
    const WriteReport& last_write_report() const;
    // Saves atomically (temporary file beside the target, flush, rename). A
    // failure leaves any existing file untouched. Resets dbmod() on success.
    Status save(const std::string& path, DxfVersion version);
    DxfVersion version() const;  // as read, or as last saved

    // --- entity walk, as ads_entnext does it
    // First entity of the drawing (model or paper space), or none.
    EntityRef first_entity() const;
    // The entity after e: a complex entity's sub-entities (ATTRIB, VERTEX,
    // SEQEND) come after it; within a block definition the walk ends at the
    // end of the block. Deleted entities are skipped.
    EntityRef next_entity(EntityRef e) const;
    // Last main entity (not a sub-entity) of the drawing, or none.
    EntityRef last_entity() const;
    // The entity list in ADS form, or nullopt for an unknown or deleted reference.
    std::optional<GroupList> entget(EntityRef e) const;
    // The same with the XDATA of the named applications ("*" for all) after
    // a -3 group (value: empty string), as (1001 . app) followed by that
    // application's groups. No -3 group when none of them has XDATA.
    std::optional<GroupList> entget(EntityRef e, const std::vector<std::string>& apps) const;
    // The groups of entget(e) (with every application's XDATA after a -3
    // group for XdataMode::Include), in the same order, handed to `sink` one
    // at a time, for callers that build a form of their own from them. The
    // two lists above are collected this way. False, with nothing handed,
    // when entget would give nullopt.
    bool entget(EntityRef e, GroupSink& sink, XdataMode xdata = XdataMode::Skip) const;
    // Replaces an entity's data from an ADS list whose -1 group names it.
    // Groups present replace the entity's groups of the same code (the k-th
    // group of a code replaces the k-th); groups absent are kept. Fails on
    // type change, unknown layer style names it cannot make, or bad values;
    // every group is checked before anything changes. A new layer name in 8
    // creates the layer. An LWPOLYLINE given more vertices than it has takes
    // the list's vertices and count. A -3 group followed by XDATA replaces
    // the XDATA of the applications named (an application alone removes it).
    Status entmod(const GroupList& list);
    // Appends a new entity (to model space, or paper space with 67 = 1, or to
    // the block being defined when a BLOCK header started one) with a fresh
    // handle; layer "0" when the list has no 8. INSERT with 66 = 1 and
    // POLYLINE stay invisible until their SEQEND; a new main entity drops an
    // unfinished one. BLOCK ... ENDBLK defines (or redefines) a block, which
    // appears at ENDBLK; "*U"/"*D" names get the next free number. A list
    // refused while a definition is open drops the whole definition.
    Result<EntityRef> entmake(const GroupList& list);
    // Drops what entmake has left unfinished: a complex entity without its
    // SEQEND, a block definition without its ENDBLK.
    void abandon_unfinished();
    // Deletes, or undeletes a deleted entity (toggle, as the host does).
    Status entdel(EntityRef e);
    bool is_deleted(EntityRef e) const;
    // Taking back changes, for a command that fails. While a mark is open,
    // entmod and entdel keep the earlier state of what they change. Marks
    // nest (a command run inside another takes its own); each one taken is
    // ended once with its answer. TakeBack puts every entity changed since
    // the mark back as it was; Keep leaves the changes, which an enclosing
    // mark can still take back. Entities made since are not touched here.
    enum class MarkEnd { Keep, TakeBack };
    size_t mark_changes();
    void end_mark(size_t mark, MarkEnd how);
    EntityRef handent(const std::string& handle) const;
    // The handle of an entity or record as upper-case hex; empty for none.
    std::string handle_of(EntityRef e) const;
    Space space_of(EntityRef e) const;
    // Entity type name (group 0) without building the whole list.
    std::string type_of(EntityRef e) const;
    // The same as a view into the drawing, valid until it changes.
    std::string_view type_view(EntityRef e) const;
    // The value of a string group exactly as the entity list gives it, when
    // the entity holds that group once and its text needs no decoding;
    // nothing otherwise. Lets selection decide without building the list.
    // A view into the drawing, valid until it changes.
    std::optional<std::string_view> plain_group_text(EntityRef e, int code) const;
    // The group `code` as the entity list gives it, when the entity holds it
    // once in a tag of its own (a text, number or angle; not a point, a
    // pointer or extended data): read without building the list. Nothing
    // otherwise, when the list may hold a default for it instead.
    std::optional<Group> lone_group(EntityRef e, int code) const;
    // Whether lone_group ever gives a group of this code.
    static bool lone_group_code(int code);
    // What a walk over the drawing's entities decides from before reading
    // one in full: its type and layer as plain_group_text gives them, each
    // as a number standing for that text in this drawing (0 for none), its
    // space, and whether it belongs to a complex entity. Read from the tags
    // once and kept until the entity is changed.
    struct WalkKey {
        uint32_t type = 0;
        uint32_t layer = 0;
        Space space = Space::Model;
        bool sub = false;
    };
    WalkKey walk_key(EntityRef e) const;
    // The main entities of model and paper space (no sub-entities, none
    // deleted), in walk order, whose key `wanted` accepts. `wanted` is asked
    // once per distinct type, layer and space, never per entity, so a
    // selection that decides from the key reads only the entities it keeps.
    std::vector<EntityRef> main_entities(const std::function<bool(const WalkKey&)>& wanted) const;
    // The text a WalkKey number stands for; empty for 0.
    std::string_view walk_text(uint32_t key) const;
    // Walk keys, the key index and records and blocks found by name are
    // remembered. Each remembered answer that a fresh look at the drawing
    // would give differently, named; empty whenever the drawing is sound.
    std::vector<std::string> stale_lookups() const;

    // --- tables: LAYER, LTYPE, STYLE, VIEW, UCS, VPORT, DIMSTYLE, APPID,
    // BLOCK_RECORD, and the pseudo-table BLOCK (definitions, with group -2
    // giving the first entity of the block).
    std::optional<GroupList> tblsearch(const std::string& table, const std::string& name);
    // Next record of a table; rewind starts again from its first record.
    std::optional<GroupList> tblnext(const std::string& table, bool rewind);
    // The entity reference of a table record (or of a block's BLOCK entity
    // for table "BLOCK"), or none.
    EntityRef tblobjname(const std::string& table, const std::string& name) const;
    // A block definition's base point (group 10 of its BLOCK list) and
    // first entity (group -2), read without making the list; nothing when
    // the drawing has no such block.
    struct BlockStart {
        std::optional<Point> base;
        EntityRef first;
    };
    std::optional<BlockStart> block_start(const std::string& name) const;
    // Creates a layer record (color 7, CONTINUOUS) when missing; fails for
    // names a layer cannot have.
    Status ensure_layer(const std::string& name);
    // Registers an application for XDATA (APPID record) when missing;
    // entmake and entmod refuse XDATA of applications not registered.
    Status regapp(const std::string& name);
    // Registers a name not registered yet; false when it already is or
    // cannot be one.
    bool register_new_app(const std::string& name);
    // Adds a linetype of dashes (positive), gaps (negative) and dots (0),
    // in drawing units; an existing linetype of that name is kept.
    Status add_linetype(const std::string& name, const std::string& description, const std::vector<double>& pattern);

    // --- header variables ($CLAYER and so on), in ADS form (one group).
    std::optional<Group> header_var(const std::string& name) const;
    // The text of a header variable held as one string group that needs no
    // decoding, as header_var would give it; nullopt for any other.
    std::optional<std::string_view> header_text(std::string_view name) const;
    Status set_header_var(const std::string& name, const Group& value);

    // Unsaved changes; 0 after reading or saving.
    long dbmod() const;
    // Counts the changes so far as none: for what every read of the file
    // does again (external references resolved from their drawings).
    void clear_dbmod();

private:
    Drawing();
    static Result<std::unique_ptr<Drawing>> load(std::string text, const std::string& name);
    std::unique_ptr<DrawingImpl> m_impl;
};

}  // namespace cadhost::db
