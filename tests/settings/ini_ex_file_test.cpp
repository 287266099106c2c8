#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "foundation/native_path.h"
#include "../temp_folder.h"

namespace {

using Store = CIniExCtrl_base<32, 32, 64>;

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

TEST(IniExFile, SaveWritesCrLfLinesThatLoadBackUnchanged)
{
    TempFolder folder;
    Store store;
    Fill(store);
    *store.GetValueForWrite("/S/cr") = "x\r";
    *store.GetValueForWrite("/S/mixed") = "\r\n\t\\\x1a end";
    ASSERT_TRUE(store.Save(folder.Path("set.ini").c_str()));
    // "cr" has bucket 7, "k" bucket 11, "mixed" bucket 15.
    EXPECT_EQ(folder.Get("set.ini"), "a=1\r\n[S]\r\n\tcr=x\r\r\n\tk=v\r\n\tmixed=\r\\n\\t\\\\\x1a end\r\n[EndSection]\r\n");
    Store back;
    ASSERT_TRUE(back.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(back, "/S/cr"), "x\r");
    EXPECT_EQ(ValueAt(back, "/S/mixed"), "\r\n\t\\\x1a end");
    // Saving into a missing folder fails.
    EXPECT_FALSE(store.Save(folder.Path("no/such/folder/set.ini").c_str()));
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
        const char* a;
        const char* b;
        const char* c;
    } rows[] = {
        {"set.ini", false, true, "1", "2", "(none)"},
        {"set.ini", true, true, "(none)", "2", "(none)"},
        {"missing.ini", false, false, "1", "(none)", "(none)"},
        {"missing.ini", true, false, "(none)", "(none)", "(none)"}, // emptied all the same
        {"zero.ini", false, false, "1", "(none)", "(none)"},        // a zero byte: nothing is taken
        {"refused.ini", false, false, "1", "2", "(none)"},          // what came before the refused line stays
    };
    for (const auto& row : rows) {
        Store store;
        Fill(store);
        EXPECT_EQ(store.Load(folder.Path(row.file).c_str(), row.clear), row.loaded) << row.file;
        EXPECT_EQ(ValueAt(store, "a"), row.a) << row.file;
        EXPECT_EQ(ValueAt(store, "b"), row.b) << row.file;
        EXPECT_EQ(ValueAt(store, "c"), row.c) << row.file;
        EXPECT_EQ(store.GetRoot()->sections.GetCount(), row.clear ? 0u : 1u) << row.file;
    }
}

// The store's file path is used when no path is given, and never changed;
// backslashes separate folders.
TEST(IniExFile, PathChoice)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("sub"));
    Store store;
    Fill(store);
    store.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(store.Save());
    ASSERT_TRUE(store.Save(""));
    ASSERT_TRUE(store.Save((folder.Path() + "\\sub\\given.ini").c_str()));
    EXPECT_STREQ(store.GetFilePath(), folder.Path("own.ini").c_str());
    EXPECT_EQ(folder.Get("sub/given.ini"), folder.Get("own.ini"));
    Store back;
    back.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(back.Load(nullptr, true));
    EXPECT_EQ(ValueAt(back, "/S/k"), "v");
}

TEST(IniExFile, DefaultFileLiesBesideTheProgram)
{
    if (access(ProgramFolder().c_str(), W_OK) != 0)
        GTEST_SKIP() << "the program folder is read-only";
    const std::string expected = ProgramFilePath() + ".ini";  // the test program has no extension
    ASSERT_NE(access(expected.c_str(), F_OK), 0) << expected << " is in the way";
    Store store;
    Fill(store);
    ASSERT_TRUE(store.Save());
    Store back;
    const bool loaded = back.Load(nullptr, true);
    std::remove(expected.c_str());
    EXPECT_TRUE(loaded);
    EXPECT_EQ(ValueAt(back, "/S/k"), "v");
}
