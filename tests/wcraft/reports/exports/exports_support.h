// Helpers of the report tests: the host calls answered in memory (command
// line, the list a function returns) with report files in a scratch
// folder, a log held in memory, and a fixture that starts each test from a
// fresh module state and an empty store.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "extract/store.h"
#include "memory_log.h"

namespace wcraft::test {

struct StandInHost {
    std::filesystem::path folder;     // rt_fopen opens files here, by their last path part
    std::string command_line;         // what ads_printf printed
    std::vector<std::string> opened;  // every path given to rt_fopen, in order
    std::set<std::string> refused;    // last path parts rt_fopen cannot open
    bool buildlist_fails = false;
    // What the function call handed back: nil, or the strings of a list.
    bool returned_nil = false;
    bool returned_list = false;
    std::vector<std::string> list;
};
StandInHost& host();

class ExportTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // The report file with this extension as written; "<missing>" when
    // there is none.
    std::string report(const char* ext) const;
    bool report_exists(const char* ext) const;

    MemoryLog log;
};

// Small builders for the records the tests put in the store.
WireSegment segment(int16_t sheet, XY start, XY end, int32_t number);
Component block(int16_t sheet, XY point, const char* ref);

}  // namespace wcraft::test
