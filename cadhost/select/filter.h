// Selection filter lists: group tests with wildcards and relational
// operators, combined by -4 "<AND" "<OR" "<NOT" "<XOR" groupings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <memory>
#include <vector>

#include "core/result.h"
#include "core/value.h"

namespace cadhost::select {

// What a filter can say before an entity is read in full.
enum class Verdict { No, Yes, Open };

class Filter {
public:
    // Builds a filter; malformed groupings and operators are errors.
    static Result<Filter> compile(const GroupList& filter);
    bool matches(const GroupList& entity) const;
    // The answer from the entity's type and layer alone (layer absent when
    // not known), or Open when other groups decide.
    Verdict pre_match(std::string_view type, std::optional<std::string_view> layer) const;
    // Whether any test looks at this group code (67 or 410 widen "X" to paper space).
    bool tests_code(int code) const;
    // The codes the tests look at, each once; false when a test is of
    // extended data by application.
    bool tested_codes(std::vector<int>& codes) const;

    struct Node;
    Filter();
    ~Filter();
    Filter(Filter&&) noexcept;
    Filter& operator=(Filter&&) noexcept;

private:
    std::unique_ptr<Node> m_root;
};

}  // namespace cadhost::select
