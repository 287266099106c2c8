#include "pattern/editor_matchers.h"

#include "pattern/regex_registry.h"
#include "pattern/sjis_backslash_matcher.h"

void RegisterEditorMatchers()
{
    const StrRegexLowerMatcher first = StrRegexLowerEntry(0);
    if (first == &MatchSjisBackslashChar)
        return;
    if (first)
        throw static_cast<int32_t>(0);
    StrRegexRegisterLower(&MatchSjisBackslashChar);
}
