// Single-line texts, attributes and paragraph texts of the plot scene.
#include <cmath>

#include "plot/builder.h"
#include "plot/text_codes.h"

namespace cadhost::plot {

void Builder::text(const GroupList& g, const Inherit& in, const Look& lk, const std::string& type) {
    const StyleInfo& st = style(group_string(g, 7, "STANDARD"));
    Text t;
    // An attribute definition outside a block shows its tag.
    t.lines.push_back(decode_text(group_string(g, type == "ATTDEF" ? 2 : 1)));
    t.font = st.font;
    t.height = group_real(g, 40);
    if (t.height <= 0) t.height = st.height > 0 ? st.height : 2.5;
    t.width_factor = group_real(g, 41, 1);
    if (t.width_factor <= 0) t.width_factor = 1;
    t.oblique = find_group(g, 51) ? group_real(g, 51) : st.oblique;
    long gen = group_int(g, 71);
    t.mirror_x = gen & 2, t.mirror_y = gen & 4;
    t.colour = on_white_paper(lk.colour);

    Vec2 p10 = group_point(g, 10).value_or(Vec2{});
    auto p11 = group_point(g, 11);
    long h = group_int(g, 72), v = group_int(g, type == "TEXT" ? 73 : 74);
    double rot = group_real(g, 50);
    Vec2 anchor = p10;
    if ((h == 3 || h == 5) && p11 && !(*p11 == p10)) {
        // Aligned and fitted texts run from the first point to the second.
        double dx = p11->x - p10.x, dy = p11->y - p10.y;
        rot = std::atan2(dy, dx);
        (h == 3 ? t.aligned_width : t.fit_width) = std::hypot(dx, dy);
    } else if (h == 4) {
        anchor = p11.value_or(p10);
        t.halign = HAlign::Center, t.valign = VAlign::Middle;
    } else if (h != 0 || v != 0) {
        anchor = p11.value_or(p10);
        t.halign = h == 1 ? HAlign::Center : h == 2 ? HAlign::Right : HAlign::Left;
        t.valign = v == 1 ? VAlign::Bottom : v == 2 ? VAlign::Middle : v == 3 ? VAlign::Top : VAlign::Baseline;
    }
    t.place = in.xf * ocs_of(g) * Affine::translate(anchor.x, anchor.y) * Affine::rotate(rot);
    m_scene.items.push_back(std::move(t));
}

void Builder::mtext(const GroupList& g, const Inherit& in, const Look& lk) {
    const StyleInfo& st = style(group_string(g, 7, "STANDARD"));
    std::string body;
    for (const Group& grp : g)
        if (grp.code == 3 || grp.code == 1)
            if (auto* s = std::get_if<std::string>(&grp.value)) body += *s;
    Text t;
    t.lines = decode_mtext(body);
    t.font = st.font;
    t.height = group_real(g, 40);
    if (t.height <= 0) t.height = st.height > 0 ? st.height : 2.5;
    t.width_factor = st.width_factor > 0 ? st.width_factor : 1;
    t.oblique = st.oblique;
    t.wrap_width = group_real(g, 41);
    t.line_spacing = t.height * 5.0 / 3.0 * group_real(g, 44, 1);
    // Attachment 1..9: top, middle, bottom rows of left, centre, right.
    long at = group_int(g, 71, 1);
    if (at < 1 || at > 9) at = 1;
    static const HAlign kH[3] = {HAlign::Left, HAlign::Center, HAlign::Right};
    static const VAlign kV[3] = {VAlign::Top, VAlign::Middle, VAlign::Bottom};
    t.halign = kH[(at - 1) % 3], t.valign = kV[(at - 1) / 3];
    t.colour = on_white_paper(lk.colour);
    Vec2 p = group_point(g, 10).value_or(Vec2{});
    double rot = group_real(g, 50);
    if (auto dir = group_point(g, 11); dir && (dir->x != 0 || dir->y != 0)) rot = std::atan2(dir->y, dir->x);
    t.place = in.xf * Affine::translate(p.x, p.y) * Affine::rotate(rot);
    m_scene.items.push_back(std::move(t));
}

}  // namespace cadhost::plot
