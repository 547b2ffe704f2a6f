// The relay contact listing (RLF): one line per relay coil with its
// voltage, its correlated contacts by kind, its zone and grid reference.
#include <string>

#include "extract/store.h"
#include "host/module_state.h"
#include "postproc/progress.h"
#include "reports/export_support.h"
#include "reports/exports.h"
#include "reports/exports_messages.h"

namespace wcraft {

namespace {

void write_heading(FILE* out, const ProjectConfig& c) {
    fprintf(out, xmsg::kRelayProject, c.p_name.c_str());
    fprintf(out, "\n%s", std::string(xmsg::kRelayTitleIndent, ' ').c_str());
    fprintf(out, xmsg::kRelayTitle, c.p_title.c_str());
    fprintf(out, "\n\n%s%s", xmsg::kRelayHeading1, std::string(xmsg::kRelayHeading1Tail, ' ').c_str());
    fputs(xmsg::kRelayHeading2, out);
    fprintf(out, "\n%s", std::string(xmsg::kRelayRule, '-').c_str());
}

// The coil's zone name, or a single space when it lies in no zone. An
// index outside the zone table counts as no zone.
const char* zone_name(const ProjectConfig& c, int zone) {
    if (zone < 0 || zone >= kMaxZones) return xmsg::kRelayNoZone;
    return c.zone_defs[zone].z_name.c_str();
}

void write_coil(FILE* out, const ProjectConfig& c, const Component& coil) {
    ContactCounts n = count_contacts(coil, Tick::PerNode);
    fputc('\n', out);
    put_padded(out, coil.ref.c_str(), xmsg::kRelayRefWidth);
    fputc(':', out);
    put_padded(out, coil.cv.c_str(), xmsg::kRelayCvWidth);
    fputs(": ", out);
    put_padded(out, n.no, xmsg::kRelayCountWidth);
    fputs(": ", out);
    put_padded(out, n.nc, xmsg::kRelayCountWidth);
    fputs(": ", out);
    put_padded(out, n.tm, xmsg::kRelayCountWidth);
    fputc(':', out);
    put_padded(out, zone_name(c, coil.zone), xmsg::kRelayZoneWidth);
    fputc(':', out);
    put_padded(out, coil.grid.c_str(), xmsg::kRelayGridWidth);
}

}  // namespace

int write_relay_listing(FILE* log) {
    FILE* out = open_report(xmsg::kRelayExt);
    if (!out) return 0;
    log_printf(log, "%s", xmsg::kRelayStart);
    const ProjectConfig& c = config();
    write_heading(out, c);
    for (const Component& coil : store().coils) {
        progress_tick();
        write_coil(out, c, coil);
    }
    fputs(xmsg::kRelayEnd, out);
    return close_report(out, xmsg::kRelayExt);
}

}  // namespace wcraft
