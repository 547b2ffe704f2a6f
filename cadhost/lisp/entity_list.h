// Conversion between the host's group lists and Lisp association lists:
// (0 . "LINE"), points as (10 x y z) or (10 x y), extended data under -3 as
// (-3 ("APP" (1000 . "text") ...)).
#pragma once

#include "core/result.h"
#include "core/value.h"
#include "value.h"

namespace cadhost::lisp {

// The -3 group of a group list marks the start of extended data; its value
// is not used. Groups after it up to the end are extended data, each
// application's starting with its 1001 group.
Value groups_to_alist(const GroupList& groups);
Result<GroupList> alist_to_groups(const Value& alist);

}  // namespace cadhost::lisp
