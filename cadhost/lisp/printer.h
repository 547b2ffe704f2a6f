// Text of Lisp values as princ (raw) and prin1 (readable) write them.
#pragma once

#include <string>

#include "value.h"

namespace cadhost::lisp {

enum class PrintStyle { Princ, Prin1 };

std::string print_value(const Value& v, PrintStyle style);
// Reals as the host prints them: six significant digits, always a decimal
// point, three-digit exponents.
std::string format_real(double d);
std::string quote_string(const std::string& s);

}  // namespace cadhost::lisp
