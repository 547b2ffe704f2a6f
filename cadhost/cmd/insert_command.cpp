// INSERT: places a block of the drawing, or a block drawing file whose
// entities and attribute definitions become the block, with its attributes.
#include <algorithm>
#include <cmath>
#include <filesystem>

#include "ads.h"
#include "cmd/block_source.h"
#include "cmd/commandline.h"
#include "cmd/getinput.h"
#include "cmd/xref.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

struct BlockRequest {
    std::string name;  // block name in the drawing
    std::string file;  // drawing file to define it from; empty to use the drawing's own
    // "name=file": the block is (re)defined from the file even when the
    // drawing has it. A file given alone defines a block the drawing lacks;
    // once defined, later insertions use the drawing's definition.
    bool redefine = false;
};

// A file name without its extension: up to its last dot, unless the name
// is "." or "..", or its only dot leads it.
std::string_view stem_of(std::string_view file) {
    if (file == "." || file == "..") return file;
    auto dot = file.rfind('.');
    return dot == std::string_view::npos || dot == 0 ? file : file.substr(0, dot);
}

BlockRequest parse_block_answer(const std::string& a) {
    BlockRequest r;
    auto eq = a.find('=');
    std::string path = eq == std::string::npos ? a : a.substr(eq + 1);
    auto sep = path.find_last_of("/\\");
    std::string_view file = std::string_view(path).substr(sep == std::string::npos ? 0 : sep + 1);
    r.name = host::to_upper(eq == std::string::npos ? std::string(stem_of(file)) : a.substr(0, eq));
    if (eq != std::string::npos || sep != std::string::npos) r.file = path;
    r.redefine = eq != std::string::npos;
    return r;
}

// Finds the file for a block: as given, or name + extension on the search path.
std::string block_file(host::Session& s, const std::string& file) {
    std::string f = std::filesystem::path(file).has_extension() ? file : file + host::kDrawingExt;
    std::string direct = s.host_path(f);
    if (std::filesystem::exists(direct)) return direct;
    return s.find_file(f);
}

struct Placement {
    Point at;
    double sx = 1, sy = 1, sz = 1, rotation = 0;  // rotation in radians
    Point base;                                     // block base point
    Point map(const Point& p) const {
        double x = (p.x - base.x) * sx, y = (p.y - base.y) * sy;
        double c = std::cos(rotation), sn = std::sin(rotation);
        return Point{at.x + x * c - y * sn, at.y + x * sn + y * c, at.z + (p.z - base.z) * sz};
    }
};

// The requests of every placement, made once: a block is often placed
// thousands of times by an application in one go.
GetRequest request(GetKind kind, const char* prompt) {
    GetRequest r;
    r.kind = kind;
    r.prompt = prompt;
    return r;
}
const GetRequest kInsertionPoint = request(GetKind::Point, "Insertion point: ");
const GetRequest kScaleX = request(GetKind::Real, "X scale factor <1> / Corner / XYZ: ");
const GetRequest kScaleY = request(GetKind::Real, "Y scale factor (default=X): ");
const GetRequest kRotation = request(GetKind::Real, "Rotation angle <0>: ");

std::optional<double> ask_number(CommandLine& cl, const GetRequest& req, double def, bool& cancelled) {
    static const InitGet no_options;
    auto r = cl.get_input(req, no_options);
    if (r.status == RTCAN) return cancelled = true, std::nullopt;
    if (r.status == RTNONE) return def;
    return std::get<double>(r.value);
}

// The attribute definitions of a block, in definition order.
std::vector<GroupList> attdefs(const db::Drawing& d, const std::optional<db::Drawing::BlockStart>& blk) {
    std::vector<GroupList> out;
    if (!blk) return out;
    for (EntityRef e = blk->first; e; e = d.next_entity(e)) {
        if (d.type_view(e) != "ATTDEF") continue;
        if (auto g = d.entget(e)) out.push_back(std::move(*g));
    }
    return out;
}

// `def` holds no misread group (see misread_group).
GroupList attrib_from(const GroupList& def, const Placement& pl, const std::string& value, const std::string& layer) {
    GroupList a{make_group(0, std::string("ATTRIB"))};
    std::string l = group_string(def, 8, "0");
    a.push_back(make_group(8, l == "0" ? layer : l));
    for (const Group& g : portable(def)) {
        switch (g.code) {
        case 0: case 8: case 3: break;
        case 1: a.push_back(make_group(1, value)); break;
        case 10: case 11: a.push_back(make_group(g.code, pl.map(std::get<Point>(g.value)))); break;
        case 40: a.push_back(make_group(40, std::get<double>(g.value) * pl.sy)); break;
        case 50: a.push_back(make_group(50, std::get<double>(g.value) + pl.rotation)); break;
        default: a.push_back(g); break;
        }
    }
    if (!find_group(a, 1)) a.push_back(make_group(1, value));
    if (!find_group(a, 50) && pl.rotation != 0) a.push_back(make_group(50, pl.rotation));
    return a;
}

CmdStatus place(CommandLine& cl, const std::string& name, const std::optional<db::Drawing::BlockStart>& blk,
                AttributeMode attributes) {
    host::Session& s = cl.session();
    auto& d = s.drawing();
    // A definition the reader could not read is reported before any prompt.
    auto defs = attributes == AttributeMode::Ask ? attdefs(d, blk) : std::vector<GroupList>{};
    for (const auto& def : defs)
        if (const Group* bad = misread_group(def)) {
            cl.print("Block " + name + ": attribute definition " + group_string(def, 2) + ": " + misread_message(*bad) +
                     "\n");
            return CmdStatus::Failed;
        }
    Placement pl;
    if (blk && blk->base) pl.base = *blk->base;
    static const InitGet no_null = parse_initget(RSG_NONULL, "");
    auto r = cl.get_input(kInsertionPoint, no_null);
    if (r.status != RTNORM) return CmdStatus::Cancelled;
    pl.at = std::get<Point>(r.value);
    bool cancelled = false;
    auto sx = ask_number(cl, kScaleX, 1.0, cancelled);
    if (cancelled) return CmdStatus::Cancelled;
    auto sy = ask_number(cl, kScaleY, *sx, cancelled);
    if (cancelled) return CmdStatus::Cancelled;
    auto rot = ask_number(cl, kRotation, 0.0, cancelled);
    if (cancelled) return CmdStatus::Cancelled;
    pl.sx = *sx, pl.sy = *sy, pl.sz = *sx, pl.rotation = *rot * M_PI / 180.0;

    // Attribute values: one prompt per definition with ATTREQ 1, defaults otherwise.
    std::vector<std::pair<GroupList, std::string>> values;
    static const host::SysvarDef* attreq_def = host::Sysvars::find("ATTREQ");
    auto attreq = s.sysvars().get(*attreq_def);
    bool ask_values = attreq && std::get<int16_t>(*attreq) != 0;
    bool announced = false;
    for (auto& def : defs) {
        if (group_int(def, 70) & 2) continue;  // constant: no ATTRIB of its own
        std::string value = group_string(def, 1);
        if (ask_values && !(group_int(def, 70) & 8)) {
            if (!announced) cl.print("Enter attribute values\n"), announced = true;
            std::string prompt = group_string(def, 3, group_string(def, 2));
            auto a = cl.ask(prompt + " <" + value + ">: ", host::ReadMode::Line);
            if (!a) return CmdStatus::Cancelled;
            if (!a->empty()) value = *a;
        }
        values.emplace_back(def, value);
    }
    std::string layer = s.current_layer();
    Point at = pl.at;
    at.dims = 3;
    GroupList ins;
    ins.reserve(9);
    ins.push_back(make_group(0, std::string("INSERT")));
    ins.push_back(make_group(8, layer));
    if (!values.empty()) ins.push_back(make_short(66, 1));
    ins.push_back(make_group(2, name));
    ins.push_back(make_group(10, at));
    ins.push_back(make_group(41, pl.sx));
    ins.push_back(make_group(42, pl.sy));
    ins.push_back(make_group(43, pl.sz));
    ins.push_back(make_group(50, pl.rotation));
    if (auto e = d.entmake(ins); !e) return cl.print(e.error().message + "\n"), CmdStatus::Failed;
    if (values.empty()) return CmdStatus::Done;
    for (auto& [def, value] : values)
        if (auto e = d.entmake(attrib_from(def, pl, value, layer)); !e)
            return cl.print(e.error().message + "\n"), CmdStatus::Failed;
    if (auto e = d.entmake({make_group(0, std::string("SEQEND")), make_group(8, layer)}); !e)
        return cl.print(e.error().message + "\n"), CmdStatus::Failed;
    return CmdStatus::Done;
}

CmdStatus cmd_insert(CommandLine& cl) {
    host::Session& s = cl.session();
    static const std::string prompt = "Block name (or ?): ";
    auto a = cl.ask(prompt, host::ReadMode::Line);
    if (!a) return CmdStatus::Cancelled;
    if (a->empty()) return CmdStatus::Done;
    if (*a == "?") {
        for (auto r = s.drawing().tblnext("BLOCK", true); r; r = s.drawing().tblnext("BLOCK", false))
            if (group_string(*r, 2).rfind('*', 0) != 0) cl.print(group_string(*r, 2) + "\n");
        return CmdStatus::Done;
    }
    BlockRequest req = parse_block_answer(*a);
    auto blk = s.drawing().block_start(req.name);
    bool exists = blk.has_value();
    if (!exists || req.redefine) {
        std::string file = block_file(s, req.file.empty() ? req.name : req.file);
        if (file.empty()) {
            if (exists) return place(cl, req.name, blk, AttributeMode::Ask);
            cl.print("\"" + (req.file.empty() ? req.name : req.file) + host::kDrawingExt + "\": Can't find file.\n");
            return CmdStatus::Failed;
        }
        BlockImport import(s.drawing(), s.drawing_path(), [&cl](const std::string& note) { cl.print(note); });
        auto st = import.define_block(req.name, file);
        if (!st) {
            cl.print("Cannot define block " + req.name + ": " + st.error().what() + "\n");
            return CmdStatus::Failed;
        }
        if (exists) cl.print("Block " + req.name + " redefined\n");
        blk = s.drawing().block_start(req.name);
    }
    return place(cl, req.name, blk, AttributeMode::Ask);
}

}  // namespace

CmdStatus place_block(CommandLine& cl, const std::string& name, AttributeMode attributes) {
    return place(cl, name, cl.session().drawing().block_start(name), attributes);
}

// XREF shares the block file code and the placement prompts with INSERT.
void add_insert_command(CommandLine& cl) {
    cl.add({"INSERT", cmd_insert});
    add_xref_command(cl);
}

}  // namespace cadhost::cmd
