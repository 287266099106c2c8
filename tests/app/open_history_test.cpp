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

TEST(OpenHistory, NewestFirstWithoutDuplicatesAndAtMostFive)
{
    CSettingsStore settings;
    COpenHistory history;
    ReadOpenHistory(settings, history);
    EXPECT_EQ(history.paths.GetCount(), 0u);

    for (const char* path : {"/d/a.cgi", "/d/b.cgi", "/d/c.cgi"})
        AddToOpenHistory(settings, path, "P", "R", history);
    AddToOpenHistory(settings, "/d/a.cgi", "Again", "R2", history); // moves up, not twice
    EXPECT_EQ(Texts(history.paths), (std::vector<std::string>{"/d/a.cgi", "/d/c.cgi", "/d/b.cgi"}));
    EXPECT_EQ(Texts(history.infos), (std::vector<std::string>{"Again / R2", "P / R", "P / R"}));
    AddToOpenHistory(settings, "/d/A.cgi", "P", "R", history); // case matters
    EXPECT_EQ(history.paths.GetCount(), 4u);

    for (const char* path : {"/d/e.cgi", "/d/f.cgi"})
        AddToOpenHistory(settings, path, "P", "R", history);
    EXPECT_EQ(Texts(history.paths),
              (std::vector<std::string>{"/d/f.cgi", "/d/e.cgi", "/d/A.cgi", "/d/a.cgi", "/d/c.cgi"}));

    // What was written is what is read.
    COpenHistory read;
    ReadOpenHistory(settings, read);
    EXPECT_EQ(Texts(read.paths), Texts(history.paths));
    EXPECT_EQ(Texts(read.infos), Texts(history.infos));
    EXPECT_STREQ(settings.GetValue("/OpenFileHistory/Info[4]")->GetBuffer(), "P / R");
}
