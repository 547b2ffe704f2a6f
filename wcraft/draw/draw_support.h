// What the drawing commands share: host variables saved and put back,
// command echo off, host commands finished by the user, and paths in the
// install directory.
#pragma once

#include <string>

#include "host/host_api.h"

namespace wcraft {

// A system variable's value read when made; restore() sets it back. A
// variable that could not be read is left alone.
class SavedVar {
public:
    explicit SavedVar(const char* name);
    ~SavedVar();
    SavedVar(const SavedVar&) = delete;
    SavedVar& operator=(const SavedVar&) = delete;
    void restore();

private:
    const char* m_name;
    struct resbuf m_value {};
    bool m_read = false;
};

// CMDECHO 0 while drawing work runs (not restored afterwards).
void echo_off();
// Sets a short system variable.
void set_short_var(const char* name, int value);

// A host command that asks more than its caller answered (an INSERT asking
// for attribute values) is left waiting. The user's answers are handed to it
// here until it ends, so that nothing the caller does next (restoring the
// current layer, the shell's next prompt) comes before the command is done.
void finish_with_user_answers();

// install directory + name
std::string install_path(const char* name);

// "_.LAYER", "_M", layer, "" : make the layer and make it current.
void make_layer_current(const char* layer);

}  // namespace wcraft
