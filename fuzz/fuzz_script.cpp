// Fuzz target for the script runner's tokeniser: a script's text is read
// answer by answer, in the modes chosen by the input's first byte, with
// Lisp expressions read whole, until it ends. Every answer must consume
// input, so reading always ends, and no answer holds more than the text.
#include <cstdint>
#include <optional>
#include <string>

#include "finding.h"
#include "host/input.h"

using namespace cadhost::host;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    uint8_t modes = data[0];
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);
    Input in;
    in.start_script(text, "fuzz.scr");
    size_t answers = 0;
    for (;; ++answers) {
        if (answers > text.size() + 1) fuzz::finding("fuzz_script", "more answers than characters", text);
        ReadMode mode = (modes >> (answers % 8)) & 1 ? ReadMode::Line : ReadMode::Token;
        Answer a = in.read(mode);
        if (a.kind == Answer::Kind::End) break;
        if (a.text.size() > text.size()) fuzz::finding("fuzz_script", "an answer longer than the script", text);
        if (!a.text.empty() && a.text[0] == '(') {
            std::optional<std::string> expr = in.read_balanced(a.text);
            if (expr && expr->size() > text.size())
                fuzz::finding("fuzz_script", "an expression longer than the script", text);
        }
    }
    return 0;
}
