// An open dialog: its tile tree with keys, the calls an application makes on
// it, and the actions a person (or a driver on their behalf) performs.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "core/result.h"
#include "dcl/tile.h"
#include "slide/svg.h"

namespace cadhost::dcl {

enum class TileMode { Enable = 0, Disable = 1, Focus = 2, SelectText = 3, Flip = 4 };

// Status values of a closed dialog.
inline constexpr int kStatusCancel = 0;
inline constexpr int kStatusOk = 1;
inline constexpr int kStatusAllDone = -1;

// Reasons passed to callbacks.
enum class Reason { Select = 1, LostFocus = 2, Drag = 3, DoubleClick = 4 };

// Pixel size of one character cell, for the size of image tiles.
inline constexpr int kCellWidth = 8;
inline constexpr int kCellHeight = 16;

class Dialog {
public:
    Dialog(std::string name, std::unique_ptr<Tile> root, Callback default_action, long x, long y);
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    const std::string& name() const { return m_name; }
    // Serial given by the engine; never reused, so old handles stay dead.
    uint64_t serial() const { return m_serial; }
    void set_serial(uint64_t s) { m_serial = s; }
    const Tile& root() const { return *m_root; }
    std::string label() const { return m_root->attr("label"); }
    Tile* find(const std::string& key);
    const Tile* find(const std::string& key) const;
    // All tiles in layout order (depth first), the root first.
    std::vector<const Tile*> tiles() const;
    std::string focus() const { return m_focus; }

    // Lifecycle, driven by the engine.
    bool started() const { return m_started; }
    void mark_started() { m_started = true; }
    bool done() const { return m_done; }
    int status() const { return m_status; }
    void finish(int status);
    // Ends the dialog as cancelled because something it ran failed; the
    // first reason is kept. The engine reports it and the start fails.
    void fail(const std::string& why);
    // Why the dialog failed; empty unless it did.
    const std::string& failure() const { return m_failure; }
    long x() const { return m_x; }
    long y() const { return m_y; }

    // The application's calls.
    Status set_tile(const std::string& key, const std::string& value);
    Result<std::string> get_tile(const std::string& key) const;
    Result<std::string> get_attr(const std::string& key, const std::string& attr) const;
    Status mode_tile(const std::string& key, int mode);
    Status action_tile(const std::string& key, Callback cb);
    Status client_data_tile(const std::string& key, void* data);
    Result<std::pair<int, int>> dimensions(const std::string& key) const;
    // After a list's rows changed: keeps the selection only where rows exist.
    void list_changed(Tile& t);

    // A person's actions; each fires the tile's callback as the host would.
    Status user_set(const std::string& key, const std::string& value);
    Status user_press(const std::string& key, long px = 0, long py = 0, Reason reason = Reason::Select);
    Status user_select(const std::string& key, const std::vector<int>& rows, Reason reason = Reason::Select);
    Status user_ok();
    Status user_cancel();

    // Image tiles (all, or the one with this key) for SVG output.
    Result<std::vector<slide::SvgPanel>> image_panels(const std::string& key = "") const;

private:
    Result<Tile*> usable_tile(const std::string& key);
    void init_values(Tile& t);
    void set_radio(Tile& button, bool on);
    Tile* radio_group_of(const Tile& t) const;
    Status set_list_value(Tile& t, const std::string& value);
    Status fire(Tile& t, Reason reason, long px, long py);
    // Runs an application's callback; one that throws fails the dialog.
    Status call(const Callback& cb, const CallbackEvent& ev);
    Tile* find_by(bool (*match)(const Tile&));

    std::string m_name;
    uint64_t m_serial = 0;
    std::unique_ptr<Tile> m_root;
    Callback m_default;
    std::string m_focus;
    bool m_started = false;
    bool m_done = false;
    int m_status = kStatusCancel;
    std::string m_failure;  // why a callback (or its driver) failed
    long m_x = -1, m_y = -1;
};

// Pixel size of a tile from its width, height and aspect_ratio.
std::pair<int, int> tile_size(const Tile& t);
// Cuts text to an edit box's edit_limit (132 when not given).
std::string cut_to_limit(const Tile& t, const std::string& value);

}  // namespace cadhost::dcl
