// Lossless conversion between Shift-JIS (code page 932) bytes and Unicode.
//
// The system keeps every text as CP932 bytes; these functions are used only
// where text meets a person (the user interface, terminal output) or comes
// from one (UTF-8 sources and arguments).
//
// Decoding goes character by character, with the character boundaries of
// the rest of the system (foundation/sjis.h): a lead byte followed by a
// byte that can be a second byte is one double-byte character. Bytes
// 0x00..0x7F are ASCII. A character that CP932 does not define, or whose
// code point encodes back to other bytes (CP932 gives some characters two
// codes, such as the NEC and IBM extensions), becomes one escape code point
// per byte: U+DC00 + byte. A lead byte alone gives U+DC80..U+DCFF and the
// byte after it is a character of its own (0x81 0x0A gives U+DC81 U+000A);
// the second byte of an undefined pair keeps its escape even below 0x80
// (0x85 0x40 gives U+DC85 U+DC40), so the escapes show the characters the
// way the pattern engine sees them.
//
// Encoding turns every escape U+DC00..U+DCFF back into its byte and every
// other character into its CP932 code. A few characters have a CP932 code
// without being what that code decodes to: the well-known variants that
// converters of JIS text give for the same JIS character (TypedToCp932
// below lists them; "〜" U+301C is written as 0x81 0x60, which reads back
// as "～" U+FF5E). Every other character is refused: those CP932 lacks
// (most of Unicode, surrogates, anything beyond the BMP), and those that
// conversion tables would write as another character ("¥" U+00A5 as "\",
// "‾" U+203E as "~").
//
// Decoding then encoding gives back the same bytes for every byte string.
//
// The conversion tables are built from glibc iconv ("CP932") on first use;
// when the C library has no such converter, the conversions throw
// std::runtime_error.
#pragma once

#include <string>
#include <string_view>

// An escape: U+DC00 + byte stands for a byte that is no character.
inline bool IsCp932ByteEscape(char32_t cp) { return cp >= 0xDC00 && cp <= 0xDCFF; }

std::u32string Cp932ToUnicode(std::string_view bytes);

// Text a person typed, on its way into the system: either its CP932 bytes
// or the characters refused. Accepted are every character CP932 decodes
// to, the escapes (a control the user left alone gives back the bytes it
// was given, characters or not), and these variants, stored as the CP932
// character they stand for:
//   U+301C 〜 as ～ 0x81 0x60    U+2016 ‖ as ∥ 0x81 0x61    U+2212 − as － 0x81 0x7C
//   U+00A2 ¢ as ￠ 0x81 0x91    U+00A3 £ as ￡ 0x81 0x92    U+00AC ¬ as ￢ 0x81 0xCA
//   U+2014 — as ― 0x81 0x5C    U+00A6 ¦ as ￤ 0xFA 0x55
// (input methods and converters of JIS text give the first of each pair,
// CP932 decodes to the second). `refused` holds every other character of
// the text, each once, in the order they first appear; while it is not
// empty, `bytes` is no text to keep: each refused character stands in it
// as one "?", so that positions in it still match the text.
struct CTypedCp932 {
    std::string bytes;
    std::u32string refused;
};
CTypedCp932 TypedToCp932(std::u32string_view text);

// UTF-8 form: the escapes are written as the three-byte forms of
// U+DC00..U+DCFF (ED B0 80 .. ED B3 BF).
std::string Cp932ToUtf8(std::string_view bytes);
// Every byte that does not begin a well-formed UTF-8 sequence (stray
// continuation bytes, cut or overlong sequences, surrogates outside the
// escapes) is taken as a raw CP932 byte, so text that is not UTF-8 at all
// passes through unchanged.
CTypedCp932 TypedUtf8ToCp932(std::string_view utf8);
// The program's own texts and the names the platform gives: TypedUtf8ToCp932
// with "?" for what it refuses. Never for text a person typed.
std::string Utf8ToCp932(std::string_view utf8);
// The code points of `utf8` as TypedUtf8ToCp932 reads them: a byte that
// begins no well-formed sequence gives its escape.
std::u32string Utf8ToUnicode(std::string_view utf8);

// UTF-16 form (as the Qt backend holds text): every character of CP932 is
// in the BMP, so each code point and each escape is one unit. Unpaired
// units U+DC00..U+DCFF become their byte; a surrogate pair is refused as
// the one character it makes, another unpaired surrogate as itself.
std::u16string Cp932ToUtf16(std::string_view bytes);
CTypedCp932 TypedUtf16ToCp932(std::u16string_view text);

// Appends the UTF-8 form of one code point; surrogates are written in their
// three-byte form as the escapes need.
void AppendUtf8(std::string& out, char32_t cp);
