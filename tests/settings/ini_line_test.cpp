#include "settings/ini_line.h"

#include <gtest/gtest.h>

#include <string>

namespace {

struct Line {
    IniLineKind kind;
    std::string first;
    std::string second;
};

Line Read(const char* text)
{
    CStrRegexMatchStruct captures;
    Line line{ReadIniLine(text, captures), "", ""};
    if (line.kind == IniLineKind::kValue || line.kind == IniLineKind::kSection)
        line.first = captures[0].GetBuffer();
    if (line.kind == IniLineKind::kValue)
        line.second = captures[1].GetBuffer();
    return line;
}

}  // namespace

TEST(IniLine, KeyRunsToTheFirstEqualsSign)
{
    const Line plain = Read("a=b");
    EXPECT_EQ(plain.kind, IniLineKind::kValue);
    EXPECT_EQ(plain.first, "a");
    EXPECT_EQ(plain.second, "b");
    const Line twice = Read("a=b=c");
    EXPECT_EQ(twice.first, "a");
    EXPECT_EQ(twice.second, "b=c");
}

TEST(IniLine, IndentationIsIgnoredButBlanksBeforeEqualsBelongToKey)
{
    const Line line = Read("\t SaveAutoBackup =ON ");
    EXPECT_EQ(line.kind, IniLineKind::kValue);
    EXPECT_EQ(line.first, "SaveAutoBackup ");
    EXPECT_EQ(line.second, "ON ");
}

TEST(IniLine, ValueMayBeEmptyButKeyMayNot)
{
    const Line empty = Read("key=");
    EXPECT_EQ(empty.kind, IniLineKind::kValue);
    EXPECT_EQ(empty.second, "");
    EXPECT_EQ(Read("=x").kind, IniLineKind::kOther);
    EXPECT_EQ(Read("\t=x").kind, IniLineKind::kOther);
    // The first character of a key is taken whatever it is.
    EXPECT_EQ(Read("==x").first, "=");
}

TEST(IniLine, EqualsInsideDoubleByteCharacterDoesNotEndKey)
{
    const Line line = Read("k\x81=x=v");
    EXPECT_EQ(line.first, "k\x81=x");
    EXPECT_EQ(line.second, "v");
}

TEST(IniLine, SectionNameRunsToTheFirstBracket)
{
    const Line line = Read("  [Custom] anything");
    EXPECT_EQ(line.kind, IniLineKind::kSection);
    EXPECT_EQ(line.first, "Custom");
    EXPECT_EQ(Read("[a]b]").first, "a");
    EXPECT_EQ(Read("[]").kind, IniLineKind::kOther);
    EXPECT_EQ(Read("[open").kind, IniLineKind::kOther);
}

TEST(IniLine, ValueLineWinsOverSectionLine)
{
    const Line line = Read("[A=B]");
    EXPECT_EQ(line.kind, IniLineKind::kValue);
    EXPECT_EQ(line.first, "[A");
    EXPECT_EQ(line.second, "B]");
    EXPECT_EQ(Read("[EndSection]=x").kind, IniLineKind::kValue);
}

TEST(IniLine, EndSectionCountsAnywhereInTheLine)
{
    EXPECT_EQ(Read("[EndSection]").kind, IniLineKind::kEndSection);
    EXPECT_EQ(Read("\t\t[EndSection]").kind, IniLineKind::kEndSection);
    EXPECT_EQ(Read("old [EndSection] here").kind, IniLineKind::kEndSection);
    EXPECT_EQ(Read("[EndSection ]").kind, IniLineKind::kSection);
}

TEST(IniLine, AnythingElseIsSkipped)
{
    EXPECT_EQ(Read("").kind, IniLineKind::kOther);
    EXPECT_EQ(Read("\t ").kind, IniLineKind::kOther);
    EXPECT_EQ(Read("; comment").kind, IniLineKind::kOther);
}

TEST(IniNames, PathNameHasNeitherSlashNorDot)
{
    EXPECT_TRUE(IsIniPathName("Custom"));
    EXPECT_TRUE(IsIniPathName(""));
    EXPECT_FALSE(IsIniPathName("a/b"));
    EXPECT_FALSE(IsIniPathName("v1.2"));
    EXPECT_FALSE(IsIniPathName(".."));
}

TEST(IniNames, StorableSectionNameComesBackFromTheFile)
{
    EXPECT_TRUE(IsStorableIniSectionName("Custom"));
    EXPECT_TRUE(IsStorableIniSectionName(" [x"));
    EXPECT_TRUE(IsStorableIniSectionName("\x81]"));  // the bracket is part of a character
    EXPECT_FALSE(IsStorableIniSectionName(""));
    EXPECT_FALSE(IsStorableIniSectionName("a/b"));
    EXPECT_FALSE(IsStorableIniSectionName("a.b"));
    EXPECT_FALSE(IsStorableIniSectionName("a]b"));
    EXPECT_FALSE(IsStorableIniSectionName("a=b"));
    EXPECT_FALSE(IsStorableIniSectionName("a\nb"));
    EXPECT_FALSE(IsStorableIniSectionName("a\x81"));       // would take "]" as its second byte
    EXPECT_FALSE(IsStorableIniSectionName("EndSection"));   // "[EndSection]" closes a section
    EXPECT_FALSE(IsStorableIniSectionName("x[EndSection"));
    EXPECT_TRUE(IsStorableIniSectionName("\x81[EndSection"));
    EXPECT_TRUE(IsStorableIniSectionName("EndSection "));
}

TEST(IniNames, StorableKeyComesBackFromTheFile)
{
    EXPECT_TRUE(IsStorableIniKey("Info[0]"));
    EXPECT_TRUE(IsStorableIniKey("a b"));
    EXPECT_TRUE(IsStorableIniKey("k\x81="));
    EXPECT_FALSE(IsStorableIniKey(""));
    EXPECT_FALSE(IsStorableIniKey("a=b"));
    EXPECT_FALSE(IsStorableIniKey(" a"));
    EXPECT_FALSE(IsStorableIniKey("\ta"));
    EXPECT_FALSE(IsStorableIniKey("a\nb"));
    EXPECT_FALSE(IsStorableIniKey("k\x81"));  // would take "=" as its second byte
    EXPECT_TRUE(IsStorableIniKey("k\x81\x81"));
}
