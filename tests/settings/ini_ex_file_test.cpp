#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "../temp_folder.h"

namespace {

using Store = CSettingsStore;

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

}  // namespace

// Lines end in CR LF on disk; the store's own path is used when no path is
// given, and a backslash is a character of a file name.
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
    ASSERT_TRUE(store.Save((folder.Path() + "/sub/given.ini").c_str()));
    EXPECT_EQ(folder.Get("sub/given.ini"), folder.Get("own.ini"));
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
