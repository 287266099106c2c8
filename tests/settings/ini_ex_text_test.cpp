#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

}  // namespace

// Each text is read into an empty store; what was read is saved, and the
// saved text reads back into the same tree.
TEST(IniExText, LinesAreReadIntoTheTreeAndSavedBack)
{
    const std::string longKey(40, 'k');
    const struct {
        std::string text;
        bool accepted;
        std::string saved;
        std::vector<std::pair<std::string, std::string>> values = {};
    } rows[] = {
        // Indentation is irrelevant when reading; the first "=" ends the key;
        // lines without a key, blank, comment and odd lines are skipped; a
        // later value replaces an earlier one.
        {"  [Custom]\nSaveAutoBackup=ON\n\t\t\t[EndSection]", true, "[Custom]\n\tSaveAutoBackup=ON\n[EndSection]\n",
         {{"/Custom/SaveAutoBackup", "ON"}}},
        {"a=b=c\n=x\n\n; comment\n\t\n[]\n[unclosed\ngarbage\nk=1\nk=2\n", true, "a=b=c\nk=2\n", {{"/a", "b=c"}}},
        // A section without "[EndSection]" nests the next; sections left open
        // are closed at the end; the rest of a section line is ignored; a
        // section opened again is merged; nesting is indented by tabs.
        {"[A]\n[B]\n[C]\nk=v\n", true, "[A]\n\t[B]\n\t\t[C]\n\t\t\tk=v\n\t\t[EndSection]\n\t[EndSection]\n[EndSection]\n",
         {{"/A/B/C/k", "v"}}},
        {"[A] old ]\nx=1\n[EndSection] trailing\n[A]\ny=2\n", true, "[A]\n\tx=1\n\ty=2\n[EndSection]\n"},
        // "[EndSection]" at the root and a section name with "/" or "." are
        // refused; what was read before stays.
        {"a=1\n[S]\nx=1\n[EndSection]\n[EndSection]\nb=2\n", false, "a=1\n[S]\n\tx=1\n[EndSection]\n"},
        {"a=1\n[x/y]\nb=2\n", false, "a=1\n"},
        {"[S]\n[v1.2]\n", false, "[S]\n[EndSection]\n"},
        // Values are unescaped; a line feed as a second byte stays in the
        // line; a lead byte at the end of a value is not written, so that it
        // cannot take the line feed behind it; a CR stays.
        {"v=tab\\tlf\\nbs\\\\ odd\\q end\\\n", true, "v=tab\\tlf\\nbs\\\\ odd end\n", {{"v", "tab\tlf\nbs\\ odd end"}}},
        {"k=\x81\nmore\nj=2\n", true, "j=2\nk=\x81\nmore\n", {{"k", "\x81\nmore"}}},
        {"[A]\n[EndSection]\nk=x\x81", true, "k=x\n[A]\n[EndSection]\n", {{"k", "x\x81"}}},
        {"c=x\r\n", true, "c=x\r\n", {{"c", "x\r"}}},
        // "[EndSection]" counts anywhere in a line that is no value line; the
        // "=" inside a double-byte character ends no key.
        {"[A]\nold [EndSection] here\nk\x81=x=v\n[EndSection]=x\n", true, "k\x81=x=v\n[EndSection]=x\n[A]\n[EndSection]\n",
         {{"k\x81=x", "v"}}},
        // Long and Japanese names, blanks, "=" and brackets inside names.
        {"[" + longKey + "]\n" + longKey + "=long\nkey with blanks =  value  \n[EndSection]\n[" + SJ("日本語") +
             "]\n\t[Inner]\n==equals key\n[A=B]\n",
         true,
         std::string("[") + SJ("日本語") + "]\n\t[Inner]\n\t\t==equals key\n\t\t[A=B]\n\t[EndSection]\n[EndSection]\n[" +
             longKey + "]\n\tkey with blanks =  value  \n\t" + longKey + "=long\n[EndSection]\n",
         {{"/" + longKey + "/" + longKey, "long"}, {std::string("/") + SJ("日本語") + "/Inner/[A", "B]"}}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        Store store;
        EXPECT_EQ(store.LoadText(row.text.c_str()), row.accepted);
        EXPECT_EQ(Saved(store), row.saved);
        for (const auto& [path, value] : row.values)
            EXPECT_EQ(ValueAt(store, path.c_str()), value);
        EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
        Store back;
        EXPECT_TRUE(back.LoadText(row.saved.c_str()));
        EXPECT_EQ(Saved(back), row.saved);
    }
}

// Reading merges into the tree from its root, whatever section is current;
// names and values set through the store that a text could mistake are
// written so that they read back.
TEST(IniExText, MergesFromTheRootAndOddNamesReadBack)
{
    Store store;
    ASSERT_TRUE(store.LoadText("a=1\n[S]\nx=1\n[EndSection]\n"));
    ASSERT_TRUE(store.ChangeSection("/S"));
    EXPECT_TRUE(store.LoadText("a=2\n[S]\ny=2\n"));
    EXPECT_EQ(Saved(store), "a=2\n[S]\n\tx=1\n\ty=2\n[EndSection]\n");

    // Brackets and "=" as second bytes of double-byte characters are no
    // syntax.
    for (const char* name : {"End[Section", " [odd", "\x81]", "k\x81=", "EndSection ", "\x81[EndSection", "a b"}) {
        ASSERT_TRUE(store.CreateSection(name)) << name;
        for (const char* key : {"\x81]", "k\x81=", "Info[0]", "a]b", "EndSection", "[EndSection"})
            *store.GetValueForWrite((std::string("/") + name + "/" + key).c_str()) = key;
    }
    *store.GetValueForWrite("/End[Section/k") = "[EndSection]";
    *store.GetValueForWrite("/ [odd/[v]") = "\\\t\n\r\n";
    *store.GetValueForWrite("/LastOpenFile") = SJ("C:\\データ\\表.cgi");
    Store back;
    ASSERT_TRUE(back.LoadText(Saved(store).c_str()));
    EXPECT_EQ(Saved(back), Saved(store));
    EXPECT_EQ(ValueAt(back, "/ [odd/[v]"), "\\\t\n\r\n");
    EXPECT_EQ(ValueAt(back, "/End[Section/k"), "[EndSection]");
    EXPECT_EQ(ValueAt(back, "/LastOpenFile"), SJ("C:\\データ\\表.cgi"));
}

// Values come before sections, each in map order (by bucket: Custom 15,
// OpenFileHistory 31, RestoreOpenFile 3, SaveAutoBackup 4).
TEST(IniExText, ValuesBeforeSectionsInMapOrder)
{
    for (const auto& [key, bucket] : {std::pair{"Custom", 15u}, std::pair{"OpenFileHistory", 31u},
                                      std::pair{"RestoreOpenFile", 3u}, std::pair{"SaveAutoBackup", 4u}})
        ASSERT_EQ((CMapElement<int, 32>::Hash(key) & 31), bucket) << key;
    Store store;
    ASSERT_TRUE(store.CreateSection("OpenFileHistory"));
    ASSERT_TRUE(store.CreateSection("Custom"));
    *store.GetValueForWrite("/OpenFileHistory/Info[0]") = "C:\\game\\inc-item-data.cgi";
    store.SetSwitch("/Custom/SaveAutoBackup", true);
    store.SetSwitch("/Custom/RestoreOpenFile", false);
    *store.GetValueForWrite("/RuleName") = SJ("標準");
    EXPECT_EQ(Saved(store), std::string("RuleName=") + SJ("標準") +
                                "\n[Custom]\n\tRestoreOpenFile=OFF\n\tSaveAutoBackup=ON\n[EndSection]\n"
                                "[OpenFileHistory]\n\tInfo[0]=C:\\\\game\\\\inc-item-data.cgi\n[EndSection]\n");
}
