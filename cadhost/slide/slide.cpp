// Reading and writing slide files: a 31-byte header followed by 16-bit
// records (vectors, offset vectors, fills, colour changes, end of file).
#include "slide/slide.h"

#include <cmath>
#include <cstring>

#include "slide/messages.h"

namespace cadhost::slide {

namespace {

// The header starts with this 17-byte signature (text, CR LF, ^Z, NUL).
const char kSignature[] = "AutoCAD Slide\r\n\x1a";
constexpr size_t kSignatureSize = 17;
constexpr size_t kHeaderSize = 31;
constexpr uint8_t kTypeIndicator = 56;
constexpr uint8_t kLevel = 2;
constexpr uint16_t kTestNumber = 0x1234;

enum class Order { Little, Big };

class Reader {
public:
    Reader(const Bytes& d, Order o) : m_d(d), m_order(o) {}
    bool has(size_t n) const { return m_pos + n <= m_d.size(); }
    uint16_t word() {
        uint16_t a = m_d[m_pos], b = m_d[m_pos + 1];
        m_pos += 2;
        return m_order == Order::Little ? uint16_t(a | (b << 8)) : uint16_t((a << 8) | b);
    }
    int8_t byte() { return static_cast<int8_t>(m_d[m_pos++]); }
    void seek(size_t p) { m_pos = p; }

private:
    const Bytes& m_d;
    Order m_order;
    size_t m_pos = 0;
};

Error slide_error(Msg m, const std::string& file) { return Error{text(m), file, 0}; }

struct Pen {
    int last_x = 0, last_y = 0;
    int color = 7;
    bool in_fill = false;
    SlideFill fill;
};

// Handles one solid-fill record: a record with negative y opens or closes a
// polygon, the others are its vertices.
Status fill_record(Slide& s, Pen& pen, int x, int y, const std::string& file) {
    if (y < 0) {
        if (pen.in_fill) {
            s.add_fill(std::move(pen.fill.vertices), pen.color);
            pen.fill = {};
        }
        pen.in_fill = !pen.in_fill;
        return ok_status();
    }
    if (!pen.in_fill) return slide_error(Msg::BadFill, file);
    pen.fill.vertices.push_back({x, y});
    return ok_status();
}

// Reads one record; returns false at the end-of-file record.
Result<bool> read_record(Reader& r, Slide& s, Pen& pen, const std::string& file) {
    if (!r.has(2)) return slide_error(Msg::Truncated, file);
    uint16_t w = r.word();
    int hi = w >> 8, lo = w & 0xff;
    if (hi <= 0x7f) {
        if (!r.has(6)) return slide_error(Msg::Truncated, file);
        int x1 = w, y1 = r.word(), x2 = r.word(), y2 = r.word();
        s.add_vector(x1, y1, x2, y2, pen.color);
        pen.last_x = x1, pen.last_y = y1;
        return true;
    }
    switch (hi) {
    case 0xfb: {
        if (!r.has(3)) return slide_error(Msg::Truncated, file);
        int dx1 = static_cast<int8_t>(lo), dy1 = r.byte(), dx2 = r.byte(), dy2 = r.byte();
        int x1 = pen.last_x + dx1, y1 = pen.last_y + dy1;
        s.add_vector(x1, y1, pen.last_x + dx2, pen.last_y + dy2, pen.color);
        pen.last_x = x1, pen.last_y = y1;
        return true;
    }
    case 0xfc: return false;
    case 0xfd: {
        if (!r.has(4)) return slide_error(Msg::Truncated, file);
        int x = r.word(), y = static_cast<int16_t>(r.word());
        CH_TRY(fill_record(s, pen, x, y, file));
        return true;
    }
    case 0xfe: {
        if (!r.has(1)) return slide_error(Msg::Truncated, file);
        int x2 = pen.last_x + static_cast<int8_t>(lo), y2 = pen.last_y + r.byte();
        s.add_vector(pen.last_x, pen.last_y, x2, y2, pen.color);
        pen.last_x = x2, pen.last_y = y2;
        return true;
    }
    case 0xff: pen.color = lo; return true;
    default: return slide_error(Msg::BadRecord, file);
    }
}

void put_word(Bytes& out, int v) {
    out.push_back(static_cast<uint8_t>(v & 0xff));
    out.push_back(static_cast<uint8_t>((v >> 8) & 0xff));
}

bool in_range(int v) { return v >= 0 && v <= 0x7fff; }

void put_color(Bytes& out, int& current, int color) {
    if (color == current) return;
    put_word(out, 0xff00 | (color & 0xff));
    current = color;
}

Status put_shape(Bytes& out, int& color, const SlideShape& sh) {
    put_color(out, color, sh.kind == ShapeKind::Vector ? sh.vector.color : sh.fill.color);
    if (sh.kind == ShapeKind::Vector) {
        const SlideVector& v = sh.vector;
        if (!in_range(v.x1) || !in_range(v.y1) || !in_range(v.x2) || !in_range(v.y2))
            return Error{text(Msg::BadSize)};
        for (int c : {v.x1, v.y1, v.x2, v.y2}) put_word(out, c);
        return ok_status();
    }
    const auto& vs = sh.fill.vertices;
    if (vs.empty() || vs.size() > kMaxFillVertices) return Error{text(Msg::BadFill)};
    for (auto [x, y] : vs)
        if (!in_range(x) || !in_range(y)) return Error{text(Msg::BadSize)};
    put_word(out, 0xfd00), put_word(out, int(vs.size())), put_word(out, 0xffff);
    for (auto [x, y] : vs) put_word(out, 0xfd00), put_word(out, x), put_word(out, y);
    put_word(out, 0xfd00), put_word(out, 0), put_word(out, 0xffff);
    return ok_status();
}

}  // namespace

void Slide::add_vector(int x1, int y1, int x2, int y2, int color) {
    SlideShape sh;
    sh.vector = {x1, y1, x2, y2, color};
    shapes.push_back(std::move(sh));
}

void Slide::add_fill(std::vector<std::pair<int, int>> vertices, int color) {
    SlideShape sh;
    sh.kind = ShapeKind::Fill;
    sh.fill.vertices = std::move(vertices);
    sh.fill.color = color;
    shapes.push_back(std::move(sh));
}

Result<Slide> read_slide(const Bytes& data, const std::string& file) {
    if (data.size() < kHeaderSize || std::memcmp(data.data(), kSignature, kSignatureSize) != 0 ||
        data[17] != kTypeIndicator || data[18] != kLevel)
        return slide_error(Msg::NotSlide, file);
    Order order;
    if (data[29] == 0x34 && data[30] == 0x12) order = Order::Little;
    else if (data[29] == 0x12 && data[30] == 0x34) order = Order::Big;
    else return slide_error(Msg::NotSlide, file);
    Reader r(data, order);
    Slide s;
    r.seek(19);
    s.high_x = r.word();
    s.high_y = r.word();
    uint32_t aspect = uint32_t(data[23]) | uint32_t(data[24]) << 8 | uint32_t(data[25]) << 16 | uint32_t(data[26]) << 24;
    s.aspect = aspect / 1e7;
    r.seek(27);
    s.hardware_fill = r.word();
    r.seek(kHeaderSize);
    Pen pen;
    while (CH_TRY(read_record(r, s, pen, file))) {
    }
    if (pen.in_fill) return slide_error(Msg::BadFill, file);
    return s;
}

Result<Bytes> write_slide(const Slide& s) {
    if (!in_range(s.high_x) || !in_range(s.high_y) || !(s.aspect > 0) || s.aspect > 400)
        return Error{text(Msg::BadSize)};
    Bytes out(kSignature, kSignature + kSignatureSize);
    out.push_back(kTypeIndicator);
    out.push_back(kLevel);
    put_word(out, s.high_x);
    put_word(out, s.high_y);
    uint32_t aspect = static_cast<uint32_t>(std::lround(s.aspect * 1e7));
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(aspect >> (8 * i)));
    put_word(out, s.hardware_fill);
    put_word(out, kTestNumber);
    int color = -1;
    for (const SlideShape& sh : s.shapes) CH_TRY(put_shape(out, color, sh));
    put_word(out, 0xfc00);
    return out;
}

}  // namespace cadhost::slide
