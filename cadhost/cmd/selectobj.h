// The "Select objects: " prompt shared by commands that act on a selection.
#pragma once

#include <optional>
#include <vector>

#include "cmd/commandline.h"
#include "host/prompts.h"
#include "select/filter.h"

namespace cadhost::cmd {

// Parses "x,y" or "x,y,z"; nullopt when the text is not a point.
std::optional<Point> parse_point(const std::string& text);

// Reads selections until an empty answer: ALL, L(ast), P(revious),
// W(indow) and C(rossing) with two corners, or a point (what passes
// through it). The set becomes the previous selection. nullopt on cancel.
std::optional<std::vector<EntityRef>> select_objects(CommandLine& cl);

// What ssget selects for a mode: "X" everything, "W"/"C" a window of two
// points, "L" the last entity, "P" the previous selection, "" with one point what passes through it,
// "" without points the "Select objects: " prompt. Filtered; in drawing
// order. Mode unknown or points missing: an error; cancelled: nullopt value.
using host::SelectionResult;
// cl answers the prompt; without one the prompt mode is an error.
SelectionResult select_by_mode(host::Session& s, CommandLine* cl, std::string mode, const std::vector<Point>& points,
                               const select::Filter* filter);

using host::InitGet;
using host::Pick;

// One entity picked at a point, as entsel does it.
// Asks for a point (or takes an entity given by an application) and picks
// the last-drawn entity passing within the pick box around it.
Pick pick_entity(CommandLine& cl, const std::string& prompt, const InitGet& init);

}  // namespace cadhost::cmd
