// Block definitions made from other drawing files: a block drawing's model
// space inserted as a block (INSERT name=file), and external references,
// whose entities are read from the drawing they name each time the drawing
// holding them is read.
#pragma once

#include <functional>
#include <memory>
#include <set>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "core/value.h"
#include "db/drawing.h"

namespace cadhost::cmd {

// BLOCK group 70 bits.
inline constexpr int kBlockHasAttdefs = 2;
inline constexpr int kBlockExternal = 4;

// The groups of an entity list that can go into another drawing: names,
// handles and owners that belong to the first drawing are dropped.
GroupList portable(const GroupList& in);

// A block defined in a block drawing, which its entities may insert.
struct FileBlock {
    std::string name;
    Point base{0, 0, 0};
    int flags = 0;              // BLOCK group 70
    std::string xref_path;      // BLOCK group 1 of an external reference
    std::vector<GroupList> entities;
};

// What a block drawing gives a block definition: its base point, its model
// space entities without the groups that belong to the file, whether any
// of them is an attribute definition, and the file's own named blocks.
struct BlockSource {
    std::string path;
    std::string bytes;  // the file as read
    Point base{0, 0, 0};
    std::vector<GroupList> entities;
    bool has_attdefs = false;
    std::vector<FileBlock> blocks;
};

// A block drawing read from a host path; read again only when the file has
// changed since.
Result<std::shared_ptr<const BlockSource>> block_source(const std::string& path);

// The host path of an external reference's drawing: `given` relative to the
// folder of the drawing that refers to it (names matched without regard to
// case), else `given` through the runtime file layer. Empty when neither exists.
std::string find_reference_file(const std::string& given, const std::string& referring_drawing);

// Defines blocks in one drawing from drawing files. Every definition is
// made whole or not at all: a failure part way drops what was begun.
class BlockImport {
public:
    using Note = std::function<void(const std::string&)>;
    // `drawing_path`: the host path of `d` (empty for an unnamed drawing);
    // `note` takes the messages about references that cannot be resolved.
    BlockImport(db::Drawing& d, const std::string& drawing_path, Note note);

    // Defines (or redefines) a block from the model space of a file, with
    // the file's blocks that its entities insert and `d` does not have.
    Status define_block(const std::string& name, const std::string& host_path);

    // How resolving an external reference went.
    enum class Outcome { Resolved, NotFound, Circular };
    // (Re)defines `name` as an external reference to `given` (flags `flags`
    // | external), with the entities of the drawing it names, found from the
    // drawing being read innermost. A reference to a drawing that is being
    // read already is circular: nothing is defined. A file not found leaves
    // the drawing as it is. Both are told to `note`.
    Result<Outcome> define_reference(const std::string& name, const std::string& given, int flags);

private:
    // Defines the file's blocks that `entities` insert; the names of
    // circular references among them go to `left_out`.
    Status define_used_blocks(const BlockSource& b, const std::vector<GroupList>& entities,
                              std::set<std::string>& done, std::set<std::string>& left_out);
    Status make_block(const GroupList& header, const std::vector<GroupList>& entities);
    db::Drawing& m_d;
    // The drawings being read, outermost first. Their canonical paths are
    // worked out only when a reference is resolved, the one time they are
    // compared: plain block files, the common case, never need them.
    struct Link {
        std::string path;
        std::optional<std::string> canonical;
    };
    const std::string& canonical_of(Link& l);
    std::vector<Link> m_chain;
    Note m_note;
};

}  // namespace cadhost::cmd
