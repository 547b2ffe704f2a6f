// Scratch drive, outcomes, report sections and the project generator.
#include "listing_support.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>

#include "fake_host.h"
#include "host/module_state.h"
#include "literal_listing.h"
#include "postproc/run_files.h"
#include "reports/wire_listing.h"

namespace wcraft::test {

void fresh_module(const std::filesystem::path& drive, bool with_process) {
    std::filesystem::remove_all(drive);
    reset_fake(drive);
    reset_module_state();
    store().reset();
    if (with_process) std::filesystem::create_directories(listing_path().parent_path());
}

std::filesystem::path listing_path() { return fake().host_path(run_file("WLF")); }

namespace {

class MemoryLog {
public:
    MemoryLog() { m_file = open_memstream(&m_buf, &m_len); }
    ~MemoryLog() {
        fclose(m_file);
        free(m_buf);
    }
    FILE* file() { return m_file; }
    std::string text() {
        fflush(m_file);
        return std::string(m_buf, m_len);
    }

private:
    FILE* m_file = nullptr;
    char* m_buf = nullptr;
    size_t m_len = 0;
};

std::string slurp(const std::filesystem::path& p) {
    std::ifstream f(p, std::ios::binary);
    std::stringstream ss;
    ss << f.rdbuf();
    return ss.str();
}

std::string visible(const std::string& s) {
    std::string out;
    for (char c : s) {
        if (c == '\n') out += "\\n";
        else if (c == '\f') out += "\\f";
        else out += c;
    }
    return out;
}

}  // namespace

Outcome run_listing(bool literal) {
    std::error_code ec;
    std::filesystem::remove(listing_path(), ec);
    error_code() = 0;
    MemoryLog log;
    Outcome o;
    o.result = literal ? literal_wire_listing(log.file()) : write_wire_listing(log.file());
    o.error = error_code();
    o.log = log.text();
    if (std::filesystem::exists(listing_path())) o.report = slurp(listing_path());
    for (std::vector<Component>* list :
         {&store().components, &store().terminals, &store().contacts, &store().coils, &store().unlisted})
        for (const Component& rec : *list)
            for (const IdPoint& id : rec.ids) o.flags.push_back(Flags{id.has_connection, id.is_connected, id.visited});
    return o;
}

std::string first_difference(const Outcome& e, const Outcome& a) {
    std::ostringstream out;
    if (e.result != a.result || e.error != a.error)
        out << "result/error expected " << e.result << "/" << e.error << " got " << a.result << "/" << a.error;
    else if (e.report != a.report) {
        size_t at = std::mismatch(e.report.begin(), e.report.end(), a.report.begin(), a.report.end()).first -
                    e.report.begin();
        size_t from = at < 300 ? 0 : at - 300;
        out << "report differs at byte " << at << "\nexpected ..." << visible(e.report.substr(from, 450))
            << "\ngot      ..." << visible(a.report.substr(from, 450));
    } else if (e.log != a.log)
        out << "log expected [" << visible(e.log) << "] got [" << visible(a.log) << "]";
    else if (e.flags.size() != a.flags.size())
        out << "point count differs";
    else
        for (size_t i = 0; i < e.flags.size(); ++i)
            if (e.flags[i] != a.flags[i]) {
                out << "point " << i << " flags (has, is, visited) expected " << e.flags[i][0] << e.flags[i][1]
                    << e.flags[i][2] << " got " << a.flags[i][0] << a.flags[i][1] << a.flags[i][2];
                break;
            }
    return out.str();
}

Sections sections_of(const std::string& report) {
    Sections s;
    static const std::string kScheduleRule = "\n" + std::string(124, '-');
    static const std::string kUnconnectedRule = "\n" + std::string(45, '-');
    size_t start = 0;
    while (start <= report.size()) {
        size_t end = report.find("\f\n", start);
        std::string page = report.substr(start, end == std::string::npos ? std::string::npos : end - start);
        size_t rule = page.find(kScheduleRule);
        size_t rows = 0;
        if (rule != std::string::npos) rows = std::count(page.begin() + rule + 1, page.end(), '\n');
        if (page.find("Internal wiring schedule") != std::string::npos) ++s.internal, s.internal_rows += rows;
        if (page.find("Interzone wire schedule") != std::string::npos) ++s.interzone, s.interzone_rows += rows;
        if (page.find("External wiring listing") != std::string::npos) ++s.external, s.external_rows += rows;
        size_t urule = page.find(kUnconnectedRule);
        size_t tail = page.find("\n\n*End of report*");
        if (page.find("Unconnected component listing") != std::string::npos && urule != std::string::npos &&
            tail != std::string::npos)
            s.unconnected += std::count(page.begin() + urule + 1, page.begin() + tail, '\n');
        if (end == std::string::npos) break;
        start = end + 2;
    }
    return s;
}

// ---- generator

namespace {

class Gen {
public:
    Gen(uint32_t seed, const ListingShape& shape) : m_rng(seed), m_shape(shape) {}
    GenerationNotes run();

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<uint32_t>(n)); }
    double coord() {
        double v = pick(m_shape.grid + 1);
        if (v == 0.0 && pick(3) == 0) return ++m_notes.negative_zeros, -0.0;
        return v;
    }
    void zones();
    void deep_chain();
    void wire_types();
    void records();
    XY place_on(int16_t sheet);
    void wires();
    void dirty();

    std::mt19937 m_rng;
    ListingShape m_shape;
    GenerationNotes m_notes;
    int m_zones = 0, m_types = 1;
    std::vector<std::vector<XY>> m_points;  // ID points by sheet
};

void Gen::zones() {
    ProjectConfig& c = config();
    m_zones = pick(m_shape.zones + 1);
    for (int z = 0; z < m_zones; ++z) {
        ZoneDefn& d = c.zone_defs[z];
        d.z_name = "Z" + std::to_string(z);
        d.level = z == 0 ? 0 : pick(4);
        d.parent = "*";
        if (d.level > 0) {
            std::vector<int> above;
            for (int p = 0; p < z; ++p)
                if (c.zone_defs[p].level == d.level - 1) above.push_back(p);
            if (above.empty() || pick(6) == 0) d.parent = "NOZONE", ++m_notes.orphan_zones;
            else d.parent = c.zone_defs[above[pick(static_cast<int>(above.size()))]].z_name.view();
        }
        // Hand-made files can repeat a name; a repeated parent lists its
        // sub-zones twice.
        if (z > 0 && pick(10) == 0) d.z_name = c.zone_defs[pick(z)].z_name.view(), ++m_notes.repeated_zones;
    }
    if (m_zones > 0 && pick(15) == 0) deep_chain();
    c.zone_defs[m_zones].z_name = pick(5) == 0 ? "*ND*OLD" : kListEnd;
    static const char* kLevelNames[] = {"SUITE", "CUBICLE", "SUB-RACK", "*UNDEFINED", "A LONGER LEVEL"};
    for (int l = 0; l < kZoneLevels; ++l) c.zone_levels[l] = kLevelNames[pick(5)];
}

// Zones one below another down past the ten named levels.
void Gen::deep_chain() {
    ProjectConfig& c = config();
    int first = m_zones;
    for (int depth = 0; depth < 12 && m_zones < kMaxZones - 1; ++depth, ++m_zones) {
        ZoneDefn& d = c.zone_defs[m_zones];
        d.z_name = "DEEP" + std::to_string(depth);
        d.level = depth;
        d.parent = depth == 0 ? "*" : c.zone_defs[m_zones - 1].z_name.view();
    }
    m_notes.deep_levels += m_zones - first > kZoneLevels;
}

void Gen::wire_types() {
    ProjectConfig& c = config();
    m_types = 1 + pick(std::clamp(m_shape.types, 1, 4));
    static const char* kColours[] = {"RED", "", "A-COLOUR-1", "GREY"};
    for (int t = 0; t < m_types; ++t) {
        WireDefn& w = c.wire_defs[t];
        w.w_name = pick(6) == 0 ? "A-WIRE-NAME-OF-20-CH" : "W" + std::to_string(t);
        w.colour = kColours[pick(4)];
        w.size = pick(2) ? "2.5" : "";
        w.signal = pick(2) ? "SIGNAL" + std::to_string(t) : "0V";
        w.pp_mode = pick(3);
        w.pp_val = pick(2) ? "W" : "L1";
    }
    c.wire_defs[m_types].w_name = kListEnd;
}

void Gen::records() {
    static const char* kRefs[] = {"K1", "X2", "TB1-3", "A-REFERENCE-14", "", "M"};
    static const char* kIds[] = {"1", "2", "A1", "13", "ID-OF-9CH", ""};
    std::vector<Component>* lists[] = {&store().components, &store().terminals, &store().contacts,
                                       &store().coils, &store().unlisted};
    for (int sheet = 1; sheet <= m_shape.sheets; ++sheet) {
        int n = pick(m_shape.records + 1);
        for (int r = 0; r < n; ++r) {
            Component rec;
            rec.sheet = static_cast<int16_t>(sheet);
            rec.ref = std::string(kRefs[pick(6)]) + (pick(2) ? std::to_string(r) : "");
            rec.grid = std::to_string(sheet) + "," + static_cast<char>('A' + pick(4));
            int zone_kind = pick(8);
            rec.zone = zone_kind < 2 ? -1 : zone_kind == 7 ? (pick(2) ? m_zones + 1 : 300) : m_zones ? pick(m_zones) : -1;
            int ids = pick(5);
            for (int k = 0; k < ids; ++k) {
                IdPoint id;
                id.point = XY{coord(), coord()};
                id.id = kIds[pick(6)];
                m_points[sheet].push_back(id.point);
                rec.ids.push_back(id);
            }
            lists[pick(5)]->push_back(rec);
        }
    }
}

// An ID point of the sheet (sometimes one ulp off it), or any grid point.
XY Gen::place_on(int16_t sheet) {
    const std::vector<XY>& here = m_points[sheet];
    if (here.empty() || pick(5) == 0) return XY{coord(), coord()};
    XY p = here[pick(static_cast<int>(here.size()))];
    if (pick(12) == 0) {
        double& v = pick(2) ? p.x : p.y;
        v = std::nextafter(v, pick(2) ? 1e9 : -1e9);
        ++m_notes.ulp_misses;
    }
    if (p.x == 0.0 && pick(2)) p.x = -p.x;  // the other zero
    return p;
}

// Groups are shared by the sheets, so a group stands for a wire that
// continues to other sheets.
void Gen::wires() {
    for (int t = 0; t <= m_types; ++t) {  // the type after the list end is filled too: it must be ignored
        std::vector<WireSegment>& list = store().wires[t];
        for (int sheet = 1; sheet <= m_shape.sheets; ++sheet) {
            int n = pick(m_shape.wires + 1);
            for (int i = 0; i < n; ++i) {
                WireSegment s;
                s.sheet = static_cast<int16_t>(sheet);
                s.start = place_on(s.sheet);
                s.end = place_on(s.sheet);
                s.group = pick(m_shape.groups + 1);
                s.wire_number = pick(8) == 0 ? pick(100) : s.group * 10 + t;
                list.push_back(s);
            }
        }
        std::shuffle(list.begin(), list.end(), m_rng);
    }
}

void Gen::dirty() {
    for (std::vector<Component>* list :
         {&store().components, &store().terminals, &store().contacts, &store().coils, &store().unlisted})
        for (Component& rec : *list)
            for (IdPoint& id : rec.ids) {
                if (pick(4) != 0) continue;
                id.has_connection = pick(2);
                id.is_connected = pick(2);
                id.visited = pick(2);
            }
}

GenerationNotes Gen::run() {
    ProjectConfig& c = config();
    c.wire_sch = pick(5) == 0 ? pick(3) : 1;
    c.p_title = pick(2) ? "Generated" : "";
    m_points.assign(m_shape.sheets + 1, {});
    zones();
    wire_types();
    records();
    wires();
    if (m_shape.dirty) dirty();
    return m_notes;
}

}  // namespace

GenerationNotes generate_listing_project(uint32_t seed, const ListingShape& shape) {
    reset_module_state();
    store().reset();
    return Gen(seed, shape).run();
}

}  // namespace wcraft::test
