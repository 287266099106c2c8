// Which button a key in a list stands for.
#include <gtest/gtest.h>

#include "ui/list_buttons.h"

namespace {

TEST(ListButtons, TheButtonUnderTheListInItsColumn)
{
    static const CUiDialogTemplate t{
        1,
        "",
        {400, 300},
        0,
        {
            {10, UiControlKind::kList, "", {0, 0, 130, 200}},
            {11, UiControlKind::kButton, "del", {0, 205, 40, 20}},
            {12, UiControlKind::kButton, "up", {0, 230, 40, 20}},
            {13, UiControlKind::kButton, "del", {0, 260, 40, 20}},   // farther down
            {20, UiControlKind::kList, "", {150, 0, 200, 100}},
            {21, UiControlKind::kButton, "del", {300, 280, 60, 20}},  // partly outside the column
            {22, UiControlKind::kButton, "up", {150, 90, 40, 20}},    // overlaps the list
            {30, UiControlKind::kDropList, "", {150, 150, 200, 100}},
            {31, UiControlKind::kButton, "del", {150, 260, 40, 20}},
        },
        {},
    };
    struct Case {
        int32_t list;
        const char* caption;
        int32_t button;
    };
    const Case cases[] = {
        {10, "del", 11}, {10, "up", 12}, {10, "down", 0}, {20, "del", 31},
        {20, "up", 0},   {30, "del", 0},  // not a list
        {99, "del", 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ListButton(t, c.list, c.caption), c.button) << c.list << " " << c.caption;
}

}  // namespace
