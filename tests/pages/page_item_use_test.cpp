// The item page's "@@USE" box through the main window and a scripted user:
// browsing, fields, script texts, job, argselect and use/need/get lines,
// the list operations and the enable modes.
#include <fstream>
#include <iterator>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "app/edit_dlg.h"
#include "pages/page_item.h"
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

class UseBoxTest : public MainDlgTest {
protected:
    void Open(const std::string& rule = kBetaRule, const std::string& items = kItems, const std::string& itemId = "0")
    {
        std::string block = InfoBlock(rule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###ItemID=" + itemId + "\r\n");
        startup.commandLine = PutFile("items.cgi", block + S(items));
    }
    Cpage_item& Page(CMainDlg& main) { return static_cast<Cpage_item&>(main.Page(CMainDlg::kItemTab)); }
    std::string Text(CMainDlg& main, int32_t id) { return Cp932ToUtf8(user.Look(Page(main), id).text.GetBuffer()); }
    int32_t Sel(CMainDlg& main, int32_t id) { return user.Look(Page(main), id).curSel; }
    bool Enabled(CMainDlg& main, int32_t id) { return user.Look(Page(main), id).enabled; }
    std::vector<std::string> Lines(CMainDlg& main, int32_t id)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : user.Look(Page(main), id).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    void Type(CMainDlg& main, int32_t id, const std::string& utf8) { user.TypeText(Page(main), id, S(utf8).c_str()); }
    // The stored use entry `use` of item 0.
    const Cusestruct& Use(CMainDlg& main, uint32_t use) { return *main.Document().itemdata.GetAt(0)->uses.GetAt(use); }
    std::string Field(CMainDlg& main, uint32_t use, const char* key)
    {
        const CMerxString* value = Use(main, use).GetField(key);
        return value ? Cp932ToUtf8(value->GetBuffer()) : "<undefined>";
    }
    std::vector<std::string> List(CMainDlg& main, uint32_t use, const char* key, bool comments = false)
    {
        std::vector<std::string> lines;
        const CStrArray_base<64>* list = comments ? Use(main, use).GetListComments(key) : Use(main, use).GetList(key);
        for (const CStr_base<64>& line : *list)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    void Apply(CMainDlg& main) { user.Click(Page(main), kIdOk); }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("items.cgi"); }
};

TEST_F(UseBoxTest, BrowsingEveryEntryAndSubEntryChangesNothing)
{
    Open();
    std::string untouched;
    Run([&](CMainDlg& main) {
        Save(main);
        untouched = Saved();
        EXPECT_EQ(Lines(main, IDC_USE_LIST), (std::vector<std::string>{"振る", "突く"}));
        EXPECT_EQ(Lines(main, IDC_JOB_LIST), (std::vector<std::string>{"smith 5", "cook"}));
        EXPECT_EQ(Lines(main, IDC_ARGSEL_LIST), (std::vector<std::string>{"a;一", "b;二"}));
        EXPECT_EQ(Lines(main, IDC_UNG_LIST), (std::vector<std::string>{"use 1 剣  ", "Get 2 盾 50 "}));
        EXPECT_EQ(Text(main, IDC_USE_PARAM_FIRST + 3), "d");
        EXPECT_EQ(Text(main, IDC_ARG_MESSAGE_NUMBER), "5");
        EXPECT_EQ(Text(main, IDC_UNG_ITEM), "このアイテム");
        EXPECT_EQ(Text(main, IDC_USE_FUNC_REF), "_local_");
        EXPECT_EQ(Text(main, IDC_USE_FUNC_EDIT), "swing();");
        EXPECT_EQ(Lines(main, IDC_USE_FUNC_REF), (std::vector<std::string>{"", "_local_", "_local_1", "heal"}));
        for (int32_t item : {0, 1, 2, 0}) {
            user.Select(Page(main), IDC_ITEM_LIST, item);
            for (int32_t use : {1, 0}) {
                if (!Enabled(main, IDC_USE_LIST))
                    break;
                user.Select(Page(main), IDC_USE_LIST, use);
                for (int32_t func : {1, 2, 0})
                    user.Select(Page(main), IDC_USE_FUNC_COMBO, func);
                for (int32_t id : {IDC_JOB_LIST, IDC_ARGSEL_LIST, IDC_UNG_LIST})
                    for (int32_t line : {1, 0})
                        if (Enabled(main, id))
                            user.Select(Page(main), id, line);
            }
        }
        // The "Get" line with a probability stored without "%".
        user.Select(Page(main), IDC_UNG_LIST, 1);
        EXPECT_EQ(Sel(main, IDC_UNG_KIND), 2);
        EXPECT_EQ(Text(main, IDC_UNG_RATE), "50");
        // "cook" holds no blank: shown as a name, kept as it is.
        user.Select(Page(main), IDC_JOB_LIST, 1);
        EXPECT_EQ(Text(main, IDC_JOB_NAME), "cook");
        Apply(main);
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_EQ(Saved(), untouched);
}

// The sample project: every item, use entry, script text and sub-entry
// looked at, and the file saved as it was read.
TEST_F(UseBoxTest, ClickingThroughTheSampleChangesNothing)
{
    std::ifstream sample(std::string(TAVARO_SOURCE_DIR) + "/examples/inc-item-data.cgi", std::ios::binary);
    startup.commandLine = PutFile("items.cgi", std::string(std::istreambuf_iterator<char>(sample), {}));
    std::string untouched;
    Run([&](CMainDlg& main) {
        Save(main);
        untouched = Saved();
        const int32_t start = Page(main).CurrentElement();
        const int32_t items = static_cast<int32_t>(main.Document().itemdata.GetCount());
        int32_t uses = 0;
        for (int32_t item = 0; item < items; ++item) {
            user.Select(Page(main), IDC_ITEM_LIST, item);
            for (int32_t use = 0; use < static_cast<int32_t>(Lines(main, IDC_USE_LIST).size()); ++use, ++uses) {
                user.Select(Page(main), IDC_USE_LIST, use);
                for (int32_t func = 0; func < 3; ++func)
                    user.Select(Page(main), IDC_USE_FUNC_COMBO, func);
                for (int32_t id : {IDC_JOB_LIST, IDC_ARGSEL_LIST, IDC_UNG_LIST})
                    for (int32_t line = 0; Enabled(main, id) && line < static_cast<int32_t>(Lines(main, id).size()); ++line)
                        user.Select(Page(main), id, line);
            }
        }
        EXPECT_GT(uses, 30);
        user.Select(Page(main), IDC_ITEM_LIST, start);
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_EQ(Saved(), untouched);
    EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
}

// The comment of a "@@USE" line belongs to its entry: it stays through
// edits of the entry's fields, and the direct edit shows it on the line
// and reads it back.
TEST_F(UseBoxTest, TheStartLineCommentStaysWithItsEntry)
{
    std::string items = kItems;
    items.replace(items.find("\t@@USE\r\n\t\tname\t振る"), 8, "\t@@USE\t# 炉が必要\r\n");
    Open(kBetaRule, items);
    Run([&](CMainDlg& main) {
        Type(main, IDC_USE_FIELD_FIRST, "大振り");
        user.Select(Page(main), IDC_USE_LIST, 1);
        Apply(main);
        Save(main);
        EXPECT_NE(Cp932ToUtf8(Saved()).find("\t@@USE\t# 炉が必要\r\n\t\tname\t大振り\r\n"), std::string::npos);

        user.OnModal([&](CDialogBase& d) {
            std::string text = Cp932ToUtf8(user.Look(d, CDirectInputDlg::IDC_TEXT).text.GetBuffer());
            const size_t line = text.find("\t@@USE\t# 炉が必要\r\n\t\tname\t大振り\r\n");
            ASSERT_NE(line, std::string::npos) << text;
            const std::string comment = "\t@@USE\t# 窯が必要";
            text.replace(line, comment.size(), comment);
            user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(text).c_str());
            user.Click(d, kIdOk);
        });
        user.Click(Page(main), IDC_DIRECT_EDIT);
        Apply(main);
        EXPECT_STREQ(Cp932ToUtf8(Use(main, 0).GetComment(kUseLineCommentKey)).c_str(), "# 窯が必要");
        Save(main);
        EXPECT_NE(Cp932ToUtf8(Saved()).find("\t@@USE\t# 窯が必要\r\n\t\tname\t大振り\r\n"), std::string::npos);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
    });
}

TEST_F(UseBoxTest, FieldsAndScriptsAreStoredWhenEdited)
{
    Open();
    Run([&](CMainDlg& main) {
        Type(main, IDC_USE_PARAM_FIRST + 1, "");
        user.SetCheck(Page(main), IDC_ARG_SELECT, true);
        EXPECT_TRUE(main.IsModified());
        Type(main, IDC_USE_FIELD_FIRST, "大振り");
        // A script taken from its reference, trimmed; a block with a line
        // that would end it early is refused and the combo stays.
        user.Select(Page(main), IDC_USE_FUNC_COMBO, 2);
        Type(main, IDC_USE_FUNC_REF, "_local_ ");
        Type(main, IDC_USE_FUNC_EDIT, "a();\r\nb_local_");
        user.Select(Page(main), IDC_USE_FUNC_COMBO, 0);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[@@USE::funcb]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"});
        EXPECT_EQ(Sel(main, IDC_USE_FUNC_COMBO), 2);
        Type(main, IDC_USE_FUNC_EDIT, "a();\r\nb();");
        user.Select(Page(main), IDC_USE_LIST, 1);
        // The label follows the saved name.
        EXPECT_EQ(Lines(main, IDC_USE_LIST)[0], "大振り");
        Apply(main);
        EXPECT_EQ(Field(main, 0, "param"), "a,,c,d");
        EXPECT_EQ(Field(main, 0, "arg"), "message5|select|radio");
        EXPECT_EQ(Field(main, 0, "funcb"), "_local_\r\na();\r\nb();");
        EXPECT_EQ(Field(main, 0, "func"), "_local_\r\nswing();");

        // The argselect heading must not break its line.
        user.Select(Page(main), IDC_USE_LIST, 0);
        Type(main, IDC_USE_FIELD_FIRST + 9, "x;y");
        Apply(main);
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>{"[@@USE::argselect::見出し]\t項目に利用できない文字が混じっています\n"}));
        EXPECT_EQ(Field(main, 0, "argselect"), "選べ");
        Apply(main);
        EXPECT_EQ(user.TakeMessages().size(), 1u); // refused again, not stored quietly
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
                    EXPECT_EQ(Cp932ToUtf8(user.LookAt(d).GetCaption()), title);
                    user.TypeText(d, CEditDlg::IDC_TEXT, "win();");
                    user.Click(d, kIdOk);
                },
                CEditDlg::IDD);
            user.Click(Page(main), IDC_USE_FUNC_WINDOW);
            EXPECT_EQ(Text(main, IDC_USE_FUNC_EDIT), "win();");
            user.Select(Page(main), IDC_USE_FUNC_COMBO, 1);
        }
        // Lines typed under an empty reference make a block.
        EXPECT_TRUE(main.IsModified());
        Apply(main);
        EXPECT_EQ(Field(main, 0, "func"), "_local_\r\nwin();");
        EXPECT_EQ(Field(main, 0, "funci"), "_local_\r\nwin();");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, JobEntries)
{
    Open();
    Run([&](CMainDlg& main) {
        user.Select(Page(main), IDC_JOB_LIST, 1);
        Type(main, IDC_JOB_PARAM, "3");
        user.Select(Page(main), IDC_JOB_LIST, 0);
        EXPECT_EQ(Lines(main, IDC_JOB_LIST), (std::vector<std::string>{"smith 5", "cook 3"}));

        // A refused entry keeps the selection, and adding leaves the list.
        Type(main, IDC_JOB_NAME, "black smith");
        user.Select(Page(main), IDC_JOB_LIST, 1);
        user.Click(Page(main), IDC_JOB_ADD);
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>(2, "[@@USE::job::職業名]\t区切り文字が含まれています\n")));
        EXPECT_EQ(Sel(main, IDC_JOB_LIST), 0);
        EXPECT_EQ(Lines(main, IDC_JOB_LIST).size(), 2u);

        Type(main, IDC_JOB_NAME, "smith");
        user.Click(Page(main), IDC_JOB_ADD);
        EXPECT_EQ(Lines(main, IDC_JOB_LIST), (std::vector<std::string>{"smith 5", "cook 3", "(新規空データ)"}));
        EXPECT_EQ(Sel(main, IDC_JOB_LIST), 2);
        Type(main, IDC_JOB_NAME, "料理人");
        user.Click(Page(main), IDC_JOB_HALVE);
        EXPECT_EQ(Text(main, IDC_JOB_PARAM), "times/job_cook_time_rate");
        Type(main, IDC_JOB_NAME, "鍛冶屋");
        user.Click(Page(main), IDC_JOB_HALVE);
        EXPECT_EQ(Text(main, IDC_JOB_PARAM), "times/2");
        Apply(main);
        EXPECT_EQ(List(main, 0, "job"), (std::vector<std::string>{"smith 5", "cook\t3", "鍛冶屋\ttimes/2"}));
        EXPECT_EQ(List(main, 0, "job", true), (std::vector<std::string>{"", "\t# no blank", ""}));

        // Deleting the last entry selects the new last one.
        user.Click(Page(main), IDC_JOB_DELETE);
        EXPECT_EQ(Sel(main, IDC_JOB_LIST), 1);
        EXPECT_EQ(Text(main, IDC_JOB_PARAM), "3");
        user.Click(Page(main), IDC_JOB_DELETE);
        user.Click(Page(main), IDC_JOB_DELETE);
        EXPECT_FALSE(Enabled(main, IDC_JOB_NAME));
        Apply(main);
        EXPECT_EQ(List(main, 0, "job").size(), 0u);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, ArgselectEntriesMoveWithTheirComments)
{
    Open();
    Run([&](CMainDlg& main) {
        user.Select(Page(main), IDC_ARGSEL_LIST, 1);
        user.Click(Page(main), IDC_ARGSEL_UP);
        EXPECT_EQ(Lines(main, IDC_ARGSEL_LIST), (std::vector<std::string>{"b;二", "a;一"}));
        EXPECT_EQ(Sel(main, IDC_ARGSEL_LIST), 0);
        // The controls still show the moved entry, saved in its new place.
        Type(main, IDC_ARGSEL_HEADING, "三");
        user.Select(Page(main), IDC_ARGSEL_LIST, 1);
        EXPECT_EQ(Text(main, IDC_ARGSEL_PARAM), "a");
        Type(main, IDC_ARGSEL_PARAM, "a_1");
        user.Click(Page(main), IDC_ARGSEL_ADD);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[@@USE::argselect::パラメータ]\t項目に利用できない文字が混じっています\n"});
        Type(main, IDC_ARGSEL_PARAM, "c");
        user.Click(Page(main), IDC_ARGSEL_ADD);
        Apply(main);
        EXPECT_EQ(List(main, 0, "argselect"), (std::vector<std::string>{"b;三", "c;一", ";"}));
        Save(main);
    });
    EXPECT_NE(Cp932ToUtf8(Saved()).find("\t\targselect\t選べ;b;三;c;一;;\t# choices\r\n"), std::string::npos);
}

// The three groups of sub-entries run alike: adding behind an entry that
// is refused leaves the list and the selection as they were; adding behind
// a saved one selects the new line, and deleting it leaves the list as read.
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
            const std::vector<std::string> stored = List(main, 0, group.key);
            user.Select(Page(main), group.list, 1);
            const std::vector<std::string> lines = Lines(main, group.list);
            const std::string shown = Text(main, group.field);
            Type(main, group.field, group.refused);
            user.Click(Page(main), group.add);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{group.message});
            EXPECT_EQ(Lines(main, group.list), lines);
            EXPECT_EQ(Sel(main, group.list), 1);

            Type(main, group.field, shown);
            user.Click(Page(main), group.add);
            EXPECT_EQ(Lines(main, group.list).back(), "(新規空データ)");
            EXPECT_EQ(Sel(main, group.list), static_cast<int32_t>(lines.size()));
            user.Click(Page(main), group.remove);
            EXPECT_EQ(Lines(main, group.list), lines);
            Apply(main);
            EXPECT_EQ(List(main, 0, group.key), stored);
        }
        // ↓ moves the shown argselect entry down, and stops at the bottom.
        user.Select(Page(main), IDC_ARGSEL_LIST, 0);
        for (int click = 0; click < 2; ++click) {
            user.Click(Page(main), IDC_ARGSEL_DOWN);
            EXPECT_EQ(Lines(main, IDC_ARGSEL_LIST), (std::vector<std::string>{"b;二", "a;一"}));
            EXPECT_EQ(Sel(main, IDC_ARGSEL_LIST), 1);
        }
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, UseNeedGetLines)
{
    Open();
    Run([&](CMainDlg& main) {
        // A new line names the item as the name edit holds it.
        Type(main, IDC_NAME, "名剣");
        user.Click(Page(main), IDC_UNG_ADD);
        EXPECT_EQ(Text(main, IDC_UNG_ITEM), "このアイテム");
        user.Select(Page(main), IDC_UNG_LIST, 0);
        EXPECT_EQ(Lines(main, IDC_UNG_LIST)[2], "use 1 名剣  ");

        // An item number becomes that item's name; an unknown one is
        // refused, and apply keeps what the user typed.
        user.Select(Page(main), IDC_UNG_LIST, 1);
        Type(main, IDC_UNG_ITEM, "5");
        Type(main, IDC_UNG_COUNT, "3");
        user.Select(Page(main), IDC_UNG_LIST, 0);
        Type(main, IDC_UNG_ITEM, "99");
        Apply(main);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[@@USE::use/need/get::アイテム名]\t入力されたIDのアイテムが見つかりません。\n"});
        EXPECT_EQ(Text(main, IDC_UNG_ITEM), "99");
        EXPECT_EQ(Field(main, 0, "name"), "振る"); // nothing applied
        Type(main, IDC_UNG_ITEM, "12");
        user.Answer(UiAnswer::kNo);
        Apply(main);
        user.TakeMessages();
        EXPECT_EQ(List(main, 0, "ung"), (std::vector<std::string>{"use\t1\t盾\t\t", "Get\t3\t弓\t50\t", "use\t1\t名剣\t\t"}));

        // Deleting every line leaves the group's controls disabled.
        for (int i = 0; i < 3; ++i)
            user.Click(Page(main), IDC_UNG_DELETE);
        EXPECT_FALSE(Enabled(main, IDC_UNG_ITEM));
        EXPECT_TRUE(Enabled(main, IDC_UNG_ADD));
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, UseEntriesAndTheScriptsTheyBorrow)
{
    Open();
    Run([&](CMainDlg& main) {
        // The first entry lends its block to the second.
        user.Click(Page(main), IDC_USE_DELETE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"このスクリプトは他の@@USEから参照されているため削除できません。"});
        user.Click(Page(main), IDC_USE_DOWN);
        EXPECT_EQ(Lines(main, IDC_USE_LIST), (std::vector<std::string>{"突く", "振る"}));
        EXPECT_EQ(Sel(main, IDC_USE_LIST), 1);
        user.Select(Page(main), IDC_USE_LIST, 0);
        EXPECT_EQ(Text(main, IDC_USE_FUNC_REF), "_local_2");

        user.Click(Page(main), IDC_USE_ADD);
        EXPECT_EQ(Lines(main, IDC_USE_LIST).back(), "新しい項目_2");
        user.Click(Page(main), IDC_USE_COPY);
        EXPECT_EQ(Lines(main, IDC_USE_LIST), (std::vector<std::string>{"突く", "振る", "新しい項目_2", "新しい項目_2"}));
        Apply(main);
        EXPECT_EQ(Field(main, 0, "func"), "_local_2");
        EXPECT_EQ(Field(main, 3, "name"), "新しい項目_2");

        // Down to no entry: the box offers only 追加.
        for (int32_t use : {3, 2, 0, 0}) {
            user.Select(Page(main), IDC_USE_LIST, use);
            user.Click(Page(main), IDC_USE_DELETE);
        }
        EXPECT_FALSE(Enabled(main, IDC_USE_LIST));
        EXPECT_FALSE(Enabled(main, IDC_USE_FIELD_FIRST));
        EXPECT_TRUE(Enabled(main, IDC_USE_ADD));
        user.Click(Page(main), IDC_USE_ADD);
        EXPECT_EQ(Lines(main, IDC_USE_LIST), std::vector<std::string>{"新しい項目_0"});
        EXPECT_TRUE(Enabled(main, IDC_USE_FIELD_FIRST));
        user.Click(Page(main), IDC_USE_EX);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"@@USEに対する拡張項目は登録されていません。"});
        Apply(main);
        EXPECT_EQ(main.Document().itemdata.GetAt(0)->uses.GetCount(), 1u);
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(UseBoxTest, EnableModesFollowTheItemAndTheRule)
{
    const std::string stable = "@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n\t@@USE\r\n\t\tname\tu\r\n\t\tfuncb\t_local_\r\n"
                               "\t\t\ty();\r\n\t\t_local_\r\n";
    Open("標準 安定版(020728)", stable, "-1");
    Run([&](CMainDlg& main) {
        // No item shown: nothing of the box.
        EXPECT_FALSE(Enabled(main, IDC_USE_ADD));
        EXPECT_FALSE(Enabled(main, IDC_USE_LIST));
        user.Select(Page(main), IDC_ITEM_LIST, 0);
        EXPECT_EQ(Lines(main, IDC_USE_FUNC_COMBO), (std::vector<std::string>{"func", "funcb"}));
        EXPECT_TRUE(Enabled(main, IDC_USE_FIELD_FIRST));
        for (int32_t id : std::initializer_list<int32_t>{IDC_ARG_SELECT, IDC_ARG_SELECT_MODE, IDC_ARGSEL_ADD,
                                                         IDC_USE_FIELD_FIRST + 9})
            EXPECT_FALSE(Enabled(main, id)) << id;
        // The second entry of the combo stands for "funcb".
        user.Select(Page(main), IDC_USE_FUNC_COMBO, 1);
        EXPECT_EQ(Text(main, IDC_USE_FUNC_EDIT), "y();");
    });
}

} // namespace
