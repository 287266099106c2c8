#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "foundation/native_path.h"
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
    ASSERT_TRUE(back.Save(folder.Path("again.ini").c_str()));
    EXPECT_EQ(folder.Get("again.ini"), folder.Get("set.ini"));
}

TEST(IniExFile, LoadMergesOrClears)
{
    TempFolder folder;
    folder.Put("set.ini", "b=2\r\n");
    Store merged;
    Fill(merged);
    ASSERT_TRUE(merged.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(merged, "a"), "1");
    EXPECT_EQ(ValueAt(merged, "b"), "2");
    Store cleared;
    Fill(cleared);
    ASSERT_TRUE(cleared.Load(folder.Path("set.ini").c_str(), true));
    EXPECT_EQ(ValueAt(cleared, "a"), "(none)");
    EXPECT_EQ(ValueAt(cleared, "b"), "2");
    EXPECT_EQ(cleared.GetRoot()->sections.GetCount(), 0u);
    // A missing file fails; asked to clear, the store is emptied all the same.
    // Saving into a missing folder fails.
    EXPECT_FALSE(merged.Save(folder.Path("no/such/folder/set.ini").c_str()));
    EXPECT_FALSE(merged.Load(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(ValueAt(merged, "/S/k"), "v");
    EXPECT_FALSE(cleared.Load(folder.Path("missing.ini").c_str(), true));
    EXPECT_EQ(cleared.GetRoot()->values.GetCount(), 0u);
}

TEST(IniExFile, RefusedFileReportsFailureAndKeepsWhatWasRead)
{
    TempFolder folder;
    // A zero byte: nothing of the file is taken.
    folder.Put("zero.ini", std::string("b=2\r\nc=te\0xt\r\n", 15));
    Store store;
    Fill(store);
    EXPECT_FALSE(store.Load(folder.Path("zero.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "b"), "(none)");
    EXPECT_EQ(ValueAt(store, "a"), "1");
    // A refused line: what came before it stays.
    folder.Put("set.ini", "b=2\r\n[EndSection]\r\nc=3\r\n");
    EXPECT_FALSE(store.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "b"), "2");
    EXPECT_EQ(ValueAt(store, "c"), "(none)");
}

TEST(IniExFile, PathChoice)
{
    // The store's file path is used when no path is given, and never changed.
    TempFolder folder;
    Store store;
    Fill(store);
    store.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(store.Save());
    ASSERT_TRUE(store.Save(""));
    ASSERT_TRUE(store.Save(folder.Path("given.ini").c_str()));
    EXPECT_STREQ(store.GetFilePath(), folder.Path("own.ini").c_str());
    EXPECT_EQ(folder.Get("given.ini"), folder.Get("own.ini"));
    Store back;
    back.SetFilePath(folder.Path("own.ini").c_str());
    ASSERT_TRUE(back.Load(nullptr, true));
    EXPECT_EQ(ValueAt(back, "/S/k"), "v");

    // Backslashes separate folders.
    std::filesystem::create_directory(folder.Path("sub"));
    const std::string path = folder.Path() + "\\sub\\set.ini";
    ASSERT_TRUE(store.Save(path.c_str()));
    EXPECT_EQ(folder.Get("sub/set.ini"), folder.Get("own.ini"));
    ASSERT_TRUE(back.Load(path.c_str(), true));
    EXPECT_EQ(ValueAt(back, "a"), "1");
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
