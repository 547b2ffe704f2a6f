// A tile of an open dialog: its built-in kind, its attributes after
// inheritance, its children in layout order, and its state while running.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "core/result.h"
#include "dcl/definition.h"
#include "slide/image.h"

namespace cadhost::dcl {

enum class TileKind {
    Dialog, Button, EditBox, ListBox, PopupList, Toggle, RadioButton, RadioRow, RadioColumn,
    BoxedRadioRow, BoxedRadioColumn, Row, Column, BoxedRow, BoxedColumn, Text, Image, ImageButton,
    Spacer, Slider, Concatenation, Paragraph, TextPart,
};

// The built-in kind named by a DCL type name, if it is one.
std::optional<TileKind> builtin_kind(const std::string& type_name);
const char* kind_name(TileKind k);

class Dialog;
class Tile;

// What a callback receives: the tile acted on, its value and the reason
// (1 selected, 2 edit box left, 3 slider dragged, 4 double click).
struct CallbackEvent {
    Dialog* dialog = nullptr;
    Tile* tile = nullptr;
    std::string value;
    void* client_data = nullptr;
    int reason = 1;
    long x = 0, y = 0;
};
using Callback = std::function<void(const CallbackEvent&)>;

class Tile {
public:
    TileKind kind = TileKind::Spacer;
    std::string type_name;  // the DCL name it was written as (e.g. "ok_button")
    std::map<std::string, AttrValue> attrs;
    std::vector<std::unique_ptr<Tile>> children;
    Tile* parent = nullptr;

    // Running state.
    std::string value;
    bool enabled = true;
    bool highlighted = false;   // flipped by the "flip" mode (image buttons)
    bool text_selected = false; // edit text selected by the "select" mode
    std::vector<std::string> list;
    slide::ImageOps image;
    void* client_data = nullptr;
    Callback action;

    std::string key() const { return attr("key"); }
    std::string attr(const std::string& name, const std::string& fallback = "") const;
    bool attr_true(const std::string& name) const { return attr(name) == "true"; }
    double attr_number(const std::string& name, double fallback) const;
    bool is_radio_group() const;
    bool is_list() const { return kind == TileKind::ListBox || kind == TileKind::PopupList; }
    bool is_image() const { return kind == TileKind::Image || kind == TileKind::ImageButton; }
    // Enabled here and in every enclosing tile.
    bool usable() const;
};

// Finds a definition by name for inheritance and references.
using DefLookup = std::function<const TileDef*(const std::string&)>;

// Builds the tile tree of a definition: the base chain's attributes are
// overridden by later ones, its children come before the tile's own.
Result<std::unique_ptr<Tile>> instantiate(const TileDef& def, const DefLookup& lookup);

}  // namespace cadhost::dcl
