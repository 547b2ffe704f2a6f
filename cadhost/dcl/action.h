// The text form of dialog actions shared by the scripted and terminal
// drivers (one action a line), and a text picture of a dialog.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "dcl/dialog.h"

namespace cadhost::dcl {

enum class ActionKind { Set, Press, Select, DoubleClick, Ok, Cancel, Svg, Show, Help, End, Nothing };

struct Action {
    ActionKind kind = ActionKind::Nothing;
    std::string key;
    std::string value;      // Set: the value; Svg: the file
    std::vector<int> rows;  // Select / DoubleClick on a list
    long x = 0, y = 0;      // Press / DoubleClick on an image button
};

// Blank lines and lines starting with ';' or '#' are Nothing.
Result<Action> parse_action(const std::string& line);
// Performs the action; Show and Help write to `out`, Svg writes its file.
Status apply_action(Dialog& d, const Action& a, std::ostream& out);
// Label, then the tiles in layout order with keys, values, rows and state.
std::string describe(const Dialog& d);
Status write_svg(const Dialog& d, const std::string& file, const std::string& key);

}  // namespace cadhost::dcl
