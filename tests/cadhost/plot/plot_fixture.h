// Small drawings for the plot tests, written as DXF tag pairs.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "db/drawing.h"
#include "plot/scene.h"

namespace cadhost::plot::test {

using Tags = std::vector<std::pair<int, std::string>>;

inline std::string tags(const Tags& t) {
    std::string s;
    for (auto& [code, value] : t) s += std::to_string(code) + "\n" + value + "\n";
    return s;
}

// A layer record: colour (negative: off), frozen flag, linetype.
inline std::string layer(const std::string& name, int colour, bool frozen = false, const std::string& ltype = "CONTINUOUS") {
    return tags({{0, "LAYER"}, {2, name}, {70, frozen ? "1" : "0"}, {62, std::to_string(colour)}, {6, ltype}});
}

inline std::string block(const std::string& name, double bx, double by, const std::string& body) {
    return tags({{0, "BLOCK"}, {8, "0"}, {2, name}, {70, "0"}, {10, std::to_string(bx)}, {20, std::to_string(by)},
                 {30, "0"}}) +
           body + tags({{0, "ENDBLK"}, {8, "0"}});
}

inline std::string line(double x1, double y1, double x2, double y2, const std::string& layer_name = "0", Tags extra = {}) {
    Tags t{{0, "LINE"}, {8, layer_name}};
    t.insert(t.end(), extra.begin(), extra.end());
    Tags p{{10, std::to_string(x1)}, {20, std::to_string(y1)}, {11, std::to_string(x2)}, {21, std::to_string(y2)}};
    t.insert(t.end(), p.begin(), p.end());
    return tags(t);
}

inline std::string dxf(const std::string& tables, const std::string& blocks, const std::string& entities,
                       const std::string& header = "") {
    std::string s;
    if (!header.empty()) s += tags({{0, "SECTION"}, {2, "HEADER"}}) + header + tags({{0, "ENDSEC"}});
    s += tags({{0, "SECTION"}, {2, "TABLES"}}) + tables + tags({{0, "ENDSEC"}});
    s += tags({{0, "SECTION"}, {2, "BLOCKS"}}) + blocks + tags({{0, "ENDSEC"}});
    s += tags({{0, "SECTION"}, {2, "ENTITIES"}}) + entities + tags({{0, "ENDSEC"}, {0, "EOF"}});
    return s;
}

inline std::string table(const std::string& name, const std::string& records) {
    return tags({{0, "TABLE"}, {2, name}, {70, "1"}}) + records + tags({{0, "ENDTAB"}});
}

inline Scene scene_of(const std::string& text) {
    auto d = db::Drawing::read_text(text, "test.dxf");
    EXPECT_TRUE(d) << d.error().what();
    if (!d) return {};
    return build_scene(**d);
}

template <typename T>
std::vector<const T*> items_of(const Scene& s) {
    std::vector<const T*> out;
    for (const Item& i : s.items)
        if (auto* p = std::get_if<T>(&i)) out.push_back(p);
    return out;
}

// Every character as wide as half its height: layouts easy to reckon.
inline double half_width(const std::string&, const std::string& text) { return 0.5 * static_cast<double>(text.size()); }

}  // namespace cadhost::plot::test
