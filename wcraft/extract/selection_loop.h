// The extraction loop over a selection: take entity 0, handle it, delete it
// from the set, read the set's length, until the set is empty.
#pragma once

#include "host/host_api.h"
#include "host/module_state.h"

namespace wcraft {

enum class LoopStep { Next, Stop };

// Selects every entity passing `filter` (mode "X"); false when none do.
inline bool select_all(const resbuf* filter, ads_name ss) {
    return ads_ssget("X", nullptr, nullptr, filter, ss) == RTNORM;
}

// Runs `each(entity)` on the set's first entity until the set is empty or
// `each` says stop. A failed take sets `take_error`; a failed delete or
// length read sets `length_error`; either ends the loop.
template <typename Each>
void drain_selection(const ads_name ss, int take_error, int length_error, Each each) {
    for (;;) {
        ads_name ent;
        if (ads_ssname(ss, 0, ent) != RTNORM) {
            error_code() = take_error;
            return;
        }
        if (each(ent) == LoopStep::Stop) return;
        long left = 0;
        if (ads_ssdel(ent, ss) != RTNORM || ads_sslength(ss, &left) != RTNORM) {
            error_code() = length_error;
            return;
        }
        if (left == 0) return;
    }
}

}  // namespace wcraft
