// The parts listing (PLF): one headerless line per block carrying a
// bill-of-materials number, coils with their contact counts first.
#include <vector>

#include "extract/store.h"
#include "postproc/progress.h"
#include "reports/export_support.h"
#include "reports/exports.h"
#include "reports/exports_messages.h"

namespace wcraft {

namespace {

// BOM number, CV value unpadded, then the three contact counts.
void write_coils(FILE* out, const std::vector<Component>& coils) {
    for (const Component& coil : coils) {
        progress_tick();
        if (coil.bom.empty()) continue;
        ContactCounts n = count_contacts(coil, Tick::No);
        fputc('\n', out);
        put_padded(out, coil.bom.c_str(), xmsg::kPartsBomWidth);
        fputs(coil.cv.c_str(), out);
        for (int count : {n.no, n.nc, n.tm}) {
            fputc(':', out);
            put_padded(out, count, xmsg::kPartsCountWidth);
        }
    }
}

// BOM number and BOM attribute.
void write_blocks(FILE* out, const std::vector<Component>& list) {
    for (const Component& block : list) {
        progress_tick();
        if (block.bom.empty()) continue;
        fputc('\n', out);
        put_padded(out, block.bom.c_str(), xmsg::kPartsBomWidth);
        put_padded(out, block.bomatt.c_str(), xmsg::kPartsAttWidth);
    }
}

}  // namespace

int write_parts_listing(FILE* log) {
    FILE* out = open_report(xmsg::kPartsExt);
    if (!out) return 0;
    log_printf(log, "%s", xmsg::kPartsStart);
    const Store& s = store();
    write_coils(out, s.coils);
    // Contacts are counted on their coil's line, so the contact list is
    // not listed.
    write_blocks(out, s.components);
    write_blocks(out, s.terminals);
    write_blocks(out, s.unlisted);
    return close_report(out, xmsg::kPartsExt);
}

}  // namespace wcraft
