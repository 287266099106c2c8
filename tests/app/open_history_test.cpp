#include "app/open_history.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> Texts(const CStrArray_base<64>& list)
{
    std::vector<std::string> out;
    for (const CStr_base<64>& text : list)
        out.emplace_back(text.GetBuffer());
    return out;
}

} // namespace

// Order and the limit of five are in the main window's history test.
TEST(OpenHistory, MovedEntryTakesItsNewInfoAndCaseMatters)
{
    CSettingsStore settings;
    COpenHistory history;
    ReadOpenHistory(settings, history);
    EXPECT_EQ(history.paths.GetCount(), 0u);

    for (const char* path : {"/d/a.cgi", "/d/b.cgi"})
        AddToOpenHistory(settings, path, "P", "R", history);
    AddToOpenHistory(settings, "/d/a.cgi", "Again", "R2", history); // moves up, not twice
    AddToOpenHistory(settings, "/d/A.cgi", "P", "R", history);      // another file
    EXPECT_EQ(Texts(history.paths), (std::vector<std::string>{"/d/A.cgi", "/d/a.cgi", "/d/b.cgi"}));
    EXPECT_EQ(Texts(history.infos), (std::vector<std::string>{"P / R", "Again / R2", "P / R"}));

    // What was written is what is read.
    COpenHistory read;
    ReadOpenHistory(settings, read);
    EXPECT_EQ(Texts(read.paths), Texts(history.paths));
    EXPECT_EQ(Texts(read.infos), Texts(history.infos));
    EXPECT_STREQ(settings.GetValue("/OpenFileHistory/Info[1]")->GetBuffer(), "Again / R2");
}
