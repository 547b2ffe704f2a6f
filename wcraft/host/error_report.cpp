// Error reporting through the host's command line.
#include "host/error_report.h"

#include <new>

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

namespace {

thread_local std::vector<KeptFailure>* t_kept = nullptr;

}  // namespace

void keep_failures_here(std::vector<KeptFailure>* kept) { t_kept = kept; }

void tell_failures(const std::vector<KeptFailure>& kept) {
    for (const KeptFailure& f : kept) fatal_alloc(f.routine, f.code);
}

void fatal_alloc(const char* routine, int code) {
    if (t_kept) {
        try {
            t_kept->push_back(KeptFailure{routine, code});
        } catch (const std::bad_alloc&) {  // not even that: the failure goes untold
        }
        return;
    }
    ads_printf(msg::kFatalAlloc, routine ? routine : "", code);
    ads_printf("%s", msg::kFatalAllocLine);
}

}  // namespace wcraft
