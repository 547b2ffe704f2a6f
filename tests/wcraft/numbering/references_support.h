// Helpers of the component, terminal and relay tests: the records those
// operations change copied out of the store, a description of the first
// difference, and a generator of projects with odd names and references.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "extract/store.h"

namespace wcraft::test {

struct RecordOutcome {
    std::vector<Component> components, terminals, coils, contacts;
    std::string log;
    std::string command_line;  // without the progress characters
};
RecordOutcome take_records(const std::string& log);
// Empty when equal, else a description of the first difference.
std::string first_record_difference(const RecordOutcome& expected, const RecordOutcome& actual);
// The command line without the turning progress characters.
std::string without_progress(const std::string& text);

struct RelayShape {
    int coils = 12;       // up to this many coils
    int contacts = 30;    // up to this many contacts
    int components = 20;  // up to this many components, and as many terminals
    int tags = 6;         // how many of the relay tag pool to draw from (at least 1)
};
// A fresh module state and store holding random coils, contacts,
// components, terminals and numbering definitions.
void generate_references_project(uint32_t seed, const RelayShape& shape);

}  // namespace wcraft::test
