// The reports' formatter against printf itself: every format the reports
// use, over reals and integers chosen to meet rounding at the sixth decimal,
// huge and tiny magnitudes, negative zero and the limits of int and long.
#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <random>
#include <string>

#include "reports/exports_messages.h"
#include "reports/report_format.h"

namespace {

// What the report writer wrote through a memory stream.
template <typename... Args>
std::string made(const char* format, Args... args) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    {
        wcraft::ReportWriter w(f);
        w.printf(format, args...);
    }
    fclose(f);
    std::string out(text, size);
    free(text);
    return out;
}

template <typename... Args>
std::string printed(const char* format, Args... args) {
    int n = snprintf(nullptr, 0, format, args...);
    std::string out(static_cast<size_t>(n), '\0');
    snprintf(out.data(), out.size() + 1, format, args...);
    return out;
}

TEST(ReportFormat, RealsAreWrittenAsPrintfWritesThem) {
    std::mt19937_64 rng(7);
    std::uniform_real_distribution<double> near(-1000.0, 1000.0);
    std::vector<double> values = {0.0, -0.0, 0.5e-6, 0.5e-6 + 1e-20, 1.0000005, 2.5e-7, 1e300, -1e300, DBL_MAX,
                                  DBL_MIN, 123456.0000005, 0.0000015, 0.0000025, HUGE_VAL, -HUGE_VAL, NAN};
    for (int i = 0; i < 100000; ++i) {
        double v = near(rng);
        values.push_back(v);
        values.push_back(std::round(v * 1e6) / 1e6 + 5e-7);  // ties and near-ties at the sixth decimal
        values.push_back(std::ldexp(v, static_cast<int>(rng() % 200) - 100));
        values.push_back(std::trunc(std::ldexp(v, static_cast<int>(rng() % 45))));  // whole numbers up to 2^55
    }
    for (double v : {1e15, -1e15, 1e15 - 1, 1e15 + 1, 9007199254740992.0, -1.0, -0.0})
        values.push_back(v);
    size_t checked = 0;
    for (double v : values) {
        ASSERT_EQ(made("%f", v), printed("%f", v)) << v;
        ++checked;
    }
    EXPECT_GT(checked, 300000u);
}

TEST(ReportFormat, EveryConversionOfTheReportsMatches) {
    for (int v : {0, -1, 7, INT_MAX, INT_MIN})
        EXPECT_EQ(made("\n%d\n%s", v, "WIRE"), printed("\n%d\n%s", v, "WIRE"));
    for (long v : {0L, -10L, LONG_MAX, LONG_MIN}) EXPECT_EQ(made("\n%d\n%ld", 1, v), printed("\n%d\n%ld", 1, v));
    EXPECT_EQ(made(wcraft::xmsg::kAuditSegment, 3, 10.5, 200.0, -0.0, 1e-7, 12, 4, -1, 0, 10),
              printed(wcraft::xmsg::kAuditSegment, 3, 10.5, 200.0, -0.0, 1e-7, 12, 4, -1, 0, 10));
    EXPECT_EQ(made("100%% %s", "done"), "100% done");
    std::string name(3000, 'N');  // longer than the formatter's buffer
    EXPECT_EQ(made("(%s)(%f)", name.c_str(), 1.5), printed("(%s)(%f)", name.c_str(), 1.5));
}

TEST(ReportFormat, OtherFormatsGoToPrintf) {
    EXPECT_EQ(made("%5d|%-4s|%.2f", 42, "ab", 3.14159), printed("%5d|%-4s|%.2f", 42, "ab", 3.14159));
}

// A long report: buffered text, texts longer than the buffer and formats
// handed to printf come out in the order they were written, and a format
// seen once as plain or not is not taken for another at a similar address.
TEST(ReportFormat, ALongReportKeepsItsOrder) {
    char* text = nullptr;
    size_t size = 0;
    FILE* f = open_memstream(&text, &size);
    std::string expected;
    static const char* const kFormats[] = {"<%d>", "[%5d]", "(%ld)", "{%f}", "%s;", "%x."};
    {
        wcraft::ReportWriter w(f);
        std::string big(70000, 'B');
        for (int i = 0; i < 40000; ++i) {
            const char* fmt = kFormats[i % 6];
            switch (i % 6) {
                case 0: case 1: case 5: w.printf(fmt, i); expected += printed(fmt, i); break;
                case 2: w.printf(fmt, -7L * i); expected += printed(fmt, -7L * i); break;
                case 3: w.printf(fmt, i / 3.0); expected += printed(fmt, i / 3.0); break;
                default: w.printf(fmt, "t"); expected += "t;"; break;
            }
            if (i % 10000 == 0) {
                w.put(big);
                expected += big;
            }
        }
    }
    fclose(f);
    std::string out(text, size);
    free(text);
    EXPECT_EQ(out.size(), expected.size());
    EXPECT_TRUE(out == expected);
}

}  // namespace
