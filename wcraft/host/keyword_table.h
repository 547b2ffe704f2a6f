// Keyword tables of the command shell and the prefix matching rule.
#pragma once

#include <cstddef>

struct resbuf;

namespace wcraft {

// Where a shell reads its next keyword from: the remaining AutoLISP
// arguments of XWCRAFT, or nothing (prompt the user).
struct ArgCursor {
    struct resbuf* current = nullptr;
    bool present = false;  // an argument list was given at all
};

// A handler returns 0 to end the menu that ran it, anything else to go on.
using KeywordHandler = int (*)(ArgCursor& args);

struct KeywordEntry {
    const char* keyword;
    KeywordHandler handler;
};

struct KeywordTable {
    const KeywordEntry* entries;
    size_t count;
};

// The first entry whose keyword starts with `input` (already upper case),
// or nullptr.
const KeywordEntry* match_keyword(const KeywordTable& table, const char* input);

}  // namespace wcraft
