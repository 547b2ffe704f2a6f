// Wildcard matching over UTF-8 text, one code point per pattern character.
#include "select/wildcard.h"

#include <cctype>
#include <cwctype>
#include <locale.h>
#include <wctype.h>
#include <string>
#include <vector>

namespace cadhost::select {

namespace {

// Decodes UTF-8 into code points; invalid bytes stand for themselves.
std::u32string decode(std::string_view s) {
    std::u32string out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        int len = c < 0x80 ? 1 : (c >> 5) == 6 ? 2 : (c >> 4) == 14 ? 3 : (c >> 3) == 30 ? 4 : 0;
        if (len == 0 || i + len > s.size()) {
            out.push_back(c);
            ++i;
            continue;
        }
        char32_t cp = len == 1 ? c : len == 2 ? (c & 0x1F) : len == 3 ? (c & 0x0F) : (c & 0x07);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            unsigned char cc = static_cast<unsigned char>(s[i + k]);
            if ((cc >> 6) != 2) ok = false;
            cp = (cp << 6) | (cc & 0x3F);
        }
        if (!ok) {
            out.push_back(c);
            ++i;
            continue;
        }
        out.push_back(cp);
        i += len;
    }
    return out;
}

char32_t fold(char32_t c, CaseMode m) {
    if (m == CaseMode::Sensitive) return c;
    return static_cast<char32_t>(std::towupper(static_cast<wint_t>(c)));
}

bool is_digit(char32_t c) { return c >= '0' && c <= '9'; }
// Letters beyond ASCII by the UTF-8 character tables, whatever locale the
// process runs in; without those tables, by the Latin-1 letters and by
// everything above them outside the punctuation and symbol blocks.
bool is_alpha(char32_t c) {
    if (c < 0x80) return std::isalpha(static_cast<int>(c)) != 0;
    static locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (utf8) return iswalpha_l(static_cast<wint_t>(c), utf8) != 0;
    if (c < 0x100) return c >= 0xC0 && c != 0xD7 && c != 0xF7;
    return !(c >= 0x2000 && c <= 0x2BFF) && !(c >= 0x3000 && c <= 0x303F);
}

class Matcher {
public:
    Matcher(const std::u32string& p, CaseMode m) : m_p(p), m_mode(m) {}
    bool match(const std::u32string& t) const { return at(0, t, 0); }

private:
    // Every element but "*" takes exactly one character, so the usual
    // two-pointer walk with a return to the last star is exact and linear
    // in practice.
    bool at(size_t pi, const std::u32string& t, size_t ti) const {
        size_t star = std::u32string::npos, mark = 0;
        while (ti < t.size()) {
            if (pi < m_p.size() && m_p[pi] == '*') {
                star = ++pi;
                mark = ti;
                continue;
            }
            size_t next = pi;
            if (pi < m_p.size() && one(pi, t[ti], next)) {
                pi = next;
                ++ti;
                continue;
            }
            if (star == std::u32string::npos) return false;
            pi = star;
            ti = ++mark;
        }
        while (pi < m_p.size() && m_p[pi] == '*') ++pi;
        return pi == m_p.size();
    }
    // Tests one pattern element at pi against a character; next gets the
    // position after the element.
    bool one(size_t pi, char32_t ch, size_t& next) const {
        char32_t c = m_p[pi];
        next = pi + 1;
        switch (c) {
        case '#': return is_digit(ch);
        case '@': return is_alpha(ch);
        case '.': return !is_digit(ch) && !is_alpha(ch);
        case '?': return true;
        case '`':
            if (pi + 1 < m_p.size()) {
                next = pi + 2;
                return fold(m_p[pi + 1], m_mode) == fold(ch, m_mode);
            }
            return ch == '`';
        case '[': return set(pi, ch, next);
        default: return fold(c, m_mode) == fold(ch, m_mode);
        }
    }
    bool set(size_t pi, char32_t ch, size_t& next) const {
        size_t i = pi + 1;
        bool negate = false;
        if (i < m_p.size() && m_p[i] == '~') negate = true, ++i;
        bool found = false;
        bool first = true;
        for (; i < m_p.size() && (m_p[i] != ']' || first); ++i, first = false) {
            char32_t lo = m_p[i];
            if (lo == '`' && i + 1 < m_p.size()) lo = m_p[++i];
            if (i + 2 < m_p.size() && m_p[i + 1] == '-' && m_p[i + 2] != ']') {
                char32_t hi = m_p[i + 2];
                if (fold(ch, m_mode) >= fold(lo, m_mode) && fold(ch, m_mode) <= fold(hi, m_mode)) found = true;
                i += 2;
            } else if (fold(lo, m_mode) == fold(ch, m_mode)) {
                found = true;
            }
        }
        if (i >= m_p.size()) {
            // No closing bracket: the "[" is an ordinary character.
            next = pi + 1;
            return ch == '[';
        }
        next = i + 1;
        return found != negate;
    }
    const std::u32string& m_p;
    CaseMode m_mode;
};

// Splits at commas that are not escaped or inside brackets.
std::vector<std::u32string> alternatives(const std::u32string& p) {
    std::vector<std::u32string> out(1);
    bool in_set = false;
    for (size_t i = 0; i < p.size(); ++i) {
        char32_t c = p[i];
        if (c == '`' && i + 1 < p.size()) {
            out.back() += c;
            out.back() += p[++i];
            continue;
        }
        if (c == '[' && !in_set) in_set = true;
        else if (c == ']' && in_set) in_set = false;
        if (c == ',' && !in_set) {
            out.emplace_back();
            continue;
        }
        out.back() += c;
    }
    return out;
}

// A pattern of plain ASCII letters, digits and the like, without any of the
// wildcard characters, matches only its own text.
bool literal_ascii(std::string_view s) {
    for (char c : s) {
        auto b = static_cast<unsigned char>(c);
        if (b >= 0x80 || b < 0x20) return false;
        switch (c) {
        case '#': case '@': case '.': case '*': case '?': case '~': case '[': case ']': case '`': case ',': return false;
        default: break;
        }
    }
    return true;
}

bool same_ascii(std::string_view a, std::string_view b, CaseMode mode) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        char x = a[i], y = b[i];
        if (mode == CaseMode::Insensitive) {
            if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 'a' + 'A');
            if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 'a' + 'A');
        }
        if (x != y) return false;
    }
    return true;
}

}  // namespace

bool wcmatch(std::string_view text, std::string_view pattern, CaseMode mode) {
    // The common case, a plain name against a plain name, without decoding.
    if (literal_ascii(pattern) && literal_ascii(text)) return same_ascii(text, pattern, mode);
    std::u32string t = decode(text);
    for (const auto& alt : alternatives(decode(pattern))) {
        bool negate = !alt.empty() && alt[0] == '~';
        std::u32string body = negate ? alt.substr(1) : alt;
        if (Matcher(body, mode).match(t) != negate) return true;
    }
    return false;
}

}  // namespace cadhost::select
