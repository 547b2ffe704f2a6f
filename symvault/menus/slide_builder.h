// Packing a library's slide files into its slide library.
#pragma once

#include "library/records.h"

namespace symvault {

enum SlideBuild { SLB_FAILED = 0, SLB_BUILT = 1, SLB_DECLINED = 9 };
// Builds NAME.SLB in the library's own directory from its symbols' slides,
// after the user's consent. A failure is reported and leaves any previous
// slide library as it was.
int build_slide_library(const LibraryRecord* lib);

}  // namespace symvault
