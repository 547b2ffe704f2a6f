// The literal wire listing: find source, find destination, one pass and the
// report, each as its steps say, with the texts spelled out here again.
#include "literal_listing.h"

#include <string>

#include "extract/store.h"
#include "host/module_state.h"
#include "listing_support.h"
#include "postproc/progress.h"
#include "postproc/run_files.h"
#include "rtlib.h"
#include "update/wire_writeback.h"

namespace wcraft::test {

namespace {

std::vector<Component>* const* five_lists() {
    static std::vector<Component>* lists[5];
    Store& s = store();
    lists[0] = &s.components;
    lists[1] = &s.terminals;
    lists[2] = &s.contacts;
    lists[3] = &s.coils;
    lists[4] = &s.unlisted;
    return lists;
}

bool same(const XY& a, const XY& b) { return a.x == b.x && a.y == b.y; }

struct Found {
    Component* rec = nullptr;
    IdPoint* id = nullptr;
};

bool find_source(int z, Found& f) {
    for (int l = 0; l < 5; ++l)
        for (Component& rec : *five_lists()[l]) {
            if (z != -1 && rec.zone != z) continue;
            progress_tick();
            for (IdPoint& id : rec.ids) {
                progress_tick();
                if (id.visited == 0 && id.is_connected == 0) {
                    id.visited = 1;
                    f = Found{&rec, &id};
                    return true;
                }
            }
        }
    return false;
}

bool touches(const WireSegment& s, int16_t sheet, const XY& p) {
    return s.sheet == sheet && (same(s.start, p) || same(s.end, p));
}

bool find_destination(const XY& p, int16_t sheet, int z, Found& d, int& n, int& t) {
    const int types = wire_count(config());
    int g = 0;
    bool hit = false;
    for (int k = 0; k < types && !hit; ++k)
        for (const WireSegment& s : store().wires[k])
            if (touches(s, sheet, p)) {
                t = k, g = s.group, n = s.wire_number, hit = true;
                break;
            }
    if (!hit) return false;
    for (int l = 0; l < 5; ++l)
        for (Component& rec : *five_lists()[l]) {
            if (z != -1 && rec.zone != z) continue;
            for (IdPoint& q : rec.ids) {
                if (q.is_connected != 0) continue;
                for (const WireSegment& s : store().wires[t])
                    if (s.group == g && touches(s, rec.sheet, q.point)) {
                        d = Found{&rec, &q};
                        return true;
                    }
            }
        }
    return false;
}

void clear_visited() {
    for (int l = 0; l < 5; ++l)
        for (Component& rec : *five_lists()[l])
            for (IdPoint& id : rec.ids) id.visited = 0;
}

void pad(FILE* f, const char* text, int width) { fputs(pad_text(text, width), f); }

void write_row(FILE* f, const Found& src, int n, const Found& dst, int t) {
    const WireDefn& w = config().wire_defs[t];
    fputs("\n", f);
    pad(f, src.rec->ref.c_str(), 15);
    fputs(" ", f);
    pad(f, src.id->id.c_str(), 10);
    fputs(":", f);
    pad(f, wire_number_text(n, w.pp_mode, w.pp_val.c_str()).c_str(), 15);
    fputs(":", f);
    pad(f, dst.rec->ref.c_str(), 15);
    fputs(" ", f);
    pad(f, dst.id->id.c_str(), 10);
    fputs(":", f);
    pad(f, w.w_name.c_str(), 20);
    fputs(":", f);
    pad(f, w.colour.c_str(), 10);
    fputs(":", f);
    pad(f, w.size.c_str(), 10);
    fputs(":", f);
    pad(f, w.signal.c_str(), 10);
}

struct Report {
    FILE* f;
    bool first_page = true;
};

const char* level_name(int level) { return level >= 0 && level < 10 ? config().zone_levels[level].c_str() : ""; }

void title(Report& r, bool lower) {
    const ProjectConfig& c = config();
    fprintf(r.f,
            lower ? "\nWirecraft 5 - point to point wire listing : Project name (%s), Title (%s)"
                  : "\nWirecraft 5 - Point to point wire listing : Project name (%s), Title (%s)",
            c.p_name.c_str(), c.p_title.c_str());
}

// kind 0 internal, 1 interzone, 2 external
void heading(Report& r, int kind, int za, int zb) {
    if (r.first_page) r.first_page = false;
    else fputs("\f\n", r.f);
    const ProjectConfig& c = config();
    title(r, kind == 0);
    if (kind == 0)
        fprintf(r.f, "\n           Internal wiring schedule, level(%s), zone(%s)", level_name(c.zone_defs[za].level),
                c.zone_defs[za].z_name.c_str());
    if (kind == 1)
        fprintf(r.f, "\n           Interzone wire schedule, from level(%s), zone(%s) to level(%s), zone(%s)",
                level_name(c.zone_defs[za].level), c.zone_defs[za].z_name.c_str(), level_name(c.zone_defs[zb].level),
                c.zone_defs[zb].z_name.c_str());
    if (kind == 2) fputs("\n           External wiring listing ", r.f);
    fputs(("\n" + std::string(33, ' ') + "Wire" + std::string(64, ' ')).c_str(), r.f);
    fputs("\nSource         : ID       :     Number    : Destination   : ID       : Wirename           : Colour   : "
          "Size     : Signal   ",
          r.f);
    fputs(("\n" + std::string(124, '-')).c_str(), r.f);
}

void one_pass(Report& r, int a, int b, int kind) {
    bool first_row = true;
    Found p;
    while (find_source(a, p)) {
        p.id->is_connected = 1;
        Found d;
        int n = 0, t = 0;
        if (find_destination(p.id->point, p.rec->sheet, b, d, n, t)) {
            if (first_row) heading(r, kind, a, b), first_row = false;
            write_row(r.f, p, n, d, t);
            p.id->has_connection = 1;
            d.id->has_connection = 1;
        } else {
            p.id->is_connected = 0;
        }
    }
}

void zone_schedules(Report& r) {
    const ProjectConfig& c = config();
    std::vector<int> order = literal_zone_order();
    r.first_page = false;
    title(r, true);
    fputs("\nBreakdown of zone levels ....:-", r.f);
    fputs("\n-------------------------------\n", r.f);
    for (int i = 0; i <= 8; ++i) {
        fprintf(r.f, "\n[%d]  ", i);
        for (int k = 0; k < i; ++k) fputs("   ", r.f);
        fputs(c.zone_levels[i].c_str(), r.f);
    }
    fputs("\n\nBreakdown of zone boundaries :-", r.f);
    fputs("\n-------------------------------\n", r.f);
    for (int z : order) {
        fprintf(r.f, "\n[%d]  ", c.zone_defs[z].level);
        for (int k = 0; k < c.zone_defs[z].level; ++k) fputs("   ", r.f);
        fputs(c.zone_defs[z].z_name.c_str(), r.f);
    }
    clear_visited();
    const int last = static_cast<int>(order.size()) - 1;
    for (int e = last; e >= 0; --e) {
        progress_tick();
        one_pass(r, order[e], order[e], 0);
    }
    for (int a = last; a >= 0; --a)
        for (int b = a - 1; b >= 0; --b) {
            clear_visited();
            one_pass(r, order[a], order[b], 1);
        }
}

void unconnected(Report& r) {
    if (r.first_page) r.first_page = false;
    else fputs("\f\n", r.f);
    title(r, false);
    fputs("\n           Unconnected component listing", r.f);
    fputs(("\nComponent" + std::string(87, ' ')).c_str(), r.f);
    fputs("\nReference      : ID         : Gridref        ", r.f);
    fputs(("\n" + std::string(45, '-')).c_str(), r.f);
    for (int l = 0; l < 5; ++l)
        for (Component& rec : *five_lists()[l])
            for (IdPoint& id : rec.ids) {
                progress_tick();
                if (id.has_connection != 0) continue;
                fputs("\n", r.f);
                pad(r.f, rec.ref.c_str(), 15);
                fputs(" : ", r.f);
                pad(r.f, id.id.c_str(), 10);
                fputs(" : ", r.f);
                pad(r.f, rec.grid.c_str(), 6);
            }
}

void walk(int z, std::vector<int>& order) {
    const ProjectConfig& c = config();
    if (order.size() >= 250) return;
    order.push_back(z);
    for (int s = 0; s < zone_count(c); ++s)
        if (c.zone_defs[s].level == c.zone_defs[z].level + 1 &&
            std::string(c.zone_defs[s].parent.c_str()) == c.zone_defs[z].z_name.c_str())
            walk(s, order);
}

}  // namespace

std::vector<int> literal_zone_order() {
    std::vector<int> order;
    for (int z = 0; z < zone_count(config()); ++z)
        if (config().zone_defs[z].level == 0) walk(z, order);
    return order;
}

int literal_wire_listing(FILE* log) {
    FILE* f = rt_fopen(run_file("WLF").c_str(), "w");
    if (!f) {
        error_code() = 2018;
        return 0;
    }
    fputs("\nCalculating PTP wire list...", log);
    Report r{f};
    if (config().wire_sch == 1) zone_schedules(r);
    clear_visited();
    one_pass(r, -1, -1, 2);
    unconnected(r);
    fputs("\n\n*End of report*", f);
    fputs("\f", f);
    fclose(f);
    return 1;
}

}  // namespace wcraft::test
