#include "settings/ini_default_path.h"

#include <gtest/gtest.h>

TEST(IniPathBesideProgram, ExtensionBecomesIni)
{
    CStr_base<64> path;
    ASSERT_TRUE(IniPathBesideProgram("C:\\tool\\edit.exe", path));
    EXPECT_STREQ(path, "C:\\tool\\edit.ini");
    ASSERT_TRUE(IniPathBesideProgram("/opt/tavaro/Tavaro.EXE", path));
    EXPECT_STREQ(path, "/opt/tavaro/Tavaro.ini");
}

TEST(IniPathBesideProgram, ProgramWithoutExtensionGetsOneAdded)
{
    CStr_base<64> path;
    ASSERT_TRUE(IniPathBesideProgram("/opt/tavaro/tavaro", path));
    EXPECT_STREQ(path, "/opt/tavaro/tavaro.ini");
    // A dot in a folder name is no extension of the program.
    ASSERT_TRUE(IniPathBesideProgram("/opt/v1.2/tavaro", path));
    EXPECT_STREQ(path, "/opt/v1.2/tavaro.ini");
    ASSERT_TRUE(IniPathBesideProgram("/usr/a.b", path));
    EXPECT_STREQ(path, "/usr/a.b.ini");
}

TEST(IniPathBesideProgram, ShortProgramPathGivesNoFile)
{
    CStr_base<64> path("unchanged");
    EXPECT_FALSE(IniPathBesideProgram("a.exe", path));
    EXPECT_FALSE(IniPathBesideProgram("", path));
    EXPECT_STREQ(path, "unchanged");
    ASSERT_TRUE(IniPathBesideProgram("ab.exe", path));
    EXPECT_STREQ(path, "ab.ini");
}
