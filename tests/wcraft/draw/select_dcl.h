// Stand-ins for the two selection dialog files, with their dialog names and
// tile keys, for source trees that do not have the real ones.
#pragma once

namespace wcraft::test {

inline constexpr const char* kWireSelectDcl = R"(wire_sel_defn : dialog { label = "Select wire type";
  : text { key = "p_title"; }
  : list_box { key = "wire_names"; allow_accept = true; }
  : text { key = "l_name"; } : text { key = "colour"; } : text { key = "size"; } : text { key = "signal"; }
  : button { key = "config"; label = "Wire definitions..."; }
  : text { key = "errormsg"; }
  : button { key = "info"; label = "Info..."; }
  ok_cancel;
})";
inline constexpr const char* kZoneSelectDcl = R"(zone_sel_defn : dialog { label = "Select zone";
  : text { key = "p_title"; }
  : list_box { key = "z_names"; allow_accept = true; }
  : text { key = "c_level"; } : text { key = "z_edit"; } : text { key = "colnum"; }
  : button { key = "config"; label = "Zone definitions..."; }
  : text { key = "errormsg"; }
  : button { key = "info"; label = "Info..."; }
  ok_cancel;
})";

}  // namespace wcraft::test
