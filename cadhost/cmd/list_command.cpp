// LIST: prints the data of selected entities, sub-entities included.
#include <cstdio>
#include <map>

#include "cmd/commandline.h"
#include "cmd/selectobj.h"
#include "db/drawing.h"

namespace cadhost::cmd {

namespace {

// Field names shown for common groups; other groups are listed by code.
const std::map<int, const char*>& labels() {
    static const std::map<int, const char*> m = {
        {1, "text"}, {2, "name"}, {3, "prompt"}, {6, "linetype"}, {7, "style"},
        {10, "point"}, {11, "second point"}, {12, "third point"}, {13, "fourth point"},
        {39, "thickness"}, {40, "height/radius"}, {41, "scale/width"}, {42, "y scale/bulge"},
        {43, "z scale"}, {50, "angle"}, {51, "end angle"}, {62, "color"}, {66, "attributes follow"},
        {70, "flags"}, {72, "justification"}, {90, "count"}, {210, "extrusion"},
    };
    return m;
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

void list_entity(CommandLine& cl, const GroupList& g, db::Space space) {
    char head[160];
    snprintf(head, sizeof head, "\n%18s  Layer: \"%s\"\n", group_string(g, 0).c_str(), group_string(g, 8).c_str());
    cl.print(head);
    cl.print(std::string(28, ' ') + "Space: " + (space == db::Space::Paper ? "Paper space" : "Model space") + "\n");
    if (const Group* h = find_group(g, 5)) cl.print(std::string(19, ' ') + "Handle = " + fmt_value(h->value).substr(1, fmt_value(h->value).size() - 2) + "\n");
    for (const Group& grp : g) {
        if (grp.code == -1 || grp.code == 0 || grp.code == 5 || grp.code == 8 || grp.code == 100 ||
            grp.code == 330 || grp.code == 67 || grp.code == 410 || grp.code == 102)
            continue;
        if (grp.code == -3) {
            cl.print(std::string(18, ' ') + "extended data follows\n");
            continue;
        }
        auto it = labels().find(grp.code);
        std::string label = it != labels().end() ? it->second : "group " + std::to_string(grp.code);
        char line[64];
        snprintf(line, sizeof line, "%24s: ", label.c_str());
        cl.print(std::string(line) + fmt_value(grp.value) + "\n");
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
        list_entity(cl, *g, d.space_of(e));
        // Sub-entities follow a complex entity up to its SEQEND.
        if (group_int(*g, 66) == 1 || group_string(*g, 0) == "POLYLINE") {
            for (EntityRef sub = d.next_entity(e); sub; sub = d.next_entity(sub)) {
                auto sg = d.entget(sub);
                if (!sg) break;
                std::string t = group_string(*sg, 0);
                if (t != "ATTRIB" && t != "VERTEX" && t != "SEQEND") break;
                list_entity(cl, *sg, d.space_of(sub));
                if (t == "SEQEND") break;
            }
        }
    }
    return CmdStatus::Done;
}

}  // namespace

void add_list_command(CommandLine& cl) { cl.add({"LIST", cmd_list}); }

}  // namespace cadhost::cmd
