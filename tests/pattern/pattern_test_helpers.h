// Shared helpers of the pattern engine tests: CP932 sample characters,
// short-hand calls of both entry points and table checkers.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

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
#define SJ_A_KATA "\x83\x41"     // ア (second byte is "A")
#define SJ_DI_KATA "\x83\x61"    // ヂ (second byte is "a")
#define SJ_FW_UPPER_A "\x82\x60" // Ａ
#define SJ_FW_LOWER_A "\x82\x81" // ａ
#define SJ_FW_ZERO "\x82\x4f"    // ０
#define SJ_FW_SPACE "\x81\x40"   // full-width space
#define SJ_HW_A "\xb1"           // half-width katakana ｱ (single byte, not a lead byte)

namespace ptest {

using Hit = std::pair<uint32_t, uint32_t>;
using Hits = std::vector<Hit>;
using Caps = std::vector<std::string>;

inline Caps ToCaps(const CStrRegexMatchStruct& m)
{
    Caps out;
    for (const CStr_base<16384>& c : m)
        out.emplace_back(c.GetBuffer(), c.GetLength());
    return out;
}

inline Hits ToHits(const CStrRegexHitList& h)
{
    Hits out;
    for (const CStrRegexHitBufStruct& hit : h)
        out.emplace_back(hit.offset, hit.length);
    return out;
}

inline std::vector<Caps> ToHistory(const CStrRegexHistory& h)
{
    std::vector<Caps> out;
    for (const CStrRegexMatchStruct& m : h)
        out.push_back(ToCaps(m));
    return out;
}

// What a call returned and left behind; `text` is the rewritten subject.
struct Found {
    int32_t count = 0;
    Hits hits;
    Caps caps;
    std::vector<Caps> history;
    std::string text;
};

// Plain-text search (StrRegex), or search (replace == nullptr) and
// replacement on a string (CStr_base::Regex).
inline Found Call(const std::string& text, const char* pattern, const char* options, bool plain,
                  const char* replace = nullptr, int32_t start = 0, CStrRegexBudget* budget = nullptr)
{
    CStr_base<64> subject(text.c_str());
    CStrRegexMatchStruct caps;
    CStrRegexHistory history;
    CStrRegexHitList hits;
    Found f;
    f.count = plain ? StrRegex(text.c_str(), pattern, options, &caps, &history, &hits, {}, budget)
                    : subject.Regex(pattern, options, &caps, replace, &history, start, &hits, {}, budget);
    f.hits = ToHits(hits);
    f.caps = ToCaps(caps);
    f.history = ToHistory(history);
    f.text.assign(subject.GetBuffer(), subject.GetLength());
    return f;
}

inline Found Search(const std::string& text, const char* pattern, const char* options)
{
    return Call(text, pattern, options, true);
}

inline Found Replace(const std::string& text, const char* pattern, const char* options, const char* replace)
{
    return Call(text, pattern, options, false, replace);
}

// Length of the match at the very start of `text` (option "s", so only
// position 0 is tried, the end of an empty text included), or -1.
inline int32_t Anchored(const char* pattern, const std::string& text, const char* extraOptions = "",
                        Caps* capsOut = nullptr)
{
    Found f = Call(text, pattern, (std::string("s") + extraOptions).c_str(), false);
    if (capsOut)
        *capsOut = f.caps;
    if (f.count == 0)
        return -1;
    if (f.count != 1 || f.hits.size() != 1 || f.hits[0].first != 0)
        return -1000;  // never a valid answer for an anchored single search
    return static_cast<int32_t>(f.hits[0].second);
}

// The pattern and the text as gtest prints strings, other bytes escaped.
inline std::string Trace(const char* pattern, const std::string& text)
{
    return "pattern " + testing::PrintToString(std::string(pattern)) + " on " + testing::PrintToString(text);
}

// Anchored matches: the bytes matched at the start of the text (-1 for no
// match) and, when `caps` is asked for, the captures left behind (none
// after a failure).
struct Row {
    const char* pattern;
    std::string text;
    int32_t length;
    Caps caps = {};
    const char* options = "";
};

inline void CheckRows(const std::vector<Row>& rows, bool caps = false)
{
    for (const Row& r : rows) {
        SCOPED_TRACE(Trace(r.pattern, r.text));
        Caps left;
        EXPECT_EQ(Anchored(r.pattern, r.text, r.options, &left), r.length);
        if (caps) {
            EXPECT_EQ(left, r.caps);
        }
    }
}

// A character class: every text of `whole` is matched whole, no text of
// `none` is matched at all.
struct ClassRow {
    const char* pattern;
    std::vector<std::string> whole;
    std::vector<std::string> none;
};

inline void CheckClasses(const std::vector<ClassRow>& rows)
{
    for (const ClassRow& r : rows) {
        for (const std::string& text : r.whole)
            EXPECT_EQ(Anchored(r.pattern, text), static_cast<int32_t>(text.size())) << Trace(r.pattern, text);
        for (const std::string& text : r.none)
            EXPECT_EQ(Anchored(r.pattern, text), -1) << Trace(r.pattern, text);
    }
}

// A replacement on a string: the count and the rewritten text.
struct ReplaceRow {
    std::string text;
    const char* pattern;
    const char* options;
    const char* replace;
    int32_t count;
    std::string result;
};

inline void CheckReplacements(const std::vector<ReplaceRow>& rows)
{
    for (const ReplaceRow& r : rows) {
        SCOPED_TRACE(Trace(r.pattern, r.text) + " replaced by \"" + r.replace + "\"");
        Found f = Replace(r.text, r.pattern, r.options, r.replace);
        EXPECT_EQ(f.count, r.count);
        EXPECT_EQ(f.text, r.result);
    }
}

}  // namespace ptest
