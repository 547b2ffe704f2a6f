// DCL tokenizer.
#include "dcl/lexer.h"

#include <cctype>

#include "dcl/messages.h"

namespace cadhost::dcl {

namespace {

class Lexer {
public:
    Lexer(const std::string& t, const std::string& f) : m_t(t), m_file(f) {}
    Result<std::vector<Token>> run();

private:
    char peek(size_t ahead = 0) const { return m_pos + ahead < m_t.size() ? m_t[m_pos + ahead] : '\0'; }
    Error error(Msg m) const { return Error{text(m), m_file, m_line}; }
    Status skip_space_and_comments();
    Result<Token> string_token();
    Token word_token(TokenKind kind);

    const std::string& m_t;
    const std::string& m_file;
    size_t m_pos = 0;
    long m_line = 1;
};

Status Lexer::skip_space_and_comments() {
    while (m_pos < m_t.size()) {
        char c = peek();
        if (c == '\n') ++m_line, ++m_pos;
        else if (std::isspace(static_cast<unsigned char>(c))) ++m_pos;
        else if (c == '/' && peek(1) == '/') {
            while (m_pos < m_t.size() && peek() != '\n') ++m_pos;
        } else if (c == '/' && peek(1) == '*') {
            long start = m_line;
            m_pos += 2;
            while (m_pos < m_t.size() && !(peek() == '*' && peek(1) == '/')) {
                if (peek() == '\n') ++m_line;
                ++m_pos;
            }
            if (m_pos >= m_t.size()) return Error{text(Msg::UnterminatedComment), m_file, start};
            m_pos += 2;
        } else break;
    }
    return ok_status();
}

Result<Token> Lexer::string_token() {
    Token tok{TokenKind::String, "", m_line};
    ++m_pos;
    while (true) {
        char c = peek();
        if (m_pos >= m_t.size() || c == '\n') return error(Msg::UnterminatedString);
        ++m_pos;
        if (c == '"') break;
        if (c != '\\') { tok.text += c; continue; }
        char e = peek();
        ++m_pos;
        switch (e) {
        case 'n': tok.text += '\n'; break;
        case 't': tok.text += '\t'; break;
        case '\n': return error(Msg::UnterminatedString);
        case '\0': return error(Msg::UnterminatedString);
        default: tok.text += e;
        }
    }
    return tok;
}

Token Lexer::word_token(TokenKind kind) {
    Token tok{kind, "", m_line};
    auto word_char = [&](char c) {
        return std::isalnum(static_cast<unsigned char>(c)) || c == '_' || c == '.' || c == '-' || c == '+';
    };
    while (m_pos < m_t.size() && word_char(peek())) tok.text += m_t[m_pos++];
    return tok;
}

Result<std::vector<Token>> Lexer::run() {
    std::vector<Token> out;
    while (true) {
        CH_TRY(skip_space_and_comments());
        if (m_pos >= m_t.size()) break;
        char c = peek();
        TokenKind punct = TokenKind::End;
        switch (c) {
        case ':': punct = TokenKind::Colon; break;
        case '{': punct = TokenKind::LBrace; break;
        case '}': punct = TokenKind::RBrace; break;
        case ';': punct = TokenKind::Semicolon; break;
        case '=': punct = TokenKind::Equals; break;
        case '@': punct = TokenKind::At; break;
        case '#': punct = TokenKind::Hash; break;
        default: break;
        }
        if (punct != TokenKind::End) {
            out.push_back({punct, std::string(1, c), m_line});
            ++m_pos;
        } else if (c == '"') {
            out.push_back(CH_TRY(string_token()));
        } else if (std::isdigit(static_cast<unsigned char>(c)) || ((c == '-' || c == '.' || c == '+') && peek(1) != '\0')) {
            out.push_back(word_token(TokenKind::Number));
        } else if (std::isalpha(static_cast<unsigned char>(c)) || c == '_') {
            out.push_back(word_token(TokenKind::Name));
        } else {
            return error(Msg::UnexpectedChar);
        }
    }
    out.push_back({TokenKind::End, "", m_line});
    return out;
}

}  // namespace

Result<std::vector<Token>> tokenize(const std::string& text, const std::string& file_name) {
    return Lexer(text, file_name).run();
}

}  // namespace cadhost::dcl
