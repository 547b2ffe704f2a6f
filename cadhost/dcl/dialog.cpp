// Dialog state and behaviour: values, radio groups, lists, modes, and the
// dispatch of a person's actions to the application's callbacks.
#include "dcl/dialog.h"

#include <algorithm>
#include <cmath>
#include <sstream>

#include "dcl/messages.h"

namespace cadhost::dcl {

namespace {

constexpr size_t kDefaultEditLimit = 132;

template <typename TileT, typename F>
void walk(TileT& t, F&& f) {
    f(t);
    for (auto& c : t.children) walk(*c, f);
}

std::vector<std::string> split_lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string line; std::getline(in, line);) out.push_back(line);
    return out;
}

// Parses "0 2 5" into row numbers; nullopt when anything else is there.
std::optional<std::vector<int>> parse_rows(const std::string& s) {
    std::istringstream in(s);
    std::vector<int> rows;
    std::string word;
    while (in >> word) {
        if (word.find_first_not_of("0123456789") != std::string::npos || word.size() > 9) return std::nullopt;
        rows.push_back(std::stoi(word));
    }
    return rows;
}

std::string join_rows(const std::vector<int>& rows) {
    std::string out;
    for (int r : rows) out += (out.empty() ? "" : " ") + std::to_string(r);
    return out;
}

bool is_default_tile(const Tile& t) { return t.key() == "accept" || t.attr_true("is_default"); }
bool is_cancel_tile(const Tile& t) { return t.key() == "cancel" || t.attr_true("is_cancel"); }

}  // namespace

std::string cut_to_limit(const Tile& t, const std::string& value) {
    double limit = t.attr_number("edit_limit", kDefaultEditLimit);
    size_t n = limit < 0 ? 0 : static_cast<size_t>(limit);
    return value.size() > n ? value.substr(0, n) : value;
}

Dialog::Dialog(std::string name, std::unique_ptr<Tile> root, Callback default_action, long x, long y)
    : m_name(std::move(name)), m_root(std::move(root)), m_default(std::move(default_action)), m_x(x), m_y(y) {
    walk(*m_root, [&](Tile& t) { init_values(t); });
    // Radio groups: a group's value names its button that is on.
    walk(*m_root, [&](Tile& t) {
        if (t.kind == TileKind::RadioButton && t.value == "1") set_radio(t, true);
    });
    walk(*m_root, [&](Tile& t) {
        if (!t.is_radio_group() || t.attr("value").empty()) return;
        if (Tile* b = find(t.attr("value")); b && radio_group_of(*b) == &t) set_radio(*b, true);
    });
}

void Dialog::init_values(Tile& t) {
    t.enabled = t.attr("is_enabled") != "false";
    t.list = split_lines(t.attr("list"));
    switch (t.kind) {
    case TileKind::Text:
    case TileKind::TextPart: t.value = t.attr("value", t.attr("label")); break;
    case TileKind::Toggle:
    case TileKind::RadioButton: t.value = t.attr("value") == "1" ? "1" : "0"; break;
    case TileKind::EditBox: t.value = cut_to_limit(t, t.attr("value")); break;
    case TileKind::ListBox:
    case TileKind::PopupList:
        t.value = t.attr("value");
        list_changed(t);
        break;
    case TileKind::Slider: t.value = t.attr("value", t.attr("min_value", "0")); break;
    default: t.value = t.attr("value"); break;
    }
    if (t.attr_true("is_default") && m_focus.empty()) m_focus = t.key();
    if (!t.attr("initial_focus").empty() && t.kind == TileKind::Dialog) m_focus = t.attr("initial_focus");
}

Tile* Dialog::find(const std::string& key) {
    if (key.empty()) return nullptr;
    Tile* found = nullptr;
    walk(*m_root, [&](Tile& t) {
        if (!found && t.key() == key) found = &t;
    });
    return found;
}

const Tile* Dialog::find(const std::string& key) const { return const_cast<Dialog*>(this)->find(key); }

std::vector<const Tile*> Dialog::tiles() const {
    std::vector<const Tile*> out;
    walk(static_cast<const Tile&>(*m_root), [&](const Tile& t) { out.push_back(&t); });
    return out;
}

void Dialog::finish(int status) {
    if (m_done) return;
    m_done = true;
    m_status = status;
}

Tile* Dialog::radio_group_of(const Tile& t) const {
    for (Tile* p = t.parent; p; p = p->parent) {
        if (p->is_radio_group()) return p;
        if (p->kind != TileKind::Row && p->kind != TileKind::Column && p->kind != TileKind::BoxedRow &&
            p->kind != TileKind::BoxedColumn)
            return nullptr;
    }
    return nullptr;
}

// Switching a button on switches the others of its group off, so that the
// group always has at most one button on and its value names it.
void Dialog::set_radio(Tile& button, bool on) {
    Tile* group = radio_group_of(button);
    if (group && on) {
        walk(*group, [&](Tile& t) {
            if (t.kind == TileKind::RadioButton && radio_group_of(t) == group) t.value = "0";
        });
    }
    button.value = on ? "1" : "0";
    if (group && on) group->value = button.key();
    else if (group && group->value == button.key()) group->value.clear();
}

Status Dialog::set_list_value(Tile& t, const std::string& value) {
    auto rows = parse_rows(value);
    if (!rows) return Error{text(Msg::BadValue, value)};
    for (int r : *rows)
        if (r < 0 || r >= static_cast<int>(t.list.size())) return Error{text(Msg::BadRow, std::to_string(r))};
    bool multi = t.kind == TileKind::ListBox && t.attr_true("multiple_select");
    if (rows->size() > 1 && !multi) return Error{text(Msg::BadValue, value)};
    std::sort(rows->begin(), rows->end());
    rows->erase(std::unique(rows->begin(), rows->end()), rows->end());
    t.value = join_rows(*rows);
    return ok_status();
}

void Dialog::list_changed(Tile& t) {
    if (!set_list_value(t, t.value)) t.value.clear();
    if (t.kind == TileKind::PopupList && t.value.empty() && !t.list.empty()) t.value = "0";
}

Status Dialog::set_tile(const std::string& key, const std::string& value) {
    Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    switch (t->kind) {
    case TileKind::EditBox: t->value = cut_to_limit(*t, value); break;
    case TileKind::Toggle: t->value = (value.empty() || value == "0") ? "0" : "1"; break;
    case TileKind::RadioButton: set_radio(*t, !(value.empty() || value == "0")); break;
    case TileKind::ListBox:
    case TileKind::PopupList: return set_list_value(*t, value);
    default:
        if (t->is_radio_group()) {
            Tile* b = value.empty() ? nullptr : find(value);
            if (!value.empty() && (!b || radio_group_of(*b) != t)) return Error{text(Msg::BadValue, value)};
            if (b) set_radio(*b, true);
            else if (Tile* on = find(t->value)) set_radio(*on, false);
            break;
        }
        t->value = value;
    }
    return ok_status();
}

Result<std::string> Dialog::get_tile(const std::string& key) const {
    const Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    return t->value;
}

Result<std::string> Dialog::get_attr(const std::string& key, const std::string& attr) const {
    const Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    return t->attr(attr);
}

Status Dialog::mode_tile(const std::string& key, int mode) {
    Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    switch (static_cast<TileMode>(mode)) {
    case TileMode::Enable: t->enabled = true; break;
    case TileMode::Disable: t->enabled = false; break;
    case TileMode::Focus: m_focus = key; break;
    case TileMode::SelectText:
        m_focus = key;
        t->text_selected = true;
        break;
    case TileMode::Flip: t->highlighted = !t->highlighted; break;
    default: return Error{text(Msg::BadMode, std::to_string(mode))};
    }
    return ok_status();
}

Status Dialog::action_tile(const std::string& key, Callback cb) {
    Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    t->action = std::move(cb);
    return ok_status();
}

Status Dialog::client_data_tile(const std::string& key, void* data) {
    Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    t->client_data = data;
    return ok_status();
}

std::pair<int, int> tile_size(const Tile& t) {
    double w = t.attr_number("width", 10);
    double aspect = t.attr_number("aspect_ratio", 0);
    double h = t.attr_number("height", aspect > 0 ? w * kCellWidth / aspect / kCellHeight : 5);
    w = std::clamp(w, 0.0, 1000.0), h = std::clamp(h, 0.0, 1000.0);
    return {static_cast<int>(std::lround(w * kCellWidth)), static_cast<int>(std::lround(h * kCellHeight))};
}

Result<std::pair<int, int>> Dialog::dimensions(const std::string& key) const {
    const Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    return tile_size(*t);
}

Result<Tile*> Dialog::usable_tile(const std::string& key) {
    if (m_done) return Error{text(Msg::DialogGone, m_name)};
    Tile* t = find(key);
    if (!t) return Error{text(Msg::NoSuchTile, key)};
    if (!t->usable()) return Error{text(Msg::TileDisabled, key)};
    return t;
}

// The tile's own action comes first; without one, "accept" and "cancel"
// close the dialog, a radio button passes to its group's action, and
// everything else goes to the dialog's default action.
Status Dialog::fire(Tile& t, Reason reason, long px, long py) {
    Tile* target = &t;
    if (!t.action && t.kind == TileKind::RadioButton)
        if (Tile* g = radio_group_of(t); g && g->action) target = g;
    CallbackEvent ev{this, target, target->value, target->client_data, static_cast<int>(reason), px, py};
    if (target->action) {
        Callback cb = target->action;  // the callback may replace the tile's action
        return call(cb, ev);
    }
    if (t.key() == "accept") finish(kStatusOk);
    else if (is_cancel_tile(t)) finish(kStatusCancel);
    else if (m_default) return call(Callback(m_default), ev);
    return ok_status();
}

// An application's failure must not pass as a callback that worked: the
// dialog ends, so that nothing goes on from a state the callback left half
// made, and the action reports the failure.
Status Dialog::call(const Callback& cb, const CallbackEvent& ev) {
    std::string why;
    try {
        cb(ev);
        return ok_status();
    } catch (const std::exception& e) {
        why = e.what();
    } catch (...) {
        why = "an exception of unknown type";
    }
    std::string message = "tile \"" + ev.tile->key() + "\": " + text(Msg::ActionFailed, why);
    fail(message);
    return Error{message};
}

void Dialog::fail(const std::string& why) {
    if (m_failure.empty()) m_failure = why;
    finish(kStatusCancel);
}

Status Dialog::user_set(const std::string& key, const std::string& value) {
    Tile* t = CH_TRY(usable_tile(key));
    switch (t->kind) {
    case TileKind::EditBox:
        t->value = cut_to_limit(*t, value);
        return fire(*t, Reason::LostFocus, 0, 0);
    case TileKind::Toggle:
        if (value != "0" && value != "1") return Error{text(Msg::BadValue, value)};
        t->value = value;
        return fire(*t, Reason::Select, 0, 0);
    case TileKind::RadioButton:
        if (value != "1") return Error{text(Msg::BadValue, value)};
        return user_press(key);
    case TileKind::ListBox:
    case TileKind::PopupList: {
        auto rows = parse_rows(value);
        if (!rows) return Error{text(Msg::BadValue, value)};
        return user_select(key, *rows);
    }
    case TileKind::Slider: {
        char* end = nullptr;
        double v = std::strtod(value.c_str(), &end);
        if (value.empty() || *end || v < t->attr_number("min_value", 0) || v > t->attr_number("max_value", 10000))
            return Error{text(Msg::BadValue, value)};
        t->value = value;
        return fire(*t, Reason::Select, 0, 0);
    }
    default:
        if (t->is_radio_group()) {
            Tile* b = find(value);
            if (!b || radio_group_of(*b) != t) return Error{text(Msg::BadValue, value)};
            return user_press(value);
        }
        return Error{text(Msg::BadValue, key)};
    }
}

Status Dialog::user_press(const std::string& key, long px, long py, Reason reason) {
    Tile* t = CH_TRY(usable_tile(key));
    switch (t->kind) {
    case TileKind::Button:
    case TileKind::ImageButton: break;
    case TileKind::Toggle: t->value = t->value == "1" ? "0" : "1"; break;
    case TileKind::RadioButton: set_radio(*t, true); break;
    default: return Error{text(Msg::NotPressable, key)};
    }
    m_focus = key;
    return fire(*t, reason, px, py);
}

Status Dialog::user_select(const std::string& key, const std::vector<int>& rows, Reason reason) {
    Tile* t = CH_TRY(usable_tile(key));
    if (!t->is_list()) return Error{text(Msg::NotAList, key)};
    CH_TRY(set_list_value(*t, join_rows(rows)));
    m_focus = key;
    return fire(*t, reason, 0, 0);
}

Tile* Dialog::find_by(bool (*match)(const Tile&)) {
    Tile* found = nullptr;
    walk(*m_root, [&](Tile& t) {
        if (!found && match(t) && (t.kind == TileKind::Button || t.kind == TileKind::ImageButton)) found = &t;
    });
    return found;
}

Status Dialog::user_ok() {
    if (m_done) return Error{text(Msg::DialogGone, m_name)};
    Tile* t = find_by(is_default_tile);
    if (!t) {
        finish(kStatusOk);
        return ok_status();
    }
    if (!t->usable()) return Error{text(Msg::TileDisabled, t->key())};
    return fire(*t, Reason::Select, 0, 0);
}

Status Dialog::user_cancel() {
    if (m_done) return Error{text(Msg::DialogGone, m_name)};
    Tile* t = find_by(is_cancel_tile);
    if (t && t->usable()) return fire(*t, Reason::Select, 0, 0);
    finish(kStatusCancel);
    return ok_status();
}

Result<std::vector<slide::SvgPanel>> Dialog::image_panels(const std::string& key) const {
    std::vector<slide::SvgPanel> out;
    for (const Tile* t : tiles()) {
        if (!t->is_image() || (!key.empty() && t->key() != key)) continue;
        auto [w, h] = tile_size(*t);
        out.push_back({t->key(), w, h, t->image});
    }
    if (out.empty()) return Error{key.empty() ? text(Msg::NoImages) : text(Msg::NotAnImage, key)};
    return out;
}

}  // namespace cadhost::dcl
