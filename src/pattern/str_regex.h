// The pattern operation of strings: include this to call CStr_base::Regex.
#pragma once

#include "pattern/regex_types.h"

template <unsigned N>
int32_t CStr_base<N>::Regex(const char* pattern, const char* options, CStrRegexMatchStruct* captures,
                            const char* replace, CArrayAuto<CStrRegexMatchStruct>* history, int32_t start,
                            CArrayAuto<CStrRegexHitBufStruct>* hits, const StrRegexReplaceFunc& func,
                            CStrRegexBudget* budget)
{
    if (!replace)
        return StrRegexSubject(GetBuffer(), GetLength(), pattern, options, captures, nullptr, history, start, hits,
                               func, nullptr, budget);
    CStr_base<16384> output;
    int32_t count = StrRegexSubject(GetBuffer(), GetLength(), pattern, options, captures, replace, history, start,
                                    hits, func, &output, budget);
    if (count == kStrRegexStopped)
        return count;
    if constexpr (N == 16384)
        Swap(output);
    else
        Assign(output);
    return count;
}
