// WCRPPROINT: tells the post-processor's support file which outside
// AutoLISP function, and from which file, to call at the current stage.
// Interface N of the project belongs to stage N.
#include "host/host_api.h"
#include "host/module_state.h"
#include "reports/exports.h"
#include "reports/exports_messages.h"

namespace wcraft {

namespace {

struct StageInterface {
    const char* file;
    const char* function;
};

// The interface of a stage; two empty names outside stages 1 to 5.
StageInterface stage_interface(const ProjectConfig& c, int stage) {
    switch (stage) {
        case 1: return {c.int1f.c_str(), c.int1x.c_str()};
        case 2: return {c.int2f.c_str(), c.int2x.c_str()};
        case 3: return {c.int3f.c_str(), c.int3x.c_str()};
        case 4: return {c.int4f.c_str(), c.int4x.c_str()};
        case 5: return {c.int5f.c_str(), c.int5x.c_str()};
        default: return {"", ""};
    }
}

}  // namespace

int wcr_pproint() {
    ads_retnil();
    const ProjectConfig& c = config();
    if (c.application_int != 1) return RTNORM;
    const int stage = wcr().stage;
    StageInterface hook = stage_interface(c, stage);
    if (hook.function[0] == '\0') return RTNORM;
    struct resbuf* pair = ads_buildlist(RTSTR, hook.function, RTSTR, hook.file, 0);
    if (!pair) {
        ads_printf("%s", xmsg::kHookFailed);
        return RTNORM;
    }
    ads_printf(xmsg::kHookInvoking, stage, hook.file, hook.function);
    ads_retlist(pair);
    ads_relrb(pair);
    return RTNORM;
}

}  // namespace wcraft
