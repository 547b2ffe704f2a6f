// Runs the cadhost executable in a scratch folder for end-to-end tests.
#pragma once

#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "command_output.h"
#include "scratch.h"

namespace cadhost::test {

struct RunResult {
    int status = -1;
    std::string out;
};

class HostRun : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = std::filesystem::temp_directory_path() / ("cadhost-run-" + std::to_string(getpid())) /
              (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(dir);
        std::filesystem::create_directories(dir);
        std::filesystem::copy_file(std::string(CH_SOURCE_DIR) + "/support/samples/demo.dxf", dir / "IN.DXF");
    }
    void TearDown() override {
        std::filesystem::permissions(dir, std::filesystem::perms::owner_all, std::filesystem::perm_options::add);
        test_tools::remove_scratch(dir);
    }
    // Runs cadhost in the scratch folder with the input on standard input.
    RunResult run(const std::string& input, const std::string& args) {
        std::ofstream(dir / "input.txt") << input;
        std::string cmd = "cd '" + dir.string() + "' && '" CH_CADHOST "' --drive C='" + dir.string() + "' " + args +
                          " < input.txt 2>&1";
        test_tools::CommandOutput o = test_tools::command_output(cmd);
        return RunResult{o.status, std::move(o.out)};
    }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / name) << text; }
    std::string slurp(const std::string& name) const {
        std::ifstream f(dir / name, std::ios::binary);
        std::stringstream ss;
        ss << f.rdbuf();
        return ss.str();
    }
    // Number of times `what` occurs in `text`.
    static size_t count(const std::string& text, const std::string& what) {
        size_t n = 0;
        for (size_t p = text.find(what); p != std::string::npos; p = text.find(what, p + what.size())) ++n;
        return n;
    }
    std::filesystem::path dir;
};

}  // namespace cadhost::test
