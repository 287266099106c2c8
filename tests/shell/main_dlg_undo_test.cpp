// The edit menu through the main window and a scripted user: each change of
// the pages and tools taken back and done again, the menu that names it,
// the page edits not yet applied, the modified mark and the saved state.
#include <algorithm>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "editing/find_methods.h"
#include "editing/find_targets.h"
#include "pages/page_item_template.h"
#include "pages/page_set_template.h"
#include "shell/project_page.h"
#include "tools/find_dlg.h"
#include "tools/find_dlg_template.h"

namespace {

using namespace item_page;
using Lines = std::vector<std::string>;

const std::string kItems = "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n"
                           "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\tfunct\t_local_\r\n"
                           "\t\tx(@@ITEMNO\"剣\");\r\n\t_local_\r\n"
                           "@@ITEM\r\n\tno\t3\r\n\tcode\tbow\r\n\tname\t弓\r\n"
                           "\r\n# arms end here\r\n"
                           "@@END\r\n";

class UndoTest : public MainDlgTest {
protected:
    UndoTest() { startup.commandLine = PutFile("u.cgi", InfoBlock(kBetaRule, "p") + S(kItems)); }

    CMainPage& Items(CMainDlg& main) { return main.Page(CMainDlg::kItemTab); }
    Lines List(CMainDlg& main)
    {
        Lines lines;
        for (const CStr_base<64>& line : user.Look(Items(main), IDC_ITEM_LIST).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    std::string Name(CMainDlg& main) { return Cp932ToUtf8(user.Look(Items(main), IDC_NAME).text.GetBuffer()); }
    // The text of the menu item `id` and whether it can be chosen.
    std::string MenuText(CMainDlg& main, int32_t id) { return Cp932ToUtf8(main.Menu().Find(id)->text.GetBuffer()); }
    bool Choosable(CMainDlg& main, int32_t id) { return main.Menu().IsChoosable(id); }
    void Undo(CMainDlg& main) { user.ChooseMenu(main, ID_EDIT_UNDO); }
    void Redo(CMainDlg& main) { user.ChooseMenu(main, ID_EDIT_REDO); }
    void ShowItem(CMainDlg& main, int32_t index)
    {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kItemTab);
        user.Select(Items(main), IDC_ITEM_LIST, index);
    }
};

// Each change is taken back to the very text before it, done again to the
// text after it, and its element is shown; the menu names the step.
TEST_F(UndoTest, EachItemPageChangeIsTakenBackAndDoneAgain)
{
    struct Case {
        const char* what;
        std::function<void(CMainDlg&)> act;
        Lines list;         // after the change
        std::string shown;  // after undo: the element the step changed
        std::string step;   // as the menu names it, when it is checked
    };
    const Case cases[] = {
        {"apply", [&](CMainDlg& main) {
             ShowItem(main, 0);
             user.TypeText(Items(main), IDC_CODE, "blade");
             user.Click(Items(main), kIdOk);
         }, {"剣", "盾", "弓"}, "剣", "アイテム「剣」の適用"},
        {"delete", [&](CMainDlg& main) {
             ShowItem(main, 1);
             user.Answer(UiAnswer::kYes);
             user.Click(Items(main), IDC_DELETE);
         }, {"剣", "弓"}, "盾", ""},
        {"add", [&](CMainDlg& main) {
             ShowItem(main, 1);
             user.Click(Items(main), IDC_ADD);
         }, {"剣", "盾", "弓", "アイテム_4"}, "弓", ""},
        {"copy", [&](CMainDlg& main) {
             ShowItem(main, 2);
             user.Click(Items(main), IDC_COPY);
         }, {"剣", "盾", "弓", "弓(コピー)"}, "弓", ""},
        {"down", [&](CMainDlg& main) {
             ShowItem(main, 0);
             user.Click(Items(main), IDC_DOWN);
         }, {"盾", "剣", "弓"}, "剣", ""},
        {"rename followed", [&](CMainDlg& main) {
             ShowItem(main, 0);
             user.TypeText(Items(main), IDC_NAME, S("刀").c_str());
             user.Answer(UiAnswer::kYes);
             user.Click(Items(main), kIdOk);
         }, {"刀", "盾", "弓"}, "剣", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Run([&](CMainDlg& main) {
            const std::string before = WrittenText(main);
            EXPECT_FALSE(Choosable(main, ID_EDIT_UNDO));
            c.act(main);
            user.TakeMessages();
            EXPECT_EQ(List(main), c.list);
            const std::string after = WrittenText(main);
            EXPECT_NE(after, before);
            EXPECT_TRUE(main.IsModified());
            if (!c.step.empty()) {
                EXPECT_EQ(MenuText(main, ID_EDIT_UNDO), "取り消し: " + c.step + "(&U)");
            }

            Undo(main);
            EXPECT_EQ(WrittenText(main), before);
            EXPECT_EQ(List(main), (Lines{"剣", "盾", "弓"}));
            EXPECT_EQ(Name(main), c.shown);
            EXPECT_FALSE(main.IsModified());  // back where it was opened
            EXPECT_FALSE(Choosable(main, ID_EDIT_UNDO));
            if (!c.step.empty()) {
                EXPECT_EQ(MenuText(main, ID_EDIT_REDO), "やり直し: " + c.step + "(&R)");
            }

            Redo(main);
            EXPECT_EQ(WrittenText(main), after);
            EXPECT_EQ(List(main), c.list);
            EXPECT_TRUE(main.IsModified());
            user.Answer(UiAnswer::kNo);  // the save question
        });
    }
}

TEST_F(UndoTest, TheFirstUndoTakesBackEditsNotYetApplied)
{
    Run([&](CMainDlg& main) {
        // With no step yet, typing is what 取り消し takes back.
        ShowItem(main, 2);
        user.TypeText(Items(main), IDC_CODE, "arc");
        EXPECT_EQ(MenuText(main, ID_EDIT_UNDO), "取り消し: 適用していない編集(&U)");
        EXPECT_TRUE(Choosable(main, ID_EDIT_UNDO));
        Undo(main);
        EXPECT_EQ(Cp932ToUtf8(user.Look(Items(main), IDC_CODE).text.GetBuffer()), "bow");
        EXPECT_FALSE(Choosable(main, ID_EDIT_UNDO));
        EXPECT_FALSE(main.IsModified());

        ShowItem(main, 1);
        user.Answer(UiAnswer::kYes);
        user.Click(Items(main), IDC_DELETE);
        user.TakeMessages();
        ShowItem(main, 0);
        user.TypeText(Items(main), IDC_NAME, S("刀").c_str());
        EXPECT_TRUE(main.IsModified());
        EXPECT_FALSE(Choosable(main, ID_EDIT_REDO));

        Undo(main);  // the typing only
        EXPECT_EQ(Name(main), "剣");
        EXPECT_EQ(List(main), (Lines{"剣", "弓"}));
        EXPECT_TRUE(main.IsModified());
        Undo(main);  // the deletion
        EXPECT_EQ(List(main), (Lines{"剣", "盾", "弓"}));
        EXPECT_EQ(Name(main), "盾");
        EXPECT_FALSE(main.IsModified());
        EXPECT_EQ(user.TakeMessages(), Lines{});
    });
}

// A refused apply adds nothing: the new item comes only after the shown one
// was stored.
TEST_F(UndoTest, AnAddAfterARefusedApplyAddsNothing)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        user.TypeText(Items(main), IDC_NAME, "");
        user.Click(Items(main), IDC_ADD);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(List(main), (Lines{"剣", "盾", "弓"}));
        EXPECT_EQ(main.Document().itemdata.GetCount(), 3u);
        EXPECT_EQ(main.Project().history.GetCount(), 0u);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UndoTest, AReplaceOverEveryElementIsOneStep)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        const std::string before = WrittenText(main);
        user.ChooseMenu(main, ID_FIND_REPLACE);
        FindDlg& find = main.FindReplace();
        user.Select(find, find_dlg::IDC_TARGET, kFindAll);
        user.Select(find, find_dlg::IDC_FIELD, kFindCode);
        user.Select(find, find_dlg::IDC_METHOD, kFindContains);
        user.TypeText(find, find_dlg::IDC_SEARCH, "o");
        user.TypeText(find, find_dlg::IDC_REPLACEMENT, "0");
        user.Click(find, find_dlg::IDC_REPLACE_ALL);
        user.TakeMessages();
        EXPECT_EQ(MenuText(main, ID_EDIT_UNDO), "取り消し: 置換 (2 要素)(&U)");
        const std::string after = WrittenText(main);
        EXPECT_EQ(after.find("sword"), std::string::npos);

        Undo(main);
        EXPECT_EQ(WrittenText(main), before);
        EXPECT_FALSE(main.IsModified());
        Redo(main);
        EXPECT_EQ(WrittenText(main), after);
        // A save moves the point where the document is unmodified.
        user.ChooseMenu(main, ID_FILE_SAVE);
        EXPECT_FALSE(main.IsModified());
        Undo(main);
        EXPECT_TRUE(main.IsModified());
        EXPECT_EQ(WrittenText(main), before);
        Redo(main);
        EXPECT_FALSE(main.IsModified());
    });
}

TEST_F(UndoTest, UndoWaitsForTheWindowThatAsks)
{
    Run([&](CMainDlg& main) {
        ShowItem(main, 0);
        user.TypeText(Items(main), IDC_CODE, "blade");
        user.Click(Items(main), kIdOk);
        // While the delete question waits, undo is refused.
        user.WhileMessageBox([&] { Undo(main); });
        user.Answer(UiAnswer::kNo);
        user.Click(Items(main), IDC_DELETE);
        const Lines messages = user.TakeMessages();
        EXPECT_EQ(std::count_if(messages.begin(), messages.end(),
                                [](const std::string& m) { return m.rfind("現在他のウィンドウの応答待ちのため", 0) == 0; }),
                  1)
            << ::testing::PrintToString(messages);
        EXPECT_EQ(Cp932ToUtf8(main.Document().itemdata.GetAt(0)->FieldText("code")), "blade");
        user.Answer(UiAnswer::kNo);
    });
}

// The arrangement page's texts and moves, and the project's icon folder.
TEST_F(UndoTest, ArrangementAndProjectChangesAreTakenBack)
{
    Run([&](CMainDlg& main) {
        const std::string before = WrittenText(main);
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kSetTab);
        CMainPage& set = main.Page(CMainDlg::kSetTab);
        int32_t text = 0;
        while (main.Document().setdata[static_cast<uint32_t>(text)]->GetKind() != CMERX_TYPE_OTHER)
            ++text;
        user.Select(set, set_page::IDC_ELEMENT_LIST, text);
        user.TypeText(set, set_page::IDC_DETAIL, "\r\n# arms end\r\n");
        user.Click(set, kIdOk);
        const int32_t first = main.Document().FindInArrangement(main.Document().itemdata.GetAt(0));
        user.Select(set, set_page::IDC_ELEMENT_LIST, first);
        user.Click(set, set_page::IDC_DOWN);
        EXPECT_EQ(MenuText(main, ID_EDIT_UNDO), "取り消し: 配置の移動(&U)");
        Undo(main);
        EXPECT_EQ(MenuText(main, ID_EDIT_UNDO), "取り消し: テキストの適用(&U)");
        Undo(main);
        EXPECT_EQ(WrittenText(main), before);

        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kProjectTab);
        CMainPage& project = main.Page(CMainDlg::kProjectTab);
        user.TypeText(project, CProjectPage::IDC_ICON_FOLDER, "icons");
        user.Click(project, kIdOk);
        EXPECT_EQ(Cp932ToUtf8(main.ProjectInfo().iconImagePath.GetBuffer()), "icons");
        Undo(main);
        EXPECT_NE(Cp932ToUtf8(main.ProjectInfo().iconImagePath.GetBuffer()), "icons");
        EXPECT_NE(Cp932ToUtf8(user.Look(project, CProjectPage::IDC_ICON_FOLDER).text.GetBuffer()), "icons");
        EXPECT_FALSE(main.IsModified());
        EXPECT_EQ(user.TakeMessages(), Lines{});
    });
}

}  // namespace
