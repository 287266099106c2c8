#include "cli/escape_text.h"

#include <gtest/gtest.h>

namespace {

std::string Read(std::string_view utf8)
{
    std::string error;
    std::optional<std::string> bytes = ReadEscapedArgument(utf8, error);
    EXPECT_TRUE(bytes) << error;
    return bytes.value_or("");
}

std::string ReadError(std::string_view utf8)
{
    std::string error;
    EXPECT_FALSE(ReadEscapedArgument(utf8, error)) << utf8;
    return error;
}

// --- Reading arguments ----------------------------------------------------

TEST(ReadEscapedArgument, PlainTextIsConvertedToCp932)
{
    EXPECT_EQ(Read(""), "");
    EXPECT_EQ(Read("%/0w%{%+j%e=%}"), "%/0w%{%+j%e=%}");
    EXPECT_EQ(Read("表ソｱ"), "\x95\x5C\x83\x5C\xB1");
    EXPECT_EQ(Read("a😀"), "a?");
}

TEST(ReadEscapedArgument, Escapes)
{
    EXPECT_EQ(Read(R"(\\)"), "\\");
    EXPECT_EQ(Read(R"(\")"), "\"");
    EXPECT_EQ(Read(R"(a\tb\r\n)"), "a\tb\r\n");
    EXPECT_EQ(Read(R"(%0u%!z\\)"), "%0u%!z\\");
    EXPECT_EQ(Read(R"(\\n)"), "\\n");
}

TEST(ReadEscapedArgument, HexEscapesAreRawBytes)
{
    EXPECT_EQ(Read(R"(\x41\x7e\x7E)"), "A~~");
    EXPECT_EQ(Read(R"(\x95\x5C)"), "\x95\x5C");
    // Three escaped bytes stay three bytes, although they spell "あ" in UTF-8.
    EXPECT_EQ(Read(R"(\xE3\x81\x82)"), "\xE3\x81\x82");
    EXPECT_EQ(Read(R"(\x81表)"), "\x81\x95\x5C");
    EXPECT_EQ(Read(R"(\x4142)"), "A42");
}

TEST(ReadEscapedArgument, BytesThatAreNoUtf8PassThrough)
{
    EXPECT_EQ(Read("\x82\xA0\x83\x41"), "\x82\xA0\x83\x41");
}

TEST(ReadEscapedArgument, BadEscapesAreRefused)
{
    EXPECT_EQ(ReadError(R"(\x)"), "\\x needs two hex digits");
    EXPECT_EQ(ReadError(R"(\x4)"), "\\x needs two hex digits");
    EXPECT_EQ(ReadError(R"(\xG0)"), "\\x needs two hex digits");
    EXPECT_EQ(ReadError(R"(a\x00b)"), "\\x00 cannot be used: the engine's texts end at the first zero byte");
    EXPECT_EQ(ReadError(R"(\q)"), "unknown escape \\q");
    EXPECT_EQ(ReadError(R"(\表)"), "unknown escape \\表");
    EXPECT_EQ(ReadError(R"(\0)"), "unknown escape \\0");
    EXPECT_EQ(ReadError("ab\\"), "a backslash at the end starts no escape (write \\\\ for a backslash)");
}

// --- Quoting for reports ----------------------------------------------------

TEST(QuoteCp932, CharactersAsUtf8)
{
    EXPECT_EQ(QuoteCp932(""), "\"\"");
    EXPECT_EQ(QuoteCp932("SaveAutoBackup"), "\"SaveAutoBackup\"");
    EXPECT_EQ(QuoteCp932("\x95\x5C\x83\x5C\xB1"), "\"表ソｱ\"");
}

TEST(QuoteCp932, EscapesLikeTheArguments)
{
    EXPECT_EQ(QuoteCp932("a\\b\"c"), R"("a\\b\"c")");
    EXPECT_EQ(QuoteCp932("\t\r\n"), R"("\t\r\n")");
    EXPECT_EQ(QuoteCp932("\x01\x1b\x7f"), R"("\x01\x1B\x7F")");
    EXPECT_EQ(QuoteCp932(std::string_view("a\0b", 3)), R"("a\x00b")");
}

TEST(QuoteCp932, BytesThatAreNoCharacterAreHex)
{
    EXPECT_EQ(QuoteCp932("\x80\xA0\xFD\xFE\xFF"), R"("\x80\xA0\xFD\xFE\xFF")");
    EXPECT_EQ(QuoteCp932("a\x81"), R"("a\x81")");
    EXPECT_EQ(QuoteCp932("\x81\n"), R"("\x81\x0A")");  // one undefined double-byte character
    EXPECT_EQ(QuoteCp932("\x87\x90\x81\xE0"), R"("\x87\x90≒")");
}

TEST(QuoteCp932, ReadingTheQuotedTextGivesTheBytes)
{
    const std::string bytes = "k=\x95\x5C\t\"\\\x80\x01\x81\n\x87\x90";
    const std::string quoted = QuoteCp932(bytes);
    EXPECT_EQ(Read(std::string_view(quoted).substr(1, quoted.size() - 2)), bytes);
}

}  // namespace
