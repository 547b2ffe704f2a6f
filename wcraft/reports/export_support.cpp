// Report files, padded columns and contact counts.
#include "reports/export_support.h"

#include "host/host_api.h"
#include "host/module_state.h"
#include "host/replace_file.h"
#include "postproc/progress.h"
#include "postproc/run_files.h"
#include "reports/exports_messages.h"

namespace wcraft {

FILE* open_report(const char* ext) {
    FILE* f = open_beside(run_file(ext));
    if (!f) error_code() = ERR_EXPORT_OPEN;
    return f;
}

int close_report(FILE* out, const char* ext) {
    if (put_in_place(out, run_file(ext))) return 1;
    error_code() = ERR_EXPORT_OPEN;
    return 0;
}

// pad_text hands back one shared buffer, so each padded field is written
// before the next is made.
void put_padded(FILE* out, const char* text, int width) { fputs(pad_text(text, width), out); }

void put_padded(FILE* out, int value, int width) {
    char digits[16];
    snprintf(digits, sizeof digits, "%d", value);
    put_padded(out, digits, width);
}

ContactCounts count_contacts(const Component& coil, Tick tick) {
    ContactCounts n;
    for (const XdataNode& x : coil.xdata) {
        if (tick == Tick::PerNode) progress_tick();
        switch (x.type) {
            case XD_NO: ++n.no; break;
            case XD_NC: ++n.nc; break;
            case XD_TM: ++n.tm; break;
            default: break;
        }
    }
    return n;
}

}  // namespace wcraft
