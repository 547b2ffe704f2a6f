// Every C entry point runs its body through guarded(): exceptions never
// cross into applications, and calls without a session fail cleanly.
#pragma once

#include <exception>

#include "ads.h"
#include "host/session.h"

namespace cadhost::ads {

template <typename F>
auto guarded(F&& body, decltype(body(std::declval<host::Session&>())) on_error) noexcept {
    host::Session* s = host::Session::current();
    if (!s) return on_error;
    try {
        return body(*s);
    } catch (...) {
        return on_error;
    }
}

// Sets ERRNO the way the host reports failed calls to applications.
void set_errno(host::Session& s, int code);

}  // namespace cadhost::ads
