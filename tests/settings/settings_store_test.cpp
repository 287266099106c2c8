// The readings every user of the settings store shares.
#include "settings/settings_store.h"

#include <gtest/gtest.h>

namespace {

TEST(SettingsReadings, SwitchesTakeTheirDefaultForAMissingKeyOrSection)
{
    CSettingsStore settings;
    ASSERT_TRUE(settings.LoadText("Root=ON\n[Custom]\n\tOn=ON\n\tOff=OFF\n\tLower=on\n[EndSection]\n"));
    struct Row {
        const char* path;
        bool on, onOrMissing;
    };
    const Row rows[] = {
        {"/Custom/On", true, true},          {"/Custom/Off", false, false},  {"/Custom/Lower", false, false},
        {"/Custom/Missing", false, true},    {"/Nowhere/Key", false, true},  {"/Root", true, true},
        {"Root", true, true},                {"/Custom/a=b", false, true},  // a key no file could hold
    };
    for (const Row& row : rows) {
        EXPECT_EQ(IsSwitchOn(settings, row.path), row.on) << row.path;
        EXPECT_EQ(IsSwitchOnOrMissing(settings, row.path), row.onOrMissing) << row.path;
    }
}

TEST(SettingsReadings, NumbersReadAsPercentDReadsThem)
{
    struct Row {
        const char* value;  // null: no key
        int32_t read;
    };
    const Row rows[] = {
        {nullptr, 77}, {"", 77},       {"12", 12},         {" -3", -3},   {"+4", 4},
        {"5px", 5},    {"px5", 77},    {"2147483647", 2147483647}, {"-2147483648", -2147483648},
        {"2147483648", 77}, {"99999999999999999999", 77}, {"0x10", 0},
    };
    for (const Row& row : rows) {
        CSettingsStore settings;
        if (row.value)
            settings.GetValueForWrite("/n")->Assign(row.value);
        EXPECT_EQ(ReadSettingNumber(settings, "/n", 77), row.read) << (row.value ? row.value : "(none)");
    }
    EXPECT_EQ(ReadSettingNumber(CSettingsStore(), "/Missing/n", 5), 5);
}

TEST(SettingsReadings, EnsureRootSectionKeepsTheCurrentSection)
{
    CSettingsStore settings;
    ASSERT_TRUE(settings.CreateSection("Custom"));
    ASSERT_TRUE(settings.ChangeSection("/Custom"));
    EXPECT_FALSE(HasRootSection(settings, "EditDialog"));
    EnsureRootSection(settings, "EditDialog");
    EXPECT_STREQ(settings.GetCurrentPath(), "/Custom");
    EXPECT_TRUE(HasRootSection(settings, "EditDialog"));
    EXPECT_EQ(settings.GetSectionValues("/Custom/EditDialog"), nullptr);
}

}  // namespace
