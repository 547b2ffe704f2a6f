// Parses DCL text into definitions; errors carry the file and line.
#pragma once

#include <string>

#include "core/result.h"
#include "dcl/definition.h"

namespace cadhost::dcl {

Result<DclFile> parse_dcl(const std::string& text, const std::string& file_name);

}  // namespace cadhost::dcl
