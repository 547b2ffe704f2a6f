// LIST: prints the data of selected entities, sub-entities included.
#include <cmath>
#include <cstdio>
#include <map>
#include <vector>

#include "cmd/commandline.h"
#include "cmd/selectobj.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

// Field names as the users of each entity type know them; groups an
// entity type does not name take the common names, others are listed by code.
struct FieldName {
    int code;
    const char* label;
};

struct TypeFields {
    const char* type;
    std::vector<FieldName> fields;
};

const std::vector<TypeFields>& type_fields() {
    static const std::vector<TypeFields> t = {
        {"LINE", {{10, "from point"}, {11, "to point"}}},
        {"POINT", {{10, "point"}, {50, "x axis angle"}}},
        {"CIRCLE", {{10, "center point"}, {40, "radius"}}},
        {"ARC", {{10, "center point"}, {40, "radius"}, {50, "start angle"}, {51, "end angle"}}},
        {"ELLIPSE", {{10, "center point"}, {11, "major axis end (from center)"}, {40, "minor to major ratio"},
                     {41, "start parameter"}, {42, "end parameter"}}},
        {"TEXT", {{1, "text"}, {7, "style"}, {10, "start point"}, {11, "alignment point"}, {40, "height"},
                  {41, "width factor"}, {50, "rotation angle"}, {51, "oblique angle"}, {71, "generation flags"},
                  {72, "horizontal justification"}, {73, "vertical justification"}}},
        {"ATTDEF", {{1, "default value"}, {2, "tag"}, {3, "prompt"}, {7, "style"}, {10, "start point"},
                    {11, "alignment point"}, {40, "height"}, {41, "width factor"}, {50, "rotation angle"},
                    {51, "oblique angle"}, {70, "attribute flags"}, {71, "generation flags"},
                    {72, "horizontal justification"}, {74, "vertical justification"}}},
        {"ATTRIB", {{1, "value"}, {2, "tag"}, {7, "style"}, {10, "start point"}, {11, "alignment point"},
                    {40, "height"}, {41, "width factor"}, {50, "rotation angle"}, {51, "oblique angle"},
                    {70, "attribute flags"}, {71, "generation flags"}, {72, "horizontal justification"}, {73, "field length"},
                    {74, "vertical justification"}}},
        {"MTEXT", {{1, "text"}, {3, "text (continued)"}, {7, "style"}, {10, "insertion point"}, {40, "height"},
                   {41, "reference width"}, {50, "rotation angle"}, {71, "attachment point"},
                   {72, "drawing direction"}}},
        {"INSERT", {{2, "block name"}, {10, "insertion point"}, {41, "X scale factor"}, {42, "Y scale factor"},
                    {43, "Z scale factor"}, {44, "column spacing"}, {45, "row spacing"}, {50, "rotation angle"},
                    {66, "attributes follow"}, {70, "columns"}, {71, "rows"}}},
        {"POLYLINE", {{10, "elevation"}, {40, "default start width"}, {41, "default end width"},
                      {66, "vertices follow"}, {70, "polyline flags"}, {71, "mesh M vertex count"},
                      {72, "mesh N vertex count"}, {75, "smooth surface type"}}},
        {"VERTEX", {{10, "at point"}, {40, "starting width"}, {41, "ending width"}, {42, "bulge"},
                    {50, "curve fit tangent direction"}, {70, "vertex flags"}}},
        {"LWPOLYLINE", {{10, "at point"}, {38, "elevation"}, {40, "starting width"}, {41, "ending width"},
                        {42, "bulge"}, {43, "constant width"}, {70, "polyline flags"}, {90, "vertex count"}}},
        {"SOLID", {{10, "first corner"}, {11, "second corner"}, {12, "third corner"}, {13, "fourth corner"}}},
        {"TRACE", {{10, "first corner"}, {11, "second corner"}, {12, "third corner"}, {13, "fourth corner"}}},
        {"3DFACE", {{10, "first corner"}, {11, "second corner"}, {12, "third corner"}, {13, "fourth corner"},
                    {70, "invisible edge flags"}}},
        {"VIEWPORT", {{10, "center point"}, {40, "width"}, {41, "height"}, {68, "status"}, {69, "ID"}}},
        {"DIMENSION", {{1, "text"}, {2, "block name"}, {3, "dimension style"}, {10, "definition point"},
                       {11, "text middle point"}, {13, "first extension point"}, {14, "second extension point"},
                       {15, "third definition point"}, {40, "leader length"}, {50, "rotation angle"},
                       {53, "text rotation"}, {70, "dimension type"}}},
        {"LEADER", {{3, "dimension style"}, {10, "vertex"}, {71, "arrowhead flag"}, {72, "path type"},
                    {76, "vertex count"}}},
    };
    return t;
}

const std::map<int, const char*>& common_fields() {
    static const std::map<int, const char*> m = {
        {1, "text"}, {2, "name"}, {6, "linetype"}, {7, "style"}, {10, "point"}, {39, "thickness"},
        {48, "linetype scale"}, {60, "visibility"}, {62, "color"}, {66, "entities follow"}, {70, "flags"},
        {210, "extrusion direction"}, {370, "lineweight"},
    };
    return m;
}

// Angles are kept in radians; people read them in degrees. An ellipse's
// parameters and a vertex's bulge are not angles.
bool is_angle(const std::string& type, int code) {
    if (code < 50 || code > 58) return false;
    return type != "ELLIPSE";
}

std::string field_label(const std::string& type, int code) {
    for (const TypeFields& t : type_fields()) {
        if (type != t.type) continue;
        for (const FieldName& f : t.fields)
            if (f.code == code) return f.label;
    }
    auto it = common_fields().find(code);
    return it != common_fields().end() ? it->second : "group " + std::to_string(code);
}

std::string fmt_real(double d) {
    char buf[64];
    snprintf(buf, sizeof buf, "%.4f", d);
    return buf;
}

std::string fmt_value(const GroupValue& v) {
    if (auto s = std::get_if<std::string>(&v)) return "\"" + *s + "\"";
    if (auto d = std::get_if<double>(&v)) return fmt_real(*d);
    if (auto p = std::get_if<Point>(&v)) {
        std::string s = "X=" + fmt_real(p->x) + "  Y=" + fmt_real(p->y);
        if (p->dims == 3) s += "  Z=" + fmt_real(p->z);
        return s;
    }
    if (auto i = std::get_if<int16_t>(&v)) return std::to_string(*i);
    if (auto i = std::get_if<int32_t>(&v)) return std::to_string(*i);
    if (auto i = std::get_if<int64_t>(&v)) return std::to_string(*i);
    if (std::holds_alternative<EntityRef>(v)) return "<entity>";
    if (auto b = std::get_if<Binary>(&v)) return "<" + std::to_string(b->size()) + " bytes>";
    return "";
}

// A sub-entity (attribute, vertex) is indented under the entity it belongs to.
enum class Nesting { Main, Sub };

void list_entity(CommandLine& cl, const GroupList& g, db::Space space, Nesting nesting) {
    std::string type = group_string(g, 0);
    int indent = nesting == Nesting::Sub ? 4 : 0;
    std::string pad(static_cast<size_t>(indent), ' ');
    char head[160];
    snprintf(head, sizeof head, "\n%s%18s  Layer: \"%s\"\n", pad.c_str(), type.c_str(), group_string(g, 8).c_str());
    cl.print(head);
    if (nesting == Nesting::Main)
        cl.print(std::string(28, ' ') + "Space: " + (space == db::Space::Paper ? "Paper space" : "Model space") + "\n");
    if (find_group(g, 5)) cl.print(pad + std::string(19, ' ') + "Handle = " + group_string(g, 5) + "\n");
    for (const Group& grp : g) {
        if (grp.code == -1 || grp.code == 0 || grp.code == 5 || grp.code == 8 || grp.code == 100 ||
            grp.code == 330 || grp.code == 67 || grp.code == 410 || grp.code == 102)
            continue;
        if (grp.code == -3) {
            cl.print(pad + std::string(18, ' ') + "extended data follows\n");
            continue;
        }
        std::string value = fmt_value(grp.value);
        if (auto d = std::get_if<double>(&grp.value); d && is_angle(type, grp.code))
            value = fmt_real(*d * 180.0 / M_PI) + " degrees";
        char line[96];
        snprintf(line, sizeof line, "%*s: ", 24 + indent, field_label(type, grp.code).c_str());
        cl.print(std::string(line) + value + "\n");
    }
}

CmdStatus cmd_list(CommandLine& cl) {
    host::Session& s = cl.session();
    auto set = select_objects(cl);
    if (!set) return CmdStatus::Cancelled;
    auto& d = s.drawing();
    for (EntityRef e : *set) {
        auto g = d.entget(e);
        if (!g) continue;
        list_entity(cl, *g, d.space_of(e), Nesting::Main);
        // Sub-entities follow a complex entity up to its SEQEND.
        if (group_int(*g, 66) == 1 || group_string(*g, 0) == "POLYLINE") {
            for (EntityRef sub = d.next_entity(e); sub; sub = d.next_entity(sub)) {
                auto sg = d.entget(sub);
                if (!sg) break;
                std::string t = group_string(*sg, 0);
                if (t != "ATTRIB" && t != "VERTEX" && t != "SEQEND") break;
                list_entity(cl, *sg, d.space_of(sub), Nesting::Sub);
                if (t == "SEQEND") break;
            }
        }
    }
    return CmdStatus::Done;
}

}  // namespace

void add_list_command(CommandLine& cl) { cl.add({"LIST", cmd_list}); }

}  // namespace cadhost::cmd
