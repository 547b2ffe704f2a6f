// The case-folded text index: keys sorted once, looked up by binary search.
#include "numbering/nocase_index.h"

#include <algorithm>
#include <cctype>
#include <numeric>

namespace wcraft {

bool NocaseIndex::make_key(std::string_view text, Key& key) {
    if (text.size() > kNocaseKeyChars) return false;
    std::fill(std::begin(key.text), std::end(key.text), '\0');
    for (size_t i = 0; i < text.size(); ++i)
        key.text[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[i])));
    return true;
}

void NocaseIndex::add(std::string_view text, uint32_t index) {
    Key key;
    if (!make_key(text, key)) return;
    m_keys.push_back(key);
    m_indexes.push_back(index);
}

void NocaseIndex::finish() {
    // Sorted by key, then by index; indexes were added ascending, so a
    // stable sort by key keeps each key's indexes in list order.
    std::vector<uint32_t> order(m_keys.size());
    std::iota(order.begin(), order.end(), 0u);
    std::stable_sort(order.begin(), order.end(), [this](uint32_t a, uint32_t b) { return m_keys[a] < m_keys[b]; });
    std::vector<Key> keys(order.size());
    std::vector<uint32_t> indexes(order.size());
    for (size_t i = 0; i < order.size(); ++i) {
        keys[i] = m_keys[order[i]];
        indexes[i] = m_indexes[order[i]];
    }
    m_keys.swap(keys);
    m_indexes.swap(indexes);
}

NocaseIndex::Indexes NocaseIndex::find(std::string_view text) const {
    Key key;
    if (!make_key(text, key)) return {};
    auto [lo, hi] = std::equal_range(m_keys.begin(), m_keys.end(), key);
    return Indexes(m_indexes.data() + (lo - m_keys.begin()), static_cast<size_t>(hi - lo));
}

NocaseIndex::Indexes NocaseIndex::after(std::string_view text, uint32_t index) const {
    Indexes all = find(text);
    auto past = std::upper_bound(all.begin(), all.end(), index);
    return all.subspan(static_cast<size_t>(past - all.begin()));
}

}  // namespace wcraft
