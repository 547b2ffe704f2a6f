// What a fuzz target does when an input breaks a property it checks: report
// and abort, so that libFuzzer saves the input and the replay test fails.
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace fuzz {

[[noreturn]] inline void finding(const char* target, const char* what, const std::string& detail = "") {
    std::fprintf(stderr, "%s: %s\n%s\n", target, what, detail.c_str());
    std::abort();
}

// Lines of a text as a line reader would give them: split at LF, a CR
// before it dropped; a last line without LF still counts.
template <typename Out>
void split_lines(const std::string& text, Out&& out) {
    size_t start = 0;
    while (start < text.size()) {
        size_t nl = text.find('\n', start);
        size_t end = nl == std::string::npos ? text.size() : nl;
        size_t stop = end > start && text[end - 1] == '\r' ? end - 1 : end;
        out(text.substr(start, stop - start));
        if (nl == std::string::npos) break;
        start = nl + 1;
    }
}

}  // namespace fuzz
