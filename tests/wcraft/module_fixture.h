// A loaded module on the stand-in host: a scratch drive with the install
// directory and its dialog files, helpers to call functions and count.
#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "acrx.h"
#include "fake_host.h"
#include "host/entry.h"
#include "host/module_state.h"
#include "../tools/scratch.h"

namespace wcraft::test {

class ModuleTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        drive = std::filesystem::temp_directory_path() / ("wcraft-test-" + std::to_string(getpid())) /
                (std::string(info->test_suite_name()) + "." + info->name());
        std::filesystem::remove_all(drive);
        reset_fake(drive);
        install = fake().host_path(kInitialInstallDir);
        std::filesystem::create_directories(install / "project");
        for (const char* f : {"wcraft.dcl", "wcraftYN.dcl", "wcraftI.dcl"})
            std::filesystem::copy_file(std::string(CH_SOURCE_DIR) + "/support/wcraft/" + f,
                                       install / lower(f));
        acrxEntryPoint(kInitAppMsg, nullptr);
        acrxEntryPoint(kLoadDwgMsg, nullptr);
    }
    void TearDown() override {
        reset_fake(drive);
        test_tools::remove_scratch(drive);
    }
    static std::string lower(std::string s) {
        for (char& c : s) c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
        return s;
    }
    // Queues typed answers; "^C" is Escape.
    void type(std::initializer_list<const char*> words) {
        for (const char* w : words) {
            if (std::string(w) == "^C") fake().answers.push_back(std::nullopt);
            else fake().answers.push_back(std::string(w));
        }
    }
    void on_dialog(DialogHandler h) { fake().dialogs.push_back(std::move(h)); }
    // Runs function `code` as the host's invoke message does; returns what it printed.
    std::string call(int code, const std::vector<std::string>& args = {}) {
        fake().out.clear();
        fake().funcode = code;
        fake().args = args.empty() ? nullptr : make_args(args);
        acrxEntryPoint(kInvkSubrMsg, nullptr);
        return fake().out;
    }
    std::string wcraft_command(std::initializer_list<const char*> words) {
        type(words);
        return call(0);
    }
    std::filesystem::path project_file(const std::string& name, const char* ext = "prj") const {
        return install / "project" / (lower(name) + "." + ext);
    }
    static std::string slurp(const std::filesystem::path& p) {
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
    std::filesystem::path drive, install;
};

}  // namespace wcraft::test
