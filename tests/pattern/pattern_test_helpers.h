// Shared helpers of the pattern engine tests: CP932 sample characters,
// short-hand calls of both entry points, and a compact rendering of
// compiled node trees.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "pattern/regex_node.h"
#include "pattern/regex_types.h"
#include "pattern/str_regex.h"

// CP932 characters, kept as separate string literals so that a following
// literal character is never swallowed by a hex escape.
#define SJ_HYO "\x95\x5c"        // 表 (second byte is a backslash)
#define SJ_SO "\x83\x5c"         // ソ (second byte is a backslash)
#define SJ_NOU "\x94\x5c"        // 能 (second byte is a backslash)
#define SJ_BU "\x95\x90"         // 武
#define SJ_KI "\x8a\xed"         // 器
#define SJ_KEN "\x8c\x95"        // 剣
#define SJ_TAN "\x92\x62"        // 鍛
#define SJ_YA "\x96\xe8"         // 冶
#define SJ_OKU "\x89\xae"        // 屋
#define SJ_A_KATA "\x83\x41"     // ア (second byte is "A")
#define SJ_DI_KATA "\x83\x61"    // ヂ (second byte is "a")
#define SJ_FW_UPPER_A "\x82\x60" // Ａ
#define SJ_FW_LOWER_A "\x82\x81" // ａ
#define SJ_FW_ZERO "\x82\x4f"    // ０
#define SJ_FW_SPACE "\x81\x40"   // full-width space
#define SJ_HW_A "\xb1"           // half-width katakana ｱ (single byte, not a lead byte)

namespace ptest {

using Hit = std::pair<uint32_t, uint32_t>;
using Caps = std::vector<std::string>;

inline Caps ToCaps(CStrRegexMatchStruct& m)
{
    Caps out;
    for (uint32_t i = 0; i < m.GetCount(); ++i)
        out.emplace_back(m[i].GetBuffer(), m[i].GetLength());
    return out;
}

inline std::vector<Hit> ToHits(CStrRegexHitList& h)
{
    std::vector<Hit> out;
    for (uint32_t i = 0; i < h.GetCount(); ++i)
        out.emplace_back(h[i].offset, h[i].length);
    return out;
}

inline std::vector<Caps> ToHistory(CStrRegexHistory& h)
{
    std::vector<Caps> out;
    for (uint32_t i = 0; i < h.GetCount(); ++i)
        out.push_back(ToCaps(h[i]));
    return out;
}

struct Found {
    int32_t count = 0;
    std::vector<Hit> hits;
    Caps caps;
    std::vector<Caps> history;
};

// Plain-text search (StrRegex).
inline Found Search(const std::string& text, const char* pattern, const char* options)
{
    CStrRegexMatchStruct caps;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    Found f;
    f.count = StrRegex(text.c_str(), pattern, options, &caps, &history, &hits);
    f.hits = ToHits(hits);
    f.caps = ToCaps(caps);
    f.history = ToHistory(history);
    return f;
}

// String search without replacement (CStr_base::Regex).
inline Found SearchStr(const std::string& text, const char* pattern, const char* options, int32_t start = 0)
{
    CStr_base<64> subject(text.c_str());
    CStrRegexMatchStruct caps;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    Found f;
    f.count = subject.Regex(pattern, options, &caps, nullptr, &history, start, &hits);
    f.hits = ToHits(hits);
    f.caps = ToCaps(caps);
    f.history = ToHistory(history);
    return f;
}

struct Replaced {
    int32_t count = 0;
    std::string text;
    std::vector<Hit> hits;
    Caps caps;
};

inline Replaced Replace(const std::string& text, const char* pattern, const char* options, const char* replace)
{
    CStr_base<64> subject(text.c_str());
    CStrRegexMatchStruct caps;
    CStrRegexHitList hits;
    Replaced r;
    r.count = subject.Regex(pattern, options, &caps, replace, nullptr, 0, &hits);
    r.text.assign(subject.GetBuffer(), subject.GetLength());
    r.hits = ToHits(hits);
    r.caps = ToCaps(caps);
    return r;
}

// Length of the match at the very start of `text` (option "s", so only
// position 0 is tried, the end of an empty text included), or -1.
inline int32_t Anchored(const char* pattern, const std::string& text, const char* extraOptions = "",
                        Caps* capsOut = nullptr)
{
    CStr_base<64> subject(text.c_str());
    CStrRegexMatchStruct caps;
    CStrRegexHitList hits;
    std::string options = std::string("s") + extraOptions;
    int32_t n = subject.Regex(pattern, options.c_str(), &caps, nullptr, nullptr, 0, &hits);
    if (capsOut)
        *capsOut = ToCaps(caps);
    if (n == 0)
        return -1;
    if (n != 1 || hits.GetCount() != 1 || hits[0].offset != 0)
        return -1000;  // never a valid answer for an anchored single search
    return static_cast<int32_t>(hits[0].length);
}

// One row of a table of anchored matches.
struct Row {
    const char* pattern;
    std::string text;
    int32_t length;  // bytes matched at the start of the text, -1 for no match
};

inline std::string RenderBytes(const char* p, uint32_t n);

inline void CheckRows(const std::vector<Row>& rows)
{
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string("pattern \"") + r.pattern + "\" on \"" +
                     RenderBytes(r.text.data(), static_cast<uint32_t>(r.text.size())) + "\"");
        EXPECT_EQ(Anchored(r.pattern, r.text), r.length);
    }
}

inline Caps AnchoredCaps(const char* pattern, const std::string& text, const char* extraOptions = "")
{
    Caps caps;
    Anchored(pattern, text, extraOptions, &caps);
    return caps;
}

// --- node tree rendering -------------------------------------------------
//
// literal 'text', group (...), capture {...}, alternatives [...], escape %x,
// range -lh, empty ~. Children are separated by one blank. Attributes that
// differ from their initial values follow in <...>: the prefix, c<count>,
// i<index>, m<max>. The operand of %z follows after "=". Bytes outside
// printable ASCII are shown as \t, \n, \r or \xHH; a backslash as \\.
// Fields that do not belong to a node's kind but are set anyway are flagged
// with "!".

inline std::string RenderBytes(const char* p, uint32_t n)
{
    static const char hex[] = "0123456789abcdef";
    std::string out;
    for (uint32_t i = 0; i < n; ++i) {
        unsigned char c = static_cast<unsigned char>(p[i]);
        if (c == '\t')
            out += "\\t";
        else if (c == '\n')
            out += "\\n";
        else if (c == '\r')
            out += "\\r";
        else if (c == '\\')
            out += "\\\\";
        else if (c >= 0x20 && c < 0x7f)
            out += static_cast<char>(c);
        else {
            out += "\\x";
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

inline std::string RenderChar(char c)
{
    return RenderBytes(&c, 1);
}

inline std::string RenderNode(const CStrRegexStruct& node);

inline std::string RenderBody(const CArrayAuto<CStrRegexStruct>& body)
{
    std::string out;
    for (uint32_t i = 0; i < body.GetCount(); ++i) {
        if (i)
            out += ' ';
        out += RenderNode(body[i]);
    }
    return out;
}

inline std::string RenderAttrs(const CStrRegexStruct& node)
{
    std::vector<std::string> tokens;
    if (node.prefix != ' ')
        tokens.push_back(RenderChar(node.prefix));
    if (node.count != -1)
        tokens.push_back(std::string("c").append(std::to_string(node.count)));
    if (node.index != -1)
        tokens.push_back(std::string("i").append(std::to_string(node.index)));
    if (node.max != -1)
        tokens.push_back(std::string("m").append(std::to_string(node.max)));
    if (tokens.empty())
        return "";
    std::string out = "<";
    for (size_t i = 0; i < tokens.size(); ++i) {
        if (i)
            out += ' ';
        out += tokens[i];
    }
    return out + ">";
}

inline std::string RenderNode(const CStrRegexStruct& node)
{
    std::string out;
    const bool isLiteral = node.kind == REGEX_KIND_LITERAL;
    const bool isEscape = node.kind == REGEX_KIND_ESCAPE;
    const bool isRange = node.kind == REGEX_KIND_RANGE;
    switch (node.kind) {
    case REGEX_KIND_EMPTY:
        out = "~" + RenderAttrs(node);
        break;
    case REGEX_KIND_LITERAL:
        out = "'" + RenderBytes(node.text.GetBuffer(), node.text.GetLength()) + "'" + RenderAttrs(node);
        break;
    case REGEX_KIND_GROUP:
        out = "(" + RenderBody(node.children) + ")" + RenderAttrs(node);
        break;
    case REGEX_KIND_CAPTURE:
        out = "{" + RenderBody(node.children) + "}" + RenderAttrs(node);
        break;
    case REGEX_KIND_ALTERNATIVES:
        out = "[" + RenderBody(node.children) + "]" + RenderAttrs(node);
        break;
    case REGEX_KIND_ESCAPE:
        out = "%" + RenderChar(node.letter) + RenderAttrs(node);
        if (node.children.GetCount())
            out += "=" + RenderBody(node.children);
        break;
    case REGEX_KIND_RANGE:
        out = "-" + RenderChar(node.rangeLow) + RenderChar(node.rangeHigh) + RenderAttrs(node);
        break;
    default:
        out = "?" + std::to_string(static_cast<int>(node.kind));
        break;
    }
    if (!isLiteral && node.text.GetLength())
        out += "!text";
    if (!isEscape && node.letter != ' ')
        out += "!letter";
    if (!isRange && (node.rangeLow != ' ' || node.rangeHigh != ' '))
        out += "!range";
    if ((isLiteral || isRange || node.kind == REGEX_KIND_EMPTY) && node.children.GetCount())
        out += "!children";
    if (isEscape && node.letter != 'z' && node.children.GetCount())
        out += "!children";
    return out;
}

// Compiles `pattern` and renders the root's body.
inline std::string Tree(const char* pattern)
{
    CStrRegexStruct root;
    StrRegexCompile(pattern, &root);
    return RenderBody(root.children);
}

}  // namespace ptest
