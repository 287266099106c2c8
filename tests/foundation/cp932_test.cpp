#include "foundation/cp932.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <string>
#include <utility>
#include <vector>

#include "foundation/sjis_literal.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Decoding. Since every byte string comes back unchanged from every
// Unicode form with nothing refused (the cp932 fuzz target's check, over a
// seed of every pair of bytes), a character decoded here is also what its
// code point encodes to.
TEST(Cp932, Decode)
{
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(Cp932ToUnicode(std::string(1, static_cast<char>(b))), std::u32string(1, char32_t(b))) << b;
    for (int b = 0xA1; b <= 0xDF; ++b)  // half-width katakana are single bytes
        EXPECT_EQ(Cp932ToUnicode(std::string(1, static_cast<char>(b))), std::u32string(1, char32_t(0xFF61 + b - 0xA1)));
    const std::vector<std::pair<std::string, std::u32string>> rows = {
        {Bytes({0x95, 0x5C}), U"表"}, {Bytes({0x83, 0x5C}), U"ソ"}, {Bytes({0x82, 0xA0}), U"あ"}, {Bytes({0x92, 0x6C}), U"値"},
        {Bytes({0x81, 0x40}), U"\u3000"}, {Bytes({0x81, 0x60}), U"\uFF5E"}, {Bytes({0x81, 0x7C}), U"\uFF0D"},  // ～ －
        {Bytes({0x81, 0x81}), U"＝"}, {std::string("a") + Bytes({0x95, 0x5C}) + "\\", U"a表\\"},
        {Bytes({0xF0, 0x40}), U"\uE000"},  // the user-defined area is private use
        // Undefined single bytes and a lead byte without trail become escapes;
        // a zero byte is never a trail byte.
        {Bytes({0x80, 0xA0, 0xFD, 0xFE, 0xFF}), U"\xDC80\xDCA0\xDCFD\xDCFE\xDCFF"},
        {std::string("a") + Bytes({0x81}), U"a\xDC81"}, {Bytes({0x82, 0xA0, 0xE0}), U"あ\xDCE0"},
        {Bytes({0x81, 0x00, 'b'}), std::u32string(U"\xDC81") + char32_t(0) + U"b"},
        // An undefined pair escapes both bytes: it is one character, as the
        // pattern engine sees it. A byte that cannot be a second byte stands
        // alone behind a lead byte.
        {Bytes({0x81, 0x7F}), U"\xDC81\x7F"}, {Bytes({0x81, '\n', 'x'}), U"\xDC81\nx"},
        {Bytes({0x9F, '\r', 0xE0, 0xFD}), U"\xDC9F\r\xDCE0\xDCFD"}, {Bytes({0x85, 0x40}), U"\xDC85\xDC40"},
        // Second codes of a character are escaped: NEC row 13 repeats signs of
        // row 2, the NEC-selected IBM extensions (0xED, 0xEE) repeat the IBM
        // extensions (0xFA..0xFC).
        {Bytes({0x81, 0xE0}), U"≒"}, {Bytes({0x87, 0x90}), U"\xDC87\xDC90"}, {Bytes({0xFA, 0x5C}), U"\u7E8A"},
        {Bytes({0xED, 0x40}), U"\xDCED\xDC40"}, {Bytes({0x81, 0xCA}), U"￢"}, {Bytes({0xFA, 0x54}), U"\xDCFA\xDC54"},
        {Bytes({0x87, 0x54}), U"Ⅰ"},
    };
    for (const auto& [bytes, text] : rows)
        EXPECT_EQ(Cp932ToUnicode(bytes), text);
}

TEST(Cp932, TypedTextIsStoredOrRefused)
{
    for (int b = 0; b < 0x100; ++b)
        EXPECT_EQ(TypedToCp932(std::u32string(1, char32_t(0xDC00 + b))).bytes, std::string(1, static_cast<char>(b)));
    struct Row {
        std::u32string typed;
        std::string bytes;
        std::u32string refused;
    };
    const Row rows[] = {
        // The variants of JIS text are stored as the character CP932 has.
        {U"\u301C", Bytes({0x81, 0x60}), U""},  // 〜 as ～
        {U"\u2016", Bytes({0x81, 0x61}), U""},  // ‖ as ∥
        {U"\u2212", Bytes({0x81, 0x7C}), U""},  // − as －
        {U"\u00A2\u00A3\u00AC", Bytes({0x81, 0x91, 0x81, 0x92, 0x81, 0xCA}), U""},  // ¢£¬ as ￠￡￢
        {U"\u2014", Bytes({0x81, 0x5C}), U""},  // — as ―
        {U"\u00A6", Bytes({0xFA, 0x55}), U""},  // ¦ as ￤
        {U"\uFF5E\u2225\uFF0D\u2015", Bytes({0x81, 0x60, 0x81, 0x61, 0x81, 0x7C, 0x81, 0x5C}), U""},
        // Characters that tables would turn into others are refused: the
        // yen sign is no backslash, the overline no tilde.
        {U"a\u00A5b", "a?b", U"\u00A5"},
        {U"\u203E", "?", U"\u203E"},
        // Characters CP932 lacks, each named once in the order met.
        {U"\uD55C\u00E9\uD55C", "???", U"\uD55C\u00E9"},
        {U"a\U0001F600b", "a?b", U"\U0001F600"},
        {U"\xD800\xDBFF\xDD00x", "???x", U"\xD800\xDBFF\xDD00"},
        {std::u32string(1, char32_t(0x110000)), "?", std::u32string(1, char32_t(0x110000))},
    };
    for (const Row& row : rows) {
        const CTypedCp932 typed = TypedToCp932(row.typed);
        EXPECT_EQ(typed.bytes, row.bytes) << Cp932ToUtf8(row.bytes);
        EXPECT_EQ(typed.refused, row.refused) << Cp932ToUtf8(row.bytes);
    }
}

TEST(Cp932, Utf8AndUtf16)
{
    EXPECT_EQ(Cp932ToUtf8(std::string("a") + Bytes({0x95, 0x5C, 0xB1})), "a表ｱ");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x80, 0xFF})), "\xED\xB2\x80\xED\xB3\xBF");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x81, '\n'})), "\xED\xB2\x81\n");
    EXPECT_EQ(Utf8ToCp932("表ソ=ｱ"), Bytes({0x95, 0x5C, 0x83, 0x5C, '=', 0xB1}));
    EXPECT_EQ(Utf8ToCp932("\xED\xB2\x80\xED\xB0\x8A"), Bytes({0x80, '\n'}));
    EXPECT_EQ(Utf8ToCp932("a😀é¥"), "a???");
    EXPECT_EQ(TypedUtf8ToCp932("〜a😀é").refused, U"😀é");
    // Malformed UTF-8 bytes are taken raw, so CP932 text passes unchanged.
    for (const std::string& raw : {std::string("\xFF"), std::string("\x80x"), std::string("\xC0\xAF"),  // overlong "/"
                                   std::string("\xE3\x81"), std::string("\xE3\x81" "a"),  // cut short
                                   std::string("\xED\xA0\x80"), std::string("\xF4\x90\x80\x80"),  // U+D800, > U+10FFFF
                                   Bytes({0x95, 0x5C, 0x82, 0xA0})})
        EXPECT_EQ(Utf8ToCp932(raw), raw);
    std::string out;
    for (char32_t cp : {U'A', U'é', U'表', U'😀', char32_t(0xDC80), char32_t(0x110000)})
        AppendUtf8(out, cp);
    EXPECT_EQ(out, "Aé表😀\xED\xB2\x80\xEF\xBF\xBD");
    EXPECT_EQ(Cp932ToUtf16(Bytes({0x95, 0x5C, 'a', 0x80})), u"表a\xDC80");
    EXPECT_EQ(TypedUtf16ToCp932(u"表a\xDC80").bytes, Bytes({0x95, 0x5C, 'a', 0x80}));
    // A surrogate pair is one character refused; other surrogates are
    // refused as they are.
    const CTypedCp932 pair = TypedUtf16ToCp932(u"a\U0001F600b\xD800x\xDE00");
    EXPECT_EQ(pair.bytes, "a?b?x?");
    EXPECT_EQ(pair.refused, U"\U0001F600\xD800\xDE00");
}

TEST(SjisLiteral, YieldsCp932BytesOncePerPlaceOfUse)
{
    EXPECT_STREQ(SJ("表"), "\x95\x5C");
    EXPECT_STREQ(SJ(u8"あいう"), "\x82\xA0\x82\xA2\x82\xA4");
    EXPECT_STREQ(SJ("%{%/j%}ｱ"), "%{%/j%}\xB1");
    const char* places[3];
    for (const char*& place : places)
        place = SJ("武器");
    EXPECT_EQ(places[0], places[2]);
    EXPECT_NE(SJ("武器"), places[0]);  // another place keeps its own copy
}

}  // namespace
