#include "foundation/cp932.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <random>
#include <string>

#include "foundation/sjis_literal.h"

namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) { return std::string(bytes.begin(), bytes.end()); }

// Every path from bytes to Unicode and back must give the bytes again.
void ExpectRoundTrips(const std::string& bytes)
{
    EXPECT_EQ(UnicodeToCp932(Cp932ToUnicode(bytes)), bytes);
    EXPECT_EQ(Utf8ToCp932(Cp932ToUtf8(bytes)), bytes);
    EXPECT_EQ(Utf16ToCp932(Cp932ToUtf16(bytes)), bytes);
}

// --- Decoding ---------------------------------------------------------------

TEST(Cp932Decode, AsciiBytesAreThemselves)
{
    for (int b = 0; b < 0x80; ++b)
        EXPECT_EQ(Cp932ToUnicode(std::string(1, static_cast<char>(b))), std::u32string(1, char32_t(b))) << b;
}

TEST(Cp932Decode, KnownCharacters)
{
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x95, 0x5C})), U"表");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x83, 0x5C})), U"ソ");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x82, 0xA0})), U"あ");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x40})), U"\u3000");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x60})), U"\uFF5E");  // ～ full-width tilde
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x7C})), U"\uFF0D");  // － full-width hyphen-minus
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x81})), U"＝");      // a lead byte as trail byte
    EXPECT_EQ(Cp932ToUnicode(std::string("a") + Bytes({0x95, 0x5C}) + "\\"), U"a表\\");
}

TEST(Cp932Decode, HalfWidthKatakanaAreSingleBytes)
{
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xB1})), U"ｱ");
    for (int b = 0xA1; b <= 0xDF; ++b)
        EXPECT_EQ(Cp932ToUnicode(std::string(1, static_cast<char>(b))), std::u32string(1, char32_t(0xFF61 + b - 0xA1)));
}

TEST(Cp932Decode, UndefinedSingleBytesBecomeEscapes)
{
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x80})), U"\xDC80");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xA0})), U"\xDCA0");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xFD, 0xFE, 0xFF})), U"\xDCFD\xDCFE\xDCFF");
}

TEST(Cp932Decode, LeadByteWithoutTrailIsEscaped)
{
    EXPECT_EQ(Cp932ToUnicode(std::string("a") + Bytes({0x81})), U"a\xDC81");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x82, 0xA0, 0xE0})), U"あ\xDCE0");
    // A zero byte is never a trail byte.
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x00, 'b'})), std::u32string(U"\xDC81") + char32_t(0) + U"b");
}

TEST(Cp932Decode, UndefinedPairEscapesBothBytes)
{
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0x7F})), U"\xDC81\xDC7F");
    // The pair is one character, as the pattern engine sees it: the newline
    // after the lead byte is its trail byte.
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, '\n', 'x'})), U"\xDC81\xDC0Ax");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x85, 0x40})), U"\xDC85\xDC40");
}

TEST(Cp932Decode, SecondCodesOfACharacterAreEscaped)
{
    // NEC row 13 repeats mathematical signs of row 2; only row 2 is kept.
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0xE0})), U"≒");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x87, 0x90})), U"\xDC87\xDC90");
    // NEC-selected IBM extensions (0xED, 0xEE) repeat the IBM extensions (0xFA..0xFC).
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xFA, 0x5C})), U"\u7E8A");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xED, 0x40})), U"\xDCED\xDC40");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x81, 0xCA})), U"￢");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xFA, 0x54})), U"\xDCFA\xDC54");
    EXPECT_EQ(Cp932ToUnicode(Bytes({0x87, 0x54})), U"Ⅰ");
}

TEST(Cp932Decode, UserDefinedAreaIsPrivateUse)
{
    EXPECT_EQ(Cp932ToUnicode(Bytes({0xF0, 0x40})), U"\uE000");
}

// --- Encoding ---------------------------------------------------------------

TEST(Cp932Encode, KnownCharacters)
{
    EXPECT_EQ(UnicodeToCp932(U"表"), Bytes({0x95, 0x5C}));
    EXPECT_EQ(UnicodeToCp932(U"ソ"), Bytes({0x83, 0x5C}));
    EXPECT_EQ(UnicodeToCp932(U"あ"), Bytes({0x82, 0xA0}));
    EXPECT_EQ(UnicodeToCp932(U"ｱ"), Bytes({0xB1}));
    EXPECT_EQ(UnicodeToCp932(U"\uFF5E\uFF0D"), Bytes({0x81, 0x60, 0x81, 0x7C}));
    EXPECT_EQ(UnicodeToCp932(U"key=値\n"), "key=" + Bytes({0x92, 0x6C}) + "\n");
}

TEST(Cp932Encode, EscapesBecomeTheirBytes)
{
    for (int b = 0; b < 0x100; ++b)
        EXPECT_EQ(UnicodeToCp932(std::u32string(1, char32_t(0xDC00 + b))), std::string(1, static_cast<char>(b)));
}

TEST(Cp932Encode, CodePointsWithoutACodeBecomeQuestionMarks)
{
    EXPECT_EQ(UnicodeToCp932(U"é"), "?");
    EXPECT_EQ(UnicodeToCp932(U"a\U0001F600b"), "a?b");
    EXPECT_EQ(UnicodeToCp932(U"\xD800\xDBFF\xDD00"), "???");
    EXPECT_EQ(UnicodeToCp932(std::u32string(1, char32_t(0x110000))), "?");
}

TEST(Cp932Encode, LookAlikesTakeTheCodeOfTheirCp932Character)
{
    EXPECT_EQ(UnicodeToCp932(U"\u301C"), Bytes({0x81, 0x60}));  // 〜 wave dash
    EXPECT_EQ(UnicodeToCp932(U"\u2212"), Bytes({0x81, 0x7C}));  // − minus sign
    EXPECT_EQ(UnicodeToCp932(U"\u2016"), Bytes({0x81, 0x61}));  // ‖
    EXPECT_EQ(UnicodeToCp932(U"\u00AC"), Bytes({0x81, 0xCA}));  // ¬
    EXPECT_EQ(UnicodeToCp932(U"\u00A5\u203E"), "\\~");
}

TEST(Cp932Encode, SecondCodesAreNotProduced)
{
    EXPECT_EQ(UnicodeToCp932(U"≒"), Bytes({0x81, 0xE0}));
    EXPECT_EQ(UnicodeToCp932(U"\u7E8A"), Bytes({0xFA, 0x5C}));
}

// --- Round trips ------------------------------------------------------------

TEST(Cp932RoundTrip, EverySingleByte)
{
    for (int b = 0; b < 0x100; ++b)
        ExpectRoundTrips(std::string(1, static_cast<char>(b)));
}

TEST(Cp932RoundTrip, EveryTwoByteString)
{
    for (int first = 0; first < 0x100; ++first) {
        for (int second = 0; second < 0x100; ++second) {
            const std::string bytes = {static_cast<char>(first), static_cast<char>(second)};
            const std::u32string text = Cp932ToUnicode(bytes);
            ASSERT_EQ(UnicodeToCp932(text), bytes) << first << ' ' << second;
            ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(bytes)), bytes) << first << ' ' << second;
            ASSERT_EQ(Utf16ToCp932(Cp932ToUtf16(bytes)), bytes) << first << ' ' << second;
        }
    }
}

TEST(Cp932RoundTrip, RandomByteStrings)
{
    std::mt19937 random(932);
    const unsigned char interesting[] = {0x00, 0x0A, 0x40, 0x5C, 0x7E, 0x7F, 0x80, 0x81, 0x87, 0x9F, 0xA0,
                                         0xA1, 0xDF, 0xE0, 0xED, 0xEE, 0xEF, 0xFA, 0xFC, 0xFD, 0xFF};
    for (int round = 0; round < 5000; ++round) {
        std::string bytes(random() % 48, '\0');
        for (char& c : bytes)
            c = static_cast<char>(random() % 2 ? interesting[random() % sizeof interesting] : random() % 0x100);
        const std::u32string text = Cp932ToUnicode(bytes);
        ASSERT_EQ(UnicodeToCp932(text), bytes) << round;
        ASSERT_EQ(Utf8ToCp932(Cp932ToUtf8(bytes)), bytes) << round;
        ASSERT_EQ(Utf16ToCp932(Cp932ToUtf16(bytes)), bytes) << round;
    }
}

TEST(Cp932RoundTrip, LargeText)
{
    std::string bytes;
    const std::string line = "\tname=" + Bytes({0x95, 0x5C, 0x83, 0x5C, 0xB1, 0x87, 0x90, 0x80}) + "abc\r\n";
    while (bytes.size() < (1u << 20))
        bytes += line;
    const std::u32string text = Cp932ToUnicode(bytes);
    EXPECT_EQ(text.substr(0, 17), U"\tname=表ソｱ\xDC87\xDC90\xDC80" U"abc\r\n");
    ExpectRoundTrips(bytes);
}

// --- UTF-8 ------------------------------------------------------------------

TEST(Cp932Utf8, CharactersAndEscapes)
{
    EXPECT_EQ(Cp932ToUtf8(std::string("a") + Bytes({0x95, 0x5C})), "a表");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0xB1})), "ｱ");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x80})), "\xED\xB2\x80");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0xFF})), "\xED\xB3\xBF");
    EXPECT_EQ(Cp932ToUtf8(Bytes({0x81, '\n'})), "\xED\xB2\x81\xED\xB0\x8A");
    EXPECT_EQ(Utf8ToCp932("表ソ=ｱ"), Bytes({0x95, 0x5C, 0x83, 0x5C, '=', 0xB1}));
    EXPECT_EQ(Utf8ToCp932("\xED\xB2\x80\xED\xB0\x8A"), Bytes({0x80, '\n'}));
}

TEST(Cp932Utf8, MalformedUtf8BytesAreTakenRaw)
{
    EXPECT_EQ(Utf8ToCp932("\xFF"), Bytes({0xFF}));
    EXPECT_EQ(Utf8ToCp932("\x80x"), Bytes({0x80, 'x'}));
    EXPECT_EQ(Utf8ToCp932("\xC0\xAF"), Bytes({0xC0, 0xAF}));         // overlong "/"
    EXPECT_EQ(Utf8ToCp932("\xE3\x81"), Bytes({0xE3, 0x81}));         // cut at the end
    EXPECT_EQ(Utf8ToCp932("\xE3\x81" "a"), Bytes({0xE3, 0x81, 'a'}));  // cut in the middle
    EXPECT_EQ(Utf8ToCp932("\xED\xA0\x80"), Bytes({0xED, 0xA0, 0x80}));  // U+D800
    EXPECT_EQ(Utf8ToCp932("\xF4\x90\x80\x80"), Bytes({0xF4, 0x90, 0x80, 0x80}));  // beyond U+10FFFF
    // CP932 text that is no UTF-8 passes through unchanged.
    EXPECT_EQ(Utf8ToCp932(Bytes({0x95, 0x5C, 0x82, 0xA0})), Bytes({0x95, 0x5C, 0x82, 0xA0}));
}

TEST(Cp932Utf8, CharactersBeyondCp932BecomeQuestionMarks)
{
    EXPECT_EQ(Utf8ToCp932("a😀é"), "a??");
}

TEST(Cp932Utf8, AppendUtf8WritesEveryLength)
{
    std::string out;
    for (char32_t cp : {U'A', U'é', U'表', U'😀', char32_t(0xDC80), char32_t(0x110000)})
        AppendUtf8(out, cp);
    EXPECT_EQ(out, "Aé表😀\xED\xB2\x80\xEF\xBF\xBD");
}

// --- UTF-16 -----------------------------------------------------------------

TEST(Cp932Utf16, OneUnitPerCharacterOrEscape)
{
    EXPECT_EQ(Cp932ToUtf16(Bytes({0x95, 0x5C, 'a', 0x80})), u"表a\xDC80");
    EXPECT_EQ(Utf16ToCp932(u"表a\xDC80"), Bytes({0x95, 0x5C, 'a', 0x80}));
}

TEST(Cp932Utf16, SurrogatesOtherThanEscapesBecomeQuestionMarks)
{
    EXPECT_EQ(Utf16ToCp932(u"a\U0001F600b"), "a?b");
    EXPECT_EQ(Utf16ToCp932(u"\xD800x"), "?x");
    EXPECT_EQ(Utf16ToCp932(u"\xDE00"), "?");
}

// --- Literals ---------------------------------------------------------------

TEST(SjisLiteral, YieldsCp932Bytes)
{
    EXPECT_STREQ(SJ("表"), "\x95\x5C");
    EXPECT_STREQ(SJ(u8"あいう"), "\x82\xA0\x82\xA2\x82\xA4");
    EXPECT_STREQ(SJ("%{%/j%}ｱ"), "%{%/j%}\xB1");
    EXPECT_STREQ(SJ(""), "");
}

TEST(SjisLiteral, ConvertsOncePerPlaceOfUse)
{
    const char* first = nullptr;
    for (int i = 0; i < 3; ++i) {
        const char* bytes = SJ("武器");
        if (!first)
            first = bytes;
        EXPECT_EQ(bytes, first);
    }
    EXPECT_NE(SJ("武器"), first);  // another place keeps its own copy
}

}  // namespace
