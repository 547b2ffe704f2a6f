// Parsing and performing the text form of dialog actions.
#include "dcl/action.h"

#include <fstream>
#include <sstream>

#include "dcl/messages.h"
#include "slide/svg.h"

namespace cadhost::dcl {

namespace {

std::string trim(const std::string& s) {
    size_t b = s.find_first_not_of(" \t\r\n");
    if (b == std::string::npos) return "";
    size_t e = s.find_last_not_of(" \t\r\n");
    return s.substr(b, e - b + 1);
}

std::string unquote(const std::string& s) {
    if (s.size() >= 2 && s.front() == '"' && s.back() == '"') return s.substr(1, s.size() - 2);
    return s;
}

std::vector<std::string> words(const std::string& s) {
    std::istringstream in(s);
    std::vector<std::string> out;
    for (std::string w; in >> w;) out.push_back(w);
    return out;
}

Result<long> number(const std::string& w) {
    if (w.empty() || w.size() > 9 || w.find_first_not_of("0123456789-") != std::string::npos ||
        w.find('-', 1) != std::string::npos || w == "-")
        return Error{text(Msg::BadValue, w)};
    return std::stol(w);
}

Result<Action> keyword_action(const std::vector<std::string>& w) {
    Action a;
    const std::string& verb = w[0];
    if (verb == "select" || verb == "dclick" || verb == "press") {
        if (w.size() < 2) return Error{text(Msg::MissingArgument, verb)};
        a.kind = verb == "select" ? ActionKind::Select : verb == "press" ? ActionKind::Press : ActionKind::DoubleClick;
        a.key = w[1];
        std::vector<long> nums;
        for (size_t i = 2; i < w.size(); ++i) nums.push_back(CH_TRY(number(w[i])));
        if (a.kind == ActionKind::Select) {
            if (nums.empty()) return Error{text(Msg::MissingArgument, verb)};
            for (long n : nums) a.rows.push_back(static_cast<int>(n));
        } else if (nums.size() == 1 && a.kind == ActionKind::DoubleClick) {
            a.rows.push_back(static_cast<int>(nums[0]));
        } else if (nums.size() == 2) {
            a.x = nums[0], a.y = nums[1];
        } else if (!nums.empty()) {
            return Error{text(Msg::BadValue, verb)};
        }
        return a;
    }
    if (verb == "svg") {
        if (w.size() < 2 || w.size() > 3) return Error{text(Msg::MissingArgument, verb)};
        a.kind = ActionKind::Svg;
        a.value = unquote(w[1]);
        if (w.size() == 3) a.key = w[2];
        return a;
    }
    return Error{text(Msg::UnknownAction, verb)};
}

}  // namespace

Result<Action> parse_action(const std::string& raw) {
    std::string line = trim(raw);
    Action a;
    if (line.empty() || line[0] == ';' || line[0] == '#') return a;
    size_t eq = line.find('=');
    std::string key = eq == std::string::npos ? "" : trim(line.substr(0, eq));
    if (!key.empty() && key.find_first_of(" \t") == std::string::npos) {
        a.kind = ActionKind::Set;
        a.key = key;
        a.value = unquote(trim(line.substr(eq + 1)));
        return a;
    }
    auto w = words(line);
    if (w.size() == 1) {
        static const std::pair<const char*, ActionKind> single[] = {
            {"ok", ActionKind::Ok}, {"cancel", ActionKind::Cancel}, {"show", ActionKind::Show},
            {"help", ActionKind::Help}, {"end", ActionKind::End}};
        for (auto [word, kind] : single)
            if (w[0] == word) return Action{kind, "", "", {}, 0, 0};
        if (w[0] != "select" && w[0] != "dclick" && w[0] != "svg" && w[0] != "press")
            return Action{ActionKind::Press, w[0], "", {}, 0, 0};
    }
    return keyword_action(w);
}

Status apply_action(Dialog& d, const Action& a, std::ostream& out) {
    switch (a.kind) {
    case ActionKind::Set: return d.user_set(a.key, a.value);
    case ActionKind::Press: return d.user_press(a.key, a.x, a.y);
    case ActionKind::Select: return d.user_select(a.key, a.rows);
    case ActionKind::DoubleClick: {
        const Tile* t = d.find(a.key);
        if (t && t->is_list()) {
            if (a.rows.size() != 1) return Error{text(Msg::MissingArgument, "dclick")};
            return d.user_select(a.key, a.rows, Reason::DoubleClick);
        }
        return d.user_press(a.key, a.x, a.y, Reason::DoubleClick);
    }
    case ActionKind::Ok: return d.user_ok();
    case ActionKind::Cancel: return d.user_cancel();
    case ActionKind::Svg: return write_svg(d, a.value, a.key);
    case ActionKind::Show: out << describe(d); return ok_status();
    case ActionKind::Help: out << text(Msg::HelpText); return ok_status();
    case ActionKind::End:
    case ActionKind::Nothing: return ok_status();
    }
    return ok_status();
}

Status write_svg(const Dialog& d, const std::string& file, const std::string& key) {
    auto panels = CH_TRY(d.image_panels(key));
    std::ofstream f(file, std::ios::binary);
    if (!f) return Error{text(Msg::CannotWrite, file)};
    f << slide::svg_document(panels);
    f.close();
    if (!f) return Error{text(Msg::CannotWrite, file)};
    return ok_status();
}

namespace {

int depth_of(const Tile& t) {
    int n = 0;
    for (const Tile* p = t.parent; p; p = p->parent) ++n;
    return n;
}

bool worth_showing(const Tile& t) {
    switch (t.kind) {
    case TileKind::Spacer: return false;
    case TileKind::Row:
    case TileKind::Column:
    case TileKind::Concatenation:
    case TileKind::Paragraph: return !t.key().empty() || !t.attr("label").empty();
    default: return true;
    }
}

void describe_tile(std::ostringstream& o, const Tile& t, const std::string& focus) {
    o << std::string(2 * depth_of(t), ' ') << kind_name(t.kind);
    if (!t.key().empty()) o << " [" << t.key() << "]";
    if (!t.attr("label").empty() && t.kind != TileKind::Text) o << " \"" << t.attr("label") << "\"";
    bool has_value = t.kind != TileKind::Button && t.kind != TileKind::Image && t.kind != TileKind::ImageButton &&
                     t.kind != TileKind::Row && t.kind != TileKind::Column && t.kind != TileKind::BoxedRow &&
                     t.kind != TileKind::BoxedColumn;
    if (has_value) o << " = \"" << t.value << "\"";
    if (!t.usable()) o << " (disabled)";
    if (t.highlighted) o << " (highlighted)";
    if (!focus.empty() && t.key() == focus) o << " (focus)";
    if (t.is_image()) o << " (" << t.image.size() << " drawn)";
    o << "\n";
    for (size_t i = 0; i < t.list.size(); ++i)
        o << std::string(2 * depth_of(t) + 4, ' ') << i << ": " << t.list[i] << "\n";
}

}  // namespace

std::string describe(const Dialog& d) {
    std::ostringstream o;
    o << "Dialog \"" << d.name() << "\": " << d.label() << "\n";
    for (const Tile* t : d.tiles()) {
        if (t == &d.root() || !worth_showing(*t)) continue;
        describe_tile(o, *t, d.focus());
    }
    return o.str();
}

}  // namespace cadhost::dcl
