// Formatted output for the large reports (the analysis file and the audit):
// the same text printf writes, made with std::to_chars, which is several
// times faster for the millions of reals and integers of a large project.
#pragma once

#include <cstdio>

namespace wcraft {

// fprintf(out, format, ...) for formats whose conversions are plain %d,
// %ld, %s, %f and %% (no flags, widths or precisions); any other format is
// handed to vfprintf as it is. The output is byte for byte printf's: a
// "%f" is std::to_chars in fixed form with six decimals, which the standard
// defines as printf's conversion.
void report_printf(FILE* out, const char* format, ...) __attribute__((format(printf, 2, 3)));

}  // namespace wcraft
