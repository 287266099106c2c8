#include "cli/escape_text.h"

#include <gtest/gtest.h>

namespace {

TEST(ReadEscapedArgument, ConvertsToCp932AndReadsTheEscapes)
{
    const std::pair<std::string_view, std::string> rows[] = {
        {"", ""},
        {"%/0w%{%+j%e=%}", "%/0w%{%+j%e=%}"},
        {"表ソｱ", "\x95\x5C\x83\x5C\xB1"},
        {"〜", "\x81\x60"},                      // the wave dash is CP932's "～"
        {"\x82\xA0\x83\x41", "\x82\xA0\x83\x41"},  // bytes that are no UTF-8 pass through
        {R"(\\)", "\\"},
        {R"(\")", "\""},
        {R"(a\tb\r\n)", "a\tb\r\n"},
        {R"(\\n)", "\\n"},
        // Hex escapes are raw bytes: three stay three, although they spell "あ" in UTF-8.
        {R"(\x41\x7e\x7E)", "A~~"},
        {R"(\xE3\x81\x82)", "\xE3\x81\x82"},
        {R"(\x81表)", "\x81\x95\x5C"},
        {R"(\x4142)", "A42"},
    };
    for (const auto& [utf8, bytes] : rows) {
        std::string error;
        EXPECT_EQ(ReadEscapedArgument(utf8, error), bytes) << utf8 << ": " << error;
    }
}

TEST(ReadEscapedArgument, RefusesBadEscapes)
{
    const std::pair<std::string_view, std::string> rows[] = {
        {R"(\x)", "\\x needs two hex digits"},
        {R"(\xG0)", "\\x needs two hex digits"},
        {R"(a\x00b)", "\\x00 cannot be used: the engine's texts end at the first zero byte"},
        {R"(\q)", "unknown escape \\q"},
        {R"(\表)", "unknown escape \\表"},
        {"ab\\", "a backslash at the end starts no escape (write \\\\ for a backslash)"},
        // Characters CP932 cannot hold, named once however often they stand.
        {"a😀\\x41😀é", "holds characters that CP932 cannot hold: 😀 (U+1F600), é (U+00E9)"},
        {"¥", "holds characters that CP932 cannot hold: ¥ (U+00A5)"},
    };
    for (const auto& [utf8, message] : rows) {
        std::string error;
        EXPECT_FALSE(ReadEscapedArgument(utf8, error)) << utf8;
        EXPECT_EQ(error, message);
    }
}

TEST(QuoteCp932, ShowsCharactersAsUtf8AndEverythingElseEscaped)
{
    const std::pair<std::string_view, std::string> rows[] = {
        {"", R"("")"},
        {"\x95\x5C\x83\x5C\xB1", R"("表ソｱ")"},
        {"a\\b\"c", R"("a\\b\"c")"},
        {"\t\r\n", R"("\t\r\n")"},
        {"\x01\x1b\x7f", R"("\x01\x1B\x7F")"},
        {std::string_view("a\0b", 3), R"("a\x00b")"},
        {"\x80\xA0\xFD\xFE\xFF", R"("\x80\xA0\xFD\xFE\xFF")"},  // bytes that are no character
        {"a\x81", R"("a\x81")"},
        {"\x81\n", R"("\x81\n")"},  // a lead byte never takes a line feed
        {"\x87\x90\x81\xE0", R"("\x87\x90≒")"},
    };
    for (const auto& [bytes, quoted] : rows)
        EXPECT_EQ(QuoteCp932(bytes), quoted);

    // Reading the quoted text gives the bytes back.
    const std::string bytes = "k=\x95\x5C\t\"\\\x80\x01\x81\n\x87\x90";
    const std::string quoted = QuoteCp932(bytes);
    std::string error;
    EXPECT_EQ(ReadEscapedArgument(std::string_view(quoted).substr(1, quoted.size() - 2), error), bytes);
}

}  // namespace
