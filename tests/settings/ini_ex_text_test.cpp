#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <string>

#include "foundation/sjis_literal.h"

namespace {

using Store = CIniExCtrl_base<32, 32, 64>;

std::string Saved(const Store& store)
{
    CStr_base<16384> text;
    store.SaveText(text);
    return text.GetBuffer();
}

std::string ValueAt(const Store& store, const char* path)
{
    const Store::Value* value = store.GetValue(path);
    return value ? value->GetBuffer() : "(none)";
}

uint32_t BucketOf(const char* key) { return CMapElement<int, 32>::Hash(key) & 31; }

}  // namespace

TEST(IniExLoadText, SingleLineGivesRootValue)
{
    Store store;
    EXPECT_TRUE(store.LoadText("a=b"));
    EXPECT_EQ(ValueAt(store, "/a"), "b");
    EXPECT_EQ(store.GetRoot()->values.GetCount(), 1u);
}

TEST(IniExLoadText, IndentedValueInsideSection)
{
    Store store;
    EXPECT_TRUE(store.LoadText("[Custom]\n\tSaveAutoBackup=ON\n[EndSection]\n"));
    EXPECT_EQ(ValueAt(store, "/Custom/SaveAutoBackup"), "ON");
    Store other;
    EXPECT_TRUE(other.LoadText("  [Custom]\nSaveAutoBackup=ON\n\t\t\t[EndSection]"));
    EXPECT_EQ(ValueAt(other, "/Custom/SaveAutoBackup"), "ON");
}

TEST(IniExLoadText, FirstEqualsSignEndsKeyAndKeylessLineIsSkipped)
{
    Store store;
    EXPECT_TRUE(store.LoadText("a=b=c\n=x\n"));
    EXPECT_EQ(ValueAt(store, "a"), "b=c");
    EXPECT_EQ(store.GetRoot()->values.GetCount(), 1u);
}

TEST(IniExLoadText, BlankCommentAndOddLinesAreSkipped)
{
    Store store;
    EXPECT_TRUE(store.LoadText("\n; comment\n\t\n[]\n[unclosed\ngarbage\nk=v\n"));
    EXPECT_EQ(store.GetRoot()->values.GetCount(), 1u);
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 0u);
    EXPECT_EQ(ValueAt(store, "k"), "v");
}

TEST(IniExLoadText, LaterValueReplacesEarlier)
{
    Store store;
    EXPECT_TRUE(store.LoadText("k=1\nk=2\n"));
    EXPECT_EQ(ValueAt(store, "k"), "2");
}

TEST(IniExLoadText, SectionWithoutEndSectionNestsTheNext)
{
    Store store;
    EXPECT_TRUE(store.LoadText("[A]\n[B]\nk=v\n"));
    EXPECT_EQ(ValueAt(store, "/A/B/k"), "v");
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
    // Sections left open are closed at the end: the root is current again.
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
}

TEST(IniExLoadText, RestOfSectionLineIsIgnored)
{
    Store store;
    EXPECT_TRUE(store.LoadText("[A] old comment ]\nk=v\n[EndSection] trailing"));
    EXPECT_EQ(ValueAt(store, "/A/k"), "v");
}

TEST(IniExLoadText, ReopenedSectionIsMerged)
{
    Store store;
    EXPECT_TRUE(store.LoadText("[A]\nx=1\n[EndSection]\n[A]\ny=2\n[EndSection]\n"));
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
    EXPECT_EQ(ValueAt(store, "/A/x"), "1");
    EXPECT_EQ(ValueAt(store, "/A/y"), "2");
}

TEST(IniExLoadText, EndSectionAtRootFailsAndKeepsWhatWasRead)
{
    Store store;
    EXPECT_FALSE(store.LoadText("a=1\n[S]\nx=1\n[EndSection]\n[EndSection]\nb=2\n"));
    EXPECT_EQ(ValueAt(store, "a"), "1");
    EXPECT_EQ(ValueAt(store, "/S/x"), "1");
    EXPECT_EQ(ValueAt(store, "b"), "(none)");
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
}

TEST(IniExLoadText, SectionNameWithSlashOrDotFails)
{
    Store slash;
    EXPECT_FALSE(slash.LoadText("a=1\n[x/y]\nb=2\n"));
    EXPECT_EQ(ValueAt(slash, "a"), "1");
    EXPECT_EQ(slash.GetRoot()->sections.GetCount(), 0u);
    EXPECT_EQ(slash.GetRoot()->values.GetCount(), 1u);
    Store dot;
    EXPECT_FALSE(dot.LoadText("[S]\n[v1.2]\n"));
    EXPECT_EQ(dot.GetRoot()->sections.GetCount(), 1u);
    EXPECT_EQ(dot.GetCurrentSection(), dot.GetRoot());
}

TEST(IniExLoadText, MergesIntoTreeFromTheRoot)
{
    Store store;
    ASSERT_TRUE(store.LoadText("a=1\n[S]\nx=1\n[EndSection]\n"));
    ASSERT_TRUE(store.ChangeSection("/S"));
    EXPECT_TRUE(store.LoadText("a=2\n[S]\ny=2\n"));
    EXPECT_EQ(ValueAt(store, "/a"), "2");
    EXPECT_EQ(ValueAt(store, "/S/x"), "1");
    EXPECT_EQ(ValueAt(store, "/S/y"), "2");
    EXPECT_EQ(ValueAt(store, "/S/a"), "(none)");
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
    EXPECT_STREQ(store.GetCurrentPath(), "");
}

TEST(IniExLoadText, ValuesAreUnescaped)
{
    Store store;
    EXPECT_TRUE(store.LoadText("v=tab\\tlf\\nbs\\\\ odd\\q end\\\n"));
    EXPECT_EQ(ValueAt(store, "v"), "tab\tlf\nbs\\ odd end");
}

TEST(IniExLoadText, LineFeedAsSecondByteStaysInTheLine)
{
    Store store;
    EXPECT_TRUE(store.LoadText("k=\x81\nmore\nj=2\n"));
    EXPECT_EQ(ValueAt(store, "k"), "\x81\nmore");
    EXPECT_EQ(ValueAt(store, "j"), "2");
}

TEST(IniExSaveText, EmptyStoreGivesEmptyText)
{
    Store store;
    EXPECT_EQ(Saved(store), "");
}

TEST(IniExSaveText, KeysComeInMapOrderAndValuesBeforeSections)
{
    // Custom has bucket 15 and OpenFileHistory bucket 31; RestoreOpenFile
    // has bucket 3 and SaveAutoBackup bucket 4.
    ASSERT_EQ(BucketOf("Custom"), 15u);
    ASSERT_EQ(BucketOf("OpenFileHistory"), 31u);
    ASSERT_EQ(BucketOf("RestoreOpenFile"), 3u);
    ASSERT_EQ(BucketOf("SaveAutoBackup"), 4u);

    Store store;
    ASSERT_TRUE(store.CreateSection("OpenFileHistory"));
    ASSERT_TRUE(store.CreateSection("Custom"));
    *store.GetValueForWrite("/OpenFileHistory/Info[0]") = "C:\\game\\inc-item-data.cgi";
    store.SetSwitch("/Custom/SaveAutoBackup", true);
    store.SetSwitch("/Custom/RestoreOpenFile", false);
    *store.GetValueForWrite("/RuleName") = SJ("標準");
    EXPECT_EQ(Saved(store), std::string("RuleName=") + SJ("標準") +
                                "\n"
                                "[Custom]\n"
                                "\tRestoreOpenFile=OFF\n"
                                "\tSaveAutoBackup=ON\n"
                                "[EndSection]\n"
                                "[OpenFileHistory]\n"
                                "\tInfo[0]=C:\\\\game\\\\inc-item-data.cgi\n"
                                "[EndSection]\n");
}

TEST(IniExSaveText, NestedSectionsAreIndentedOneTabPerLevel)
{
    Store store;
    ASSERT_TRUE(store.CreateSection("A"));
    ASSERT_TRUE(store.ChangeSection("A"));
    ASSERT_TRUE(store.CreateSection("B"));
    ASSERT_TRUE(store.ChangeSection("B"));
    ASSERT_TRUE(store.CreateSection("C"));
    *store.GetValueForWrite("C/deep") = "3";
    *store.GetValueForWrite("/A/a") = "1";
    *store.GetValueForWrite("/top") = "0";
    EXPECT_EQ(Saved(store),
              "top=0\n"
              "[A]\n"
              "\ta=1\n"
              "\t[B]\n"
              "\t\t[C]\n"
              "\t\t\tdeep=3\n"
              "\t\t[EndSection]\n"
              "\t[EndSection]\n"
              "[EndSection]\n");
}

TEST(IniExSaveText, ValueIsEscaped)
{
    Store store;
    *store.GetValueForWrite("v") = "a\tb\nc\\d\re";
    EXPECT_EQ(Saved(store), "v=a\\tb\\nc\\\\d\re\n");
    Store back;
    ASSERT_TRUE(back.LoadText(Saved(store).c_str()));
    EXPECT_EQ(ValueAt(back, "v"), "a\tb\nc\\d\re");
}

TEST(IniExSaveText, LeadByteEndingValueDoesNotSwallowNextLine)
{
    Store store;
    ASSERT_TRUE(store.LoadText("[A]\n[EndSection]\nk=x\x81"));
    EXPECT_EQ(ValueAt(store, "k"), "x\x81");
    const std::string text = Saved(store);
    EXPECT_EQ(text, "k=x\n[A]\n[EndSection]\n");
    Store back;
    EXPECT_TRUE(back.LoadText(text.c_str()));
    EXPECT_EQ(Saved(back), text);
}

TEST(IniExRoundTrip, SavedTextLoadsIntoTheSameTree)
{
    const std::string longKey(40, 'k');
    const std::string longSection = "Section" + std::string(30, 's');
    const std::string text = std::string("RuleName=") + SJ("標準 ベータ版(040318)") +
                             "\n"
                             "  [Custom]\n"
                             "\tIconEditAppPath=C:\\\\Program Files\\\\paint.exe\n"
                             "\t" + longKey + "=long key\n"
                             "\t[" + longSection + "]\n"
                             "\t\tkey with blanks =  value with blanks  \n"
                             "\t\tkana=" + SJ("ソ表能") + "\\t" + SJ("十") + "\n"
                             "\t[EndSection]\n"
                             "\tcr=carriage\r\n"
                             "[EndSection]\n"
                             "[" + SJ("日本語") + "]\n"
                             "\t[Inner]\n"
                             "==equals key\n"
                             "[A=B]\n"
                             "\t[EndSection]\n"
                             "[EndSection]\n"
                             "[Custom]\n"
                             "\tlater=merged\n"
                             "[EndSection]\n";
    Store first;
    ASSERT_TRUE(first.LoadText(text.c_str()));
    EXPECT_EQ(ValueAt(first, ("/Custom/" + longKey).c_str()), "long key");
    EXPECT_EQ(ValueAt(first, ("/Custom/" + longSection + "/kana").c_str()),
              std::string(SJ("ソ表能")) + "\t" + SJ("十"));
    EXPECT_EQ(ValueAt(first, "/Custom/cr"), "carriage\r");
    EXPECT_EQ(ValueAt(first, "/Custom/later"), "merged");

    const std::string saved = Saved(first);
    Store second;
    ASSERT_TRUE(second.LoadText(saved.c_str()));
    EXPECT_EQ(Saved(second), saved);
    EXPECT_EQ(ValueAt(second, (std::string("/") + SJ("日本語") + "/Inner/[A").c_str()), "B]");
}

TEST(IniExRoundTrip, TreeBuiltThroughTheStoreComesBack)
{
    Store store;
    ASSERT_TRUE(store.CreateSection("DirectInputDialog"));
    ASSERT_TRUE(store.CreateSection("End[Section"));
    ASSERT_TRUE(store.CreateSection(" [odd"));
    *store.GetValueForWrite("/DirectInputDialog/w") = "500";
    *store.GetValueForWrite("/End[Section/k") = "[EndSection]";
    *store.GetValueForWrite("/ [odd/[v]") = "\\\t\n\r\n";
    *store.GetValueForWrite("/LastOpenFile") = SJ("C:\\データ\\表.cgi");
    const std::string saved = Saved(store);
    Store back;
    ASSERT_TRUE(back.LoadText(saved.c_str()));
    EXPECT_EQ(Saved(back), saved);
    EXPECT_EQ(ValueAt(back, "/ [odd/[v]"), "\\\t\n\r\n");
    EXPECT_EQ(ValueAt(back, "/End[Section/k"), "[EndSection]");
    EXPECT_EQ(ValueAt(back, "/LastOpenFile"), SJ("C:\\データ\\表.cgi"));
}
