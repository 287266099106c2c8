// Text typed into the pages that the data file cannot hold: every field is
// refused as a failed apply is, named with its characters; the page keeps
// what was typed and the document and the file stay as they were.
#include "page_fixture.h"
#include "pages/page_define_template.h"
#include "pages/page_event_template.h"
#include "pages/page_func_template.h"
#include "pages/page_item_template.h"
#include "pages/page_set_template.h"

namespace {

const std::string kData =
    "# note\r\n@@DEFINE\r\n\tjob\tsmith\t鍛冶屋\r\n"
    "@@ITEM\r\n\tno\t1\r\n\tcode\tsword\r\n\tname\t剣\r\n\tinfo\t切れる\r\n"
    "\t@@USE\r\n\t\tname\t振る\r\n\t\tfunc\t_local_\r\n\t\t\tswing();\r\n\t\t_local_\r\n"
    "\t\tjob\tsmith 5\r\n\t\tjob\tsmith 6\r\n\t\t\tuse\t1\t剣\r\n\t\t\tuse\t2\t剣\r\n"
    "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n"
    "@@EVENT\r\n\tcode\train\r\n\tparam\t剣 5 10\r\n\tparam\t盾\t3\r\n\tstartfunc\t_local_\r\n\t\tgo();\r\n\t_local_\r\n"
    "@@FUNCITEM\r\nsub heal\r\n{\r\n}\r\n"
    "@@END\r\n";

const Lines kSaveQuestion{"プロジェクトが更新されています。\n保存しますか？"};

// 한é: a Hangul syllable and a Latin letter, neither of them in CP932.
const std::u32string kForeign = U"x\uD55C\u00E9";

std::string Refusal(const std::string& name, const std::string& chars = "U+D55C U+00E9")
{
    return "[" + name + "]\tShift-JISで保存できない文字が含まれています：" + chars + "\n";
}

class TypedTextPageTest : public PageTest {
protected:
    TypedTextPageTest()
    {
        OpenData(kData, "###ItemID=0\r\n###EventID=0\r\n");
        m_strOpened = Saved();
    }
    CMainPage& Current(CMainDlg& main) { return *main.CurrentPage(); }
    std::string m_strOpened;
};

TEST_F(TypedTextPageTest, EveryFieldOfThePagesRefusesWhatTheFileCannotHold)
{
    const struct {
        const char* what;
        int32_t tab;
        int32_t id;
        const char* name;
    } cases[] = {
        {"item field", CMainDlg::kItemTab, item_page::IDC_INFO, "@@ITEM::info(説明文)"},
        {"item script", CMainDlg::kItemTab, item_page::IDC_FUNC_EDIT, "@@ITEM::funct"},
        {"use field", CMainDlg::kItemTab, item_page::IDC_USE_FIELD_FIRST + 6, "@@USE::info(説明文)"},
        {"use script", CMainDlg::kItemTab, item_page::IDC_USE_FUNC_EDIT, "@@USE::func"},
        {"job", CMainDlg::kItemTab, item_page::IDC_JOB_PARAM, "@@USE::job(職業補正)"},
        {"use/need/get", CMainDlg::kItemTab, item_page::IDC_UNG_MESSAGE, "@@USE::use/need/get::メッセージ"},
        {"event field", CMainDlg::kEventTab, event_page::IDC_FIELD_FIRST + 5, "@@EVENT::startmsg(開始メッセージ)"},
        {"event script", CMainDlg::kEventTab, event_page::IDC_FUNC_EDIT, "@@EVENT::startfunc"},
        {"event param", CMainDlg::kEventTab, event_page::IDC_PARAM_VALUE, "@@EVENT::param(発動中効果)::値"},
        {"function block", CMainDlg::kFuncTab, func_page::IDC_FUNC_EDIT, "@@FUNCITEM"},
        {"definition", CMainDlg::kDefineTab, define_page::IDC_DEFINE_EDIT, "定義"},
        {"other text", CMainDlg::kSetTab, set_page::IDC_DETAIL, "詳細情報"}, // "# note", the first element
        {"icon folder", CMainDlg::kProjectTab, 1084, "アイコンの格納フォルダパス"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Run([&](CMainDlg& main) {
            if (c.tab != CMainDlg::kItemTab)
                user.Select(main, CMainDlg::IDC_TAB, c.tab);
            if (c.tab == CMainDlg::kSetTab)
                user.Select(Current(main), set_page::IDC_ELEMENT_LIST, 0);
            ASSERT_TRUE(user.TypeUnicode(Current(main), c.id, kForeign));
            const std::vector<std::string> refused{Refusal(c.name)};
            // The apply and a save are refused alike; the control keeps what
            // was typed.
            user.Click(Current(main), kIdOk);
            EXPECT_EQ(user.TakeMessages(), refused);
            user.ChooseMenu(main, ID_FILE_SAVE);
            EXPECT_EQ(user.TakeMessages().at(0), refused[0]);
            EXPECT_EQ(user.Look(Current(main), c.id).typed, kForeign);
            user.Answer(UiAnswer::kNo);  // the save question on exit
        });
        EXPECT_EQ(user.TakeMessages(), kSaveQuestion);
        EXPECT_EQ(folder.Get("data.cgi"), m_strOpened);
    }
}

TEST_F(TypedTextPageTest, EntriesInsideAnElementAreNotLeftWithTheTypedText)
{
    // Moving to another job line or parameter line would store the shown
    // one: refused, the selection stays on the shown line.
    const struct {
        const char* what;
        int32_t tab;
        int32_t edit;
        int32_t list;
        const char* name;
    } cases[] = {
        {"job", CMainDlg::kItemTab, item_page::IDC_JOB_PARAM, item_page::IDC_JOB_LIST, "@@USE::job(職業補正)"},
        {"use/need/get", CMainDlg::kItemTab, item_page::IDC_UNG_COUNT, item_page::IDC_UNG_LIST,
         "@@USE::use/need/get(条件と報酬)::数"},
        {"event param", CMainDlg::kEventTab, event_page::IDC_PARAM_ITEM, event_page::IDC_PARAM_LIST,
         "@@EVENT::param(発動中効果)::アイテム"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Run([&](CMainDlg& main) {
            if (c.tab != CMainDlg::kItemTab)
                user.Select(main, CMainDlg::IDC_TAB, c.tab);
            CMainPage& page = Current(main);
            ASSERT_TRUE(user.TypeUnicode(page, c.edit, kForeign));
            const int32_t shown = user.Look(page, c.list).curSel;
            user.Select(page, c.list, shown == 0 ? 1 : 0);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{Refusal(c.name)});
            EXPECT_EQ(user.Look(page, c.list).curSel, shown);
            EXPECT_EQ(user.Look(page, c.edit).typed, kForeign);
            user.Answer(UiAnswer::kNo);
        });
        EXPECT_EQ(user.TakeMessages(), kSaveQuestion);
        EXPECT_EQ(folder.Get("data.cgi"), m_strOpened);
    }
}

TEST_F(TypedTextPageTest, ButtonsThatReadAFieldRefuseItsText)
{
    using namespace item_page;
    Run([&](CMainDlg& main) {
        CMainPage& page = Current(main);
        // The icon of item "1한" is opened for no number.
        ASSERT_TRUE(user.TypeUnicode(page, IDC_NO, U"1\uD55C"));
        user.Click(page, IDC_ICON_EDIT);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{Refusal("@@ITEM::no(アイテムID)", "U+D55C")});
        EXPECT_TRUE(user.ShellCalls().empty());
        ASSERT_TRUE(user.TypeText(page, IDC_NO, "1"));
        // "時半減" looks the job up by the name typed.
        const std::string param = std::string(user.Look(page, IDC_JOB_PARAM).text);
        ASSERT_TRUE(user.TypeUnicode(page, IDC_JOB_NAME, U"smith\u00E9"));
        user.Click(page, IDC_JOB_HALVE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{Refusal("@@USE::job(職業補正)", "U+00E9")});
        EXPECT_EQ(std::string(user.Look(page, IDC_JOB_PARAM).text), param);
        // The script edits go to the separate window as bytes: not such text.
        ASSERT_TRUE(user.TypeUnicode(page, IDC_FUNC_EDIT, U"\u00A5"));
        user.Click(page, IDC_FUNC_WINDOW);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{Refusal("@@ITEM::funct", "U+00A5")});
        user.Answer(UiAnswer::kNo);
    });
    EXPECT_EQ(user.TakeMessages(), kSaveQuestion);
}

}  // namespace
