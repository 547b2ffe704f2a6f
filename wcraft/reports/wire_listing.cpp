// The point-to-point wire listing: the zone breakdown, the internal,
// interzone and external schedules, and the points left unconnected.
#include "reports/wire_listing.h"

#include <string>
#include <vector>

#include "extract/store.h"
#include "host/host_api.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "postproc/progress.h"
#include "postproc/run_files.h"
#include "reports/report_format.h"
#include "reports/wire_listing_index.h"
#include "reports/wire_listing_messages.h"
#include "update/wire_writeback.h"

namespace wcraft {

namespace {

// The zone tree in pre-order, as zone indices.
std::vector<int> zone_order(const ProjectConfig& c) {
    std::vector<int> order;
    for (const ZoneOrderEntry& e : zone_tree_order(c.zone_defs)) order.push_back(e.index);
    return order;
}

// A zone's level name; a level beyond the ten named ones (possible only in
// a hand-made project file) has an empty name.
const char* level_name(const ProjectConfig& c, int level) {
    return level >= 0 && level < kZoneLevels ? c.zone_levels[level].c_str() : "";
}

enum PassKind { PASS_INTERNAL, PASS_INTERZONE, PASS_EXTERNAL };
// Whether a pass marks its sources visited. Only the last pass's marks
// survive the report, so only the external pass keeps them.
enum VisitedMarks { MARKS_KEPT, MARKS_IMPLIED };

struct PassHeading {
    PassKind kind;
    int from = -1, to = -1;  // zone indices of internal and interzone passes
};

class Listing {
public:
    Listing(FILE* out, const ProjectConfig& c, ListingIndex& index) : m_w(out), m_c(c), m_index(index) {}
    void zone_schedules();
    void external();
    void unconnected();
    // Writes out what is buffered; the listing is written through a buffer
    // of its own, as its rows are many short fields.
    void flush() { m_w.flush(); }

private:
    void breakdown(const std::vector<int>& order);
    void pass(AliveList& sources, int32_t dest_zone, const PassHeading& h, VisitedMarks marks);
    void heading(const PassHeading& h);
    void page();
    void title(const char* format);
    void put(const char* text, int width) { m_w.put(pad_text(text, width)); }
    void repeat(const char* text, int times);
    void row(const ListingPoint& src, const ListingPoint& dst);

    ReportWriter m_w;
    const ProjectConfig& m_c;
    ListingIndex& m_index;
    bool m_first_page = true;  // no heading written yet
};

void Listing::repeat(const char* text, int times) {
    for (int i = 0; i < times; ++i) m_w.put(text);
}

void Listing::title(const char* format) { m_w.printf(format, m_c.p_name.c_str(), m_c.p_title.c_str()); }

// Every heading but the first starts a new page.
void Listing::page() {
    if (m_first_page) m_first_page = false;
    else m_w.put(wlmsg::kPageBreak);
}

void Listing::heading(const PassHeading& h) {
    page();
    if (h.kind == PASS_INTERNAL) {
        const ZoneDefn& zone = m_c.zone_defs[h.from];
        title(wlmsg::kTitleLower);
        m_w.printf(wlmsg::kInternal, level_name(m_c, zone.level), zone.z_name.c_str());
    } else if (h.kind == PASS_INTERZONE) {
        const ZoneDefn& from = m_c.zone_defs[h.from];
        const ZoneDefn& to = m_c.zone_defs[h.to];
        title(wlmsg::kTitle);
        m_w.printf(wlmsg::kInterzone, level_name(m_c, from.level), from.z_name.c_str(), level_name(m_c, to.level),
                   to.z_name.c_str());
    } else {
        title(wlmsg::kTitle);
        m_w.put(wlmsg::kExternal);
    }
    m_w.put("\n");
    repeat(" ", wlmsg::kWireLead);
    m_w.put(wlmsg::kWireWord);
    repeat(" ", wlmsg::kWireTrail);
    m_w.put(wlmsg::kColumns);
    m_w.put("\n");
    repeat("-", wlmsg::kScheduleRule);
}

void Listing::row(const ListingPoint& src, const ListingPoint& dst) {
    const WireDefn& w = m_c.wire_defs[src.wire_type];
    std::string number = wire_number_text(src.wire_number, w.pp_mode, w.pp_val.c_str());
    m_w.put("\n");
    put(src.record->ref.c_str(), wlmsg::kRefWidth);
    m_w.put(" ");
    put(src.id->id.c_str(), wlmsg::kIdWidth);
    m_w.put(":");
    put(number.c_str(), wlmsg::kNumberWidth);
    m_w.put(":");
    put(dst.record->ref.c_str(), wlmsg::kRefWidth);
    m_w.put(" ");
    put(dst.id->id.c_str(), wlmsg::kIdWidth);
    m_w.put(":");
    put(w.w_name.c_str(), wlmsg::kNameWidth);
    m_w.put(":");
    put(w.colour.c_str(), wlmsg::kColourWidth);
    m_w.put(":");
    put(w.size.c_str(), wlmsg::kSizeWidth);
    m_w.put(":");
    put(w.signal.c_str(), wlmsg::kSignalWidth);
}

// Sources in walk order, each at most once: a point not connected when the
// walk reaches it. Its destination is the first other not-connected point
// of its wire group among the destination zone's points. A source with a
// row is connected from then on; a destination stays free to be a source
// or a destination again.
void Listing::pass(AliveList& sources, int32_t dest_zone, const PassHeading& h, VisitedMarks marks) {
    std::vector<ListingPoint>& points = m_index.points();
    bool headed = false;
    for (uint32_t j = sources.first_alive(0, points); j < sources.size(); j = sources.first_alive(j + 1, points)) {
        progress_tick();
        uint32_t self = sources.member(j);
        ListingPoint& src = points[self];
        if (marks == MARKS_KEPT) src.id->visited = 1;
        AliveList* group = m_index.candidates(src.key, dest_zone);
        if (!group) continue;
        uint32_t d = group->first_alive(0, points);
        if (d < group->size() && group->member(d) == self) d = group->first_alive(d + 1, points);
        if (d == group->size()) continue;
        ListingPoint& dst = points[group->member(d)];
        if (!headed) heading(h), headed = true;
        row(src, dst);
        src.id->is_connected = 1;
        src.id->has_connection = 1;
        dst.id->has_connection = 1;
    }
}

void Listing::breakdown(const std::vector<int>& order) {
    title(wlmsg::kTitleLower);
    m_w.put(wlmsg::kLevelsHead);
    m_w.put(wlmsg::kBreakdownRule);
    for (int i = 0; i < wlmsg::kBreakdownLevels; ++i) {
        m_w.printf(wlmsg::kBreakdownLine, i);
        repeat(wlmsg::kIndent, i);
        m_w.put(m_c.zone_levels[i].c_str());
    }
    m_w.put(wlmsg::kZonesHead);
    m_w.put(wlmsg::kBreakdownRule);
    for (int z : order) {
        const ZoneDefn& zone = m_c.zone_defs[z];
        m_w.printf(wlmsg::kBreakdownLine, zone.level);
        repeat(wlmsg::kIndent, zone.level);
        m_w.put(zone.z_name.c_str());
    }
}

// The breakdown page, then an internal schedule per zone and an interzone
// schedule per pair, from the last zone of the order down. No pass before
// the external one leaves a visited mark that a later pass reads: each
// interzone pass starts from cleared marks, and the internal passes share
// their marks only between entries of one zone, of which the first leaves
// nothing for another to find (its sources all ended visited or
// connected), so a zone's repeated entries are passed over.
void Listing::zone_schedules() {
    std::vector<int> order = zone_order(m_c);
    m_first_page = false;  // the breakdown is the first page
    breakdown(order);
    const int last = static_cast<int>(order.size()) - 1;
    std::vector<bool> done(kMaxZones, false);
    for (int e = last; e >= 0; --e) {
        progress_tick();
        int z = order[e];
        AliveList* sources = m_index.sources(z);
        if (done[z] || !sources) continue;
        done[z] = true;
        pass(*sources, z, PassHeading{PASS_INTERNAL, z, z}, MARKS_IMPLIED);
    }
    for (int a = last; a >= 0; --a) {
        AliveList* sources = m_index.sources(order[a]);
        for (int b = a - 1; b >= 0; --b) {
            progress_tick();
            if (sources && m_index.may_reach(order[a], order[b]))
                pass(*sources, order[b], PassHeading{PASS_INTERZONE, order[a], order[b]}, MARKS_IMPLIED);
        }
    }
}

void Listing::external() {
    for (ListingPoint& p : m_index.points()) p.id->visited = 0;
    pass(m_index.all(), -1, PassHeading{PASS_EXTERNAL}, MARKS_KEPT);
}

void Listing::unconnected() {
    page();
    title(wlmsg::kTitle);
    m_w.put(wlmsg::kUnconnected);
    m_w.put("\n");
    m_w.put(wlmsg::kComponentWord);
    repeat(" ", wlmsg::kComponentTrail);
    m_w.put(wlmsg::kUnconnectedColumns);
    m_w.put("\n");
    repeat("-", wlmsg::kUnconnectedRule);
    for (const ListingPoint& p : m_index.points()) {
        progress_tick();
        if (p.id->has_connection != 0) continue;
        m_w.put("\n");
        put(p.record->ref.c_str(), wlmsg::kRefWidth);
        m_w.put(wlmsg::kFieldJoin);
        put(p.id->id.c_str(), wlmsg::kIdWidth);
        m_w.put(wlmsg::kFieldJoin);
        put(p.record->grid.c_str(), wlmsg::kGridWidth);
    }
    m_w.put(wlmsg::kEnd);
    m_w.put(wlmsg::kFormFeed);
}

}  // namespace

int write_wire_listing(FILE* log) {
    // Written beside the current listing, which it replaces only when whole.
    const std::string path = run_file(wlmsg::kExt);
    FILE* out = open_beside(path);
    if (!out) {
        error_code() = ERR_WLF_OPEN;
        return 0;
    }
    log_printf(log, "%s", wlmsg::kLogStart);
    ads_printf("%s", wlmsg::kBanner);
    const ProjectConfig& c = config();
    ListingIndex index(store(), c);
    Listing listing(out, c, index);
    if (c.wire_sch == 1) listing.zone_schedules();
    listing.external();
    listing.unconnected();
    listing.flush();
    // A listing that could not be written whole is no listing: say so, and
    // keep the previous one.
    if (!put_in_place(out, path)) {
        error_code() = ERR_WLF_OPEN;
        return 0;
    }
    return 1;
}

}  // namespace wcraft
