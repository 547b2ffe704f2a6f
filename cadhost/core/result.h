// Errors as values: a Result<T> holds either a T or an Error with a message
// and, for parsers, the file and line where it arose.
#pragma once

#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace cadhost {

struct Error {
    Error() = default;
    Error(std::string m, std::string f = {}, long l = 0) : message(std::move(m)), file(std::move(f)), line(l) {}
    std::string message;
    std::string file;  // empty when not about a file
    long line = 0;     // 1-based; 0 when not known
    std::string what() const {
        if (file.empty()) return message;
        if (line == 0) return file + ": " + message;
        return file + ":" + std::to_string(line) + ": " + message;
    }
};

template <typename T>
class [[nodiscard]] Result {
public:
    Result(T value) : m_v(std::move(value)) {}
    Result(Error e) : m_v(std::move(e)) {}
    bool ok() const { return m_v.index() == 0; }
    explicit operator bool() const { return ok(); }
    T& value() { return std::get<0>(m_v); }
    const T& value() const { return std::get<0>(m_v); }
    T& operator*() { return value(); }
    T* operator->() { return &value(); }
    const Error& error() const { return std::get<1>(m_v); }
    T release() { return std::move(std::get<0>(m_v)); }

private:
    std::variant<T, Error> m_v;
};

struct Unit {};
using Status = Result<Unit>;
inline Status ok_status() { return Unit{}; }

}  // namespace cadhost

// Propagates an error from an expression yielding a Result.
#define CH_TRY(expr)                                        \
    ({                                                      \
        auto _r = (expr);                                   \
        if (!_r.ok()) return ::cadhost::Error(_r.error());  \
        std::move(_r.value());                              \
    })
