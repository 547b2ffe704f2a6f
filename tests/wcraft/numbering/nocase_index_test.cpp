// The case-folded index answers as a walk with same_text_nocase would.

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "extract/entity_access.h"
#include "numbering/nocase_index.h"

namespace wcraft::test {
namespace {

// The indexes from `first` on whose text equals `text` ignoring case.
std::vector<uint32_t> walk(const std::vector<std::string>& texts, const std::string& text, uint32_t first) {
    std::vector<uint32_t> out;
    for (uint32_t i = first; i < texts.size(); ++i)
        if (same_text_nocase(texts[i], text)) out.push_back(i);
    return out;
}

std::vector<uint32_t> listed(NocaseIndex::Indexes indexes) { return {indexes.begin(), indexes.end()}; }

TEST(NocaseIndex, FindsWhatAWalkWithTheCaseFreeComparisonFinds) {
    std::mt19937 rng(3);
    const std::string letters = "aAbB-1\xe9\xc9@[{`";  // bytes above ASCII, and the neighbours of the letters
    size_t hits = 0, later_hits = 0, empty_hits = 0;
    for (int round = 0; round < 300; ++round) {
        std::vector<std::string> texts(rng() % 40);
        for (std::string& t : texts)
            for (size_t n = rng() % 4; n > 0; --n) t += letters[rng() % letters.size()];
        if (round % 5 == 0 && !texts.empty()) texts.back() = "ABCDEFGHIJKLMNO";  // a full field
        NocaseIndex index;
        for (uint32_t i = 0; i < texts.size(); ++i) index.add(texts[i], i);
        index.finish();
        for (int q = 0; q < 30; ++q) {
            std::string text = q == 0 ? "abcdefghijklmno" : q == 1 ? "" : texts.empty() ? "x" : texts[rng() % texts.size()];
            if (q % 3 == 2)
                for (char& ch : text) ch = static_cast<char>(ch ^ 0x20);  // other case, or another character
            uint32_t above = static_cast<uint32_t>(rng() % (texts.size() + 1));
            EXPECT_EQ(listed(index.find(text)), walk(texts, text, 0)) << "round " << round << " [" << text << "]";
            EXPECT_EQ(listed(index.after(text, above)), walk(texts, text, above + 1)) << "round " << round;
            hits += index.find(text).size();
            later_hits += index.after(text, above).size();
            if (text.empty()) empty_hits += index.find(text).size();
        }
    }
    EXPECT_GT(hits, 2000u);
    EXPECT_GT(later_hits, 500u);
    EXPECT_GT(empty_hits, 100u);
    NocaseIndex none;
    none.finish();
    EXPECT_TRUE(none.find("A").empty());
    EXPECT_TRUE(none.find("ABCDEFGHIJKLMNOP").empty());  // longer than any key
}

}  // namespace
}  // namespace wcraft::test
