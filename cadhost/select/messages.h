// Message texts of selection, in one place.
#pragma once

namespace cadhost::select::msg {

inline constexpr const char* kOperatorNotText = "filter operator is not a string";
inline constexpr const char* kUnknownGrouping = "unknown filter grouping ";
inline constexpr const char* kUnbalanced = "unbalanced filter grouping ";
inline constexpr const char* kBadOperator = "bad relational filter operator ";
inline constexpr const char* kNoOperand = "relational filter operator without a group to test: ";
inline constexpr const char* kNotClosed = "filter grouping not closed by ";
inline constexpr const char* kNotArity = "<NOT takes exactly one operand";
inline constexpr const char* kXorArity = "<XOR takes exactly two operands";
inline constexpr const char* kEmptyGrouping = "empty filter grouping";
inline constexpr const char* kAxesOnNonPoint = "per-axis operators need a point group";

}  // namespace cadhost::select::msg
