// The item page's "@@USE" box through the main window and a scripted user:
// fields, script texts and the separate window, the job, argselect and
// use/need/get groups, the list of entries and the enable modes (browsing
// both samples is in kept_save_test.cpp, the values of the fields are the
// use rules' tests).
#include "app/edit_dlg.h"
#include "page_fixture.h"
#include "pages/page_item_template.h"

namespace {

using namespace item_page;

// 剣 has two use entries; the second borrows the first one's "func" block.
const std::string kItems =
    "@@DEFINE\r\n\tjob\tsmith\t鍛冶屋\r\n\tjob\tcook\t料理人\r\n\tset\tjob_cook_time_rate\r\n"
    "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n"
    "\t@@USE\r\n\t\tname\t振る\r\n\t\tprice\t10\r\n\t\tparam\ta,b,c,d,e\r\n\t\targ\tmessage5|radio|foo\r\n"
    "\t\tfunc\t_local_\r\n\t\t\tswing();\r\n\t\t_local_\r\n"
    "\t\targselect\t選べ;a;一;b;二\t# choices\r\n\t\tjob\tsmith 5\r\n\t\tjob\tcook\t# no blank\r\n"
    "\t\t\tuse\t1\t剣\r\n\t\t\tGet\t2\t盾\t50\r\n"
    "\t@@USE\r\n\t\tname\t突く\r\n\t\tfunc\t_local_1\r\n"
    "@@ITEM\r\n\tno\t12\r\n\tcode\tshield\r\n\tname\t盾\r\n"
    "@@ITEM\r\n\tno\t5\r\n\tcode\tbow\r\n\tname\t弓\r\n"
    "@@FUNCITEM\r\nsub heal\r\n{\r\n}\r\n"
    "@@END\r\n";

class UseBoxTest : public PageTest {
protected:
    void Open(const std::string& items = kItems) { OpenData(items, "###ItemID=0\r\n"); }
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kItemTab); }
    // The stored use entry `use` of item 0.
    const Cusestruct& Use(CMainDlg& main, uint32_t use) { return *main.Document().itemdata.GetAt(0)->uses.GetAt(use); }
    std::string Field(CMainDlg& main, uint32_t use, const char* key) { return PageTest::Field(Use(main, use), key); }
    Lines List(CMainDlg& main, const char* key, bool comments = false)
    {
        return Utf8Lines(comments ? *Use(main, 0).GetListComments(key) : *Use(main, 0).GetList(key));
    }
};

// The comment of a "@@USE" line belongs to its entry: it stays through
// edits of the entry's fields, and the direct edit shows it on the line
// and reads it back.
TEST_F(UseBoxTest, TheStartLineCommentStaysWithItsEntry)
{
    std::string items = kItems;
    items.replace(items.find("\t@@USE\r\n\t\tname\t振る"), 8, "\t@@USE\t# 炉が必要\r\n");
    Open(items);
    Run([&](CMainDlg& main) {
        Type(Page(main), IDC_USE_FIELD_FIRST, "大振り");
        user.Select(Page(main), IDC_USE_LIST, 1);
        Save(main);
        EXPECT_NE(U(Saved()).find("\t@@USE\t# 炉が必要\r\n\t\tname\t大振り\r\n"), std::string::npos);
        DirectEdit(Page(main), IDC_DIRECT_EDIT, [](std::string text) {
            const size_t line = text.find("\t@@USE\t# 炉が必要\r\n\t\tname\t大振り\r\n");
            EXPECT_NE(line, std::string::npos) << text;
            const std::string comment = "\t@@USE\t# 窯が必要";
            return line == std::string::npos ? text : text.replace(line, comment.size(), comment);
        });
        Apply(Page(main));
        EXPECT_EQ(U(Use(main, 0).GetComment(kUseLineCommentKey)), "# 窯が必要");
        Save(main);
        EXPECT_NE(U(Saved()).find("\t@@USE\t# 窯が必要\r\n\t\tname\t大振り\r\n"), std::string::npos);
        EXPECT_EQ(user.TakeMessages(), Lines{});
    });
}

TEST_F(UseBoxTest, FieldsAndScriptsAreStoredWhenEdited)
{
    Open();
    Run([&](CMainDlg& main) {
        Type(Page(main), IDC_USE_PARAM_FIRST + 1, "");
        user.SetCheck(Page(main), IDC_ARG_SELECT, true);
        EXPECT_TRUE(main.IsModified());
        Type(Page(main), IDC_USE_FIELD_FIRST, "大振り");
        // A script taken from its reference.
        user.Select(Page(main), IDC_USE_FUNC_COMBO, 2);
        Type(Page(main), IDC_USE_FUNC_REF, "_local_ ");
        Type(Page(main), IDC_USE_FUNC_EDIT, "a();\r\nb();");
        user.Select(Page(main), IDC_USE_LIST, 1);
        // The label follows the saved name.
        EXPECT_EQ(Items(Page(main), IDC_USE_LIST)[0], "大振り");
        Apply(Page(main));
        EXPECT_EQ(Field(main, 0, "param"), "a,,c,d");
        EXPECT_EQ(Field(main, 0, "arg"), "message5|select|radio");
        EXPECT_EQ(Field(main, 0, "funcb"), "_local_\r\na();\r\nb();");

        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, TheSeparateWindowEditsTheShownScript)
{
    Open();
    Run([&](CMainDlg& main) {
        for (const std::string title : {"func(@@USE) - 別ウィンドウ編集", "funci(@@USE) - 別ウィンドウ編集"}) {
            user.OnModal(
                [&](CDialogBase& d) {
                    EXPECT_EQ(U(user.LookAt(d).GetCaption()), title);
                    user.TypeText(d, CEditDlg::IDC_TEXT, "win();");
                    user.Click(d, kIdOk);
                },
                CEditDlg::IDD);
            user.Click(Page(main), IDC_USE_FUNC_WINDOW);
            EXPECT_EQ(Text(Page(main), IDC_USE_FUNC_EDIT), "win();");
            user.Select(Page(main), IDC_USE_FUNC_COMBO, 1);
        }
        // Lines typed under an empty reference make a block.
        Apply(Page(main));
        EXPECT_EQ(Field(main, 0, "func"), "_local_\r\nwin();");
        EXPECT_EQ(Field(main, 0, "funci"), "_local_\r\nwin();");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, ArgselectEntriesMoveWithTheirComments)
{
    Open();
    Run([&](CMainDlg& main) {
        // ↓ moves the shown entry down, and stops at the bottom; the
        // controls still show the moved entry, saved in its new place.
        user.Select(Page(main), IDC_ARGSEL_LIST, 0);
        user.Click(Page(main), IDC_ARGSEL_DOWN);
        user.Click(Page(main), IDC_ARGSEL_DOWN);
        EXPECT_EQ(Items(Page(main), IDC_ARGSEL_LIST), (Lines{"b;二", "a;一"}));
        EXPECT_EQ(Sel(Page(main), IDC_ARGSEL_LIST), 1);
        EXPECT_EQ(Text(Page(main), IDC_ARGSEL_PARAM), "a");
        Type(Page(main), IDC_ARGSEL_PARAM, "c");
        user.Select(Page(main), IDC_ARGSEL_LIST, 0);
        Type(Page(main), IDC_ARGSEL_HEADING, "三");
        user.Click(Page(main), IDC_ARGSEL_ADD);
        Apply(Page(main));
        EXPECT_EQ(List(main, "argselect"), (Lines{"b;三", "c;一", ";"}));
        Save(main);
    });
    EXPECT_NE(U(Saved()).find("\t\targselect\t選べ;b;三;c;一;;\t# choices\r\n"), std::string::npos);
}

// The three groups of sub-entries run alike: adding behind an entry that
// is refused leaves the list and the selection as they were; adding behind
// a saved one selects the new line, and deleting it leaves the list as read.
// Deleting every line leaves only 追加.
TEST_F(UseBoxTest, EveryGroupAddsOnlyBehindASavedEntry)
{
    struct Group {
        const char* key;
        int32_t list, add, remove, field;
        std::string refused, message;
    };
    const Group groups[] = {
        {"job", IDC_JOB_LIST, IDC_JOB_ADD, IDC_JOB_DELETE, IDC_JOB_NAME, "black smith",
         "[@@USE::job::職業名]\t区切り文字が含まれています\n"},
        {"argselect", IDC_ARGSEL_LIST, IDC_ARGSEL_ADD, IDC_ARGSEL_DELETE, IDC_ARGSEL_PARAM, "a_1",
         "[@@USE::argselect::パラメータ]\t項目に利用できない文字が混じっています\n"},
        {"ung", IDC_UNG_LIST, IDC_UNG_ADD, IDC_UNG_DELETE, IDC_UNG_COUNT, "1.5",
         "[@@USE::use/need/get::数]\t半角数字以外が含まれています。\n"},
    };
    Open();
    Run([&](CMainDlg& main) {
        for (const Group& group : groups) {
            SCOPED_TRACE(group.key);
            const Lines stored = List(main, group.key);
            const Lines comments = List(main, group.key, true);
            user.Select(Page(main), group.list, 1);
            const Lines lines = Items(Page(main), group.list);
            const std::string shown = Text(Page(main), group.field);
            Type(Page(main), group.field, group.refused);
            user.Click(Page(main), group.add);
            EXPECT_EQ(user.TakeMessages(), Lines{group.message});
            EXPECT_EQ(Items(Page(main), group.list), lines);
            EXPECT_EQ(Sel(Page(main), group.list), 1);

            Type(Page(main), group.field, shown);
            user.Click(Page(main), group.add);
            EXPECT_EQ(Items(Page(main), group.list).back(), "(新規空データ)");
            EXPECT_EQ(Sel(Page(main), group.list), static_cast<int32_t>(lines.size()));
            user.Click(Page(main), group.remove);
            EXPECT_EQ(Items(Page(main), group.list), lines);
            EXPECT_EQ(Sel(Page(main), group.list), static_cast<int32_t>(lines.size()) - 1);
            Apply(Page(main));
            EXPECT_EQ(List(main, group.key), stored);
            EXPECT_EQ(List(main, group.key, true), comments);

            for (size_t line = 0; line < lines.size(); ++line)
                user.Click(Page(main), group.remove);
            EXPECT_FALSE(Enabled(Page(main), group.field));
            EXPECT_TRUE(Enabled(Page(main), group.add));
            Apply(Page(main));
            EXPECT_EQ(List(main, group.key), Lines{});
        }
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, JobAndUseNeedGetLinesReadTheControlsTheyName)
{
    Open();
    Run([&](CMainDlg& main) {
        // 時半減 looks the job up by the name typed.
        user.Select(Page(main), IDC_JOB_LIST, 1);
        Type(Page(main), IDC_JOB_NAME, "料理人");
        user.Click(Page(main), IDC_JOB_HALVE);
        EXPECT_EQ(Text(Page(main), IDC_JOB_PARAM), "times/job_cook_time_rate");

        // A new line names the item as the name edit holds it.
        Type(Page(main), IDC_NAME, "名剣");
        user.Click(Page(main), IDC_UNG_ADD);
        EXPECT_EQ(Text(Page(main), IDC_UNG_ITEM), "このアイテム");
        user.Select(Page(main), IDC_UNG_LIST, 0);
        EXPECT_EQ(Items(Page(main), IDC_UNG_LIST)[2], "use 1 名剣  ");

        // An unknown item number is refused, and apply keeps what was typed.
        Type(Page(main), IDC_UNG_ITEM, "99");
        Apply(Page(main));
        EXPECT_EQ(user.TakeMessages(), Lines{"[@@USE::use/need/get::アイテム名]\t入力されたIDのアイテムが見つかりません。\n"});
        EXPECT_EQ(Text(Page(main), IDC_UNG_ITEM), "99");
        EXPECT_EQ(List(main, "job"), (Lines{"smith 5", "cook"}));
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, UseEntriesAndTheScriptsTheyBorrow)
{
    Open();
    Run([&](CMainDlg& main) {
        // The first entry lends its block to the second.
        user.Click(Page(main), IDC_USE_DELETE);
        EXPECT_EQ(user.TakeMessages(), Lines{"このスクリプトは他の@@USEから参照されているため削除できません。"});
        user.Click(Page(main), IDC_USE_DOWN);
        EXPECT_EQ(Items(Page(main), IDC_USE_LIST), (Lines{"突く", "振る"}));
        EXPECT_EQ(Sel(Page(main), IDC_USE_LIST), 1);
        user.Select(Page(main), IDC_USE_LIST, 0);
        EXPECT_EQ(Text(Page(main), IDC_USE_FUNC_REF), "_local_2");

        user.Click(Page(main), IDC_USE_ADD);
        user.Click(Page(main), IDC_USE_COPY);
        EXPECT_EQ(Items(Page(main), IDC_USE_LIST), (Lines{"突く", "振る", "新しい項目_2", "新しい項目_2"}));
        Apply(Page(main));
        EXPECT_EQ(Field(main, 0, "func"), "_local_2");

        // Down to no entry: the box offers only 追加.
        for (int32_t use : {3, 2, 0, 0}) {
            user.Select(Page(main), IDC_USE_LIST, use);
            user.Click(Page(main), IDC_USE_DELETE);
        }
        EXPECT_FALSE(Enabled(Page(main), IDC_USE_LIST));
        EXPECT_FALSE(Enabled(Page(main), IDC_USE_FIELD_FIRST));
        user.Click(Page(main), IDC_USE_ADD);
        EXPECT_EQ(Items(Page(main), IDC_USE_LIST), Lines{"新しい項目_0"});
        EXPECT_TRUE(Enabled(Page(main), IDC_USE_FIELD_FIRST));
        user.Click(Page(main), IDC_USE_EX);
        EXPECT_EQ(user.TakeMessages(), Lines{"@@USEに対する拡張項目は登録されていません。"});
        Apply(Page(main));
        EXPECT_EQ(main.Document().itemdata.GetAt(0)->uses.GetCount(), 1u);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, EnableModesFollowTheItemAndTheRule)
{
    const std::string stable = "@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n\t@@USE\r\n\t\tname\tu\r\n\t\tfuncb\t_local_\r\n"
                               "\t\t\ty();\r\n\t\t_local_\r\n";
    std::string block = InfoBlock("標準 安定版(020728)", "p");
    startup.commandLine = PutFile("data.cgi", block + S(stable));
    Run([&](CMainDlg& main) {
        // No item shown: nothing of the box.
        EXPECT_FALSE(Enabled(Page(main), IDC_USE_ADD));
        EXPECT_FALSE(Enabled(Page(main), IDC_USE_LIST));
        user.Select(Page(main), IDC_ITEM_LIST, 0);
        EXPECT_EQ(Items(Page(main), IDC_USE_FUNC_COMBO), (Lines{"func", "funcb"}));
        EXPECT_TRUE(Enabled(Page(main), IDC_USE_FIELD_FIRST));
        for (int32_t id : std::initializer_list<int32_t>{IDC_ARG_SELECT, IDC_ARG_SELECT_MODE, IDC_ARGSEL_ADD, IDC_USE_FIELD_FIRST + 9})
            EXPECT_FALSE(Enabled(Page(main), id)) << id;
        // The second entry of the combo stands for "funcb".
        user.Select(Page(main), IDC_USE_FUNC_COMBO, 1);
        EXPECT_EQ(Text(Page(main), IDC_USE_FUNC_EDIT), "y();");
    });
}

} // namespace
