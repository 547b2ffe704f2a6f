// The order in which a wire or group is built: repeated passes from its
// first segment to the end of the list, each pass taking the queued
// segments in list order. A segment queued behind the pass's position waits
// for the next pass; one queued ahead of it is taken in this pass.
#pragma once

#include <cstdint>
#include <functional>
#include <queue>
#include <vector>

namespace wcraft {

class WalkQueue {
public:
    // Begins a build at the starting segment, which is the first one taken.
    void start(int32_t first) {
        m_ahead = Heap{};
        m_behind = Heap{};
        m_pos = first - 1;
        m_ahead.push(first);
    }
    void push(int32_t seg) { (seg > m_pos ? m_ahead : m_behind).push(seg); }
    // The next segment the passes reach; false when a whole pass finds none.
    bool next(int32_t& seg) {
        if (m_ahead.empty()) {
            if (m_behind.empty()) return false;
            std::swap(m_ahead, m_behind);  // a new pass from the starting segment
        }
        seg = m_ahead.top();
        m_ahead.pop();
        m_pos = seg;
        return true;
    }

private:
    using Heap = std::priority_queue<int32_t, std::vector<int32_t>, std::greater<int32_t>>;
    Heap m_ahead, m_behind;
    int32_t m_pos = -1;
};

}  // namespace wcraft
