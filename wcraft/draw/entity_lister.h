// Listing one entity in the terms of the application: the recognisers apply
// the post-processor's rules for wires, zones, wire links, relay markers,
// wire nodes and component blocks to a single picked entity.
#pragma once

#include "host/host_api.h"

namespace wcraft {

// C:WCRLISTENT and DRAW LISTENT. Returns 1.
int list_entity_command();

// What a recogniser answers.
enum class Listed { No, Yes };

// The recognisers in the order the lister tries them; each prints its lines
// (every line led by `indent`) when the entity is of its kind.
Listed list_as_wire(const ads_name ent, const char* indent);
Listed list_as_zone(const ads_name ent, const char* indent);
Listed list_as_wire_link(const ads_name ent, const char* indent);
Listed list_as_relay_marker(const ads_name ent, const char* indent);
Listed list_as_wire_node(const ads_name ent, const char* indent);
Listed list_as_block(const ads_name ent, const char* indent);

}  // namespace wcraft
