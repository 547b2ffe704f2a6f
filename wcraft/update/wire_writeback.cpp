// Wire number write-back: the number texts of the open sheet, one at the
// first segment of each wire and one at every segment marked to carry its
// own, and a node block at every T-junction. The previous run's texts and
// blocks on the wire layers are erased first.
#include "update/wire_writeback.h"

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>
#include <vector>

#include "extract/store.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "postproc/run_files.h"
#include "host/setup.h"
#include "update/messages.h"

namespace wcraft {

namespace {

bool layer_exists(const std::string& name) {
    struct resbuf* rec = ads_tblsearch("LAYER", name.c_str(), 0);
    if (!rec) return false;
    ads_relrb(rec);
    return true;
}

// Nothing selected is nothing to erase; a refused ERASE leaves the old
// entities in place and is an error.
bool erase_selected(const struct resbuf* filter) {
    ads_name ss;
    if (ads_ssget("X", nullptr, nullptr, filter, ss) != RTNORM) return true;
    bool erased = ads_command(RTSTR, "_.ERASE", RTPICKS, ss, RTSTR, "", 0) == RTNORM;
    ads_ssfree(ss);
    if (!erased) error_code() = ERR_UPDATE_ERASE;
    return erased;
}

bool erase_with(struct resbuf* filter) {
    if (!filter) {
        error_code() = ERR_UPDATE_ERASE_FILTER;
        return false;
    }
    bool erased = erase_selected(filter);
    ads_relrb(filter);
    return erased;
}

// Everything on the layer of the older number text scheme goes.
bool erase_legacy(const WireDefn& w) {
    std::string legacy = std::string(umsg::kLegacyPrefix) + w.l_name.c_str();
    return !layer_exists(legacy) || erase_with(ads_buildlist(8, legacy.c_str(), 0));
}

bool layer_command_done(int result) {
    if (result == RTNORM) return true;
    error_code() = ERR_UPDATE_LAYER;
    return false;
}

// Makes the wire layer current, creating it only when the type has wires;
// on an existing layer every text and block (all of them this write-back's
// own) is erased. False when the host refused a command.
bool prepare_layer(const WireDefn& w, bool has_wires) {
    const char* name = w.l_name.c_str();
    if (!layer_exists(name)) {
        if (!has_wires) return true;
        std::string colour = std::to_string(w.colnum);
        return layer_command_done(ads_command(RTSTR, "_.LAYER", RTSTR, "_M", RTSTR, name, RTSTR, "_CO", RTSTR,
                                              colour.c_str(), RTSTR, "", RTSTR, "", 0));
    }
    if (!layer_command_done(ads_command(RTSTR, "_.LAYER", RTSTR, "_S", RTSTR, name, RTSTR, "", 0))) return false;
    return erase_with(ads_buildlist(-4, "<AND", -4, "<OR", RTDXF0, "TEXT", RTDXF0, "INSERT", -4, "OR>", 8, name, -4,
                                    "AND>", 0));
}

// Where a segment's number text goes, and how high it is.
struct TextStyle {
    double height = 0.0;
    double width = 1.0;
};

double text_height(const WireDefn& w) { return config().en == 1 ? config().height : w.t_height; }

void text_point(const WireDefn& w, const WireSegment& u, double height, ads_point pt) {
    const ProjectConfig& c = config();
    bool vertical = u.start.x == u.end.x;
    double x = u.start.x, y = u.start.y;
    if (c.en == 1) {
        pt[0] = vertical ? x + c.v_x : x + c.h_x;
        pt[1] = vertical ? y - c.v_y : y + c.h_y;
    } else {
        pt[0] = vertical ? x + w.y_off : x + w.x_off;
        pt[1] = vertical ? y - w.x_off - height : y + w.y_off;
    }
    pt[2] = 0.0;
}

void make_text(const WireDefn& w, const WireSegment& u, const std::string& text, const TextStyle& st, FILE* log) {
    ads_printf("%s", umsg::kTick);
    ads_point pt;
    text_point(w, u, st.height, pt);
    struct resbuf* ed = ads_buildlist(RTDXF0, "TEXT", 1, text.c_str(), 8, w.l_name.c_str(), 10, pt, 40, st.height,
                                      41, st.width, 50, 0.0, 0);
    if (!ed) {
        error_code() = ERR_UPDATE_TEXT_LIST;
        return;
    }
    if (ads_entmake(ed) != RTNORM) fputs(umsg::kTextFailed, log);
    ads_relrb(ed);
}

// The segments of one wire number on the sheet, in list order, and how
// far the walk over the sheet has passed them.
struct NumberGroup {
    std::vector<size_t> at;
    size_t passed = 0;
    bool written = false;
};

// The runs of consecutive same-sheet segments of a wire list, ordered
// by sheet and then list position. Lists are normally ordered by sheet
// (one run per sheet), but a sheet read out of order can split a sheet
// into several runs, and each run is written on its own.
const std::vector<SheetRun>& sheet_runs(Store& s, int t) {
    std::vector<SheetRun>& runs = s.wire_runs[t];
    if (s.wire_runs_for[t] == s.wires[t].size() + 1) return runs;
    runs.clear();
    const std::vector<WireSegment>& list = s.wires[t];
    for (uint32_t i = 0; i < list.size();) {
        uint32_t j = i;
        while (j < list.size() && list[j].sheet == list[i].sheet) ++j;
        runs.push_back(SheetRun{list[i].sheet, i, j});
        i = j;
    }
    std::stable_sort(runs.begin(), runs.end(), [](const SheetRun& a, const SheetRun& b) { return a.sheet < b.sheet; });
    s.wire_runs_for[t] = s.wires[t].size() + 1;
    return runs;
}

// Within one run of the sheet, in list order: the first finished segment of
// each number is labelled, and it and every later segment of that number in
// the run reach the written state, with a text where labelled.
void write_run(const WireDefn& w, std::vector<WireSegment>& list, size_t begin, size_t end, const TextStyle& st,
               FILE* log) {
    std::unordered_map<int32_t, NumberGroup> groups;
    for (size_t i = begin; i < end; ++i) groups[list[i].wire_number].at.push_back(i);
    for (size_t i = begin; i < end; ++i) {
        NumberGroup& g = groups[list[i].wire_number];
        size_t mine = g.passed++;
        if (g.written || list[i].state != SEG_DONE) continue;
        g.written = true;
        list[i].label = 1;
        std::string text = wire_number_text(list[i].wire_number, w.pp_mode, w.pp_val.c_str());
        for (size_t k = mine; k < g.at.size(); ++k) {
            WireSegment& u = list[g.at[k]];
            if (u.label == 1 && st.height != 0.0) make_text(w, u, text, st, log);
            u.state = SEG_WRITTEN;
        }
    }
}

void write_texts(const WireDefn& w, int type, const TextStyle& st, FILE* log) {
    Store& s = store();
    short sheet = wcr().sheet_no;
    const std::vector<SheetRun>& runs = sheet_runs(s, type);
    auto it = std::lower_bound(runs.begin(), runs.end(), sheet,
                               [](const SheetRun& r, short sh) { return r.sheet < sh; });
    for (; it != runs.end() && it->sheet == sheet; ++it) write_run(w, s.wires[type], it->begin, it->end, st, log);
}

// The node points of a wire type ordered by sheet, each sheet's in order
// of creation, so that each sheet finds its own without a walk over the
// whole project's.
const std::vector<uint32_t>& node_order(Store& s, int t) {
    std::vector<uint32_t>& order = s.node_order[t];
    const std::vector<NodePoint>& nodes = s.nodes[t];
    if (s.node_order_for[t] == nodes.size() + 1) return order;
    order.resize(nodes.size());
    for (uint32_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&nodes](uint32_t a, uint32_t b) { return nodes[a].sheet < nodes[b].sheet; });
    s.node_order_for[t] = nodes.size() + 1;
    return order;
}

void insert_nodes(int type, bool& first, FILE* log) {
    Store& s = store();
    short sheet = wcr().sheet_no;
    const std::vector<NodePoint>& nodes = s.nodes[type];
    const std::vector<uint32_t>& order = node_order(s, type);
    auto it = std::lower_bound(order.begin(), order.end(), sheet,
                               [&nodes](uint32_t i, short sh) { return nodes[i].sheet < sh; });
    for (; it != order.end() && nodes[*it].sheet == sheet; ++it) {
        const NodePoint& n = nodes[*it];
        ads_point pt = {n.point.x, n.point.y, 0.0};
        if (first) {
            std::string redefine = std::string(umsg::kNodeBlock) + "=" + wcr().install_dir.c_str() + umsg::kNodeBlock;
            if (ads_command(RTSTR, "_.INSERT", RTSTR, redefine.c_str(), RT3DPOINT, pt, RTREAL, 1.0, RTREAL, 1.0,
                            RTREAL, 0.0, 0) != RTNORM)
                fputs(umsg::kRedefineFailed, log);
            first = false;
        } else if (ads_command(RTSTR, "_.INSERT", RTSTR, umsg::kNodeBlock, RT3DPOINT, pt, RTREAL, 1.0, RTREAL, 1.0,
                               RTREAL, 0.0, 0) != RTNORM) {
            fputs(umsg::kInsertFailed, log);
        }
    }
}


}  // namespace

std::string wire_number_text(int number, int pp_mode, const char* pp_val) {
    std::string digits = std::to_string(number);
    std::string val = pp_val ? pp_val : "";
    if (pp_mode == PP_PREFIX) return number == 0 ? val : val + digits;
    if (pp_mode == PP_POSTFIX) return number == 0 ? val : digits + val;
    return digits;
}

double text_width_factor() {
    std::string style = host_string_var("TEXTSTYLE");
    if (style.empty()) return 1.0;
    double width = 0.0;
    if (struct resbuf* rec = ads_tblsearch("STYLE", style.c_str(), 0)) {
        for (struct resbuf* r = rec; r; r = r->rbnext)
            if (r->restype == 41) width = r->resval.rreal;
        ads_relrb(rec);
    }
    return width == 0.0 ? 1.0 : width;
}

int write_wire_numbers(FILE* log) {
    fputs(umsg::kWiresStart, log);
    std::string block = std::string(wcr().install_dir.c_str()) + umsg::kNodeBlock + "." + kDrawingExt;
    char where[512];
    bool have_block = ads_findfile(block.c_str(), where) == RTNORM;
    if (!have_block) fprintf(log, umsg::kNoNodeBlock, umsg::kNodeBlock, ".", kDrawingExt);
    std::string remembered = host_string_var("CLAYER");
    TextStyle st;
    st.width = text_width_factor();
    bool first_node = true;
    Store& s = store();
    bool all_done = true;
    for (int i = 0; i < kMaxWires; ++i) {
        const WireDefn& w = config().wire_defs[i];
        if (is_list_end(w.w_name.view())) break;
        if (!erase_legacy(w) || !prepare_layer(w, !s.wires[i].empty())) {
            all_done = false;  // the other types are still written
            continue;
        }
        st.height = text_height(w);
        write_texts(w, i, st, log);
        if (have_block) insert_nodes(i, first_node, log);
    }
    if (!remembered.empty())
        all_done = layer_command_done(ads_command(RTSTR, "_.LAYER", RTSTR, "_S", RTSTR, remembered.c_str(), RTSTR,
                                                  "", 0)) && all_done;
    return all_done ? 1 : 0;
}

}  // namespace wcraft
