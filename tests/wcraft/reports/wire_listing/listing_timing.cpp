// Times the wire listing on a project shaped like a real one: sheets of
// components whose points are wired in chains, mostly inside the sheet's
// zone, some wires continuing to other sheets and zones.
//   wcraft_wire_listing_timing [sheets [zones [literal_sheets]]]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

#include "host/module_state.h"
#include "listing_support.h"
#include "literal_listing.h"

namespace wcraft::test {
namespace {

// Zones as a tree: a fifth at level 0, the rest below them.
void make_zones(int zones) {
    ProjectConfig& c = config();
    int tops = std::max(1, zones / 5);
    for (int z = 0; z < zones; ++z) {
        ZoneDefn& d = c.zone_defs[z];
        d.z_name = "Z" + std::to_string(z);
        d.level = z < tops ? 0 : 1;
        d.parent = z < tops ? "*" : "Z" + std::to_string(z % tops);
    }
    c.zone_defs[zones].z_name = kListEnd;
}

// 100 records of 4 points a sheet; each wire joins 2 to 4 points, a few of
// them on another sheet through a shared group.
void make_project(int sheets, int zones, uint32_t seed) {
    reset_module_state();
    store().reset();
    config().wire_sch = 1;
    make_zones(zones);
    std::mt19937 rng(seed);
    int32_t group = 0;
    std::vector<std::vector<Component>*> lists = {&store().components, &store().terminals, &store().contacts,
                                                  &store().coils, &store().unlisted};
    for (int sheet = 1; sheet <= sheets; ++sheet) {
        std::vector<XY> here;
        for (int r = 0; r < 100; ++r) {
            Component rec;
            rec.sheet = static_cast<int16_t>(sheet);
            rec.ref = "K" + std::to_string(r);
            uint32_t kind = rng() % 10;
            rec.zone = kind == 0 ? -1 : kind == 1 ? static_cast<int32_t>(rng() % zones) : (sheet + r / 25) % zones;
            for (int k = 0; k < 4; ++k) {
                XY p{10.0 * r + k, 10.0 * k};
                rec.ids.push_back(IdPoint{p, {}, 0, 0, 0});
                rec.ids.back().id = std::to_string(k + 1);
                here.push_back(p);
            }
            lists[rng() % 5]->push_back(rec);
        }
        std::shuffle(here.begin(), here.end(), rng);
        for (size_t i = 0; i + 1 < here.size();) {
            size_t n = 2 + rng() % 3;
            int32_t g = rng() % 20 == 0 && group > 50 ? group - static_cast<int32_t>(rng() % 50) : ++group;
            int type = static_cast<int>(rng() % 4);
            for (size_t k = 0; k + 1 < n && i + k + 1 < here.size(); ++k) {
                WireSegment s;
                s.sheet = static_cast<int16_t>(sheet);
                s.start = here[i + k];
                s.end = here[i + k + 1];
                s.group = g;
                s.wire_number = g;
                store().wires[type].push_back(s);
            }
            i += n;
        }
    }
}

long peak_kb() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return u.ru_maxrss;
}

double seconds_of(bool literal, Outcome& o) {
    auto t0 = std::chrono::steady_clock::now();
    o = run_listing(literal);
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void report(const char* what, int sheets, int zones, bool literal) {
    make_project(sheets, zones, 7);
    size_t points = 0, segments = 0;
    for (auto* l : {&store().components, &store().terminals, &store().contacts, &store().coils, &store().unlisted})
        for (const Component& c : *l) points += c.ids.size();
    for (const auto& w : store().wires) segments += w.size();
    Outcome o;
    long before = peak_kb();
    double s = seconds_of(literal, o);
    long after = peak_kb();
    Sections sec = sections_of(o.report);
    printf("%s: %d sheets, %d zones, %zu points, %zu segments: %.3f s, peak memory %ld -> %ld kB; rows internal "
           "%zu, interzone %zu, external %zu; unconnected %zu\n",
           what, sheets, zones, points, segments, s, before, after, sec.internal_rows, sec.interzone_rows,
           sec.external_rows, sec.unconnected);
}

}  // namespace
}  // namespace wcraft::test

int main(int argc, char** argv) {
    using namespace wcraft::test;
    int sheets = argc > 1 ? atoi(argv[1]) : 500;
    int zones = argc > 2 ? atoi(argv[2]) : 50;
    int literal_sheets = argc > 3 ? atoi(argv[3]) : 5;
    auto drive = std::filesystem::temp_directory_path() / ("wcraft-wl-timing-" + std::to_string(getpid()));
    fresh_module(drive);
    report("fast", sheets, zones, false);
    if (literal_sheets > 0) {
        report("fast", literal_sheets, zones, false);
        report("literal", literal_sheets, zones, true);
    }
    std::filesystem::remove_all(drive);
    return 0;
}
