#include "settings/ini_ex_ctrl.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using Store = CIniExCtrl_base<32, 32, 64>;

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
    std::vector<std::string> keys;
    for (auto [key, value] : *values)
        keys.emplace_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"b", "k"})); // map order: by bucket
    EXPECT_EQ(store.GetSectionValues("/Custom/Missing"), nullptr);
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    EXPECT_EQ(store.GetSectionValues(".."), values);
    EXPECT_EQ(store.GetSectionValues("/.."), nullptr);
}

// What the store raises for a programming error: a 32-bit signed 0.
TEST_F(IniExTree, AMissingSectionOrAnUnstorableKeyIsAProgrammingError)
{
    for (const char* path : {"/Missing/k", "../k", "/Custom/a=b"})
        EXPECT_THROW(store.GetValue(path), int32_t) << path;
    for (const char* key : {"/Custom/Missing/k", "/Custom/a=b", "a=b", "/Custom/", " lead", "a\nb"})
        EXPECT_THROW(store.GetValueForWrite(key), int32_t) << key;
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

TEST_F(IniExTree, ClearLeavesAnEmptyRootAndReusesTheStorageEmpty)
{
    *store.GetValueForWrite("/Custom/Sub/k") = "v";
    ASSERT_TRUE(store.ChangeSection("/Custom/Sub"));
    store.Clear();
    EXPECT_STREQ(store.GetCurrentPath(), "");
    EXPECT_EQ(store.GetRoot()->sections.GetCount() + store.GetRoot()->values.GetCount(), 0u);
    ASSERT_TRUE(store.CreateSection("Custom"));
    ASSERT_TRUE(store.ChangeSection("Custom"));
    EXPECT_EQ(store.GetCurrentSection()->sections.GetCount() + store.GetCurrentSection()->values.GetCount(), 0u);
}
