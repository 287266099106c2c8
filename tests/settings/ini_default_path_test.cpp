#include "settings/ini_default_path.h"

#include <gtest/gtest.h>

TEST(IniPathBesideProgram, ExtensionBecomesIniOrIsAdded)
{
    const struct {
        const char* program;
        const char* settings;  // nullptr: no settings file
    } rows[] = {
        {"/tool/edit.exe", "/tool/edit.ini"}, {"/opt/tavaro/Tavaro.EXE", "/opt/tavaro/Tavaro.ini"},
        {"ab.exe", "ab.ini"},
        // Without a three-character extension ".ini" is added; a dot in a
        // folder name is no extension of the program.
        {"/opt/tavaro/tavaro", "/opt/tavaro/tavaro.ini"}, {"/opt/v1.2/tavaro", "/opt/v1.2/tavaro.ini"},
        {"/usr/a.b", "/usr/a.b.ini"},
        // A "\" is part of the name: "a.b\c" has the extension "b\c", and
        // "x.y\tool" none of three characters.
        {"/opt/a.b\\c", "/opt/a.ini"}, {"/opt/x.y\\tool", "/opt/x.y\\tool.ini"},
        // A program path shorter than 6 characters gives no file.
        {"a.exe", nullptr}, {"", nullptr},
    };
    for (const auto& row : rows) {
        CStr_base<64> path("unchanged");
        EXPECT_EQ(IniPathBesideProgram(row.program, path), row.settings != nullptr) << row.program;
        EXPECT_STREQ(path, row.settings ? row.settings : "unchanged");
    }
}
