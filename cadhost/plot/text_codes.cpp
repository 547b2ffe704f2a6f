// Decoding of the control codes in drawing texts.
#include "plot/text_codes.h"

#include <cctype>
#include <cstdlib>
#include <string>

namespace cadhost::plot {

std::string utf8(unsigned c) {
    if (c == 0 || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) c = 0xFFFD;
    std::string s;
    if (c < 0x80) {
        s += static_cast<char>(c);
    } else if (c < 0x800) {
        s += static_cast<char>(0xC0 | (c >> 6)), s += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        s += static_cast<char>(0xE0 | (c >> 12)), s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        s += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        s += static_cast<char>(0xF0 | (c >> 18)), s += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        s += static_cast<char>(0x80 | ((c >> 6) & 0x3F)), s += static_cast<char>(0x80 | (c & 0x3F));
    }
    return s;
}

namespace {

// "\U+XXXX" at i (a code point the file could not hold in its code page):
// the character, and i moved past it; nothing when there is none.
bool unicode_escape(std::string_view s, size_t& i, std::string& out) {
    if (s.substr(i, 3) != "\\U+" && s.substr(i, 3) != "\\u+") return false;
    size_t n = 0;
    while (n < 4 && i + 3 + n < s.size() && std::isxdigit(static_cast<unsigned char>(s[i + 3 + n]))) ++n;
    if (n != 4) return false;
    out += utf8(static_cast<unsigned>(std::strtoul(std::string(s.substr(i + 3, 4)).c_str(), nullptr, 16)));
    i += 7;
    return true;
}

// The "%%" code at i: appends its character (or switches a decoration) and
// moves i past it. False when there is no code at i.
bool percent_code(std::string_view s, size_t& i, TextLine& line) {
    if (s.substr(i, 2) != "%%" || i + 2 >= s.size()) return false;
    char c = static_cast<char>(std::toupper(static_cast<unsigned char>(s[i + 2])));
    auto add = [&](const std::string& text) { line.back().text += text; };
    auto toggle = [&](bool TextRun::*flag) {
        TextRun next = line.back();
        next.text.clear();
        next.*flag = !(next.*flag);
        line.push_back(next);
    };
    switch (c) {
    case 'D': add(utf8(0xB0)); break;
    case 'P': add(utf8(0xB1)); break;
    case 'C': add(utf8(0x2300)); break;
    case '%': add("%"); break;
    case 'U': toggle(&TextRun::underline); break;
    case 'O': toggle(&TextRun::overline); break;
    default:
        if (std::isdigit(static_cast<unsigned char>(c))) {
            size_t n = 0;
            while (n < 3 && i + 2 + n < s.size() && std::isdigit(static_cast<unsigned char>(s[i + 2 + n]))) ++n;
            add(utf8(static_cast<unsigned>(std::atoi(std::string(s.substr(i + 2, n)).c_str()))));
            i += 2 + n;
            return true;
        }
        return false;
    }
    i += 3;
    return true;
}

void drop_empty_runs(TextLine& line) {
    TextLine kept;
    for (TextRun& r : line)
        if (!r.text.empty()) kept.push_back(std::move(r));
    if (kept.empty()) kept.push_back({});
    line = std::move(kept);
}

// Skips a formatting code with an argument ended by ";" (\f, \H, \C, ...).
size_t skip_argument(std::string_view s, size_t i) {
    size_t end = s.find(';', i);
    return end == std::string_view::npos ? s.size() : end + 1;
}

// A stacked fraction "\Sa^b;", "\Sa/b;" or "\Sa#b;" at i, written "a/b".
size_t stacked(std::string_view s, size_t i, std::string& out) {
    size_t end = s.find(';', i);
    std::string body(s.substr(i + 2, (end == std::string_view::npos ? s.size() : end) - i - 2));
    for (char& c : body)
        if (c == '^' || c == '#') c = '/';
    out += body;
    return end == std::string_view::npos ? s.size() : end + 1;
}

}  // namespace

TextLine decode_text(std::string_view s) {
    TextLine line(1);
    for (size_t i = 0; i < s.size();) {
        if (percent_code(s, i, line)) continue;
        if (unicode_escape(s, i, line.back().text)) continue;
        line.back().text += s[i++];
    }
    drop_empty_runs(line);
    return line;
}

std::vector<TextLine> decode_mtext(std::string_view s) {
    std::vector<TextLine> lines(1, TextLine(1));
    for (size_t i = 0; i < s.size();) {
        TextLine& line = lines.back();
        char ch = s[i];
        if (ch == '{' || ch == '}') {
            ++i;
            continue;
        }
        if (ch != '\\' || i + 1 >= s.size()) {
            if (!percent_code(s, i, line)) line.back().text += s[i++];
            continue;
        }
        if (unicode_escape(s, i, line.back().text)) continue;
        char code = s[i + 1];
        switch (code) {
        case 'P': lines.push_back(TextLine(1)); i += 2; break;
        case '~': line.back().text += ' '; i += 2; break;
        case '\\': case '{': case '}': line.back().text += code; i += 2; break;
        case 'S': i = stacked(s, i, line.back().text); break;
        case 'L': case 'l': case 'O': case 'o': case 'K': case 'k': case 'X': i += 2; break;
        case 'f': case 'F': case 'H': case 'W': case 'Q': case 'T': case 'A': case 'C': case 'c': case 'p':
            i = skip_argument(s, i + 2);
            break;
        default: line.back().text += s[i++]; break;
        }
    }
    for (TextLine& l : lines) drop_empty_runs(l);
    return lines;
}

}  // namespace cadhost::plot
