// Comparing and replacing one text by the five methods of the find window:
// exact, prefix, substring, wildcard and the pattern language.
//
// Texts are Shift-JIS bytes; every scan steps over whole characters. Only
// the pattern method runs the pattern engine, under the budget it is given;
// the wildcard method matches directly ("*" any run of characters, as
// short as the rest allows, "?" one character), finding the earliest
// occurrence of each piece between the stars, which is what translating it
// into the pattern language ("%+0j" for "*", "%j" for "?") gives, without
// the backtracking.
#pragma once

#include <cstdint>

#include "foundation/str_base.h"
#include "pattern/regex_budget.h"

enum CFindMethod : int32_t {
    kFindExact = 0,    // 完全一致
    kFindPrefix = 1,   // 前方一致
    kFindContains = 2, // 通常検索
    kFindWildcard = 3, // ワイルドカード
    kFindPattern = 4,  // 正規表現
};
inline constexpr int32_t kFindMethodCount = 5;

// The mode word: the method in the low 16 bits, the pattern options above.
inline constexpr uint32_t kFindMethodMask = 0xFFFF;
inline constexpr uint32_t kFindOptionSerial = 1u << 16;     // 連続強制: "s"
inline constexpr uint32_t kFindOptionIgnoreCase = 1u << 17; // 大文字小文字無視: "i"
inline constexpr uint32_t kFindOptionRepeat = 1u << 18;     // 繰り返し: "g"

// The option letters of the mode word, in the order "s", "i", "g".
CStr_base<64> FindOptionLetters(uint32_t mode);

// The pattern method's unescape: "\\" gives "\", "\n" a line feed, "\t" a
// tab; a backslash before anything else is dropped with that character (a
// backslash at the end alone); double-byte characters are copied whole.
CStr_base<1024> UnescapeFindText(const char* text);

// The wildcard translated into the pattern language: "%" doubled, "*" as
// "%+0j", "?" as "%j". What the direct matcher must agree with.
CStr_base<1024> WildcardPattern(const char* wildcard);
// Every "%" doubled: a replacement text that inserts itself.
CStr_base<1024> DoublePercents(const char* text);

// Where the wildcard first matches in the `length` bytes at `text`, from
// the character start `from` on: true with the match's start and end.
bool FindWildcard(const char* text, uint32_t length, const char* wildcard, uint32_t from, uint32_t& start,
                  uint32_t& end);

// One search: the method, the texts as the user gave them (the pattern
// method unescapes them itself), the option letters for the pattern method
// and the budget its engine calls run under (null: none).
struct CFindQuery {
    int32_t method = kFindContains;
    CStr_base<1024> search;
    CStr_base<1024> replacement;
    CStr_base<64> options;
    CStrRegexBudget* budget = nullptr;

    // From the mode word and the typed texts.
    static CFindQuery FromMode(uint32_t mode, const char* search, const char* replacement);
};

// 1 when the text matches, 0 when not, kStrRegexStopped when the budget
// stopped the pattern engine (see the budget for why).
int32_t CompareFindText(const CFindQuery& query, const char* text, uint32_t length);

// Replaces in `text`; the number of replacements, or kStrRegexStopped with
// the text unchanged. A search text that matches nothing but empty (an
// empty text for 通常検索, a wildcard of stars alone) replaces nothing.
int32_t ReplaceFindText(const CFindQuery& query, CStr_base<16384>& text);
