// The dialogs of the flat settings of the configuration: post-processor
// control flags "control_defn", application interfaces "application_defn",
// attribute, block and layer names "attrib_defn", relay identifications
// "relay_id_defn", global wire-number settings "glwire_defn" and zone level
// names "zone_levels_defn".
#pragma once

namespace wcraft {

// Each runs its dialog; OK tests every tile and, when all pass, stores
// them in the configuration. Return 1.
int control_dialog();
int application_dialog();
int attribute_dialog();
int relay_id_dialog();
int global_wire_dialog();
int zone_levels_dialog();

}  // namespace wcraft
