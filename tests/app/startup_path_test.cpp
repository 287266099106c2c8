#include "app/startup_path.h"

#include <gtest/gtest.h>

#include "foundation/sjis_literal.h"

TEST(CommandLinePath, IsMadeWholeAndCleaned)
{
    struct Case {
        const char* argument;
        const char* path;
    };
    const Case cases[] = {
        {"/data/inc-item-data.cgi", "/data/inc-item-data.cgi"},
        {"\"/data/my file.cgi\"", "/data/my file.cgi"},          // quotes dropped
        {"\"/data/open.cgi", "/data/open.cgi"},                 // no closing quote: nothing else lost
        {"inc-item-data.cgi", "/home/u/inc-item-data.cgi"},     // relative to the current folder
        {"../shop/./a.cgi", "/home/shop/a.cgi"},
        {"/data//x.cgi. . ", "/data/x.cgi"},                   // trailing dots and blanks
        {"/data/a:b.cgi", "/data/a:b.cgi"},                     // a colon is part of the name
        {"d\\x.cgi", "/home/u/d\\x.cgi"},                       // so is a backslash
        {"/data/\xe8\xa1\xa8.cgi", "/data/\xe8\xa1\xa8.cgi"},        // native, as given
        {"", ""},
        {"\"\"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(CommandLinePath(c.argument, "/home/u"), c.path) << c.argument;
}

TEST(CommandLinePath, FullPathsAreRecognised)
{
    EXPECT_TRUE(IsNormalFullPath("/usr/bin/gimp", "/home/u"));
    EXPECT_TRUE(IsNormalFullPath(SJ("/opt/表示/edit"), "/home/u"));
    for (const char* text : {"gimp", "bin/gimp", "/usr/bin/./gimp", "/usr//bin/gimp", "/usr/bin/gimp.", "",
                             "C:\\Program Files\\edit.exe"})
        EXPECT_FALSE(IsNormalFullPath(text, "/home/u")) << text;
}
