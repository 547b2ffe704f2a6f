// Conversion between the interpreter's value chains and resbuf chains.
#pragma once

#include "ads.h"
#include "core/result.h"
#include "lisp/ads_value.h"

namespace cadhost::ads {

// A new resbuf chain (caller releases); names carry the drawing serial.
struct resbuf* to_resbuf(const lisp::AdsList& list, long serial);
Result<lisp::AdsList> from_resbuf(const struct resbuf* rb, long serial);

}  // namespace cadhost::ads
