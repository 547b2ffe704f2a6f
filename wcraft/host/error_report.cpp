// Error reporting through the host's command line.
#include "host/error_report.h"

#include "host/error_table.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"

namespace wcraft {

int report_error() {
    ads_printf("%s", error_report_text(error_code()).c_str());
    error_code() = 0;
    return 1;
}

void fatal_alloc(const char* routine, int code) {
    ads_printf(msg::kFatalAlloc, routine ? routine : "", code);
    ads_printf("%s", msg::kFatalAllocLine);
}

}  // namespace wcraft
