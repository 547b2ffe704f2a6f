// DCL parser. Top level: definitions "name : base { ... }" and include
// lines ("@include", "#include" or "include" followed by a quoted name).
// Inside a body: "attr = value;", ": type { ... }" and "name;".
#include "dcl/parser.h"

#include "dcl/lexer.h"
#include "dcl/messages.h"

namespace cadhost::dcl {

const TileDef* DclFile::find(const std::string& def_name) const {
    for (const TileDef& d : defs)
        if (d.name == def_name) return &d;
    return nullptr;
}

namespace {

class Parser {
public:
    Parser(std::vector<Token> toks, const std::string& file) : m_toks(std::move(toks)), m_file(file) {}
    Result<DclFile> run();

private:
    const Token& peek(size_t ahead = 0) const {
        size_t i = std::min(m_pos + ahead, m_toks.size() - 1);
        return m_toks[i];
    }
    bool at(TokenKind k, size_t ahead = 0) const { return peek(ahead).kind == k; }
    bool accept(TokenKind k) {
        if (!at(k)) return false;
        ++m_pos;
        return true;
    }
    Error error(Msg m) const { return Error{text(m), m_file, peek().line}; }
    Status include(DclFile& f);
    Result<TileDef> definition();
    Status body(TileDef& d);
    Status statement(TileDef& d);
    Result<AttrValue> value();

    std::vector<Token> m_toks;
    const std::string& m_file;
    size_t m_pos = 0;
    int m_depth = 0;  // tiles open around the current body
};

// Nesting beyond this is refused rather than recursed into.
constexpr int kMaxNesting = 64;

Result<DclFile> Parser::run() {
    DclFile f;
    f.name = m_file;
    while (!at(TokenKind::End)) {
        bool marked = accept(TokenKind::At) || accept(TokenKind::Hash);
        if (marked || (at(TokenKind::Name) && peek().text == "include" && at(TokenKind::String, 1))) {
            CH_TRY(include(f));
            continue;
        }
        f.defs.push_back(CH_TRY(definition()));
    }
    return f;
}

Status Parser::include(DclFile& f) {
    if (!at(TokenKind::Name) || peek().text != "include") return error(Msg::ExpectedName);
    ++m_pos;
    if (!at(TokenKind::String)) return error(Msg::ExpectedString);
    f.includes.push_back(peek().text);
    ++m_pos;
    accept(TokenKind::Semicolon);
    return ok_status();
}

Result<TileDef> Parser::definition() {
    TileDef d;
    d.file = m_file;
    d.line = peek().line;
    if (!at(TokenKind::Name)) return error(Msg::ExpectedName);
    d.name = peek().text;
    ++m_pos;
    if (!accept(TokenKind::Colon)) return error(Msg::ExpectedColon);
    if (!at(TokenKind::Name)) return error(Msg::ExpectedName);
    d.base = peek().text;
    ++m_pos;
    CH_TRY(body(d));
    accept(TokenKind::Semicolon);
    return d;
}

Status Parser::body(TileDef& d) {
    if (!accept(TokenKind::LBrace)) return error(Msg::ExpectedBrace);
    if (++m_depth > kMaxNesting) return error(Msg::NestingTooDeep);
    while (!accept(TokenKind::RBrace)) {
        if (at(TokenKind::End)) return error(Msg::ExpectedBrace);
        CH_TRY(statement(d));
    }
    --m_depth;
    return ok_status();
}

Status Parser::statement(TileDef& d) {
    if (accept(TokenKind::Colon)) {
        TileDef child;
        child.file = m_file;
        child.line = peek().line;
        if (!at(TokenKind::Name)) return error(Msg::ExpectedName);
        child.base = peek().text;
        ++m_pos;
        CH_TRY(body(child));
        accept(TokenKind::Semicolon);
        d.children.push_back(std::move(child));
        return ok_status();
    }
    if (!at(TokenKind::Name)) return error(Msg::ExpectedName);
    std::string name = peek().text;
    long line = peek().line;
    ++m_pos;
    if (accept(TokenKind::Equals)) {
        AttrValue v = CH_TRY(value());
        if (!accept(TokenKind::Semicolon)) return error(Msg::ExpectedSemicolon);
        d.attrs.emplace_back(std::move(name), std::move(v));
        return ok_status();
    }
    if (!accept(TokenKind::Semicolon)) return error(Msg::ExpectedSemicolon);
    TileDef child;
    child.base = std::move(name);
    child.file = m_file;
    child.line = line;
    d.children.push_back(std::move(child));
    return ok_status();
}

Result<AttrValue> Parser::value() {
    const Token& t = peek();
    ValueKind kind;
    switch (t.kind) {
    case TokenKind::String: kind = ValueKind::String; break;
    case TokenKind::Number: kind = ValueKind::Number; break;
    case TokenKind::Name: kind = ValueKind::Name; break;
    default: return error(Msg::ExpectedValue);
    }
    ++m_pos;
    return AttrValue{kind, t.text};
}

}  // namespace

Result<DclFile> parse_dcl(const std::string& text, const std::string& file_name) {
    auto toks = CH_TRY(tokenize(text, file_name));
    return Parser(std::move(toks), file_name).run();
}

}  // namespace cadhost::dcl
