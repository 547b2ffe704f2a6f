// Block definitions made from drawing files: block drawings and external
// references, with the blocks their entities insert.
#include "cmd/block_source.h"

#include <algorithm>
#include <deque>
#include <filesystem>
#include <memory>

#include "fs/filelayer.h"
#include "host/session.h"

namespace cadhost::cmd {

GroupList portable(const GroupList& in) {
    GroupList out;
    int depth = 0;
    for (const Group& g : in) {
        if (g.code == 102) {
            auto* s = std::get_if<std::string>(&g.value);
            depth += s && !s->empty() && s->front() == '{' ? 1 : -1;
            continue;
        }
        if (depth > 0 || g.code == -1 || g.code == 5 || g.code == 100 || g.code == 330 || g.code == 360) continue;
        if (std::holds_alternative<EntityRef>(g.value)) continue;
        out.push_back(g);
    }
    return out;
}

namespace {

// The named blocks of a drawing (anonymous ones and layouts are left out).
std::vector<FileBlock> named_blocks(db::Drawing& d) {
    std::vector<FileBlock> out;
    for (auto rec = d.tblnext("BLOCK", true); rec; rec = d.tblnext("BLOCK", false)) {
        std::string name = group_string(*rec, 2);
        auto start = name.empty() || name[0] == '*' ? std::nullopt : d.block_start(name);
        if (!start) continue;
        FileBlock b{name, start->base.value_or(Point{0, 0, 0}), static_cast<int>(group_int(*rec, 70)),
                    group_string(*rec, 1), {}};
        b.base.dims = 3;
        for (EntityRef e = start->first; e; e = d.next_entity(e))
            if (auto g = d.entget(e)) b.entities.push_back(portable(*g));
        out.push_back(std::move(b));
    }
    return out;
}

// Host folder of a drawing; the working directory for an unnamed one.
std::filesystem::path folder_of(const std::string& drawing) {
    if (drawing.empty()) return std::filesystem::current_path();
    return std::filesystem::absolute(drawing).parent_path();
}

// `rel` (components split at "/" or "\") under `folder`, each component
// matched without regard to case; empty when some component is missing.
std::filesystem::path match_nocase(std::filesystem::path folder, const std::string& rel) {
    size_t at = 0;
    while (at <= rel.size()) {
        size_t end = rel.find_first_of("/\\", at);
        std::string part = rel.substr(at, end == std::string::npos ? std::string::npos : end - at);
        at = end == std::string::npos ? rel.size() + 1 : end + 1;
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            folder = folder.parent_path();
            continue;
        }
        if (std::filesystem::exists(folder / part)) {
            folder /= part;
            continue;
        }
        std::error_code ec;
        std::filesystem::path found;
        for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
            std::string n = entry.path().filename().string();
            if (host::to_upper(n) == host::to_upper(part) && (found.empty() || n < found.filename().string()))
                found = entry.path();
        }
        if (found.empty()) return {};
        folder = found;
    }
    return folder;
}

// The entities without the insertions of blocks left out.
std::vector<GroupList> without(const std::vector<GroupList>& entities, const std::set<std::string>& left_out) {
    std::vector<GroupList> kept;
    for (const GroupList& e : entities)
        if (group_string(e, 0) != "INSERT" || !left_out.count(host::to_upper(group_string(e, 2)))) kept.push_back(e);
    return kept;
}

bool relative_name(const std::string& p) {
    bool drive = p.size() >= 2 && p[1] == ':';
    return !p.empty() && !drive && p[0] != '/' && p[0] != '\\';
}

std::string canonical(const std::string& path) {
    std::error_code ec;
    auto c = std::filesystem::weakly_canonical(path, ec);
    return ec ? path : c.string();
}

}  // namespace

Result<std::shared_ptr<const BlockSource>> block_source(const std::string& path) {
    static std::deque<std::shared_ptr<const BlockSource>> known;
    constexpr size_t kKnown = 8;
    std::optional<std::string> bytes = host::read_file_text(path);
    if (bytes)
        for (const auto& k : known)
            if (k->path == path && k->bytes == *bytes) return k;
    // Unreadable files go the usual way, for the usual message.
    auto src = bytes ? db::Drawing::read_text(*bytes, path) : db::Drawing::read_file(path);
    if (!src) return src.error();
    BlockSource b;
    b.path = path;
    if (bytes) b.bytes = std::move(*bytes);
    if (auto ib = (*src)->header_var("$INSBASE"))
        if (auto p = std::get_if<Point>(&ib->value)) b.base = *p;
    b.base.dims = 3;
    for (EntityRef e = (*src)->first_entity(); e; e = (*src)->next_entity(e)) {
        if ((*src)->space_of(e) != db::Space::Model) continue;
        auto g = (*src)->entget(e);
        if (!g) continue;
        if (group_string(*g, 0) == "ATTDEF") b.has_attdefs = true;
        b.entities.push_back(portable(*g));
    }
    b.blocks = named_blocks(**src);
    if (known.size() == kKnown) known.pop_front();
    known.push_back(std::make_shared<const BlockSource>(std::move(b)));
    return known.back();
}

std::string find_reference_file(const std::string& given, const std::string& referring_drawing) {
    if (given.empty()) return "";
    if (relative_name(given)) {
        auto p = match_nocase(folder_of(referring_drawing), given);
        if (!p.empty() && std::filesystem::is_regular_file(p)) return p.string();
    }
    std::string as_given = fs::file_layer().resolve(given);
    if (!as_given.empty() && std::filesystem::is_regular_file(as_given)) return as_given;
    return "";
}

BlockImport::BlockImport(db::Drawing& d, const std::string& drawing_path, Note note)
    : m_d(d), m_chain{Link{drawing_path, std::nullopt}}, m_note(std::move(note)) {}

const std::string& BlockImport::canonical_of(Link& l) {
    if (!l.canonical) l.canonical = l.path.empty() ? std::string() : canonical(l.path);
    return *l.canonical;
}

Status BlockImport::make_block(const GroupList& header, const std::vector<GroupList>& entities) {
    std::string name = group_string(header, 2);
    auto fail = [&](const std::string& why) -> Status {
        m_d.abandon_unfinished();
        return Error{why};
    };
    if (auto r = m_d.entmake(header); !r) return fail("cannot begin block " + name + ": " + r.error().message);
    for (const GroupList& g : entities) {
        if (auto st = m_d.ensure_layer(group_string(g, 8, "0")); !st)
            return fail("cannot copy " + group_string(g, 0) + " into block " + name + ": " + st.error().message);
        if (auto r = m_d.entmake(g); !r)
            return fail("cannot copy " + group_string(g, 0) + " into block " + name + ": " + r.error().message);
    }
    if (auto r = m_d.entmake({make_group(0, std::string("ENDBLK")), make_group(8, std::string("0"))}); !r)
        return fail("cannot end block " + name + ": " + r.error().message);
    return ok_status();
}

// The drawing's own definitions are kept, as they are for any insertion;
// each block is defined after the blocks it inserts itself.
Status BlockImport::define_used_blocks(const BlockSource& b, const std::vector<GroupList>& entities,
                                       std::set<std::string>& done, std::set<std::string>& left_out) {
    for (const GroupList& g : entities) {
        if (group_string(g, 0) != "INSERT") continue;
        std::string name = host::to_upper(group_string(g, 2));
        if (!done.insert(name).second || m_d.block_start(name)) continue;
        auto at = std::find_if(b.blocks.begin(), b.blocks.end(),
                               [&](const FileBlock& f) { return host::to_upper(f.name) == name; });
        if (at == b.blocks.end()) continue;  // the insertion reports the missing block
        if (at->flags & kBlockExternal) {
            auto r = CH_TRY(define_reference(at->name, at->xref_path, at->flags));
            if (r == Outcome::Circular) left_out.insert(name);
            // Not found: an empty reference keeps the insertion and the path.
            if (r == Outcome::NotFound)
                CH_TRY(make_block({make_group(0, std::string("BLOCK")), make_group(2, at->name),
                                   make_short(70, static_cast<int16_t>(at->flags)), make_group(10, at->base),
                                   make_group(1, at->xref_path), make_group(8, std::string("0"))},
                                  {}));
            continue;
        }
        CH_TRY(define_used_blocks(b, at->entities, done, left_out));
        CH_TRY(make_block({make_group(0, std::string("BLOCK")), make_group(2, at->name), make_short(70, 0),
                           make_group(10, at->base), make_group(8, std::string("0"))},
                          without(at->entities, left_out)));
    }
    return ok_status();
}

Status BlockImport::define_block(const std::string& name, const std::string& host_path) {
    auto src = block_source(host_path);
    if (!src) return src.error();
    const BlockSource& b = **src;
    m_chain.push_back(Link{host_path, std::nullopt});
    std::set<std::string> done{host::to_upper(name)}, left_out;
    auto st = define_used_blocks(b, b.entities, done, left_out);
    m_chain.pop_back();
    if (!st) return st;
    GroupList header{make_group(0, std::string("BLOCK")), make_group(2, name),
                     make_short(70, b.has_attdefs ? kBlockHasAttdefs : 0), make_group(10, b.base),
                     make_group(8, std::string("0"))};
    return make_block(header, without(b.entities, left_out));
}

Result<BlockImport::Outcome> BlockImport::define_reference(const std::string& name, const std::string& given,
                                                           int flags) {
    std::string file = find_reference_file(given, canonical_of(m_chain.back()));
    if (file.empty()) {
        m_note("Xref " + name + ": cannot find \"" + given + "\"; the reference is kept unresolved.\n");
        return Outcome::NotFound;
    }
    std::string key = canonical(file);
    if (std::any_of(m_chain.begin(), m_chain.end(), [&](Link& l) { return canonical_of(l) == key; })) {
        m_note("Xref " + name + ": \"" + given + "\" refers back to a drawing that refers to it (circular reference); "
               "it is left out.\n");
        return Outcome::Circular;
    }
    auto src = block_source(file);
    if (!src) return Error{"cannot read xref " + name + ": " + src.error().what()};
    const BlockSource& b = **src;
    m_chain.push_back(Link{file, key});
    std::set<std::string> done{host::to_upper(name)}, left_out;
    auto st = define_used_blocks(b, b.entities, done, left_out);
    m_chain.pop_back();
    if (!st) return st.error();
    GroupList header{make_group(0, std::string("BLOCK")), make_group(2, name),
                     make_short(70, static_cast<int16_t>(flags | kBlockExternal)), make_group(10, b.base),
                     make_group(1, given), make_group(8, std::string("0"))};
    CH_TRY(make_block(header, without(b.entities, left_out)));
    return Outcome::Resolved;
}

}  // namespace cadhost::cmd
