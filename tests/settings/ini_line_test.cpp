#include "settings/ini_line.h"

#include <gtest/gtest.h>

#include <string>

TEST(IniLine, KindsAndCaptures)
{
    const struct {
        const char* line;
        IniLineKind kind;
        const char* first;   // key or section name
        const char* second;  // value
    } rows[] = {
        // The key runs to the first "=" (not one inside a double-byte
        // character); indentation is ignored, blanks before "=" belong to the
        // key, and the value may be empty but the key may not.
        {"a=b", IniLineKind::kValue, "a", "b"}, {"a=b=c", IniLineKind::kValue, "a", "b=c"},
        {"\t SaveAutoBackup =ON ", IniLineKind::kValue, "SaveAutoBackup ", "ON "},
        {"key=", IniLineKind::kValue, "key", ""}, {"==x", IniLineKind::kValue, "=", "x"},
        {"k\x81=x=v", IniLineKind::kValue, "k\x81=x", "v"}, {"=x", IniLineKind::kOther, "", ""},
        {"\t=x", IniLineKind::kOther, "", ""},
        // A section name runs to the first "]"; a value line wins over a section line.
        {"  [Custom] anything", IniLineKind::kSection, "Custom", ""}, {"[a]b]", IniLineKind::kSection, "a", ""},
        {"[]", IniLineKind::kOther, "", ""}, {"[open", IniLineKind::kOther, "", ""},
        {"[A=B]", IniLineKind::kValue, "[A", "B]"}, {"[EndSection]=x", IniLineKind::kValue, "[EndSection]", "x"},
        // "[EndSection]" counts anywhere in the line.
        {"[EndSection]", IniLineKind::kEndSection, "", ""}, {"old [EndSection] here", IniLineKind::kEndSection, "", ""},
        {"[EndSection ]", IniLineKind::kSection, "EndSection ", ""}, {"", IniLineKind::kOther, "", ""},
        {"; comment", IniLineKind::kOther, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.line);
        CStrRegexMatchStruct captures;
        const IniLineKind kind = ReadIniLine(row.line, captures);
        EXPECT_EQ(kind, row.kind);
        if (kind == IniLineKind::kValue || kind == IniLineKind::kSection) {
            EXPECT_STREQ(captures[0], row.first);
        }
        if (kind == IniLineKind::kValue) {
            EXPECT_STREQ(captures[1], row.second);
        }
    }
}

TEST(IniNames, PathAndStorableNames)
{
    const struct {
        const char* name;
        bool path;     // reachable by a path
        bool section;  // a settings text holds and gives back the section name
        bool key;      // a settings text holds and gives back the key
    } rows[] = {
        {"Custom", true, true, true}, {"", true, false, false}, {"a/b", false, false, true},
        {"v1.2", false, false, true}, {"..", false, false, true},
        {" [x", true, true, false},  // a key may not begin with a blank
        {"\ta", true, true, false}, {"a b", true, true, true}, {"Info[0]", true, false, true},
        {"a]b", true, false, true}, {"a=b", true, false, false}, {"a\nb", true, false, false},
        {"\x81]", true, true, true},  // the bracket is part of a character
        {"k\x81=", true, true, true},
        {"a\x81", true, false, false},  // would take "]" or "=" as its second byte
        {"k\x81\x81", true, true, true},
        // "[EndSection]" closes a section.
        {"EndSection", true, false, true}, {"x[EndSection", true, false, true}, {"\x81[EndSection", true, true, true},
        {"EndSection ", true, true, true},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(IsIniPathName(row.name), row.path) << row.name;
        EXPECT_EQ(IsStorableIniSectionName(row.name), row.section) << row.name;
        EXPECT_EQ(IsStorableIniKey(row.name), row.key) << row.name;
    }
}
