// Message texts of the DXF tag layer, in one place.
#pragma once

namespace cadhost::dxf::msg {

inline constexpr const char* bad_group_code = "invalid group code";
inline constexpr const char* missing_value = "group code without a value line";
inline constexpr const char* binary_dxf = "binary DXF is not supported";

}  // namespace cadhost::dxf::msg
