#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "../temp_folder.h"
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

// A store holding "a=1" and "/S/k=v".
void Fill(Store& store)
{
    ASSERT_TRUE(store.CreateSection("S"));
    *store.GetValueForWrite("a") = "1";
    *store.GetValueForWrite("/S/k") = "v";
}

// A store with the sections /Custom and /Custom/Sub.
class IniExTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateSection("Custom"));
        ASSERT_TRUE(store.ChangeSection("Custom"));
        ASSERT_TRUE(store.CreateSection("Sub"));
        EXPECT_TRUE(store.CreateSection("Sub")); // present: still a success
        ASSERT_TRUE(store.ChangeSection("/"));
    }
    Store store;
};

}  // namespace

// Each text is read into an empty store and what was read is saved (that a
// saved text reads back into the same tree is the settings fuzz target's
// check).
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
        // Values are unescaped; a lead byte never takes the line feed behind
        // it, so one at the end of a value is kept; a CR stays.
        {"v=tab\\tlf\\nbs\\\\ odd\\q end\\\n", true, "v=tab\\tlf\\nbs\\\\ odd end\n", {{"v", "tab\tlf\nbs\\ odd end"}}},
        {"k=\x81\nmore\nj=2\n", true, "j=2\nk=\x81\n", {{"k", "\x81"}}},
        {"[A]\n[EndSection]\nk=x\x81", true, "k=x\x81\n[A]\n[EndSection]\n", {{"k", "x\x81"}}},
        {"c=x\r\n", true, "c=x\r\n", {{"c", "x\r"}}},
        // "[EndSection]" counts anywhere in a line that is no value line; "="
        // is never a second byte, so behind a lead byte it ends the key.
        {"[A]\nold [EndSection] here\nk\x81=x=v\n[EndSection]=x\n", true, "k\x81=x=v\n[EndSection]=x\n[A]\n[EndSection]\n",
         {{"k\x81", "x=v"}}},
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

    // Brackets as second bytes of double-byte characters are no syntax; a
    // key may end in a lead byte, since "=" is never a second byte.
    for (const char* name : {"End[Section", " [odd", "\x81]", "EndSection ", "\x81[EndSection", "a b"}) {
        ASSERT_TRUE(store.CreateSection(name)) << name;
        for (const char* key : {"\x81]", "k\x81", "Info[0]", "a]b", "EndSection", "[EndSection"})
            *store.GetValueForWrite((std::string("/") + name + "/" + key).c_str()) = key;
    }
    *store.GetValueForWrite("/End[Section/k") = "[EndSection]";
    *store.GetValueForWrite("/ [odd/[v]") = "\\\t\n\r\n\x81\r\x81";
    Store back;
    ASSERT_TRUE(back.LoadText(Saved(store).c_str()));
    EXPECT_EQ(Saved(back), Saved(store));
    EXPECT_EQ(ValueAt(back, "/ [odd/[v]") + ValueAt(back, "/End[Section/k"), "\\\t\n\r\n\x81\r\x81[EndSection]");
}

// Absolute and relative paths; empty names are skipped, ".." is the parent;
// a path that leads nowhere changes nothing. Names a settings file cannot
// give back are refused.
TEST_F(IniExTree, SectionsAreFollowedByPaths)
{
    const struct {
        const char* path;
        bool ok;
        const char* current;
    } steps[] = {
        {"/Custom", true, "/Custom"}, {"Sub", true, "/Custom/Sub"}, {"..", true, "/Custom"},
        {"Sub/../Sub", true, "/Custom/Sub"}, {"Missing", false, "/Custom/Sub"}, {"../../..", false, "/Custom/Sub"},
        {"/Custom/Missing", false, "/Custom/Sub"}, {"/", true, ""}, {"..", false, ""},
        {"//Custom///Sub/", true, "/Custom/Sub"}, {"", true, "/Custom/Sub"},
    };
    for (const auto& step : steps) {
        EXPECT_EQ(store.ChangeSection(step.path), step.ok) << step.path;
        EXPECT_STREQ(store.GetCurrentPath(), step.current) << step.path;
    }
    for (const char* name : {"a/b", "a.b", "..", "", "a]b", "a=b", "a\nb", "EndSection", "x[EndSection", "a\x81"})
        EXPECT_FALSE(store.CreateSection(name)) << name;
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount(), 0u);
    EXPECT_EQ(store.GetCurrentSection()->parent, *store.GetRoot()->sections.Lookup("Custom"));
}

TEST_F(IniExTree, ValuePathsStartAtTheRootOrTheCurrentSection)
{
    EXPECT_EQ(store.GetValue("/Custom/Sub/k"), nullptr);
    Store::Value* deep = store.GetValueForWrite("/Custom/Sub/k");
    EXPECT_STREQ(*deep, ""); // created empty
    EXPECT_EQ(store.GetValueForWrite("/Custom/Sub/k"), deep);
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    *store.GetValueForWrite("k") = "here";
    *store.GetValueForWrite("/Custom/b") = "2";
    EXPECT_EQ(store.GetValue("Sub/k"), deep);
    EXPECT_EQ(store.GetValue("//Custom//Sub/k"), deep);
    EXPECT_STREQ(*store.GetValue("Sub/../k"), "here");
    EXPECT_EQ(store.GetValue("/k"), nullptr);

    const Store::ValueMap* values = store.GetSectionValues("/Custom");
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(values->GetCount(), 2u);
    EXPECT_EQ(store.GetSectionValues("Sub/.."), values);
    EXPECT_EQ(store.GetSectionValues("/Custom/Missing"), nullptr);
}

// What the store raises for a programming error: a 32-bit signed 0.
TEST_F(IniExTree, AMissingSectionOrAnUnstorableKeyIsAProgrammingError)
{
    for (const char* path : {"/Missing/k", "../k", "/Custom/a=b"})
        EXPECT_THROW(store.GetValue(path), int32_t) << path;
    for (const char* path : {"/Custom/Missing/k", "/Custom/a=b", "a=b", "/Custom/", " lead", "a\nb"})
        EXPECT_THROW(store.GetValueForWrite(path), int32_t) << path;
    EXPECT_THROW(store.SetSwitch("/Missing/k", true), int32_t);
    EXPECT_THROW(store.GetFlag("/Missing/k", true), int32_t);
    try {
        store.GetValue("/Missing/k");
    } catch (int32_t value) {
        EXPECT_EQ(value, 0);
    }
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
}

TEST_F(IniExTree, SwitchesFlagsAndLists)
{
    store.SetSwitch("/Custom/RestoreOpenFile", true);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "ON");
    store.SetSwitch("/Custom/RestoreOpenFile", false);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "OFF");
    // A flag is true only for "true"; missing, it is the default.
    EXPECT_TRUE(store.GetFlag("/Custom/Maximize", true));
    EXPECT_FALSE(store.GetFlag("/Custom/Maximize", false));
    for (const char* text : {"false", "TRUE", "true ", ""}) {
        *store.GetValueForWrite("/Custom/Maximize") = text;
        EXPECT_FALSE(store.GetFlag("/Custom/Maximize", true)) << text;
    }
    *store.GetValueForWrite("/Custom/Maximize") = "true";
    EXPECT_TRUE(store.GetFlag("/Custom/Maximize", false));

    // A list runs until its first missing index and is appended.
    for (const char* key : {"Info[0]", "Info[1]", "Info[3]"})
        *store.GetValueForWrite((std::string("/Custom/Sub/") + key).c_str()) = key;
    CStrArray_base<64> list;
    list.Add()->Assign("kept");
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    EXPECT_EQ(store.GetList("Sub/Info", list), 2u);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_STREQ(list[2], "Info[1]");
    EXPECT_EQ(store.GetList("Sub/Path", list), 0u);
}

// Lines end in CR LF on disk; the store's own path is used when no path is
// given, and a backslash is a character of a file name (not the folder
// "sub" beside it).
TEST(IniExFile, SaveWritesCrLfLinesThatLoadBackUnchanged)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("sub"));
    Store store;
    Fill(store);
    *store.GetValueForWrite("/S/cr") = "x\r";
    *store.GetValueForWrite("/S/mixed") = "\r\n\t\\\x1a end";
    store.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(store.Save());
    // "cr" has bucket 7, "k" bucket 11, "mixed" bucket 15.
    EXPECT_EQ(folder.Get("own.ini"), "a=1\r\n[S]\r\n\tcr=x\r\r\n\tk=v\r\n\tmixed=\r\\n\\t\\\\\x1a end\r\n[EndSection]\r\n");
    ASSERT_TRUE(store.Save((folder.Path() + "/sub\\given.ini").c_str()));
    EXPECT_EQ(folder.Get("sub\\given.ini"), folder.Get("own.ini"));
    EXPECT_STREQ(store.GetFilePath(), folder.Path("own.ini").c_str());
    EXPECT_FALSE(store.Save(folder.Path("no/such/folder/set.ini").c_str()));
    Store back;
    back.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(back.Load());
    EXPECT_EQ(ValueAt(back, "/S/cr"), "x\r");
    EXPECT_EQ(ValueAt(back, "/S/mixed"), "\r\n\t\\\x1a end");
}

TEST(IniExFile, LoadMergesOrClearsAndKeepsWhatCameBeforeARefusal)
{
    TempFolder folder;
    folder.Put("set.ini", "b=2\r\n");
    folder.Put("zero.ini", std::string("b=2\r\nc=te\0xt\r\n", 15));
    folder.Put("refused.ini", "b=2\r\n[EndSection]\r\nc=3\r\n");
    const struct {
        const char* file;
        bool clear;
        bool loaded;
        const char* values; // a, b and c
    } rows[] = {
        {"set.ini", false, true, "1 2 (none)"},
        {"set.ini", true, true, "(none) 2 (none)"},
        {"missing.ini", false, false, "1 (none) (none)"},
        {"missing.ini", true, false, "(none) (none) (none)"}, // emptied all the same
        {"zero.ini", false, false, "1 (none) (none)"},        // a zero byte: nothing is taken
        {"refused.ini", false, false, "1 2 (none)"},          // what came before the refused line stays
    };
    for (const auto& row : rows) {
        Store store;
        Fill(store);
        EXPECT_EQ(store.Load(folder.Path(row.file).c_str(), row.clear), row.loaded) << row.file;
        EXPECT_EQ(ValueAt(store, "a") + " " + ValueAt(store, "b") + " " + ValueAt(store, "c"), row.values) << row.file;
        EXPECT_EQ(store.GetRoot()->sections.GetCount(), row.clear ? 0u : 1u) << row.file;
    }
}
