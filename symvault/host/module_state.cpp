// Storage of the module-wide state.
#include "host/module_state.h"

#include <memory>

namespace symvault {

namespace {

std::unique_ptr<ModuleState>& slot() {
    static std::unique_ptr<ModuleState> s;
    return s;
}

}  // namespace

ModuleState& sv() {
    if (!slot()) reset_module_state();
    return *slot();
}

void reset_module_state() { slot() = std::make_unique<ModuleState>(); }

}  // namespace symvault
