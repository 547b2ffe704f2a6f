// Writes image tile contents as SVG: each panel is clipped to its tile and
// placed on a grid; the output depends on nothing but the input.
#include "slide/svg.h"

#include <algorithm>
#include <sstream>

namespace cadhost::slide {

namespace {

constexpr int kMargin = 10;
constexpr int kTitleHeight = 16;

std::string escape(const std::string& s) {
    std::string out;
    for (char c : s) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default: out += c;
        }
    }
    return out;
}

void write_op(std::ostringstream& o, const ImageOp& op) {
    std::string c = color_hex(op.color);
    switch (op.kind) {
    case OpKind::Fill:
        o << "<rect x=\"" << op.x1 << "\" y=\"" << op.y1 << "\" width=\"" << op.x2 << "\" height=\"" << op.y2
          << "\" fill=\"" << c << "\"/>\n";
        break;
    case OpKind::Vector:
        o << "<line x1=\"" << op.x1 << "\" y1=\"" << op.y1 << "\" x2=\"" << op.x2 << "\" y2=\"" << op.y2
          << "\" stroke=\"" << c << "\"/>\n";
        break;
    case OpKind::Polygon:
        o << "<polygon points=\"";
        for (size_t i = 0; i < op.points.size(); ++i) o << (i ? " " : "") << op.points[i].first << "," << op.points[i].second;
        o << "\" fill=\"" << c << "\"/>\n";
        break;
    }
}

}  // namespace

std::string svg_document(const std::vector<SvgPanel>& panels, int per_row) {
    per_row = std::max(per_row, 1);
    int cell_w = 0, cell_h = 0;
    for (const auto& p : panels) cell_w = std::max(cell_w, p.width), cell_h = std::max(cell_h, p.height);
    cell_w += kMargin, cell_h += kMargin + kTitleHeight;
    int n = static_cast<int>(panels.size());
    int cols = std::min(n, per_row), rows = (n + per_row - 1) / per_row;
    std::ostringstream o;
    o << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << cols * cell_w + kMargin << "\" height=\""
      << rows * cell_h + kMargin << "\">\n";
    for (int i = 0; i < n; ++i) {
        const SvgPanel& p = panels[i];
        int x = kMargin + (i % per_row) * cell_w, y = kMargin + (i / per_row) * cell_h;
        o << "<g id=\"tile" << i << "\" transform=\"translate(" << x << "," << y << ")\">\n";
        o << "<title>" << escape(p.title) << "</title>\n";
        o << "<clipPath id=\"clip" << i << "\"><rect width=\"" << p.width << "\" height=\"" << p.height
          << "\"/></clipPath>\n";
        o << "<rect width=\"" << p.width << "\" height=\"" << p.height << "\" fill=\"none\" stroke=\"#808080\"/>\n";
        o << "<g clip-path=\"url(#clip" << i << ")\">\n";
        for (const ImageOp& op : p.ops) write_op(o, op);
        o << "</g>\n<text x=\"0\" y=\"" << p.height + kTitleHeight - 4 << "\" font-size=\"12\">" << escape(p.title)
          << "</text>\n</g>\n";
    }
    o << "</svg>\n";
    return o.str();
}

}  // namespace cadhost::slide
