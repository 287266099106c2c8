#include "settings/settings_store.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Store = CSettingsStore;

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

TEST_F(IniExTree, CreateSectionMakesChildOfCurrentOnce)
{
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    EXPECT_TRUE(store.CreateSection("Sub"));  // present: still a success
    EXPECT_TRUE(store.CreateSection("Other"));
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount(), 2u);
    Store::Element* other = *store.GetCurrentSection()->sections.Lookup("Other");
    EXPECT_EQ(other->parent, store.GetCurrentSection());
    // Names that a settings file cannot give back are refused.
    for (const char* name : {"a/b", "a.b", "..", "", "a]b", "a=b", "a\nb", "EndSection", "x[EndSection", "a\x81"})
        EXPECT_FALSE(store.CreateSection(name)) << name;
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount(), 2u);
}

TEST_F(IniExTree, ChangeSectionFollowsPathsOrChangesNothing)
{
    // Absolute and relative paths; empty names are skipped, ".." is the parent.
    const struct {
        const char* path;
        bool ok;
        const char* current;  // current path afterwards
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
    EXPECT_EQ(store.GetCurrentSection(), *(*store.GetRoot()->sections.Lookup("Custom"))->sections.Lookup("Sub"));
    ASSERT_TRUE(store.ChangeSection("/"));
    EXPECT_EQ(store.GetCurrentSection(), store.GetRoot());
}

TEST_F(IniExTree, ValuePathsStartAtRootOrCurrentSection)
{
    EXPECT_EQ(store.GetValue("/Custom/Sub/k"), nullptr);
    Store::Value* deep = store.GetValueForWrite("/Custom/Sub/k");
    EXPECT_STREQ(*deep, "");  // created empty
    *deep = "deep";
    EXPECT_EQ(store.GetValueForWrite("/Custom/Sub/k"), deep);
    ASSERT_TRUE(store.ChangeSection("/Custom"));
    *store.GetValueForWrite("k") = "here";
    EXPECT_EQ(store.GetValue("Sub/k"), deep);
    EXPECT_STREQ(*store.GetValue("/Custom/k"), "here");
    EXPECT_STREQ(*store.GetValue("Sub/../k"), "here");
    EXPECT_STREQ(*store.GetValue("//Custom//Sub/k"), "deep");
    ASSERT_TRUE(store.ChangeSection("Sub"));
    EXPECT_STREQ(*store.GetValue("../k"), "here");
    EXPECT_EQ(store.GetValue("/k"), nullptr);
}

TEST_F(IniExTree, MissingSectionOrUnstorableKeyIsProgrammingError)
{
    // What the store raises for a programming error: a 32-bit signed 0.
    auto raisesZero = [](auto call) {
        try {
            call();
        } catch (int32_t value) {
            return value == 0;
        }
        return false;
    };
    EXPECT_TRUE(raisesZero([&] { store.GetValue("/Missing/k"); }));
    EXPECT_TRUE(raisesZero([&] { store.GetValueForWrite("/Custom/Missing/k"); }));
    EXPECT_TRUE(raisesZero([&] { store.GetValue("../k"); }));
    EXPECT_TRUE(raisesZero([&] { store.SetSwitch("/Missing/k", true); }));
    EXPECT_TRUE(raisesZero([&] { store.GetFlag("/Missing/k", true); }));
    for (const char* key : {"/Custom/a=b", "a=b", "/Custom/", " lead", "a\nb"})
        EXPECT_TRUE(raisesZero([&] { store.GetValueForWrite(key); })) << key;
    EXPECT_TRUE(raisesZero([&] { store.GetValue("/Custom/a=b"); }));
    EXPECT_NO_THROW(store.GetValue("/Custom/Sub/plain"));
    EXPECT_EQ(store.GetRoot()->sections.GetCount(), 1u);
}

TEST_F(IniExTree, SwitchesAndFlags)
{
    store.SetSwitch("/Custom/RestoreOpenFile", true);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "ON");
    store.SetSwitch("/Custom/RestoreOpenFile", false);
    EXPECT_STREQ(*store.GetValue("/Custom/RestoreOpenFile"), "OFF");
    // A flag is true only for "true"; missing, it is the default.
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
    std::vector<std::string> keys;
    for (auto [key, value] : *values)
        keys.emplace_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"a", "b"}));  // map order: by bucket
    EXPECT_EQ(store.GetSectionValues("/Custom/Missing"), nullptr);
    EXPECT_EQ(store.GetSectionValues("/"), &store.GetRoot()->values);
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    EXPECT_EQ(store.GetSectionValues(".."), values);
    EXPECT_EQ(store.GetSectionValues("/.."), nullptr);
}

TEST_F(IniExTree, ClearLeavesEmptyRoot)
{
    EXPECT_EQ(Store().GetRoot()->parent, nullptr);
    EXPECT_STREQ(Store().GetFilePath(), "");
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
