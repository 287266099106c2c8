#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "foundation/sjis_literal.h"

namespace {

using Store = CSettingsStore;

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

TEST(IniExLoadText, ReadsLinesIntoTheTree)
{
    const struct {
        const char* text;
        bool accepted;
        const char* saved;  // the tree that was read, as saved
        std::vector<std::pair<const char*, const char*>> values = {};
    } rows[] = {
        {"a=b", true, "a=b\n", {{"/a", "b"}}},
        // Indentation is irrelevant when reading.
        {"[Custom]\n\tSaveAutoBackup=ON\n[EndSection]\n", true, "[Custom]\n\tSaveAutoBackup=ON\n[EndSection]\n",
         {{"/Custom/SaveAutoBackup", "ON"}}},
        {"  [Custom]\nSaveAutoBackup=ON\n\t\t\t[EndSection]", true, "[Custom]\n\tSaveAutoBackup=ON\n[EndSection]\n"},
        // The first "=" ends the key; a line without a key, blank, comment
        // and odd lines are skipped; a later value replaces an earlier one.
        {"a=b=c\n=x\n", true, "a=b=c\n"},
        {"\n; comment\n\t\n[]\n[unclosed\ngarbage\nk=v\n", true, "k=v\n"},
        {"k=1\nk=2\n", true, "k=2\n"},
        // A section without "[EndSection]" nests the next; sections left open
        // are closed at the end; the rest of a section line is ignored; a
        // section opened again is merged.
        {"[A]\n[B]\nk=v\n", true, "[A]\n\t[B]\n\t\tk=v\n\t[EndSection]\n[EndSection]\n", {{"/A/B/k", "v"}}},
        {"[A] old comment ]\nk=v\n[EndSection] trailing", true, "[A]\n\tk=v\n[EndSection]\n"},
        {"[A]\nx=1\n[EndSection]\n[A]\ny=2\n[EndSection]\n", true, "[A]\n\tx=1\n\ty=2\n[EndSection]\n"},
        // "[EndSection]" at the root and a section name with "/" or "." are
        // refused; what was read before stays.
        {"a=1\n[S]\nx=1\n[EndSection]\n[EndSection]\nb=2\n", false, "a=1\n[S]\n\tx=1\n[EndSection]\n"},
        {"a=1\n[x/y]\nb=2\n", false, "a=1\n"},
        {"[S]\n[v1.2]\n", false, "[S]\n[EndSection]\n"},
        // Values are unescaped; a line feed as a second byte stays in the line.
        {"v=tab\\tlf\\nbs\\\\ odd\\q end\\\n", true, "v=tab\\tlf\\nbs\\\\ odd end\n", {{"v", "tab\tlf\nbs\\ odd end"}}},
        {"k=\x81\nmore\nj=2\n", true, "j=2\nk=\x81\nmore\n", {{"k", "\x81\nmore"}, {"j", "2"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Store store;
        EXPECT_EQ(store.LoadText(row.text), row.accepted);
        EXPECT_EQ(Saved(store), row.saved);
        for (const auto& [path, value] : row.values)
            EXPECT_EQ(ValueAt(store, path), value);
        // Afterwards the root is the current section.
        EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
        EXPECT_STREQ(store.GetCurrentPath(), "");
    }
}

TEST(IniExLoadText, MergesIntoTreeFromTheRoot)
{
    Store store;
    ASSERT_TRUE(store.LoadText("a=1\n[S]\nx=1\n[EndSection]\n"));
    ASSERT_TRUE(store.ChangeSection("/S"));
    EXPECT_TRUE(store.LoadText("a=2\n[S]\ny=2\n"));
    EXPECT_EQ(Saved(store), "a=2\n[S]\n\tx=1\n\ty=2\n[EndSection]\n");
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
    EXPECT_STREQ(store.GetCurrentPath(), "");
}

TEST(IniExSaveText, ValuesBeforeSectionsInMapOrder)
{
    EXPECT_EQ(Saved(Store()), "");
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
    *store.GetValueForWrite("/v") = "a\tb\nc\\d\re";
    EXPECT_EQ(Saved(store),
              "top=0\n"
              "v=a\\tb\\nc\\\\d\re\n"
              "[A]\n"
              "\ta=1\n"
              "\t[B]\n"
              "\t\t[C]\n"
              "\t\t\tdeep=3\n"
              "\t\t[EndSection]\n"
              "\t[EndSection]\n"
              "[EndSection]\n");
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
    // Long keys and section names, blanks, Japanese names, odd keys, a
    // carriage return, a merged section; then odd names set through the store.
    const std::string longKey(40, 'k');
    const std::string longSection = "Section" + std::string(30, 's');
    const std::string text = std::string("RuleName=") + SJ("標準 ベータ版(040318)") + "\n  [Custom]\n"
                             "\tIconEditAppPath=C:\\\\Program Files\\\\paint.exe\n"
                             "\t" + longKey + "=long key\n"
                             "\t[" + longSection + "]\n"
                             "\t\tkey with blanks =  value with blanks  \n"
                             "\t\tkana=" + SJ("ソ表能") + "\\t" + SJ("十") + "\n"
                             "\t[EndSection]\n\tcr=carriage\r\n[EndSection]\n"
                             "[" + SJ("日本語") + "]\n\t[Inner]\n==equals key\n[A=B]\n\t[EndSection]\n[EndSection]\n"
                             "[Custom]\n\tlater=merged\n[EndSection]\n";
    Store first;
    ASSERT_TRUE(first.LoadText(text.c_str()));
    EXPECT_EQ(ValueAt(first, ("/Custom/" + longKey).c_str()), "long key");
    EXPECT_EQ(ValueAt(first, ("/Custom/" + longSection + "/kana").c_str()), std::string(SJ("ソ表能")) + "\t" + SJ("十"));
    EXPECT_EQ(ValueAt(first, "/Custom/cr"), "carriage\r");
    EXPECT_EQ(ValueAt(first, "/Custom/later"), "merged");
    ASSERT_TRUE(first.CreateSection("End[Section"));
    ASSERT_TRUE(first.CreateSection(" [odd"));
    *first.GetValueForWrite("/End[Section/k") = "[EndSection]";
    *first.GetValueForWrite("/ [odd/[v]") = "\\\t\n\r\n";
    *first.GetValueForWrite("/LastOpenFile") = SJ("C:\\データ\\表.cgi");

    const std::string saved = Saved(first);
    Store second;
    ASSERT_TRUE(second.LoadText(saved.c_str()));
    EXPECT_EQ(Saved(second), saved);
    EXPECT_EQ(ValueAt(second, (std::string("/") + SJ("日本語") + "/Inner/[A").c_str()), "B]");
    EXPECT_EQ(ValueAt(second, "/ [odd/[v]"), "\\\t\n\r\n");
    EXPECT_EQ(ValueAt(second, "/End[Section/k"), "[EndSection]");
    EXPECT_EQ(ValueAt(second, "/LastOpenFile"), SJ("C:\\データ\\表.cgi"));
}
