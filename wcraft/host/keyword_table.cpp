// Prefix matching in table order: the earliest entry that the input
// abbreviates wins.
#include "host/keyword_table.h"

#include <cstring>

namespace wcraft {

const KeywordEntry* match_keyword(const KeywordTable& table, const char* input) {
    size_t n = strlen(input);
    for (size_t i = 0; i < table.count; ++i)
        if (strncmp(table.entries[i].keyword, input, n) == 0 && strlen(table.entries[i].keyword) >= n)
            return &table.entries[i];
    return nullptr;
}

}  // namespace wcraft
