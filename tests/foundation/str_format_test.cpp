#include "foundation/str_base.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>

// Texts are Shift-JIS bytes:
//   "\x95\x5c"  the kanji "table"; its second byte is '\\'
//   "\x82\xa0"  hiragana A
// No Shift-JIS character has '%' (0x25) as its second byte, but the scan
// treats any lead byte followed by a non-zero byte as one character, so
// "\x81%" is one character and never starts a conversion.

namespace {

template <class... Args>
std::string Fmt(const char* format, Args... args)
{
    CStr_base<64> s("old text");
    s.Format(format, args...);
    return std::string(s.GetBuffer(), s.GetLength());
}

} // namespace

TEST(StrFormat, LiteralsAndDoubleByteCharacters)
{
    EXPECT_EQ(Fmt(""), "");
    EXPECT_EQ(Fmt("100%% done"), "100% done");
    EXPECT_EQ(Fmt("%%%%"), "%%");
    EXPECT_EQ(Fmt("\x82\xa0%d\x82\xa0", 1), "\x82\xa0" "1\x82\xa0");
    EXPECT_EQ(Fmt("\x95\x5c%d", 5), "\x95\x5c" "5");
    // A "%" as second byte is no conversion; "\x81%" then "%" ends the format.
    EXPECT_EQ(Fmt("\x81%d", 5), "\x81%d");
    EXPECT_EQ(Fmt("\x81%s", "x"), "\x81%s");
    EXPECT_EQ(Fmt("\x81%%"), "\x81%%");
    EXPECT_EQ(Fmt("ab\x81"), "ab\x81");  // a lead byte before the end is a single byte
    EXPECT_EQ(Fmt("%s\\backup\\inc-item-data%04d%02d%02d%02d%02d%02d.cgi", "C:\\\x95\x5c", 2024, 1, 2, 3, 4, 5),
              "C:\\\x95\x5c\\backup\\inc-item-data20240102030405.cgi");
}

TEST(StrFormat, Integers)
{
    EXPECT_EQ(Fmt("%d|%i", -42, 7), "-42|7");
    EXPECT_EQ(Fmt("[%5d][%-5d]", 42, 42), "[   42][42   ]");
    EXPECT_EQ(Fmt("[%05d]", -42), "[-0042]");
    EXPECT_EQ(Fmt("%+d %+d [% d]", 5, -5, 5), "+5 -5 [ 5]");
    EXPECT_EQ(Fmt("%.3d", 5), "005");
    EXPECT_EQ(Fmt("%-+06d|", 3), "+3    |");
    EXPECT_EQ(Fmt("%u", static_cast<unsigned>(-1)), "4294967295");
    EXPECT_EQ(Fmt("%o %#o", 8u, 8u), "10 010");
    EXPECT_EQ(Fmt("%x %X %#x", 255u, 255u, 255u), "ff FF 0xff");
    EXPECT_EQ(Fmt("%08X", 0xBEEFu), "0000BEEF");
    // Size letters.
    EXPECT_EQ(Fmt("%hd", 70000), "4464");
    EXPECT_EQ(Fmt("%hu", 65537), "1");
    EXPECT_EQ(Fmt("%hx", 0x12345), "2345");
    EXPECT_EQ(Fmt("%ld", LONG_MIN), std::to_string(LONG_MIN));
    EXPECT_EQ(Fmt("%lu", ULONG_MAX), std::to_string(ULONG_MAX));
    EXPECT_EQ(Fmt("%lx", 0xABCDEFUL), "abcdef");
    // Arguments after a long one are still read at the right place.
    EXPECT_EQ(Fmt("%ld/%d", 1L << 40, 9), std::to_string(1L << 40) + "/9");
}

TEST(StrFormat, CharactersFloatsPointersAndCounts)
{
    EXPECT_EQ(Fmt("%c%c[%3c][%-3c]", 'o', 'k', 'a', 'b'), "ok[  a][b  ]");
    EXPECT_EQ(Fmt("%f %.2f", 1.5, 3.14159), "1.500000 3.14");
    EXPECT_EQ(Fmt("[%8.3f]", 3.14159), "[   3.142]");
    EXPECT_EQ(Fmt("%e %E", 12345.678, 12345.678), "1.234568e+04 1.234568E+04");
    EXPECT_EQ(Fmt("%g %g %G", 0.0001, 100000.0, 1e-10), "0.0001 100000 1E-10");
    EXPECT_EQ(Fmt("%#.0f", 2.0), "2.");
    EXPECT_EQ(Fmt("%lf", 2.5), "2.500000");

    int x = 0;
    char expected[64];
    std::snprintf(expected, sizeof expected, "%p", static_cast<void*>(&x));
    EXPECT_EQ(Fmt("%p", static_cast<void*>(&x)), expected);

    // %n stores the bytes produced so far.
    int n = -1;
    EXPECT_EQ(Fmt("ab%ncd", &n), "abcd");
    EXPECT_EQ(n, 2);
    Fmt("\x82\xa0%d%n", 123, &n);
    EXPECT_EQ(n, 5);
    Fmt("%n", &n);
    EXPECT_EQ(n, 0);
    short h = -1;
    long l = -1;
    Fmt("%s%hn-%ln", std::string(300, 'z').c_str(), &h, &l);
    EXPECT_EQ(h, 300);
    EXPECT_EQ(l, 301);
}

TEST(StrFormat, Texts)
{
    EXPECT_EQ(Fmt("[%5s][%-5s]", "abc", "abc"), "[  abc][abc  ]");
    EXPECT_EQ(Fmt("[%.2s][%5.1s][%.0s]", "abc", "abc", "abc"), "[ab][    a][]");
    EXPECT_EQ(Fmt("[%2s]", "abc"), "[abc]");
    EXPECT_EQ(Fmt("%s", static_cast<const char*>(nullptr)), "(null)");
    // Precision keeps double-byte characters whole; width counts bytes.
    EXPECT_EQ(Fmt("[%.1s]", "\x82\xa0"), "[]");
    EXPECT_EQ(Fmt("[%.3s]", "\x82\xa0\x82\xa0"), "[\x82\xa0]");
    EXPECT_EQ(Fmt("[%.2s]", "a\x82\xa0"), "[a]");
    EXPECT_EQ(Fmt("[%4.3s]", "a\x95\x5c\x82\xa0"), "[ a\x95\x5c]");
    EXPECT_EQ(Fmt("[%3s]", "\x82\xa0"), "[ \x82\xa0]");
    // Precision reads no further than its limit.
    const char unterminated[3] = {'a', 'b', 'c'};
    EXPECT_EQ(Fmt("%.3s", unterminated), "abc");
    // No length limit.
    const std::string longText(1000, 'q');
    EXPECT_EQ(Fmt("<%s>", longText.c_str()), "<" + longText + ">");
    EXPECT_EQ(Fmt("%1200s", longText.c_str()), std::string(200, ' ') + longText);
    EXPECT_EQ(Fmt("%-1100s|", longText.c_str()), longText + std::string(100, ' ') + "|");
    EXPECT_EQ(Fmt("%.500s", longText.c_str()), std::string(500, 'q'));
    // The argument text may be the string itself.
    CStr_base<64> s("abc");
    s.Format("%s-%s", s.GetBuffer(), s.GetBuffer());
    EXPECT_STREQ(s, "abc-abc");
}

TEST(StrFormat, WidthAndPrecisionFromArguments)
{
    EXPECT_EQ(Fmt("[%*d][%-*d]", 4, 7, 4, 7), "[   7][7   ]");
    EXPECT_EQ(Fmt("[%.*f]", 2, 3.14159), "[3.14]");
    EXPECT_EQ(Fmt("[%*.*s]", 6, 2, "abcdef"), "[    ab]");
    EXPECT_EQ(Fmt("[%0*d]", 5, 42), "[00042]");
    // A negative width aligns left, a negative precision is none.
    EXPECT_EQ(Fmt("[%*d][%*s]", -4, 7, -4, "ab"), "[7   ][ab  ]");
    EXPECT_EQ(Fmt("[%.*s][%.*f]", -1, "abc", -1, 1.5), "[abc][1.500000]");
}

TEST(StrFormat, MalformedAndOverlongConversions)
{
    // An unknown conversion is copied and takes no argument; the byte that
    // ends the attempt is read again.
    EXPECT_EQ(Fmt("%y"), "%y");
    EXPECT_EQ(Fmt("%5k|%d", 3), "%5k|3");
    EXPECT_EQ(Fmt("%*y %d", 3), "%*y 3");
    EXPECT_EQ(Fmt("%lld %d", 9), "%lld 9");
    EXPECT_EQ(Fmt("%\x82\xa0"), "%\x82\xa0");
    EXPECT_EQ(Fmt("%-%d", 4), "%-4");
    // A format ending inside a conversion is copied.
    EXPECT_EQ(Fmt("50%"), "50%");
    EXPECT_EQ(Fmt("x%-08."), "x%-08.");
    EXPECT_EQ(Fmt("%l"), "%l");
    EXPECT_EQ(Fmt("%d%*", 1), "1%*");
    // 264 bytes of scratch hold 263 bytes of one conversion and the terminator.
    EXPECT_EQ(Fmt("%300d|", 1), std::string(263, ' ') + "|");
    const std::string digits = Fmt("%.300f", 1.0);
    EXPECT_EQ(digits.size(), 263u);
    EXPECT_EQ(digits.substr(0, 5), "1.000");
}
