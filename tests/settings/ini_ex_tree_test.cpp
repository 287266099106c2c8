#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Store = CIniExCtrl_base<32, 32, 64>;

// Raises what the store raises for a programming error, or -1 when nothing.
template <class Call>
int32_t Raised(Call call)
{
    try {
        call();
    } catch (int32_t value) {
        return value;
    }
    return -1;
}

std::vector<std::string> Keys(const Store::ValueMap& values)
{
    std::vector<std::string> keys;
    for (auto [key, value] : values)
        keys.emplace_back(key);
    return keys;
}

// A store with the sections /Custom and /Custom/Sub.
class IniExTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(store.CreateSection("Custom"));
        ASSERT_TRUE(store.ChangeSection("Custom"));
        ASSERT_TRUE(store.CreateSection("Sub"));
        ASSERT_TRUE(store.ChangeSection("/"));
    }
    Store store;
};

}  // namespace

TEST(IniExStore, StartsWithEmptyRootAsCurrentSection)
{
    Store store;
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
    EXPECT_EQ(store.GetRoot()->parent, nullptr);
    EXPECT_STREQ(store.GetCurrentPath(), "");
    EXPECT_EQ(store.GetRoot()->values.GetCount(), 0u);
    EXPECT_STREQ(store.GetFilePath(), "");
}

TEST_F(IniExTree, CreateSectionMakesChildOfCurrentOnce)
{
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    EXPECT_TRUE(store.CreateSection("Sub"));  // present: still a success
    EXPECT_TRUE(store.CreateSection("Other"));
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount(), 2u);
    Store::Element* other = *store.GetCurrentSection()->sections.Lookup("Other");
    EXPECT_EQ(other->parent, store.GetCurrentSection());
}

TEST_F(IniExTree, CreateSectionRefusesNamesAFileCannotGiveBack)
{
    for (const char* name : {"a/b", "a.b", "..", "", "a]b", "a=b", "a\nb", "EndSection", "x[EndSection", "a\x81"})
        EXPECT_FALSE(store.CreateSection(name)) << name;
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
}

TEST_F(IniExTree, ChangeSectionFollowsAbsoluteAndRelativePaths)
{
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom");
    ASSERT_TRUE(store.ChangeSection("Sub"));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom/Sub");
    ASSERT_TRUE(store.ChangeSection(".."));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom");
    ASSERT_TRUE(store.ChangeSection("Sub/../Sub"));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom/Sub");
    ASSERT_TRUE(store.ChangeSection("/"));
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
    EXPECT_STREQ(store.GetCurrentPath(), "");
}

TEST_F(IniExTree, ChangeSectionSkipsEmptyNames)
{
    ASSERT_TRUE(store.ChangeSection("//Custom///Sub/"));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom/Sub");
    ASSERT_TRUE(store.ChangeSection(""));
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom/Sub");
}

TEST_F(IniExTree, FailedChangeSectionChangesNothing)
{
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    Store::Element* before = store.GetCurrentSection();
    EXPECT_FALSE(store.ChangeSection("Missing"));
    EXPECT_FALSE(store.ChangeSection("../../.."));
    EXPECT_FALSE(store.ChangeSection("/Custom/Missing"));
    EXPECT_EQ(store.GetCurrentSection(), before);
    EXPECT_STREQ(store.GetCurrentPath(), "/Custom/Sub");
    ASSERT_TRUE(store.ChangeSection("/"));
    EXPECT_FALSE(store.ChangeSection(".."));
}

TEST_F(IniExTree, ValuePathsStartAtRootOrCurrentSection)
{
    *store.GetValueForWrite("/Custom/Sub/k") = "deep";
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    *store.GetValueForWrite("k") = "here";
    EXPECT_STREQ(*store.GetValue("Sub/k"), "deep");
    EXPECT_STREQ(*store.GetValue("/Custom/k"), "here");
    EXPECT_STREQ(*store.GetValue("Sub/../k"), "here");
    EXPECT_STREQ(*store.GetValue("//Custom//Sub/k"), "deep");
    ASSERT_TRUE(store.ChangeSection("Sub"));
    EXPECT_STREQ(*store.GetValue("../k"), "here");
    EXPECT_EQ(store.GetValue("/k"), nullptr);
}

TEST_F(IniExTree, MissingKeyHasNoValueUntilWritten)
{
    EXPECT_EQ(store.GetValue("/Custom/SaveAutoBackup"), nullptr);
    Store::Value* slot = store.GetValueForWrite("/Custom/SaveAutoBackup");
    ASSERT_NE(slot, nullptr);
    EXPECT_STREQ(*slot, "");
    *slot = "OFF";
    EXPECT_EQ(store.GetValue("/Custom/SaveAutoBackup"), slot);
    EXPECT_EQ(store.GetValueForWrite("/Custom/SaveAutoBackup"), slot);
    EXPECT_STREQ(*slot, "OFF");
}

TEST_F(IniExTree, ValueInMissingSectionIsProgrammingError)
{
    EXPECT_EQ(Raised([&] { store.GetValue("/Missing/k"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValueForWrite("/Custom/Missing/k"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValue("../k"); }), 0);
    EXPECT_EQ(Raised([&] { store.SetSwitch("/Missing/k", true); }), 0);
    EXPECT_EQ(Raised([&] { store.GetFlag("/Missing/k", true); }), 0);
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
}

TEST_F(IniExTree, KeyAFileCannotHoldIsProgrammingError)
{
    EXPECT_EQ(Raised([&] { store.GetValue("/Custom/a=b"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValueForWrite("a=b"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValueForWrite("/Custom/"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValueForWrite(" lead"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValueForWrite("a\nb"); }), 0);
    EXPECT_EQ(Raised([&] { store.GetValue("/Custom/Sub/plain"); }), -1);
}

TEST_F(IniExTree, SwitchIsStoredAsOnOrOff)
{
    store.SetSwitch("/Custom/RestoreOpenFile", true);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "ON");
    store.SetSwitch("/Custom/RestoreOpenFile", false);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "OFF");
}

TEST_F(IniExTree, FlagIsTrueOnlyForTrue)
{
    EXPECT_TRUE(store.GetFlag("/Custom/Maximize", true));
    EXPECT_FALSE(store.GetFlag("/Custom/Maximize", false));
    for (const char* text : {"false", "TRUE", "1", "true ", ""}) {
        *store.GetValueForWrite("/Custom/Maximize") = text;
        EXPECT_FALSE(store.GetFlag("/Custom/Maximize", true)) << text;
    }
    *store.GetValueForWrite("/Custom/Maximize") = "true";
    EXPECT_TRUE(store.GetFlag("/Custom/Maximize", false));
}

TEST_F(IniExTree, ListRunsUntilTheFirstMissingIndex)
{
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    ASSERT_TRUE(store.CreateSection("OpenFileHistory"));
    *store.GetValueForWrite("/Custom/OpenFileHistory/Info[0]") = "first";
    *store.GetValueForWrite("/Custom/OpenFileHistory/Info[1]") = "second";
    *store.GetValueForWrite("/Custom/OpenFileHistory/Info[3]") = "after a gap";
    CStrArray_base<64> list;
    list.Add()->Assign("kept");
    EXPECT_EQ(store.GetList("OpenFileHistory/Info", list), 2u);
    ASSERT_EQ(list.GetCount(), 3u);
    EXPECT_STREQ(list[0], "kept");
    EXPECT_STREQ(list[1], "first");
    EXPECT_STREQ(list[2], "second");
    EXPECT_EQ(store.GetList("OpenFileHistory/Path", list), 0u);
    EXPECT_EQ(list.GetCount(), 3u);
}

TEST_F(IniExTree, SectionValuesListEveryKey)
{
    *store.GetValueForWrite("/Custom/b") = "2";
    *store.GetValueForWrite("/Custom/a") = "1";
    const Store::ValueMap* values = store.GetSectionValues("/Custom");
    ASSERT_NE(values, nullptr);
    EXPECT_EQ(Keys(*values), (std::vector<std::string>{"a", "b"}));  // map order: by bucket
    EXPECT_EQ(store.GetSectionValues("/Custom/Missing"), nullptr);
    EXPECT_EQ(store.GetSectionValues("/"), &store.GetRoot()->values);
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    EXPECT_EQ(store.GetSectionValues(".."), values);
    EXPECT_EQ(store.GetSectionValues("/.."), nullptr);
}

TEST_F(IniExTree, ClearLeavesEmptyRoot)
{
    *store.GetValueForWrite("/Custom/Sub/k") = "v";
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    store.Clear();
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
    EXPECT_STREQ(store.GetCurrentPath(), "");
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 0u);
    EXPECT_EQ(store.GetRoot()->values.GetCount(), 0u);
    EXPECT_FALSE(store.ChangeSection("/Custom"));
    // The storage of the old sections is used again, empty.
    ASSERT_TRUE(store.CreateSection("Custom"));
    ASSERT_TRUE(store.ChangeSection("Custom"));
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount(), 0u);
    EXPECT_EQ(store.GetCurrentSection()->values.GetCount(), 0u);
}
