#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
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

TEST(IniExFile, SaveWritesCrLfLines)
{
    TempFolder folder;
    Store store;
    Fill(store);
    *store.GetValueForWrite("/S/cr") = "x\r";
    ASSERT_TRUE(store.Save(folder.Path("set.ini").c_str()));
    // "cr" has bucket 7, "k" bucket 11.
    EXPECT_EQ(folder.Get("set.ini"), "a=1\r\n[S]\r\n\tcr=x\r\r\n\tk=v\r\n[EndSection]\r\n");
}

TEST(IniExFile, LoadTakesCrLfAndLoneLineFeeds)
{
    TempFolder folder;
    folder.Put("set.ini", "a=1\r\n[S]\n\tk=v\r\n\tcr=x\r\r\n[EndSection]\r\n");
    Store store;
    ASSERT_TRUE(store.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "/a"), "1");
    EXPECT_EQ(ValueAt(store, "/S/k"), "v");
    EXPECT_EQ(ValueAt(store, "/S/cr"), "x\r");
}

TEST(IniExFile, SavedFileLoadsBackUnchanged)
{
    TempFolder folder;
    Store store;
    Fill(store);
    *store.GetValueForWrite("/S/mixed") = "\r\n\t\\\x1a end";
    ASSERT_TRUE(store.Save(folder.Path("set.ini").c_str()));
    Store back;
    ASSERT_TRUE(back.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(back, "/S/mixed"), "\r\n\t\\\x1a end");
    ASSERT_TRUE(back.Save(folder.Path("again.ini").c_str()));
    EXPECT_EQ(folder.Get("again.ini"), folder.Get("set.ini"));
}

TEST(IniExFile, EndOfFileByteIsAnOrdinaryByte)
{
    TempFolder folder;
    folder.Put("set.ini", "a=1\r\n\x1a\r\nb=2\r\n");
    Store store;
    ASSERT_TRUE(store.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "b"), "2");
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
}

TEST(IniExFile, MissingFileFails)
{
    TempFolder folder;
    Store kept;
    Fill(kept);
    EXPECT_FALSE(kept.Load(folder.Path("missing.ini").c_str()));
    EXPECT_EQ(ValueAt(kept, "/S/k"), "v");
    // Asked to clear, the store is empty even when the file is missing.
    Store cleared;
    Fill(cleared);
    EXPECT_FALSE(cleared.Load(folder.Path("missing.ini").c_str(), true));
    EXPECT_EQ(cleared.GetRoot()->values.GetCount(), 0u);
    EXPECT_EQ(cleared.GetRoot()->sections.GetCount(), 0u);
}

TEST(IniExFile, FileWithZeroByteIsRefused)
{
    TempFolder folder;
    folder.Put("set.ini", std::string("b=2\r\nc=te\0xt\r\n", 15));
    Store store;
    Fill(store);
    EXPECT_FALSE(store.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "b"), "(none)");
    EXPECT_EQ(ValueAt(store, "a"), "1");
}

TEST(IniExFile, RefusedTextReportsFailureAndKeepsWhatWasRead)
{
    TempFolder folder;
    folder.Put("set.ini", "b=2\r\n[EndSection]\r\nc=3\r\n");
    Store store;
    EXPECT_FALSE(store.Load(folder.Path("set.ini").c_str()));
    EXPECT_EQ(ValueAt(store, "b"), "2");
    EXPECT_EQ(ValueAt(store, "c"), "(none)");
}

TEST(IniExFile, FailedSaveKeepsPreviousFile)
{
    TempFolder folder;
    Store store;
    Fill(store);
    EXPECT_FALSE(store.Save(folder.Path("no/such/folder/set.ini").c_str()));
    std::filesystem::create_directory(folder.Path("taken"));
    EXPECT_FALSE(store.Save(folder.Path("taken").c_str()));
    EXPECT_TRUE(std::filesystem::is_directory(folder.Path("taken")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.Path()), {}), 1);
}

TEST(IniExFile, SaveIntoReadOnlyFolderKeepsPreviousFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permissions do not stop root";
    TempFolder folder;
    folder.Put("set.ini", "old=1\r\n");
    chmod(folder.Path().c_str(), 0500);
    Store store;
    Fill(store);
    EXPECT_FALSE(store.Save(folder.Path("set.ini").c_str()));
    chmod(folder.Path().c_str(), 0700);
    EXPECT_EQ(folder.Get("set.ini"), "old=1\r\n");
}

TEST(IniExFile, FilePathIsUsedWhenNoPathIsGiven)
{
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
}

TEST(IniExFile, BackslashPathReachesTheFile)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.Path("sub"));
    Store store;
    Fill(store);
    const std::string path = folder.Path() + "\\sub\\set.ini";
    ASSERT_TRUE(store.Save(path.c_str()));
    EXPECT_EQ(folder.Get("sub/set.ini").substr(0, 5), "a=1\r\n");
    Store back;
    ASSERT_TRUE(back.Load(path.c_str()));
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
