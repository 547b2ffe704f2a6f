// Record outcomes and the generator of reference and relay projects.
#include "references_support.h"

#include <algorithm>
#include <climits>
#include <random>
#include <sstream>

#include "host/module_state.h"
#include "numbering_support.h"

namespace wcraft::test {

RecordOutcome take_records(const std::string& log) {
    RecordOutcome o;
    o.components = store().components;
    o.terminals = store().terminals;
    o.coils = store().coils;
    o.contacts = store().contacts;
    o.log = log;
    o.command_line = without_progress(command_line());
    return o;
}

std::string without_progress(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\b' && i + 1 < text.size()) {
            ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

namespace {

std::string record_difference(const Component& e, const Component& a) {
    std::ostringstream out;
    auto text = [&out](const char* name, std::string_view x, std::string_view y) {
        if (x != y) out << name << " expected [" << x << "] got [" << y << "]; ";
    };
    text("ref", e.ref.view(), a.ref.view());
    text("tag", e.tag.view(), a.tag.view());
    text("cid", e.cid.view(), a.cid.view());
    text("grid", e.grid.view(), a.grid.view());
    text("cv", e.cv.view(), a.cv.view());
    if (e.numbered != a.numbered) out << "numbered expected " << e.numbered << " got " << a.numbered << "; ";
    if (e.sheet != a.sheet || e.zone != a.zone || e.ids.size() != a.ids.size()) out << "sheet, zone or ids differ; ";
    if (e.xdata.size() != a.xdata.size()) {
        out << "xdata count expected " << e.xdata.size() << " got " << a.xdata.size() << "; ";
    } else {
        for (size_t i = 0; i < e.xdata.size(); ++i)
            if (e.xdata[i].type != a.xdata[i].type || e.xdata[i].name.view() != a.xdata[i].name.view()) {
                out << "xdata " << i << " expected " << e.xdata[i].type << "/" << e.xdata[i].name.view() << " got "
                    << a.xdata[i].type << "/" << a.xdata[i].name.view() << "; ";
                break;
            }
    }
    return out.str();
}

std::string list_difference(const char* what, const std::vector<Component>& e, const std::vector<Component>& a) {
    if (e.size() != a.size()) return std::string(what) + " count differs";
    for (size_t i = 0; i < e.size(); ++i) {
        std::string d = record_difference(e[i], a[i]);
        if (!d.empty()) return std::string(what) + " " + std::to_string(i) + ": " + d;
    }
    return {};
}

}  // namespace

std::string first_record_difference(const RecordOutcome& e, const RecordOutcome& a) {
    std::string d = list_difference("component", e.components, a.components);
    if (d.empty()) d = list_difference("terminal", e.terminals, a.terminals);
    if (d.empty()) d = list_difference("coil", e.coils, a.coils);
    if (d.empty()) d = list_difference("contact", e.contacts, a.contacts);
    if (d.empty() && e.log != a.log) d = "log expected [" + e.log + "] got [" + a.log + "]";
    if (d.empty() && e.command_line != a.command_line)
        d = "command line expected [" + e.command_line + "] got [" + a.command_line + "]";
    return d;
}

// ---- generator

namespace {

class RefGen {
public:
    RefGen(uint32_t seed, const RelayShape& shape) : m_rng(seed), m_shape(shape) {}
    void run();

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<uint32_t>(n)); }
    template <size_t N>
    const char* from(const char* const (&pool)[N]) { return pool[pick(static_cast<int>(N))]; }
    const char* relay_tag();
    std::string grid();
    void definitions(CompDefn* defs);
    void records(std::vector<Component>& list, int most);
    void relay_ids();
    void coils();
    void contacts();

    std::mt19937 m_rng;
    RelayShape m_shape;
};

// Relay tags and references, in the order the shape's `tags` draws from.
const char* const kRelayTags[] = {"K1",  "k1",          "K2",         "",            "KA",         "K10",
                                  "Ka",  "LONGCOILTAG1", "LONGCOILTAG2", "K1-7",     "k2",         "K1-",
                                  "-",   "ABCDEFGHIJKLMNO", "abcdefghi", "ABCDEFGHI", "K3",        "KB"};
const char* const kDefNames[] = {"RELAY", "relay", "Relay", "RELAY1", "MOTOR", "motor", "X1", "TB",
                                 "",      "ABCDEFGHIJKLMNO", "abcdefghijklmno", "LAMP"};
const char* const kRecordTags[] = {"RELAY", "relay", "RELAY1", "MOTOR", "Motor", "x1", "TB", "tb", "",
                                   "ABCDEFGHIJKLMNO", "ABCDEFGHIJKLMN", "LAMP", "REL"};
const char* const kAffixes[] = {"K", "@", "ABCDE", "", "-", "x1"};
const int kInits[] = {1, 0, -3, 100, 7, INT_MAX, INT_MIN, INT_MAX - 1, -1, 999999999};
const int kIncrs[] = {1, 1, 0, -1, 2, -5, INT_MAX, INT_MIN, 3};

const char* RefGen::relay_tag() {
    int n = std::clamp(m_shape.tags, 1, static_cast<int>(std::size(kRelayTags)));
    return kRelayTags[pick(n)];
}

std::string RefGen::grid() {
    static const char* const kGrids[] = {"1,A", "1,B", "2,A", "3,C1", "", ",*", "-32768,ABC", "12,Z"};
    return kGrids[pick(static_cast<int>(std::size(kGrids)))];
}

void RefGen::definitions(CompDefn* defs) {
    int used = pick(8) == 0 ? 100 : pick(6);  // sometimes every slot holds a name
    for (int d = 0; d < 100; ++d) {
        CompDefn& def = defs[d];
        def.name = d < used || pick(3) == 0 ? from(kDefNames) : "LAMP";
        def.pp_mode = pick(6) == 0 ? 5 : pick(3);
        def.pp_val = from(kAffixes);
        def.init = kInits[pick(static_cast<int>(std::size(kInits)))];
        def.incr = kIncrs[pick(static_cast<int>(std::size(kIncrs)))];
    }
    if (used < 100) defs[used].name = pick(4) == 0 ? "*ND*X" : "*ND*";
    if (pick(10) == 0) defs[used / 2].name = "*nd*";  // not the marker: compared exactly
}

void RefGen::records(std::vector<Component>& list, int most) {
    int n = pick(most + 1);
    for (int i = 0; i < n; ++i) {
        Component r;
        r.sheet = static_cast<int16_t>(1 + i / 5);
        r.tag = from(kRecordTags);
        r.ref = pick(2) == 0 ? "OLD" : "";
        r.grid = grid();
        r.numbered = pick(8) == 0;
        list.push_back(r);
    }
}

void RefGen::relay_ids() {
    ProjectConfig& c = config();
    c.cont_num = pick(3) == 0 ? 0 : 1;
    if (pick(6) == 0) c.nc_id = "noc";  // equal to no_id ignoring case: no_id is tried first
    if (pick(6) == 0) c.co_id = "";     // a contact without CID is then change-over
    if (pick(8) == 0) c.tm_id = "NOC";
}

void RefGen::coils() {
    int n = pick(m_shape.coils + 1);
    for (int i = 0; i < n; ++i) {
        Component r;
        r.sheet = static_cast<int16_t>(1 + i / 4);
        r.tag = relay_tag();
        r.ref = pick(3) == 0 ? relay_tag() : "";
        r.cid = pick(2) ? "COIL" : "coil";
        r.grid = grid();
        if (pick(20) == 0) add_xdata_node(r.xdata, XD_NO, "9,Z");  // nodes left by an earlier run
        store().coils.push_back(r);
    }
}

void RefGen::contacts() {
    static const char* const kCids[] = {"NOC", "noc", "NCC", "ncc", "COC", "CoC", "TMC", "tmc", "XYZ", "", "COIL"};
    static const char* const kRefs[] = {"K1-7", "K1", "k1-2-3", "-5", "K2", "", "LONGCOILT-1", "KA-1-2",
                                        "K1--", "Ka", "ABCDEFGHI-3", "abcdefghi", "K10-1", "OLD"};
    int n = pick(m_shape.contacts + 1);
    for (int i = 0; i < n; ++i) {
        Component r;
        r.sheet = static_cast<int16_t>(1 + i / 6);
        r.tag = pick(5) == 0 ? "" : relay_tag();
        r.ref = pick(3) == 0 ? relay_tag() : from(kRefs);
        r.cid = kCids[pick(static_cast<int>(std::size(kCids)))];
        r.grid = grid();
        if (pick(25) == 0) add_xdata_node(r.xdata, XD_COIL, "9,Y");
        store().contacts.push_back(r);
    }
}

void RefGen::run() {
    ProjectConfig& c = config();
    definitions(c.comp_defs);
    definitions(c.term_defs);
    records(store().components, m_shape.components);
    records(store().terminals, m_shape.components);
    relay_ids();
    coils();
    contacts();
}

}  // namespace

void generate_references_project(uint32_t seed, const RelayShape& shape) {
    reset_module_state();
    store().reset();
    command_line().clear();
    RefGen(seed, shape).run();
}

}  // namespace wcraft::test
