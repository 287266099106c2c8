// Reading and storing window geometry in the settings store.
#include <gtest/gtest.h>

#include "app/window_geometry.h"

namespace {

TEST(WindowGeometrySettings, NumbersReadAsPercentDReadsThem)
{
    struct Case {
        const char* value;  // null: no key
        int32_t read;
    };
    const Case cases[] = {
        {nullptr, 77}, {"", 77},       {"12", 12},         {" -3", -3},   {"+4", 4},
        {"5px", 5},    {"px5", 77},    {"2147483647", 2147483647}, {"-2147483648", -2147483648},
        {"2147483648", 77}, {"99999999999999999999", 77}, {"0x10", 0},
    };
    for (const Case& c : cases) {
        CSettingsStore settings;
        if (c.value)
            settings.GetValueForWrite("/n")->Assign(c.value);
        EXPECT_EQ(ReadSettingNumber(settings, "/n", 77), c.read) << (c.value ? c.value : "(none)");
    }
}

TEST(WindowGeometrySettings, EnsureRootSectionKeepsTheCurrentSection)
{
    CSettingsStore settings;
    ASSERT_TRUE(settings.CreateSection("Custom"));
    ASSERT_TRUE(settings.ChangeSection("/Custom"));
    EnsureRootSection(settings, "EditDialog");
    EXPECT_STREQ(settings.GetCurrentPath(), "/Custom");
    EXPECT_NE(settings.GetSectionValues("/EditDialog"), nullptr);
    EXPECT_EQ(settings.GetSectionValues("/Custom/EditDialog"), nullptr);
    ASSERT_TRUE(settings.ChangeSection("/"));
    EnsureRootSection(settings, "EditDialog");
    EXPECT_STREQ(settings.GetCurrentPath(), "");
    EXPECT_EQ(settings.GetRoot()->sections.GetCount(), 2u);
}

TEST(WindowGeometrySettings, RectangleIsStoredAsDecimalsAndReadBack)
{
    CSettingsStore settings;
    EnsureRootSection(settings, "JumpInfoDialog");
    EXPECT_EQ(ReadWindowRect(settings, "JumpInfoDialog"), (CUiRect{0, 0, 500, 500}));
    StoreWindowRect(settings, "JumpInfoDialog", {-4, 8, 640, 480});
    EXPECT_STREQ(*settings.GetValue("/JumpInfoDialog/x"), "-4");
    EXPECT_STREQ(*settings.GetValue("/JumpInfoDialog/h"), "480");
    EXPECT_EQ(ReadWindowRect(settings, "JumpInfoDialog"), (CUiRect{-4, 8, 640, 480}));
}

}  // namespace
