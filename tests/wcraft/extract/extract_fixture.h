// An in-process host session for extraction tests: the module state and
// store reset, a drawing opened from DXF text built by the helpers below,
// the run-time event log in memory and the command line captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "host/session.h"

namespace wcraft::test {

// An attribute of a block insertion; `justify` non-zero makes it centred,
// placed at its alignment point (ax, ay).
struct Att {
    std::string tag, value;
    double x = 0, y = 0;
    int justify = 0;
    double ax = 0, ay = 0;
    double height = 2.5, rotation = 0;
};

// Entities of an ENTITIES section, as DXF text.
std::string line(const std::string& layer, double x1, double y1, double x2, double y2);
std::string insert(const std::string& block, const std::string& layer, double x, double y,
                   const std::vector<Att>& atts, const std::string& handle = "");
std::string text(const std::string& layer, double x, double y, const std::string& value, int justify = 0,
                 double ax = 0, double ay = 0);
std::string polyline(const std::string& layer, int flags, const std::vector<std::pair<double, double>>& pts);
std::string lwpolyline(const std::string& layer, int flags, const std::vector<std::pair<double, double>>& pts);

class ExtractTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens a drawing holding these entities (and, for each block name
    // used, a plain definition) as sheet `sheet`.
    void open_sheet(const std::string& entities, short sheet = 1);
    // The log written so far.
    std::string log_text();
    // Sets the wire types: pairs of name and layer, then the list end.
    void set_wires(const std::vector<std::pair<std::string, std::string>>& types);
    void set_zones(const std::vector<std::pair<std::string, std::string>>& zones);

    std::unique_ptr<cadhost::host::Session> session;
    std::string out;  // command line
    FILE* log = nullptr;

private:
    std::filesystem::path m_dir;
    char* m_log_buf = nullptr;
    size_t m_log_len = 0;
    int m_drawings = 0;
};

}  // namespace wcraft::test
