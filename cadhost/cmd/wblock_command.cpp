// WBLOCK: a named block, or objects chosen with a base point, written to a
// drawing file of their own; the objects then leave the drawing.
#include <filesystem>
#include <set>

#include "ads.h"
#include "cmd/block_source.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "cmd/selectobj.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

// Copies entities of one drawing into the model space of another, with the
// block definitions their inserts need (defined first, once each).
class Copier {
public:
    Copier(const db::Drawing& from, db::Drawing& to) : m_from(from), m_to(to) {}

    Status entity(EntityRef e) {
        auto g = m_from.entget(e);
        if (!g) return ok_status();
        if (group_string(*g, 0) == "INSERT") CH_TRY(block(group_string(*g, 2)));
        GroupList list = portable(*g);
        CH_TRY(m_to.ensure_layer(group_string(list, 8, "0")));
        auto r = m_to.entmake(list);
        if (!r) return Error{"cannot copy " + group_string(list, 0) + ": " + r.error().message};
        return ok_status();
    }

    // The block's own entities in their order; sub-entities follow their owner.
    Status block_entities(const std::string& name) {
        auto start = m_from.block_start(name);
        if (!start) return Error{"Block " + name + " not found."};
        for (EntityRef e = start->first; e; e = m_from.next_entity(e)) CH_TRY(entity(e));
        return ok_status();
    }

private:
    Status block(const std::string& name) {
        if (name.empty() || !m_done.insert(host::to_upper(name)).second) return ok_status();
        auto start = m_from.block_start(name);
        if (!start) return ok_status();
        // Blocks the definition uses come first, outside the one being built.
        for (EntityRef e = start->first; e; e = m_from.next_entity(e))
            if (m_from.type_of(e) == "INSERT")
                if (auto g = m_from.entget(e)) CH_TRY(block(group_string(*g, 2)));
        Point base = start->base.value_or(Point{0, 0, 0});
        base.dims = 3;
        CH_TRY(m_to.entmake({make_group(0, std::string("BLOCK")), make_group(2, name), make_short(70, 0),
                             make_group(10, base), make_group(8, std::string("0"))}));
        for (EntityRef e = start->first; e; e = m_from.next_entity(e)) {
            auto g = m_from.entget(e);
            if (!g) continue;
            GroupList list = portable(*g);
            CH_TRY(m_to.ensure_layer(group_string(list, 8, "0")));
            auto r = m_to.entmake(list);
            if (!r) return r.error();
        }
        CH_TRY(m_to.entmake({make_group(0, std::string("ENDBLK")), make_group(8, std::string("0"))}));
        return ok_status();
    }

    const db::Drawing& m_from;
    db::Drawing& m_to;
    std::set<std::string> m_done;
};

// A main entity and the attributes or vertices that belong to it.
std::vector<EntityRef> with_sub_entities(const db::Drawing& d, EntityRef e) {
    std::vector<EntityRef> out{e};
    std::string type = d.type_of(e);
    if (type != "INSERT" && type != "POLYLINE") return out;
    for (EntityRef s = d.next_entity(e); s; s = d.next_entity(s)) {
        std::string t = d.type_of(s);
        if (t != "ATTRIB" && t != "VERTEX" && t != "SEQEND") break;
        out.push_back(s);
        if (t == "SEQEND") break;
    }
    return out;
}

CmdStatus wblock_failed(CommandLine& cl, const std::string& why) {
    cl.print(why + "\n");
    return CmdStatus::Failed;
}

CmdStatus cmd_wblock(CommandLine& cl) {
    host::Session& s = cl.session();
    auto name = cl.ask("File name: ", host::ReadMode::Line);
    if (!name) return CmdStatus::Cancelled;
    if (name->empty()) return CmdStatus::Done;
    std::string file = *name;
    if (!std::filesystem::path(file).has_extension()) file += host::kDrawingExt;
    std::string path = s.host_path(file);
    if (std::filesystem::exists(path)) {
        auto yes = cl.ask_yes_no("A drawing with this name already exists.\nDo you want to replace it? <N> ", false);
        if (!yes) return CmdStatus::Cancelled;
        if (!*yes) return CmdStatus::Done;
    }
    auto block = cl.ask("Block name: ", host::ReadMode::Line);
    if (!block) return CmdStatus::Cancelled;
    std::string bname = *block == "=" ? std::filesystem::path(file).stem().string() : *block;
    db::Drawing& d = s.drawing();
    auto out = db::Drawing::prototype(d.version());
    Copier copy(d, *out);
    Point base{0, 0, 0};
    std::vector<EntityRef> chosen;
    if (!bname.empty()) {
        auto start = d.block_start(bname);
        if (!start) return wblock_failed(cl, "Block " + bname + " not found.");
        base = start->base.value_or(base);
        Status st = copy.block_entities(bname);
        if (!st) return wblock_failed(cl, st.error().message);
    } else {
        GetRequest req;
        req.kind = GetKind::Point;
        req.prompt = "Insertion base point: ";
        auto r = cl.get_input(req, InitGet{});
        if (r.status == RTCAN) return CmdStatus::Cancelled;
        if (r.status != RTNORM) return wblock_failed(cl, "A base point is needed.");
        base = std::get<Point>(r.value);
        auto set = select_objects(cl);
        if (!set) return CmdStatus::Cancelled;
        if (set->empty()) return wblock_failed(cl, "Nothing selected.");
        for (EntityRef e : *set)
            for (EntityRef part : with_sub_entities(d, e)) {
                Status st = copy.entity(part);
                if (!st) return wblock_failed(cl, st.error().message);
            }
        chosen = *set;
    }
    base.dims = 3;
    (void)out->set_header_var("$INSBASE", make_group(10, base));
    Status saved = out->save(path, d.version());
    if (!saved) return wblock_failed(cl, saved.error().message);
    for (EntityRef e : chosen)
        if (!d.is_deleted(e)) (void)d.entdel(e);  // the objects now live in their own file
    return CmdStatus::Done;
}

}  // namespace

void add_wblock_command(CommandLine& cl) { cl.add({"WBLOCK", cmd_wblock}); }

}  // namespace cadhost::cmd
