// Splitting DXF text into tags, writing tags, and the number/handle text of values.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <random>
#include <string>
#include <vector>

#include "dxf/tag_reader.h"
#include "dxf/tag_writer.h"
#include "dxf/value_text.h"

using namespace cadhost;
using namespace cadhost::dxf;

namespace {

std::vector<RawTag> all_tags(std::string_view text, Error* err = nullptr) {
    TagReader r(text, "t.dxf");
    std::vector<RawTag> out;
    RawTag t;
    for (;;) {
        auto s = r.next(t);
        if (!s) {
            if (err) *err = s.error();
            break;
        }
        if (*s == ReadState::End) break;
        out.push_back(t);
    }
    return out;
}

}  // namespace

TEST(TagReader, SplitsPairsWithAnyLineEndAndBlanksAroundCodes) {
    auto tags = all_tags("  0\r\nSECTION\r\n 2 \nHEADER\n\t999\n comment with spaces \n1071\n12\n");
    ASSERT_EQ(tags.size(), 4u);
    EXPECT_EQ(tags[0].code, 0);
    EXPECT_EQ(tags[0].value, "SECTION");
    EXPECT_EQ(tags[1].code, 2);
    EXPECT_EQ(tags[1].line, 3);
    EXPECT_EQ(tags[2].value, " comment with spaces ") << "value lines keep their blanks";
    EXPECT_EQ(tags[3].code, 1071);
    EXPECT_EQ(tags[3].line, 7);
}

TEST(TagReader, EndsAtTrailingBlankLinesAndWithoutFinalNewline) {
    EXPECT_EQ(all_tags("0\nEOF\n\n\n  \n").size(), 1u);
    auto tags = all_tags("0\nEOF");
    ASSERT_EQ(tags.size(), 1u);
    EXPECT_EQ(tags[0].value, "EOF");
    EXPECT_TRUE(all_tags("").empty());
    EXPECT_EQ(all_tags("\xEF\xBB\xBF  0\nEOF\n").size(), 1u) << "byte order mark skipped";
}

TEST(TagReader, ReportsTheLineOfABadCodeOrMissingValue) {
    struct Case {
        const char* text;
        long line;
        const char* why;
    };
    for (const Case& c : {Case{"0\nLINE\n8\n0\nten\n1\n", 5, "a code that is no number"},
                          Case{"0\nLINE\n\n\n8\n0\n", 3, "an empty code line"},
                          Case{"0\nLINE\n 8", 3, "a code without its value"},
                          Case{"0\nLINE\n99999999999999\nx\n", 3, "codes beyond int range are malformed"},
                          Case{"Xxxxxxx Binary DXF\r\n\x1a", 1, "a binary file"}}) {
        Error e;  // each case its own, so that none passes on an earlier case's error
        all_tags(c.text, &e);
        EXPECT_EQ(e.line, c.line) << c.why;
        EXPECT_EQ(e.file, "t.dxf") << c.why;
    }
    Error binary;
    all_tags("Xxxxxxx Binary DXF\r\n\x1a", &binary);
    EXPECT_NE(binary.message.find("binary"), std::string::npos);
}

TEST(TagReader, UnreadGivesTheSameTagAgain) {
    TagReader r("0\nA\n0\nB\n", "t");
    RawTag t;
    ASSERT_TRUE(r.next(t).ok());
    r.unread();
    ASSERT_TRUE(r.next(t).ok());
    EXPECT_EQ(t.value, "A");
    ASSERT_TRUE(r.next(t).ok());
    EXPECT_EQ(t.value, "B");
}

TEST(TagWriter, RightAlignsCodesInThreeColumns) {
    std::string out;
    TagWriter w(out);
    w.tag(0, "LINE");
    w.tag(10, "1.5");
    w.tag(100, "AcDbLine");
    w.tag(1071, "7");
    EXPECT_EQ(out, "  0\nLINE\n 10\n1.5\n100\nAcDbLine\n1071\n7\n");
}

// Reals of every common form read exactly as the standard library reads
// them, to the last bit and the sign of zero.
TEST(ValueText, RealsReadAsTheStandardLibraryReadsThem) {
    std::vector<std::string> texts = {"0", "-0", "0.0", "-0.0", "1", "10.25", "-3.125", "0.1", "0.3", "2.675",
                                      "123456789012345", "1234567890.12345", "0.000000000000001",
                                      "999999999999999.", ".5", "5.", "1.0e2", "-.0", "0012.50", "00000000000000001"};
    uint64_t x = 88172645463325252u;
    auto next = [&x] {
        x ^= x << 13, x ^= x >> 7, x ^= x << 17;
        return x;
    };
    for (int i = 0; i < 20000; ++i) {
        int digits = static_cast<int>(next() % 17) + 1;
        int dot = static_cast<int>(next() % (digits + 1));
        std::string t = next() % 3 == 0 ? "-" : "";
        for (int d = 0; d < digits; ++d) {
            if (d == dot && d > 0) t += '.';
            t += static_cast<char>('0' + next() % 10);
        }
        texts.push_back(t);
    }
    for (const std::string& t : texts) {
        double want = 0;
        auto r = std::from_chars(t.data(), t.data() + t.size(), want);
        auto got = parse_real(t);
        if (r.ec != std::errc() || r.ptr != t.data() + t.size()) {
            EXPECT_FALSE(got) << t;
            continue;
        }
        ASSERT_TRUE(got) << t;
        EXPECT_EQ(std::signbit(*got), std::signbit(want)) << t;
        EXPECT_EQ(*got, want) << t;
    }
}

// Reals are written in their shortest form that reads back equal, with
// ".0" on whole numbers, whichever way the writer gets there.
TEST(ValueText, RealsAreWrittenInTheirShortestForm) {
    auto shortest = [](double v) {
        char buf[64];
        auto r = std::to_chars(buf, buf + sizeof buf, v);
        std::string s(buf, r.ptr);
        if (s.find_first_of(".eEn") == std::string::npos) s += ".0";
        return s;
    };
    std::vector<double> values;
    for (int i = -120000; i <= 120000; i += 7) values.push_back(i);
    for (double v : {99999.0, -99999.0, 100000.0, -100000.0, 10000.0, 1e15, 1e16, 0.5, -2.25, 1e-7, 123456.5})
        values.push_back(v);
    // Decimals of a few places, their neighbours a bit apart and values
    // needing all their digits, around the bounds of the decimal fast path.
    std::mt19937_64 rng(7);
    for (int i = 0; i < 40000; ++i) {
        int places = static_cast<int>(rng() % 8);
        double scale = std::pow(10.0, places);
        double v = static_cast<double>(static_cast<int64_t>(rng() % 200000000) - 100000000) / scale;
        values.push_back(v);
        values.push_back(std::nextafter(v, 1e300));
        values.push_back(std::nextafter(v, -1e300));
    }
    for (double v : {1.0, 0.999999, 1.0000001, 99999.999999, 99999.9999995, 12.3456785, 0.1 + 0.2, 1.1, 2.675})
        values.push_back(v), values.push_back(-v);
    for (double v : values) EXPECT_EQ(format_real(v), shortest(v)) << std::hexfloat << v;
    EXPECT_EQ(format_real(100000.0), "1e+05");
    EXPECT_EQ(format_real(-0.0), "0.0");
}

TEST(ValueText, NumbersAndHandles) {
    EXPECT_EQ(parse_real(" 1.5 "), 1.5);
    EXPECT_EQ(parse_real("+2"), 2.0);
    EXPECT_EQ(parse_real("1e3"), 1000.0);
    EXPECT_EQ(parse_real("2.22507e-308"), 2.22507e-308);
    EXPECT_FALSE(parse_real("1.#INF"));
    EXPECT_FALSE(parse_real("nan"));
    EXPECT_FALSE(parse_real(""));
    EXPECT_EQ(parse_int(" -12"), -12);
    EXPECT_FALSE(parse_int("1.5"));
    EXPECT_EQ(parse_handle("1f"), 0x1Fu);
    EXPECT_EQ(parse_handle("1F"), 0x1Fu);
    EXPECT_FALSE(parse_handle("G1"));
    EXPECT_FALSE(parse_handle("12345678901234567"));
    EXPECT_EQ(format_handle(0xabc), "ABC");
    EXPECT_EQ(format_real(1), "1.0");
    EXPECT_EQ(format_real(-0.0), "0.0");
    EXPECT_EQ(format_real(0.1), "0.1");
    EXPECT_EQ(parse_real(format_real(1.0 / 3)), 1.0 / 3) << "shortest form reads back equal";
    EXPECT_EQ(format_hex_bytes({0x0A, 0xFF}), "0AFF");
    EXPECT_EQ(parse_hex_bytes("0aff"), (std::vector<uint8_t>{0x0A, 0xFF}));
    EXPECT_FALSE(parse_hex_bytes("ABC"));
    EXPECT_TRUE(equal_nocase("Model_Space", "MODEL_SPACE"));
    EXPECT_FALSE(equal_nocase("Layer1", "Layer2"));
}
