// The insertion list of SV_USELIB.
#include "picker/insertion.h"

namespace symvault {

namespace {

short s16(int v) { return static_cast<short>(v); }

void type_pairs(const SymbolRecord& s, std::vector<Pair>& out) {
    switch (s.type) {
    case SYM_BLOCK:
    case SYM_GROUP:
        out.push_back({50, s16(s.para_pre)});
        out.push_back({51, s16(s.para_post)});
        break;
    case SYM_DRAWING:
        out.push_back({50, s.ins_x});
        out.push_back({51, s.ins_y});
        out.push_back({52, s.ins_z});
        out.push_back({53, s.ins_scale});
        out.push_back({54, s.ins_rotation});
        break;
    case SYM_PARAMETRIC: out.push_back({50, s16(s.app_type)}); break;
    default: break;
    }
}

void scale_pairs(const Choice& c, std::vector<Pair>& out) {
    const SymbolRecord& s = *c.symbol;
    if ((s.type != SYM_BLOCK && s.type != SYM_GROUP) || s.scale_option.empty()) return;
    if (c.scale.outcome == ScaleChoice::CHOSEN) {
        out.push_back({60, s16(1)});
        out.push_back({61, c.scale.x});
        out.push_back({62, c.scale.y});
        out.push_back({63, c.scale.z});
    } else if (c.scale.outcome == ScaleChoice::SKIPPED) {
        out.push_back({60, s16(0)});
    }
}

}  // namespace

bool scale_without_dialog(const ScaleOptionRecord* option, ScaleChoice& c) {
    c = ScaleChoice{};
    if (!option || option->values.empty()) return true;
    c.x = option->values[0].x;
    c.y = option->values[0].y;
    c.z = option->values[0].z;
    if (option->values.size() == 1 && !option->user) {
        c.outcome = ScaleChoice::CHOSEN;
        return true;
    }
    return false;
}

std::vector<Pair> insertion_pairs(const Choice& c) {
    const LibraryRecord& l = *c.lib;
    const SymbolRecord& s = *c.symbol;
    const PickerToggles& t = c.toggles;
    bool multi_allowed = s.type == SYM_BLOCK || s.type == SYM_GROUP;
    std::vector<Pair> out;
    auto text = [&](short code, const std::string& v) { out.push_back(Pair{code, v}); };
    auto flag = [&](short code, int v) { out.push_back(Pair{code, s16(v)}); };
    text(1, l.name);
    text(2, l.description);
    text(3, c.directory);
    text(4, s.name);
    text(5, c.group);
    flag(6, c.page);
    flag(7, s.type);
    text(8, s.layer);
    text(9, s.description);
    flag(10, t.recall);
    flag(11, multi_allowed ? t.multi : 0);
    flag(20, t.rotate);
    flag(21, t.scale);
    flag(22, t.xref);
    flag(23, t.explode);
    flag(30, l.block_break_lines);
    flag(31, l.group_dot_tags);
    flag(32, l.group_break_lines);
    flag(40, l.lisp_master_file);
    flag(41, l.lisp_force_load);
    flag(42, l.lisp_master_function);
    flag(43, l.debug);
    type_pairs(s, out);
    scale_pairs(c, out);
    return out;
}

}  // namespace symvault
