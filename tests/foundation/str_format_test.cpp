// printf-style formatting: literal text with double-byte characters whole,
// the argument kinds each conversion reads, "%s" without a length limit,
// and text that only looks like a conversion.
#include "foundation/str_base.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <string>
#include <utility>
#include <vector>

// No Shift-JIS character has '%' (0x25) as its second byte: a lead byte
// before "%" is a byte of its own and the "%" starts a conversion.

namespace {

template <class... Args>
std::string Fmt(const char* format, Args... args)
{
    CStr_base<64> s("old text");
    s.Format(format, args...);
    return std::string(s.GetBuffer(), s.GetLength());
}

using Rows = std::vector<std::pair<std::string, std::string>>;  // (formatted, expected)

void Check(const Rows& rows)
{
    for (size_t i = 0; i < rows.size(); ++i)
        EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
}

}  // namespace

TEST(StrFormat, LiteralsAndDoubleByteCharacters)
{
    Check({
        {Fmt(""), ""}, {Fmt("100%% done"), "100% done"}, {Fmt("%%%%"), "%%"},
        {Fmt("\x82\xa0%d\x82\xa0", 1), "\x82\xa0" "1\x82\xa0"}, {Fmt("\x95\x5c%d", 5), "\x95\x5c" "5"},
        // A lead byte before "%" or before the end is a single byte.
        {Fmt("\x81%d", 5), "\x81" "5"}, {Fmt("\x81%s", "x"), "\x81x"}, {Fmt("\x81%%"), "\x81%"},
        {Fmt("ab\x81"), "ab\x81"},
        {Fmt("%s\\backup\\inc-item-data%04d%02d%02d%02d%02d%02d.cgi", "C:\\\x95\x5c", 2024, 1, 2, 3, 4, 5),
         "C:\\\x95\x5c\\backup\\inc-item-data20240102030405.cgi"},
    });
}

TEST(StrFormat, FlagsWidthsPrecisionsAndArgumentSizes)
{
    Check({
        {Fmt("%d|%i|%u", -42, 7, static_cast<unsigned>(-1)), "-42|7|4294967295"},
        {Fmt("[%5d][%-5d][%05d]", 42, 42, -42), "[   42][42   ][-0042]"},
        {Fmt("%+d %+d [% d] %.3d", 5, -5, 5, 5), "+5 -5 [ 5] 005"}, {Fmt("%-+06d|", 3), "+3    |"},
        {Fmt("%o %#o %x %X %#x %08X", 8u, 8u, 255u, 255u, 255u, 0xBEEFu), "10 010 ff FF 0xff 0000BEEF"},
        // Size letters; arguments after a long one are read at the right place.
        {Fmt("%hd %hu %hx", 70000, 65537, 0x12345), "4464 1 2345"},
        {Fmt("%ld %lu", LONG_MIN, ULONG_MAX), std::to_string(LONG_MIN) + " " + std::to_string(ULONG_MAX)},
        {Fmt("%lx %ld/%d", 0xABCDEFUL, 1L << 40, 9), "abcdef " + std::to_string(1L << 40) + "/9"},
        {Fmt("%c%c[%3c][%-3c]", 'o', 'k', 'a', 'b'), "ok[  a][b  ]"},
        {Fmt("%f %.2f [%8.3f] %lf", 1.5, 3.14159, 3.14159, 2.5), "1.500000 3.14 [   3.142] 2.500000"},
        {Fmt("%e %E %g %G %#.0f", 12345.678, 12345.678, 0.0001, 1e-10, 2.0),
         "1.234568e+04 1.234568E+04 0.0001 1E-10 2."},
        // Width and precision from arguments; a negative width aligns left,
        // a negative precision is none.
        {Fmt("[%*d][%-*d][%0*d]", 4, 7, 4, 7, 5, 42), "[   7][7   ][00042]"},
        {Fmt("[%.*f][%*.*s]", 2, 3.14159, 6, 2, "abcdef"), "[3.14][    ab]"},
        {Fmt("[%*d][%*s]", -4, 7, -4, "ab"), "[7   ][ab  ]"},
        {Fmt("[%.*s][%.*f]", -1, "abc", -1, 1.5), "[abc][1.500000]"},
    });
    int x = 0;
    char pointer[64];
    std::snprintf(pointer, sizeof pointer, "%p", static_cast<void*>(&x));
    EXPECT_EQ(Fmt("%p", static_cast<void*>(&x)), pointer);
    // %n stores the bytes produced so far, in the size asked for.
    int n = -1;
    short h = -1;
    long l = -1;
    EXPECT_EQ(Fmt("ab%ncd", &n), "abcd");
    EXPECT_EQ(n, 2);
    Fmt("\x82\xa0%d%n", 123, &n);
    EXPECT_EQ(n, 5);
    Fmt("%s%hn-%ln", std::string(300, 'z').c_str(), &h, &l);
    EXPECT_EQ(h, 300);
    EXPECT_EQ(l, 301);
}

TEST(StrFormat, Texts)
{
    // Precision keeps double-byte characters whole and reads no further than
    // its limit; width counts bytes; there is no length limit.
    const char unterminated[3] = {'a', 'b', 'c'};
    const std::string q(1000, 'q');
    Check({
        {Fmt("[%5s][%-5s][%2s]", "abc", "abc", "abc"), "[  abc][abc  ][abc]"},
        {Fmt("[%.2s][%5.1s][%.0s]", "abc", "abc", "abc"), "[ab][    a][]"},
        {Fmt("%s", static_cast<const char*>(nullptr)), "(null)"},
        {Fmt("[%.1s][%.3s][%.2s]", "\x82\xa0", "\x82\xa0\x82\xa0", "a\x82\xa0"), "[][\x82\xa0][a]"},
        {Fmt("[%4.3s][%3s]", "a\x95\x5c\x82\xa0", "\x82\xa0"), "[ a\x95\x5c][ \x82\xa0]"},
        {Fmt("%.3s", unterminated), "abc"}, {Fmt("<%s>", q.c_str()), "<" + q + ">"},
        {Fmt("%1200s", q.c_str()), std::string(200, ' ') + q},
        {Fmt("%-1100s|", q.c_str()), q + std::string(100, ' ') + "|"},
        {Fmt("%.500s", q.c_str()), std::string(500, 'q')},
    });
    // The argument text may be the string itself.
    CStr_base<64> s("abc");
    s.Format("%s-%s", s.GetBuffer(), s.GetBuffer());
    EXPECT_STREQ(s, "abc-abc");
}

TEST(StrFormat, MalformedAndOverlongConversions)
{
    // An unknown conversion is copied and takes no argument; the byte that
    // ends the attempt is read again. A format ending inside a conversion is
    // copied. 264 bytes of scratch hold 263 bytes of one conversion.
    const std::string digits = Fmt("%.300f", 1.0);
    Check({
        {Fmt("%y"), "%y"}, {Fmt("%5k|%d", 3), "%5k|3"}, {Fmt("%*y %d", 3), "%*y 3"}, {Fmt("%lld %d", 9), "%lld 9"},
        {Fmt("%\x82\xa0"), "%\x82\xa0"}, {Fmt("%-%d", 4), "%-4"}, {Fmt("50%"), "50%"}, {Fmt("x%-08."), "x%-08."},
        {Fmt("%l"), "%l"}, {Fmt("%d%*", 1), "1%*"}, {Fmt("%300d|", 1), std::string(263, ' ') + "|"},
        {digits.substr(0, 5) + " " + std::to_string(digits.size()), "1.000 263"},
    });
}
