#include "pattern/regex_first_bytes.h"

#include <cstring>

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
    if (ignoreCase && c >= 'a' && c <= 'z')
        need.bytes.set(c - 'a' + 'A');
    if (ignoreCase && c >= 'A' && c <= 'Z')
        need.bytes.set(c - 'A' + 'a');
}

void AddClass(Need& need, char letter)
{
    for (int c = 1; c < 256; ++c) {
        const char probe[3] = {static_cast<char>(c), 'A', 0};
        if (StrRegexClassMatch(letter, probe, probe + 2) >= 0 || StrRegexClassMatch(letter, probe, probe + 1) >= 0)
            need.bytes.set(c);
    }
}

Need Element(const CStrRegexStruct& node, bool ignoreCase);

Need Sequence(const CStrRegexBody& body, bool ignoreCase)
{
    Need need;
    for (const CStrRegexStruct& child : body) {
        Need one = Element(child, ignoreCase);
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
        return Sequence(node.children, ignoreCase);
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
            AddClass(need, node.letter);
        } else if (std::strchr("vVuU", node.letter)) {
            need.unknown = true;
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

CStrRegexFirstBytes StrRegexFirstBytes(const CStrRegexStruct& root, bool ignoreCase)
{
    CStrRegexFirstBytes result;
    Need need = Sequence(root.children, ignoreCase);
    if (need.unknown || need.optional)
        return result;
    result.bytes = need.bytes;
    result.useful = need.bytes.count() < 255;
    return result;
}
