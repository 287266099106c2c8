// Completion of 0x5C: a double-byte character whose second byte is 0x5C
// ("\") needs a further "\" behind it to survive the game's script reader.
//
// Modes: 0 asks first (when there is anything to do), 2 inserts without
// asking, 1 and every other mode do nothing. Needs user matcher 0 of the
// pattern engine (pattern/sjis_backslash_matcher.h).
#pragma once

#include <cstdint>
#include <vector>

#include "document/yes_no_question.h"
#include "foundation/sjis_literal.h"
#include "pattern/str_regex.h"

// Number of characters that lack their "\".
template <unsigned N>
int32_t CountMissingBackslashes(const CStr_base<N>& text)
{
    return StrRegex(text, "%0u%!z\\", "g");
}

// Inserts the missing "\" after every such character as `mode` says;
// returns the number of insertions.
template <unsigned N>
int32_t CompleteBackslashes(CStr_base<N>& text, int32_t mode, CYesNoQuestion& question)
{
    if (mode != 0 && mode != 2)
        return 0;
    if (mode == 0) {
        const int32_t count = CountMissingBackslashes(text);
        if (count == 0)
            return 0;
        CStr_base<64> ask;
        ask.Format(SJ("%d 箇所に0x5c('\\')補完が必要と思われます。補完しますか？"), count);
        if (!question.AskYesNo(ask))
            return 0;
    }
    return text.Regex("%{%0u%}%!z\\%P", "g", nullptr, "%0v\\");
}

// The scripts of one element read from a direct edit: the missing "\" are
// counted over all of them, and mode 0 asks once for all. Null entries are
// skipped. Returns the number of insertions.
template <unsigned N>
int32_t CompleteBackslashesIn(const std::vector<CStr_base<N>*>& scripts, int32_t mode, CYesNoQuestion& question)
{
    if (mode != 0 && mode != 2)
        return 0;
    int32_t missing = 0;
    for (const CStr_base<N>* script : scripts)
        if (script)
            missing += CountMissingBackslashes(*script);
    if (missing == 0)
        return 0;
    if (mode == 0) {
        CStr_base<64> ask;
        ask.Format(SJ("%d 箇所に0x5c('\\')補完が必要と思われます。補完しますか？"), missing);
        if (!question.AskYesNo(ask))
            return 0;
    }
    int32_t inserted = 0;
    for (CStr_base<N>* script : scripts)
        if (script)
            inserted += CompleteBackslashes(*script, 2, question);
    return inserted;
}
