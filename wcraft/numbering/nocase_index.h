// An index of one list's records by a short text compared ignoring case, so
// that component numbering and relay correlation find the records a name,
// tag or reference matches without walking the whole list.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

namespace wcraft {

// The longest text an index key holds: every text indexed or looked up is a
// field of at most this many characters (REF, TAG, definition name).
inline constexpr size_t kNocaseKeyChars = 15;

// Invariant: find(t) gives, in ascending order, exactly the indexes i added
// with a text a for which same_text_nocase(a, t) holds (an empty text too:
// it equals an empty name). Keys
// are the texts with every character put through std::toupper, the very
// folding same_text_nocase compares with, so two texts share a key exactly
// when that function calls them equal.
class NocaseIndex {
public:
    using Indexes = std::span<const uint32_t>;

    // Adds record `index` under `text`, of at most kNocaseKeyChars (the
    // callers index fields no longer than that). Add in ascending index
    // order, then call finish once. May throw bad_alloc.
    void add(std::string_view text, uint32_t index);
    void finish();

    // The indexes whose text equals `text` ignoring case, ascending; none
    // for a text longer than a key.
    Indexes find(std::string_view text) const;
    // Those of them that are above `index`.
    Indexes after(std::string_view text, uint32_t index) const;

private:
    struct Key {
        char text[kNocaseKeyChars + 1];  // folded text, zero-padded: no text holds a zero
        auto operator<=>(const Key&) const = default;
    };
    static bool make_key(std::string_view text, Key& key);

    std::vector<Key> m_keys;         // ascending; beside m_indexes entry for entry
    std::vector<uint32_t> m_indexes;  // ascending within each key
};

}  // namespace wcraft
