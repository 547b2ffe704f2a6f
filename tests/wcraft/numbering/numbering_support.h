// Helpers of the wire numbering tests: the command line and the log caught
// in memory, a copy of everything numbering may change, and a generator of
// random projects filled straight into the store.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "extract/store.h"
#include "memory_log.h"

namespace wcraft::test {

// What ads_printf printed since the last clear.
std::string& command_line();

// Every field numbering reads or writes, copied out of the store.
struct Outcome {
    std::vector<WireSegment> wires[kMaxWires];
    std::vector<NodePoint> nodes[kMaxWires];
    std::vector<WireLink> links, phantoms;
    std::string log;
};
Outcome take_outcome(const std::string& log);
// Empty when equal, else a description of the first difference.
std::string first_difference(const Outcome& expected, const Outcome& actual);

struct ProjectShape {
    int sheets = 3;       // sheets 1..N, with the odd sheet 0 or repeat
    int per_sheet = 12;   // segments per sheet and wire type
    int grid = 6;         // coordinates 0..grid
    int types = 3;        // wire types, up to 4
    bool dirty = false;   // segments come in with non-zero working fields
};
// A fresh module state and store holding a random project.
void generate_project(uint32_t seed, const ProjectShape& shape);

}  // namespace wcraft::test
