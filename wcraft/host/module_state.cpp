// Storage of the module-wide state.
#include "host/module_state.h"

#include <memory>

namespace wcraft {

namespace {

std::unique_ptr<ModuleState>& slot() {
    static std::unique_ptr<ModuleState> s;
    return s;
}

}  // namespace

ModuleState& wcr() {
    if (!slot()) reset_module_state();
    return *slot();
}

void reset_module_state() {
    slot() = std::make_unique<ModuleState>();
    ModuleState& s = *slot();
    fill_defaults(s.config);
    s.install_dir = kInitialInstallDir;
    s.shell.remembered = "?";
    s.sheet_text = "000";
}

}  // namespace wcraft
