// Shared setup for the dialog tests: a fresh engine, DCL files from a map
// plus the real base file, and the dialog with every tile kind.
#pragma once

#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "dcl/engine.h"

namespace dcltest {

inline std::string read_text(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    std::ostringstream s;
    s << f.rdbuf();
    return s.str();
}

inline const char* kEveryTile = R"(
every : dialog {
    label = "Every tile";
    : boxed_column {
        label = "Data";
        : edit_box { key = "name"; label = "Name:"; edit_limit = 8; }
        : list_box { key = "items"; list = "one\ntwo\nthree"; }
        : list_box { key = "multi"; multiple_select = true; }
        : popup_list { key = "kind"; }
        : toggle { key = "flag"; label = "Flag"; }
        : slider { key = "level"; min_value = 0; max_value = 10; value = "5"; }
    }
    : boxed_radio_row {
        key = "mode"; label = "Mode";
        : radio_button { key = "m1"; label = "One"; value = "1"; }
        : radio_button { key = "m2"; label = "Two"; }
        : radio_button { key = "m3"; label = "Three"; }
    }
    : radio_row { key = "rr"; : radio_button { key = "r1"; } : radio_button { key = "r2"; } }
    : radio_column { key = "side"; value = "right"; : radio_button { key = "left"; } : radio_button { key = "right"; } }
    : boxed_radio_column { key = "bc"; : radio_button { key = "b1"; } }
    : row {
        : image { key = "pic"; width = 10; height = 4; }
        : image_button { key = "icon"; width = 6; aspect_ratio = 1; }
    }
    : column {
        : boxed_row { label = "Info"; : text { key = "msg"; label = "hello"; } spacer; : button { key = "more"; label = "More..."; } }
    }
    : concatenation { : text_part { label = "a"; } }
    : paragraph { : text_part { label = "b"; } }
    spacer_1;
    ok_cancel_help_errtile;
}

child : dialog {
    label = "Child";
    : edit_box { key = "val"; }
    ok_cancel;
}

plain : dialog { : text { key = "t"; label = "x"; } ok_only; }
)";

class DialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        cadhost::dcl::DialogEngine::reset_instance();
        m_files["base.dcl"] = read_text(std::string(CH_SOURCE_DIR) + "/support/dcl/base.dcl");
        m_files["every.dcl"] = kEveryTile;
        engine().set_dcl_resolver([this](const std::string& n) -> cadhost::Result<std::string> {
            auto it = m_files.find(n);
            if (it == m_files.end()) return cadhost::Error{"not found", n, 0};
            return it->second;
        });
        engine().set_output(&m_out);
    }
    void TearDown() override { cadhost::dcl::DialogEngine::reset_instance(); }
    cadhost::dcl::DialogEngine& engine() { return cadhost::dcl::DialogEngine::instance(); }

    std::map<std::string, std::string> m_files;
    std::ostringstream m_out;
};

}  // namespace dcltest
