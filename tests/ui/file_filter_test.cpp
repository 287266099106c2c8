// The filters of file dialogs, taken apart into their names and patterns.
// Message boxes, file dialogs, the shell, the wait cursor, timers, posted
// messages, menus and the program's activation are tested on Qt.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/cp932.h"
#include "foundation/sjis_literal.h"
#include "foundation/str_array.h"
#include "ui/file_filter.h"

namespace {

using Log = std::vector<std::string>;

TEST(FileFilter, SplitsIntoNamePatternPairs)
{
    struct Case {
        std::string filter;
        Log names, patterns;
    };
    const Case cases[] = {
        {SJ("inc-item-data.cgi|inc-item-data.cgi|CGI ファイル(*.cgi)|*.cgi|全てのファイル(*.*)|*.*||"),
         {"inc-item-data.cgi", "CGI ファイル(*.cgi)", "全てのファイル(*.*)"},
         {"inc-item-data.cgi", "*.cgi", "*.*"}},
        {SJ("a－b|*.x||"), {"a－b"}, {"*.x"}},  // the second byte of "－" is "|"
        {"a|*.a|b", {"a"}, {"*.a"}},             // a name without pattern
        {"a|*.a||b|*.b||", {"a"}, {"*.a"}},      // nothing after the end
        {"", {}, {}},
    };
    for (const Case& c : cases) {
        CStrArray_base<64> names, patterns;
        UiSplitFileFilter(c.filter.c_str(), names, patterns);
        Log gotNames, gotPatterns;
        for (const CStr_base<64>& name : names)
            gotNames.push_back(Cp932ToUtf8(name.GetBuffer()));
        for (const CStr_base<64>& pattern : patterns)
            gotPatterns.push_back(Cp932ToUtf8(pattern.GetBuffer()));
        EXPECT_EQ(gotNames, c.names) << c.filter;
        EXPECT_EQ(gotPatterns, c.patterns) << c.filter;
    }
}

}  // namespace
