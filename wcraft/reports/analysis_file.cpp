// The analysis file (ALF): the wire and zone definitions and everything in
// the store, as group-code records for other programs to read. Every value
// is on its own line after a line with its group code; every record starts
// with group 0 and its type.
#include <utility>
#include <vector>

#include "extract/store.h"
#include "host/replace_file.h"
#include "host/module_state.h"
#include "postproc/progress.h"
#include "postproc/run_files.h"
#include "reports/export_support.h"
#include "reports/exports.h"
#include "reports/exports_messages.h"
#include "reports/report_format.h"

namespace wcraft {

namespace {

using namespace xmsg;

// The record writer: one record is opened, its fields follow in order, each
// as "\n<group>\n<value>". The progress indicator advances once per record.
class Records {
public:
    explicit Records(ReportWriter& out) : m_out(out) {}
    void begin(const char* type) {
        progress_tick();
        text(G_TYPE, type);
    }
    void text(int group, const char* value) {
        code(group);
        m_out.put(value);
    }
    void integer(int group, long value) {
        code(group);
        m_out.integer(value);
    }
    void point(int group, const XY& p) {
        code(group);
        m_out.real(p.x);
        m_out.put(",");
        m_out.real(p.y);
    }
    void put(const char* text) { m_out.put(text); }

private:
    void code(int group) {
        m_out.put("\n");
        m_out.integer(group);
        m_out.put("\n");
    }
    ReportWriter& m_out;
};

void write_wire_type(Records& r, int index, const WireDefn& w, const Store& s) {
    r.begin(kRecWireDef);
    r.text(G_NAME, w.w_name.c_str());
    r.text(G_COLOUR, w.colour.c_str());
    r.text(G_SIZE, w.size.c_str());
    r.text(G_SIGNAL, w.signal.c_str());
    r.text(G_LAYER, w.l_name.c_str());
    r.integer(G_INDEX, index);
    for (const WireSegment& seg : s.wires[index]) {
        r.begin(kRecWire);
        r.integer(G_SHEET, seg.sheet);
        r.point(G_POINT, seg.start);
        r.point(G_POINT2, seg.end);
        r.integer(G_WIRE_NO, seg.wire_number);
        r.integer(G_INDEX, index);
    }
    for (const NodePoint& node : s.nodes[index]) {
        r.begin(kRecNode);
        r.integer(G_SHEET, node.sheet);
        r.point(G_POINT, node.point);
        r.integer(G_INDEX, index);
    }
}

void write_links_and_grid(Records& r, const Store& s) {
    r.put(kAnalysisLinks);
    for (const WireLink& link : s.links) {  // phantom links are not written
        r.begin(kRecLink);
        r.integer(G_NAME, link.link);
        r.integer(G_SHEET, link.sheet);
        r.point(G_POINT, link.point);
    }
    for (const GridRef& g : s.grid) {
        r.begin(kRecGrid);
        r.text(G_NAME, g.text.c_str());
        r.point(G_POINT, g.point);
    }
}

void write_zone(Records& r, int index, const ZoneDefn& z, const Store& s) {
    r.begin(kRecZoneDef);
    r.text(G_NAME, z.z_name.c_str());
    r.text(G_LAYER, z.l_name.c_str());
    r.integer(G_INDEX, index);
    for (const ZoneBox& box : s.zones[index]) {
        r.begin(kRecZone);
        r.integer(G_SHEET, box.sheet);
        r.point(G_POINT, box.bottom_left);
        r.point(G_POINT2, box.top_right);
        r.integer(G_INDEX, index);
    }
}

// A block's own record, then its ID points, then its xdata nodes.
void write_block(Records& r, const char* type, const Component& b) {
    r.begin(type);
    r.text(G_NAME, b.ref.c_str());
    r.text(G_HANDLE, b.handle.c_str());
    r.integer(G_SHEET, b.sheet);
    r.point(G_POINT, b.point);
    r.text(G_GRID, b.grid.c_str());
    r.text(G_CV, b.cv.c_str());
    r.text(G_BOM, b.bom.c_str());
    r.text(G_BOMATT, b.bomatt.c_str());
    r.text(G_TAG, b.tag.c_str());
    r.text(G_CID, b.cid.c_str());
    r.text(G_USER, b.user.c_str());
    for (const IdPoint& id : b.ids) {
        r.begin(kRecId);
        r.text(G_NAME, id.id.c_str());
        r.text(G_HANDLE, b.handle.c_str());
        r.point(G_POINT, id.point);
    }
    for (const XdataNode& x : b.xdata) {
        r.begin(kRecXdata);
        r.text(G_NAME, x.name.c_str());
        r.text(G_HANDLE, b.handle.c_str());
        r.integer(G_XREF_TYPE, x.type);
    }
}

void write_blocks(Records& r, const Store& s) {
    struct BlockList {
        const std::vector<Component>* list;
        const char* type;
    };
    const BlockList lists[] = {
        {&s.components, kRecComponent}, {&s.terminals, kRecTerminal}, {&s.contacts, kRecContact},
        {&s.coils, kRecCoil},           {&s.unlisted, kRecUnlisted},
    };
    for (const BlockList& l : lists)
        for (const Component& b : *l.list) write_block(r, l.type, b);
}

// Everything after the open: reads the configuration and the store only,
// and talks neither to the host nor to the event log.
void write_records(FILE* out) {
    const ProjectConfig& c = config();
    const Store& s = store();
    ReportWriter w(out);  // all of it handed to the stream when it goes
    Records r(w);
    r.put(kAnalysisHeader);
    for (int t = 0, n = wire_count(c); t < n; ++t) write_wire_type(r, t, c.wire_defs[t], s);
    write_links_and_grid(r, s);
    for (int z = 0, n = zone_count(c); z < n; ++z) write_zone(r, z, c.zone_defs[z], s);
    write_blocks(r, s);
    r.put(kAnalysisEnd);
}

// A file never finished is closed and taken away: the previous one stays.
void drop_unfinished(FILE* out) {
    fclose(out);
    drop_beside(run_file(kAnalysisExt));
}

}  // namespace

AnalysisFileWriter::~AnalysisFileWriter() {
    m_aside.wait();
    if (!m_out) return;
    try {
        drop_unfinished(m_out);
    } catch (...) {  // no memory left to name the file: it is left beside
    }
}

int AnalysisFileWriter::start(FILE* log) {
    m_out = open_report(kAnalysisExt);
    if (!m_out) return 0;
    log_printf(log, "%s", kAnalysisStart);
    FILE* out = m_out;
    if (!m_aside.start([out] { write_records(out); })) write_records(out);  // no second thread: written here
    return 1;
}

int AnalysisFileWriter::finish() {
    if (!m_out) return 0;
    FILE* out = std::exchange(m_out, nullptr);
    try {
        m_aside.finish();
    } catch (...) {
        drop_unfinished(out);
        throw;
    }
    return close_report(out, kAnalysisExt);
}

int write_analysis_file(FILE* log) {
    AnalysisFileWriter w;
    return w.start(log) ? w.finish() : 0;
}

}  // namespace wcraft
