// The parsed form of a DCL file: named tile definitions, each with a base
// (a built-in tile type or another definition), attributes and children.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace cadhost::dcl {

enum class ValueKind { String, Number, Name };  // "text", 12.5, true / left

struct AttrValue {
    ValueKind kind = ValueKind::String;
    std::string text;
    bool operator==(const AttrValue&) const = default;
};

using AttrList = std::vector<std::pair<std::string, AttrValue>>;

struct TileDef {
    std::string name;  // empty for a tile written inside another
    std::string base;  // built-in type or the definition it inherits from
    AttrList attrs;
    std::vector<TileDef> children;
    std::string file;
    long line = 0;
};

struct DclFile {
    std::string name;
    std::vector<std::string> includes;  // in the order written
    std::vector<TileDef> defs;
    const TileDef* find(const std::string& def_name) const;
};

}  // namespace cadhost::dcl
