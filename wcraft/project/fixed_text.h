// Fixed-capacity text fields of the configuration: a NUL-terminated buffer
// one byte longer than the capacity; every store cuts longer values.
#pragma once

#include <cstddef>
#include <cstring>
#include <string_view>

namespace wcraft {

// A view of any fixed text field, for code that handles fields generically.
struct TextRef {
    char* buf;
    size_t capacity;
    void set(std::string_view s) const {
        size_t n = s.size() < capacity ? s.size() : capacity;
        memcpy(buf, s.data(), n);
        buf[n] = '\0';
    }
};

template <size_t N>
struct FixedText {
    static constexpr size_t capacity = N;
    char buf[N + 1] = {};

    void set(std::string_view s) { ref().set(s); }
    FixedText& operator=(std::string_view s) {
        set(s);
        return *this;
    }
    const char* c_str() const { return buf; }
    std::string_view view() const { return buf; }
    bool operator==(std::string_view s) const { return view() == s; }
    bool empty() const { return buf[0] == '\0'; }
    TextRef ref() { return TextRef{buf, N}; }
};

}  // namespace wcraft
