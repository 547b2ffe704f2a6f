// The module on the stand-in host with every dialog file of the install
// directory, and the actions a person takes in the configuration dialogs.
#pragma once

#include "module_fixture.h"

#include <string>
#include <vector>

#include "adsdlg.h"
#include "dialogs/dialog_tools.h"

namespace wcraft::test {

class ConfigDialogTest : public ModuleTest {
protected:
    void SetUp() override {
        ModuleTest::SetUp();
        from_config() = 0;
        for (const auto& f : std::filesystem::directory_iterator(std::string(CH_SOURCE_DIR) + "/support/wcraft"))
            if (f.path().extension() == ".dcl" && !std::filesystem::exists(install / lower(f.path().filename())))
                std::filesystem::copy_file(f.path(), install / lower(f.path().filename()));
    }
    // Runs CONFIG `keyword`, one handler per dialog it opens; returns the output.
    std::string config_dialog(const char* keyword, std::initializer_list<DialogHandler> handlers) {
        for (const DialogHandler& h : handlers) on_dialog(h);
        return call(1, {"CONFIG", keyword});
    }
    // A double click on a list row, which the stand-in's actions lack.
    static void dclick(FakeDialog& d, const std::string& key, int row) {
        std::string v = std::to_string(row);
        d.tiles[key] = v;
        ads_callback_packet p{&d, nullptr, v.data(), nullptr, CBR_DOUBLE_CLICK, 0, 0};
        d.actions.at(key)(&p);
    }
    static bool disabled(FakeDialog& d, const std::string& key) { return d.modes[key] == MODE_DISABLE; }
    static bool has(const std::string& out, const std::string& text) { return out.find(text) != std::string::npos; }
};

}  // namespace wcraft::test
