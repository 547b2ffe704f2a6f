// A host session for tests of the C interface: output captured, drawings
// opened from files or inline DXF text, a scratch folder per test.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "ads.h"
#include "host/session.h"

namespace cadhost::test {

class HostTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Opens a drawing file; fails the test when it cannot be read.
    void open(const std::string& path);
    // The bundled demo drawing.
    void open_demo();
    std::string demo_path() const;
    // Paths of the shared sample drawings, empty when they are absent.
    static std::vector<std::string> samples();
    std::filesystem::path scratch() const { return m_dir; }
    // Entity names in walk order from the first entity.
    std::vector<std::array<long, 2>> walk();
    std::string type_of(const ads_name e);
    // Runs ezdxf's audit on a file; -1 when ezdxf is not available.
    static int ezdxf_audit_errors(const std::string& path);

    std::unique_ptr<host::Session> session;
    std::string out;

private:
    std::filesystem::path m_dir;
};

// The string value of group `code` in a resbuf chain, or "" when absent.
std::string rb_string(const struct resbuf* rb, int code);
const struct resbuf* rb_find(const struct resbuf* rb, int code);

}  // namespace cadhost::test
