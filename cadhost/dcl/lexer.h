// Splits DCL text into tokens: names, quoted strings, numbers and the
// punctuation : { } ; = @ #, skipping // and /* */ comments.
#pragma once

#include <string>
#include <vector>

#include "core/result.h"

namespace cadhost::dcl {

enum class TokenKind { Name, String, Number, Colon, LBrace, RBrace, Semicolon, Equals, At, Hash, End };

struct Token {
    TokenKind kind = TokenKind::End;
    std::string text;  // strings without quotes, escapes resolved
    long line = 1;
};

Result<std::vector<Token>> tokenize(const std::string& text, const std::string& file_name);

}  // namespace cadhost::dcl
