// The rule by which controls follow a growing window: what stretches, what
// keeps its size, and which column a control follows downwards.
#include <gtest/gtest.h>

#include <ostream>

#include "ui/template_layout.h"

void PrintTo(const CUiRect& r, std::ostream* os) { *os << "{" << r.x << ", " << r.y << ", " << r.w << ", " << r.h << "}"; }

namespace {

enum : int32_t { kList = 10, kAdd, kLabel, kLine, kMemo, kCheck, kOk, kGroup, kBelow };

// A list on the left with a button under it; on the right a group with a
// label and a line, a multi-line edit and a check box under the edit; the
// default button in the bottom right corner.
const CUiDialogTemplate& Sample()
{
    static const CUiDialogTemplate t{
        100,
        "sample",
        {300, 200},
        kUiResizable,
        {
            {kList, UiControlKind::kList, "", {0, 0, 100, 150}},
            {kAdd, UiControlKind::kButton, "add", {0, 155, 40, 20}},
            {kGroup, UiControlKind::kGroup, "group", {105, 0, 195, 170}},
            {kLabel, UiControlKind::kStatic, "label", {110, 15, 50, 16}},
            {kLine, UiControlKind::kEdit, "", {160, 15, 135, 19}},
            {kMemo, UiControlKind::kEdit, "", {110, 40, 185, 100}, kUiMultiLine},
            {kCheck, UiControlKind::kCheck, "check", {110, 145, 60, 18}},
            {kOk, UiControlKind::kButton, "OK", {210, 175, 90, 24}},
        },
        {},
    };
    return t;
}

CUiRect RectOf(const std::vector<CUiRect>& rects, int32_t id)
{
    const CUiDialogTemplate& t = Sample();
    for (size_t i = 0; i < t.controls.size(); ++i) {
        if (t.controls[i].id == id)
            return rects[i];
    }
    return {};
}

TEST(TemplateLayout, AtItsOwnSizeOrSmallerTheTemplateStaysAsDrawn)
{
    for (const CUiSize client : {CUiSize{300, 200}, CUiSize{200, 100}, CUiSize{0, 0}}) {
        const std::vector<CUiRect> rects = FollowClientSize(Sample(), client);
        ASSERT_EQ(rects.size(), Sample().controls.size());
        for (size_t i = 0; i < rects.size(); ++i)
            EXPECT_EQ(rects[i], Sample().controls[i].rect) << client.w << "x" << client.h << " #" << i;
    }
}

// 120 more pixels across and 100 more down. The stretching spans across
// are 0-100 and 110-295 (285 pixels): the list gets 120*100/285 = 42, and
// what lies after 110 moves by 42.
TEST(TemplateLayout, FieldsAndListsTakeTheRoomButtonsKeepTheirSize)
{
    const std::vector<CUiRect> rects = FollowClientSize(Sample(), {420, 300});
    struct Case {
        int32_t id;
        CUiRect expected;
        const char* why;
    };
    const Case cases[] = {
        {kList, {0, 0, 142, 250}, "the list takes the room both ways"},
        {kAdd, {0, 255, 40, 20}, "the button under the list moves down with it, keeping its size"},
        {kGroup, {147, 0, 273, 270}, "the group grows with its column"},
        {kLabel, {152, 15, 50, 16}, "a label keeps its size at the top left of its room"},
        {kLine, {223, 15, 192, 19}, "a line stretches across, not down"},
        {kMemo, {152, 40, 263, 200}, "the multi-line edit takes the room both ways"},
        {kCheck, {152, 245, 60, 18}, "a check box under the edit moves down by what it grew"},
        {kOk, {330, 275, 90, 24}, "the button of the right edge stays at the right edge"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RectOf(rects, c.id), c.expected) << c.why;
}

TEST(TemplateLayout, AColumnWithoutAnythingToGrowKeepsItsRowsInPlace)
{
    CUiDialogTemplate t = Sample();
    // A label under the group's right part, in no column of a list or memo.
    t.client = {400, 200};
    t.controls.push_back({kBelow, UiControlKind::kStatic, "aside", {320, 10, 60, 16}});
    const std::vector<CUiRect> rects = FollowClientSize(t, {400, 400});
    EXPECT_EQ(rects.back().y, 10);
    EXPECT_EQ(rects.back().h, 16);
}

}  // namespace
