// The "Select objects: " prompt shared by commands that act on a selection.
#pragma once

#include <optional>
#include <vector>

#include "cmd/commandline.h"

namespace cadhost::cmd {

// Parses "x,y" or "x,y,z"; nullopt when the text is not a point.
std::optional<Point> parse_point(const std::string& text);

// Reads selections until an empty answer: ALL, L(ast), W(indow) and
// C(rossing) with two corners, or a point (what passes through it).
// nullopt on cancel.
std::optional<std::vector<EntityRef>> select_objects(CommandLine& cl);

}  // namespace cadhost::cmd
