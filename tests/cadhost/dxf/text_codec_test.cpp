// Code pages and the escapes of string values.
#include <gtest/gtest.h>

#include "dxf/text_codec.h"

using namespace cadhost::dxf;

TEST(TextCodec, EncodingFollowsVersionAndCodePage) {
    EXPECT_EQ(TextCodec::for_file("AC1009", "").kind(), TextCodec::Kind::Cp1252);
    EXPECT_EQ(TextCodec::for_file("AC1015", "ansi_1252").kind(), TextCodec::Kind::Cp1252);
    EXPECT_EQ(TextCodec::for_file("AC1018", "ANSI_1250").kind(), TextCodec::Kind::Iconv);
    EXPECT_EQ(TextCodec::for_file("AC1021", "ANSI_1250").kind(), TextCodec::Kind::Utf8);
    EXPECT_EQ(TextCodec::for_file("AC1032", "").kind(), TextCodec::Kind::Utf8);
    EXPECT_EQ(TextCodec::for_file("AC1015", "ANSI_99999").kind(), TextCodec::Kind::Raw);
}

TEST(TextCodec, Cp1252BothWays) {
    TextCodec c = TextCodec::for_file("AC1015", "ANSI_1252");
    EXPECT_EQ(c.decode("K\xFC" "che \x80 \x9F"), "Küche € Ÿ");
    EXPECT_EQ(c.encode("Küche € Ÿ"), "K\xFC" "che \x80 \x9F");
    EXPECT_EQ(c.encode("Ж"), "\\U+0416") << "characters the code page lacks are escaped";
    EXPECT_EQ(c.decode(c.encode("Ж")), "Ж");
    EXPECT_EQ(c.decode("\x81"), "\xC2\x81") << "undefined bytes survive as their code points";
    EXPECT_EQ(c.encode(c.decode("\x81")), "\x81");
}

TEST(TextCodec, CaretEscapesControlCharactersAndItself) {
    TextCodec c = TextCodec::utf8();
    EXPECT_EQ(c.decode("a^Jb^Ic^ d^@"), std::string("a\nb\tc^d\0", 8));
    EXPECT_EQ(c.encode("a\nb\tc^d"), "a^Jb^Ic^ d");
    EXPECT_EQ(c.decode("x^"), "x^") << "a caret at the end stays";
    EXPECT_EQ(c.decode("x^a"), "x^a") << "a caret before other characters stays";
    EXPECT_EQ(c.decode(c.encode("^a")), "^a");
}

TEST(TextCodec, UnicodeEscapesDecodeToUtf8) {
    TextCodec c = TextCodec::utf8();
    EXPECT_EQ(c.decode("\\U+00B0 \\U+2205\\U+6D01"), "° ∅洁");
    EXPECT_EQ(c.decode("\\U+00G0"), "\\U+00G0") << "not an escape";
    EXPECT_EQ(c.decode("\\U+12"), "\\U+12");
    EXPECT_EQ(c.decode("\\P\\U+0041"), "\\PA");
    EXPECT_EQ(c.encode("洁"), "洁") << "UTF-8 files hold any character";
    EXPECT_EQ(c.decode("bad \xFF byte"), "bad \xC3\xBF byte") << "invalid UTF-8 read as single bytes";
}

TEST(TextCodec, OtherCodePagesThroughTheLibrary) {
    TextCodec c = TextCodec::for_file("AC1015", "ANSI_1250");
    ASSERT_EQ(c.kind(), TextCodec::Kind::Iconv);
    EXPECT_EQ(c.decode("\x8A\xE8"), "Šč");
    EXPECT_EQ(c.encode("Šč"), "\x8A\xE8");
    EXPECT_EQ(c.encode("Ж€"), "\\U+0416\x80");
    EXPECT_TRUE(c.can_encode("Šč"));
    EXPECT_FALSE(c.can_encode("洁"));
    TextCodec gbk = TextCodec::for_file("AC1015", "ANSI_936");
    EXPECT_TRUE(gbk.can_encode("洁具"));
    EXPECT_EQ(gbk.decode(gbk.encode("洁具")), "洁具");
}
