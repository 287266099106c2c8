#include "pattern/regex_first_bytes.h"

#include <array>
#include <bitset>
#include <cstring>

#include "foundation/ascii_case.h"
#include "pattern/regex_classes.h"

namespace {

struct Need {
    std::bitset<256> bytes;  // bytes that may stand at the position
    bool optional = false;   // the element may match without looking at the byte
    bool unknown = false;    // the element may need any byte
};

void AddByte(Need& need, unsigned char c, bool ignoreCase)
{
    need.bytes.set(c);
    if (ignoreCase) {
        need.bytes.set(static_cast<unsigned char>(AsciiUpper(static_cast<char>(c))));
        need.bytes.set(static_cast<unsigned char>(AsciiLower(static_cast<char>(c))));
    }
}

// The first bytes of every class letter, worked out once by probing.
const std::bitset<256>& ClassBytes(char letter)
{
    static const auto table = [] {
        std::array<std::bitset<256>, 128> sets{};
        for (int letter = 1; letter < 128; ++letter) {
            if (!StrRegexIsClassLetter(static_cast<char>(letter)))
                continue;
            for (int c = 1; c < 256; ++c) {
                const char probe[3] = {static_cast<char>(c), 'A', 0};
                if (StrRegexClassMatch(static_cast<char>(letter), probe, probe + 2) >= 0 ||
                    StrRegexClassMatch(static_cast<char>(letter), probe, probe + 1) >= 0)
                    sets[static_cast<size_t>(letter)].set(static_cast<size_t>(c));
            }
        }
        return sets;
    }();
    return table[static_cast<unsigned char>(letter) & 0x7F];
}

Need Element(const CStrRegexStruct& node, bool ignoreCase);

Need Sequence(const CStrRegexBody& body, uint32_t from, bool ignoreCase)
{
    Need need;
    for (uint32_t i = from; i < body.GetCount(); ++i) {
        Need one = Element(body[i], ignoreCase);
        if (one.unknown)
            return one;
        need.bytes |= one.bytes;
        if (!one.optional)
            return need;
    }
    need.optional = true;
    return need;
}

// What matching `node` once needs at its start position.
Need Once(const CStrRegexStruct& node, bool ignoreCase)
{
    Need need;
    switch (node.kind) {
    case REGEX_KIND_LITERAL:
        if (node.text.IsEmpty())
            need.optional = true;
        else
            AddByte(need, static_cast<unsigned char>(node.text[0]), ignoreCase);
        break;
    case REGEX_KIND_GROUP:
    case REGEX_KIND_CAPTURE:
        return Sequence(node.children, 0, ignoreCase);
    case REGEX_KIND_ALTERNATIVES:
        for (const CStrRegexStruct& child : node.children) {
            Need one = Element(child, ignoreCase);
            if (one.unknown)
                return one;
            need.bytes |= one.bytes;
            need.optional = need.optional || one.optional;
        }
        break;
    case REGEX_KIND_RANGE:
        for (int c = 1; c < 256; ++c) {
            const signed char s = static_cast<signed char>(c);
            if (s >= static_cast<signed char>(node.rangeLow) && s <= static_cast<signed char>(node.rangeHigh))
                need.bytes.set(c);
        }
        break;
    case REGEX_KIND_ESCAPE:
        if (node.letter == 'z') {
            if (node.children.GetCount() == 0 || node.children[0].text.IsEmpty())
                need.optional = true;
            else
                AddByte(need, static_cast<unsigned char>(node.children[0].text[0]), ignoreCase);
        } else if (StrRegexIsClassLetter(node.letter)) {
            need.bytes = ClassBytes(node.letter);
        } else if (std::strchr("vVuU", node.letter)) {
            need.unknown = true;
        } else if (node.letter == '$') {
            need.bytes.set(0);  // the terminator: only the end of the text
        } else if (node.letter == 'G') {
            need.bytes.set('\n');
            need.bytes.set(0);
        } else if (node.letter == 'P') {
            need.bytes.set(0);  // the body may end here at the end of the text
            need.optional = true;
        } else {
            need.optional = true;  // anchors, markers and capture edits are zero-width
        }
        break;
    default:
        need.unknown = true;
        break;
    }
    return need;
}

// What the element with its prefix and count needs.
Need Element(const CStrRegexStruct& node, bool ignoreCase)
{
    if (node.prefix == '!') {
        Need none;
        none.optional = true;
        return none;
    }
    Need need = Once(node, ignoreCase);
    if (node.count == 0)
        need.optional = true;
    return need;
}

}  // namespace

namespace {

// `single` is worked out only when asked for: the "+" and "*" elements,
// which look at the rest of their body on every call, do not use it.
CStrRegexFirstBytes MakeResult(const Need& need, bool findSingle)
{
    CStrRegexFirstBytes result;
    if (need.unknown || need.optional)
        return result;
    result.bytes = need.bytes;
    result.useful = !need.bytes.all();
    if (findSingle && need.bytes.count() == 1)
        for (int c = 0; c < 256 && result.single < 0; ++c)
            if (need.bytes[static_cast<size_t>(c)])
                result.single = c;
    return result;
}

}  // namespace

CStrRegexFirstBytes StrRegexFirstBytes(const CStrRegexStruct& root, bool ignoreCase)
{
    return MakeResult(Sequence(root.children, 0, ignoreCase), true);
}

CStrRegexFirstBytes StrRegexRestFirstBytes(const CStrRegexBody& body, uint32_t from, bool ignoreCase)
{
    return MakeResult(Sequence(body, from, ignoreCase), false);
}
