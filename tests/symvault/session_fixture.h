// The module installed in a scratch drive folder and the host executable
// run on a copy of the demo drawing, with the input on standard input.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "../tools/command_output.h"
#include "../tools/scratch.h"

namespace fs = std::filesystem;

class SymvaultSession : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("symvault-host-" + std::to_string(getpid())) / info->name();
        fs::remove_all(dir);
        fs::create_directories(dir);
        std::string cmd = "'" CH_SOURCE_DIR "/support/symvault/install.sh' '" + dir.string() + "' '" CH_BINARY_DIR
                          "' > /dev/null";
        ASSERT_EQ(system(cmd.c_str()), 0);
        fs::copy_file(std::string(CH_SOURCE_DIR) + "/support/samples/demo.dxf", dir / "A.DXF");
        library = dir / "SYMVAULT" / "LIBRARY";
    }
    void TearDown() override { test_tools::remove_scratch(dir); }

    // Runs the host on A.DXF with `input` on stdin, `env` before it and
    // `args` after the support folders.
    std::string run(const std::string& input, const std::string& env = "", const std::string& args = "") {
        std::ofstream(dir / "input.txt") << input;
        std::string cmd = "cd '" + dir.string() + "' && " + env + " '" CH_CADHOST "' --drive C='" + dir.string() +
                          "' --support '" + (dir / "SYMVAULT").string() + "' --support '" CH_SOURCE_DIR
                          "/support/dcl' " + args + " A.DXF < input.txt 2>&1";
        return test_tools::command_output(cmd).out;
    }
    static std::string slurp(const fs::path& p) {
        std::ifstream f(p, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    static size_t count(const std::string& hay, const std::string& needle) {
        size_t n = 0;
        for (size_t p = hay.find(needle); p != std::string::npos; p = hay.find(needle, p + 1)) ++n;
        return n;
    }
    // The lines of the last "show" of a dialog in the output.
    static std::string last_show(const std::string& out) {
        size_t at = out.rfind("Dialog \"");
        return at == std::string::npos ? "" : out.substr(at, out.find("\nCommand:", at) - at);
    }
    // The output from the first or the last place `what` appears; "" when
    // it never does.
    static std::string from_first(const std::string& out, const std::string& what) {
        size_t at = out.find(what);
        return at == std::string::npos ? "" : out.substr(at);
    }
    static std::string from_last(const std::string& out, const std::string& what) {
        size_t at = out.rfind(what);
        return at == std::string::npos ? "" : out.substr(at);
    }
    // Icons with a slide drawn over their black fill.
    static int icons_drawn(const std::string& shown) {
        std::regex tile(R"(image_button \[symbol\d+\] \((\d+) drawn\))");
        int n = 0;
        for (std::sregex_iterator it(shown.begin(), shown.end(), tile), end; it != end; ++it)
            if (std::stoi((*it)[1]) > 1) ++n;
        return n;
    }
    static int tiles(const std::string& shown) { return static_cast<int>(count(shown, "image_button [symbol")); }
    fs::path dir, library;
};

