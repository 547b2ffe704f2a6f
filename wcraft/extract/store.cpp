// The store's lists and their reset.
#include "extract/store.h"

#include <cstring>

namespace wcraft {

void bounded_copy(TextRef dest, std::string_view source, int limit) {
    size_t n = limit < 2 ? 0 : static_cast<size_t>(limit - 1);
    if (n > source.size()) n = source.size();
    if (n > dest.capacity) n = dest.capacity;
    memcpy(dest.buf, source.data(), n);
    dest.buf[n] = '\0';
}

namespace {

template <typename T>
void release(std::vector<T>& v) {
    std::vector<T>().swap(v);
}

}  // namespace

void Store::reset() {
    for (auto& w : wires) release(w);
    for (auto& n : nodes) release(n);
    for (auto& z : zones) release(z);
    release(links);
    release(phantoms);
    release(relay_marks);
    release(grid);
    release(components);
    release(terminals);
    release(coils);
    release(contacts);
    release(unlisted);
    grid_orientation = GRID_UNDEFINED;
    for (auto& m : wire_marks) m = OrderMark{};
    for (auto& r : wire_runs) release(r);
    for (auto& n : wire_runs_for) n = 0;
    for (auto& o : node_order) release(o);
    for (auto& n : node_order_for) n = 0;
    for (auto* m : {&components_mark, &terminals_mark, &coils_mark, &contacts_mark, &unlisted_mark}) *m = OrderMark{};
    ++generation;
}

Store& store() {
    static Store s;
    return s;
}

}  // namespace wcraft
