// Helpers of the wire listing tests: a scratch drive for the report file,
// what a listing leaves behind (file, log, flags), and a generator of random
// projects with zones, wire types and groups filled straight into the store.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "extract/store.h"

namespace wcraft::test {

// A fresh module state, store and stand-in host whose drive is `drive`,
// with the install directory's PROCESS folder made when `with_process`.
void fresh_module(const std::filesystem::path& drive, bool with_process = true);
// Where the stand-in host keeps the listing file.
std::filesystem::path listing_path();

// has_connection, is_connected and visited of one ID point.
using Flags = std::array<int32_t, 3>;

struct Outcome {
    int result = 0;
    int error = 0;
    std::string report;       // the listing file, "" when none was made
    std::string log;          // what the listing wrote to the event log
    std::vector<Flags> flags;  // every ID point, in walk order
};
// Runs the fast listing, or the literal one, on the store as it stands.
Outcome run_listing(bool literal);
// Empty when equal, else a description of the first difference.
std::string first_difference(const Outcome& expected, const Outcome& actual);

// The schedules of a listing and their row counts.
struct Sections {
    size_t internal = 0, interzone = 0, external = 0;               // headings
    size_t internal_rows = 0, interzone_rows = 0, external_rows = 0;
    size_t unconnected = 0;                                           // unconnected lines
};
Sections sections_of(const std::string& report);

struct ListingShape {
    int sheets = 3;   // sheets 1..N
    int records = 5;  // records per sheet, at most
    int zones = 8;    // zone definitions, at most
    int types = 3;    // wire types, at most (up to 4)
    int groups = 4;   // groups per wire type
    int grid = 4;     // coordinates 0..grid
    int wires = 8;    // segments per sheet and wire type, at most
    bool dirty = false;  // ID points come in with flags set
};
// What the generator made that is worth counting.
struct GenerationNotes {
    size_t orphan_zones = 0, repeated_zones = 0, deep_levels = 0, ulp_misses = 0, negative_zeros = 0;
};
// A fresh module state and store (the host is left as it is) holding a
// random project.
GenerationNotes generate_listing_project(uint32_t seed, const ListingShape& shape);

// The zone order as a plain pre-order walk (the literal listing's).
std::vector<int> literal_zone_order();

}  // namespace wcraft::test
