// Error reporting through the host's command line.
#include "host/error_report.h"

#include "host/error_table.h"
#include "host/host_api.h"
#include "host/messages.h"
#include "host/module_state.h"

namespace wcraft {

int report_error() {
    int code = error_code();
    ads_printf(msg::kErrorPrefix, code);
    ads_printf("%s", error_message(code));
    error_code() = 0;
    return 1;
}

void fatal_alloc(const char* routine, int code) {
    ads_printf(msg::kFatalAlloc, routine ? routine : "", code);
    ads_printf("%s", msg::kFatalAllocLine);
}

}  // namespace wcraft
