// Geometry of headless windows: frames, minimum tracking size, pages inside
// their parent, and where the focus goes when a window hides (maximizing is
// in the tests of the text windows).
#include <gtest/gtest.h>

#include "probe_dialog.h"

namespace {

TEST(WindowGeometry, SizeChangesReachOnSizeWithTheClientArea)
{
    CScriptedUser user;
    CProbeDlg dialog;
    ASSERT_TRUE(dialog.Create());
    EXPECT_EQ(dialog.GetWindowRect(), (CUiRect{0, 0, 400 + kHeadlessFrame.w, 300 + kHeadlessFrame.h}));
    EXPECT_EQ(dialog.GetClientSize(), (CUiSize{400, 300}));
    dialog.SetMinTrackSize(350, 150);
    dialog.m_ownLog.clear();
    dialog.MoveWindow({10, 20, 600, 500});
    dialog.MoveWindow({30, 40, 600, 500});  // moved only
    dialog.MoveWindow({0, 0, 50, -5});      // below the minimum
    dialog.MoveWindow({-99999, 99999, 99999, 400});
    EXPECT_EQ(dialog.m_ownLog, (Log{"probe: size 584x461", "probe: size 334x111", "probe: size 32751x361"}));
    EXPECT_EQ(dialog.GetWindowRect(), (CUiRect{-32768, 32767, 32767, 400}));
}

TEST(WindowGeometry, PageLiesInItsParentsClientAreaAndHidingAWindowFocusesItsOwner)
{
    CScriptedUser user;
    CProbeDlg owner(ProbeTemplate(), "owner"), page(ProbeTemplate(), "page");
    ASSERT_TRUE(owner.Create());
    ASSERT_TRUE(page.CreateChild(owner));
    EXPECT_EQ(page.GetWindowRect(), (CUiRect{0, 0, 400, 300}));
    page.MoveWindow({20, 35, 400, 300});
    EXPECT_EQ(page.GetWindowRect(), (CUiRect{20, 35, 400, 300}));
    EXPECT_TRUE(Entries(page.m_ownLog, "page: size").empty());
    page.ShowWindow(UiShow::kShow);
    EXPECT_FALSE(user.Click(page, kProbeApply));  // the parent is hidden
    owner.ShowWindow(UiShow::kShow);
    EXPECT_TRUE(user.Click(page, kProbeApply));
    EXPECT_EQ(user.ActiveDialog(), &owner);
    EXPECT_EQ(user.TakeProblems().size(), 1u);

    // Hiding a window hands the focus to its owner.
    CProbeDlg tool(ProbeTemplate(), "tool");
    ASSERT_TRUE(tool.Create(&owner));
    tool.SetFocus();  // hidden: nothing happens
    EXPECT_EQ(user.ActiveDialog(), &owner);
    tool.ShowWindow(UiShow::kShow);
    EXPECT_EQ(user.ActiveDialog(), &tool);
    owner.SetFocus();
    EXPECT_EQ(user.ActiveDialog(), &owner);
    tool.SetFocus();
    tool.ShowWindow(UiShow::kHide);
    EXPECT_EQ(user.ActiveDialog(), &owner);
    tool.DestroyWindow();
    owner.DestroyWindow();
    EXPECT_EQ(user.ActiveDialog(), nullptr);
}

}  // namespace
