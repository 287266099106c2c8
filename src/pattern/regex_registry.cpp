#include "pattern/regex_registry.h"

#include <vector>

namespace {

std::vector<StrRegexLowerMatcher>& Lower()
{
    static std::vector<StrRegexLowerMatcher> registry;
    return registry;
}

std::vector<StrRegexUpperMatcher>& Upper()
{
    static std::vector<StrRegexUpperMatcher> registry;
    return registry;
}

}  // namespace

uint32_t StrRegexRegisterLower(StrRegexLowerMatcher matcher)
{
    Lower().push_back(matcher);
    return static_cast<uint32_t>(Lower().size() - 1);
}

uint32_t StrRegexRegisterUpper(StrRegexUpperMatcher matcher)
{
    Upper().push_back(matcher);
    return static_cast<uint32_t>(Upper().size() - 1);
}

void StrRegexClearUserMatchers()
{
    Lower().clear();
    Upper().clear();
}

StrRegexLowerMatcher StrRegexLowerEntry(uint32_t n)
{
    return n < Lower().size() ? Lower()[n] : nullptr;
}

StrRegexUpperMatcher StrRegexUpperEntry(uint32_t n)
{
    return n < Upper().size() ? Upper()[n] : nullptr;
}
