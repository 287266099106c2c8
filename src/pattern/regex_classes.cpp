#include "pattern/regex_classes.h"

#include "foundation/ascii_case.h"
#include "foundation/sjis.h"

namespace {

// ASCII tests take the byte as a signed value: bytes 0x80 and above are never
// in an ASCII range.
bool Digit(signed char c) { return c >= '0' && c <= '9'; }
bool Letter(signed char c) { return IsAsciiLower(c) || IsAsciiUpper(c); }
bool Blank(signed char c) { return c == '\t' || c == ' '; }
bool Space(signed char c) { return Blank(c) || c == '\n' || c == '\r'; }
bool Word(signed char c) { return Letter(c) || Digit(c) || c == '_'; }
bool Printable(signed char c) { return c >= 0x21 && c <= 0x7E; }
bool Punct(signed char c)
{
    return (c >= 0x21 && c <= 0x2F) || (c >= 0x3A && c <= 0x40) || (c >= 0x5B && c <= 0x60) ||
           (c >= 0x7B && c <= 0x7E);
}

}  // namespace

int32_t StrRegexClassMatch(char letter, const char* pos, const char* end)
{
    if (pos >= end)
        return -1;
    const signed char c = static_cast<signed char>(*pos);
    const bool dbcs = pos + 1 < end && IsSjisPair(pos[0], pos[1]);
    const int32_t whole = dbcs ? 2 : 1;  // "any character except ..." takes a whole character
    auto one = [](bool ok) { return ok ? 1 : -1; };
    auto except = [whole, dbcs](bool inClass) { return (dbcs || !inClass) ? whole : -1; };
    switch (letter) {
    case 'j': return whole;
    case 'J': return dbcs ? 2 : -1;
    case '?': return one(!IsSjisLeadByte(static_cast<unsigned char>(c)));
    case 'C': return except(c == '\n');
    case 'w': return one(Blank(c));
    case 'W': return one(Space(c));
    case 'i': return except(Blank(c));
    case 'I': return except(Space(c));
    case 'd': return one(Digit(c));
    case 'D': return except(Digit(c));
    case 'a': return one(IsAsciiLower(c));
    case 'A': return one(IsAsciiUpper(c));
    case 'l': return one(Letter(c));
    case 'b': return except(Letter(c));
    case 'L': return one(Letter(c) || Digit(c));
    case 'B': return except(Letter(c) || Digit(c));
    case 's': return one(Word(c));
    case 'S': return except(Word(c));
    case 'x': return one(Digit(c) || (c >= 'a' && c <= 'f'));
    case 'X': return one(Digit(c) || (c >= 'A' && c <= 'F'));
    case 'n': return one(Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    case 'N': return except(Digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F'));
    case 'k': return one(Printable(c));
    case 'K': return dbcs ? 2 : one(Printable(c));
    case 'y': return one(Punct(c));
    case 'Y': return except(Punct(c));
    case 'c': return one((c >= 0x01 && c <= 0x1F) || c == 0x7F);
    default: return -1;
    }
}
