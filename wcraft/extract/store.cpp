// The store's lists, their reset and their size.
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

template <typename T>
size_t held(const std::vector<T>& v) {
    return v.capacity() * sizeof(T);
}

size_t held_components(const std::vector<Component>& list) {
    size_t n = held(list);
    for (const Component& c : list) n += held(c.ids) + held(c.xdata);
    return n;
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
}

void Store::compact() {
    for (auto& w : wires) w.shrink_to_fit();
    for (auto& z : zones) z.shrink_to_fit();
    links.shrink_to_fit();
    relay_marks.shrink_to_fit();
    grid.shrink_to_fit();
    for (auto* list : {&components, &terminals, &coils, &contacts, &unlisted}) {
        list->shrink_to_fit();
        for (Component& c : *list) c.ids.shrink_to_fit();
    }
}

size_t Store::bytes() const {
    size_t n = 0;
    for (const auto& w : wires) n += held(w);
    for (const auto& p : nodes) n += held(p);
    for (const auto& r : wire_runs) n += held(r);
    for (const auto& o : node_order) n += held(o);
    for (const auto& z : zones) n += held(z);
    n += held(links) + held(phantoms) + held(relay_marks) + held(grid);
    for (const auto* list : {&components, &terminals, &coils, &contacts, &unlisted}) n += held_components(*list);
    return n;
}

Store& store() {
    static Store s;
    return s;
}

}  // namespace wcraft
