#include "pattern/editor_matchers.h"

#include <mutex>

#include "pattern/regex_registry.h"
#include "pattern/sjis_backslash_matcher.h"

void RegisterEditorMatchers()
{
    // The look at entry 0 and the registering are one step.
    static std::mutex lock;
    const std::lock_guard hold(lock);
    const StrRegexLowerMatcher first = StrRegexLowerEntry(0);
    if (first == &MatchSjisBackslashChar)
        return;
    if (first)
        throw static_cast<int32_t>(0);
    StrRegexRegisterLower(&MatchSjisBackslashChar);
}
