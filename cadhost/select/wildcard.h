// The host's wildcard patterns: # digit, @ letter, . other, * any run,
// ? any one, [...] sets ([~...] negated), ` escape, "," between
// alternatives; "~" at the start of an alternative negates that alternative.
#pragma once

#include <string_view>

namespace cadhost::select {

enum class CaseMode { Sensitive, Insensitive };

bool wcmatch(std::string_view text, std::string_view pattern, CaseMode mode);

}  // namespace cadhost::select
