// Every C entry point runs its body through guarded(): exceptions never
// cross into applications, and calls without a session fail cleanly.
#pragma once

#include <exception>
#include <string>

#include "ads.h"
#include "host/session.h"

namespace cadhost::ads {

// Says on the command line that a call failed on an exception; the call's
// error result stands even when the message itself cannot be printed.
inline void report_failed_call(host::Session& s, const char* why) noexcept {
    try {
        s.print(std::string("Application call failed: ") + why + "\n");
    } catch (...) {
        return;  // nothing left to tell it with
    }
}

template <typename F>
auto guarded(F&& body, decltype(body(std::declval<host::Session&>())) on_error) noexcept {
    host::Session* s = host::Session::current();
    if (!s) return on_error;
    try {
        return body(*s);
    } catch (const std::exception& e) {
        report_failed_call(*s, e.what());
    } catch (...) {
        report_failed_call(*s, "an exception of unknown type");
    }
    return on_error;
}

// Sets ERRNO the way the host reports failed calls to applications.
void set_errno(host::Session& s, int code);

}  // namespace cadhost::ads
