// Tile kinds and building tile trees from definitions.
#include "dcl/tile.h"

#include <cstdlib>

#include "dcl/messages.h"

namespace cadhost::dcl {

namespace {

struct KindName {
    const char* name;
    TileKind kind;
};

const KindName kKinds[] = {
    {"dialog", TileKind::Dialog},
    {"button", TileKind::Button},
    {"edit_box", TileKind::EditBox},
    {"list_box", TileKind::ListBox},
    {"popup_list", TileKind::PopupList},
    {"toggle", TileKind::Toggle},
    {"radio_button", TileKind::RadioButton},
    {"radio_row", TileKind::RadioRow},
    {"radio_column", TileKind::RadioColumn},
    {"boxed_radio_row", TileKind::BoxedRadioRow},
    {"boxed_radio_column", TileKind::BoxedRadioColumn},
    {"row", TileKind::Row},
    {"column", TileKind::Column},
    {"boxed_row", TileKind::BoxedRow},
    {"boxed_column", TileKind::BoxedColumn},
    {"text", TileKind::Text},
    {"image", TileKind::Image},
    {"image_button", TileKind::ImageButton},
    {"spacer", TileKind::Spacer},
    {"slider", TileKind::Slider},
    {"concatenation", TileKind::Concatenation},
    {"paragraph", TileKind::Paragraph},
    {"text_part", TileKind::TextPart},
};

constexpr int kMaxDepth = 64;  // inheritance chains and nesting beyond this are loops
constexpr size_t kMaxTiles = 20000;  // definitions that multiply out beyond this are refused

struct Resolved {
    TileKind kind = TileKind::Spacer;
    std::map<std::string, AttrValue> attrs;
    std::vector<const TileDef*> children;
};

Status resolve(const TileDef& def, const DefLookup& lookup, int depth, Resolved& out) {
    if (depth > kMaxDepth) return Error{text(Msg::InheritanceLoop), def.file, def.line};
    if (auto k = builtin_kind(def.base)) {
        out.kind = *k;
    } else {
        const TileDef* base = lookup ? lookup(def.base) : nullptr;
        if (!base) return Error{text(Msg::UnknownTile, def.base), def.file, def.line};
        CH_TRY(resolve(*base, lookup, depth + 1, out));
    }
    for (const auto& [name, v] : def.attrs) out.attrs[name] = v;
    for (const TileDef& c : def.children) out.children.push_back(&c);
    return ok_status();
}

Result<std::unique_ptr<Tile>> build(const TileDef& def, const DefLookup& lookup, int depth, size_t& count) {
    if (depth > kMaxDepth) return Error{text(Msg::InheritanceLoop), def.file, def.line};
    if (++count > kMaxTiles) return Error{text(Msg::TooManyTiles), def.file, def.line};
    Resolved r;
    CH_TRY(resolve(def, lookup, 0, r));
    auto tile = std::make_unique<Tile>();
    tile->kind = r.kind;
    tile->type_name = def.base;
    tile->attrs = std::move(r.attrs);
    for (const TileDef* c : r.children) {
        auto child = CH_TRY(build(*c, lookup, depth + 1, count));
        child->parent = tile.get();
        tile->children.push_back(std::move(child));
    }
    return tile;
}

}  // namespace

std::optional<TileKind> builtin_kind(const std::string& type_name) {
    for (const auto& k : kKinds)
        if (type_name == k.name) return k.kind;
    return std::nullopt;
}

const char* kind_name(TileKind kind) {
    for (const auto& k : kKinds)
        if (k.kind == kind) return k.name;
    return "?";
}

std::string Tile::attr(const std::string& name, const std::string& fallback) const {
    auto it = attrs.find(name);
    return it == attrs.end() ? fallback : it->second.text;
}

double Tile::attr_number(const std::string& name, double fallback) const {
    auto it = attrs.find(name);
    if (it == attrs.end()) return fallback;
    char* end = nullptr;
    double d = std::strtod(it->second.text.c_str(), &end);
    return end && *end == '\0' && end != it->second.text.c_str() ? d : fallback;
}

bool Tile::is_radio_group() const {
    return kind == TileKind::RadioRow || kind == TileKind::RadioColumn || kind == TileKind::BoxedRadioRow ||
           kind == TileKind::BoxedRadioColumn;
}

bool Tile::usable() const {
    for (const Tile* t = this; t; t = t->parent)
        if (!t->enabled) return false;
    return true;
}

Result<std::unique_ptr<Tile>> instantiate(const TileDef& def, const DefLookup& lookup) {
    size_t count = 0;
    return build(def, lookup, 0, count);
}

}  // namespace cadhost::dcl
