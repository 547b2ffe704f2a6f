// Stage 4: references, sheet numbers, contact and wire link places written
// into the attributes of the open sheet's blocks.
#pragma once

#include <cstdio>
#include <string_view>

#include "host/host_api.h"

namespace wcraft {

// Sets the attribute `tag` of the block to `value`; an attribute that
// already holds it (ignoring case) is left alone. 1 on success.
int set_attribute(std::string_view tag, std::string_view value, const ads_name block);

// Each writes its progress and problems to `log` and returns 1.
int update_title_blocks(FILE* log);
int update_component_refs(FILE* log);
int update_terminal_refs(FILE* log);
int update_coil_refs(FILE* log);
int update_contact_refs(FILE* log);
int update_wirelink_refs(FILE* log);

}  // namespace wcraft
