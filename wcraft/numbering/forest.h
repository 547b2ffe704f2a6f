// Sets kept as a forest of parent links, a root being its own parent.
#pragma once

#include <cstdint>
#include <vector>

namespace wcraft {

// The root of `i`; every link on the way is pointed straight at it, so that
// later look-ups are short.
inline int32_t forest_root(std::vector<int32_t>& parent, int32_t i) {
    int32_t root = i;
    while (parent[root] != root) root = parent[root];
    while (parent[i] != root) {
        int32_t next = parent[i];
        parent[i] = root;
        i = next;
    }
    return root;
}

}  // namespace wcraft
