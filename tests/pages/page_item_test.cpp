// The item page through the main window and a scripted user: one stored
// edit and one refusal that stays, the list operations, renames, direct
// edit, the icon edit, the extension fields and the stored selection (the
// values of the fields are the item rules' tests).
#include <filesystem>

#include "page_fixture.h"
#include "pages/item_ex_dlg.h"
#include "pages/page_event_template.h"
#include "pages/page_item_template.h"
#include "tools/item_sort_dlg.h"

namespace {

using namespace item_page;

// Three items; "剣" is named by the second item's script and use line.
const std::string kItems =
    "@@ITEM\r\n\tno\t1\r\n\ttype\t武器\r\n\tcode\tsword\r\n\tname\t剣\r\n\tlimit\t5/7/9\r\n\tbase\t5\r\n"
    "\tflag\txnosend\r\n\tfunct\t_local_\r\n\t\tfirst\r\n\t_local_\r\n"
    "@@ITEM\r\n\tno\t2\r\n\tcode\tshield\r\n\tname\t盾\r\n\tfunct\t_local_\r\n\t\tx(@@ITEMNO\"剣\");\r\n\t_local_\r\n"
    "\t@@USE\r\n\t\tname\tuse\r\n\t\t\tuse\t1\t剣\r\n"
    "@@ITEM\r\n\tno\t5\r\n\tcode\tbow\r\n\tname\t弓\r\n"
    "@@END\r\n";

class ItemPageTest : public PageTest {
protected:
    void Open(const std::string& itemId) { OpenData(kItems, "###ItemID=" + itemId + "\r\n"); }
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kItemTab); }
    std::string Field(CMainDlg& main, uint32_t item, const char* key)
    {
        return PageTest::Field(*main.Document().itemdata.GetAt(item), key);
    }
    std::string Ung(CMainDlg& main) { return U(*main.Document().itemdata.GetAt(1)->uses.GetAt(0)->GetList("ung")->GetAt(0)); }
};

TEST_F(ItemPageTest, EditsAreStoredAndRefusalsAreOneMessage)
{
    Open("0");
    Run([&](CMainDlg& main) {
        user.SetCheck(Page(main), IDC_FLAG_FIRST + 5, true);
        // Tab in a script is text; the script shown is kept on switching.
        user.Focus(Page(main), IDC_FUNC_EDIT);
        user.PressKey(Page(main), UiKey::kTab);
        EXPECT_TRUE(main.IsModified());
        user.Select(Page(main), IDC_FUNC_COMBO, 1);
        Type(Page(main), IDC_FUNC_EDIT, "second");
        user.Select(Page(main), IDC_ITEM_LIST, 1);
        EXPECT_EQ(Field(main, 0, "flag"), "nosend|nobuy");
        EXPECT_EQ(Field(main, 0, "funcs"), "second");
        // The next item starts on its "funct".
        EXPECT_EQ(Sel(Page(main), IDC_FUNC_COMBO), 0);

        // The refusals of two fields are one message.
        Type(Page(main), IDC_NO, "");
        Type(Page(main), IDC_NAME, "");
        user.Select(Page(main), IDC_ITEM_LIST, 2);
        EXPECT_EQ(user.TakeMessages(),
                  Lines{"[no]\tアイテムIDを入力してください。\n[name]\tアイテム名を入力してください。\n"});
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        // Revert shows the stored item again.
        user.Click(Page(main), IDC_REVERT);
        EXPECT_EQ(Text(Page(main), IDC_NAME), "盾");
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(ItemPageTest, AddCopyDeleteAndMove)
{
    Open("1");
    Run([&](CMainDlg& main) {
        CMerxDocument& doc = main.Document();
        uint32_t version = doc.GetStructureVersion();
        user.Click(Page(main), IDC_ADD);
        EXPECT_EQ(Items(Page(main), IDC_ITEM_LIST), (Lines{"剣", "盾", "弓", "アイテム_3"}));
        EXPECT_EQ(Page(main).CurrentElement(), 3);
        EXPECT_NE(doc.GetStructureVersion(), version);
        // Its first rename asks nothing.
        Type(Page(main), IDC_NAME, "槍");
        Apply(Page(main));
        EXPECT_EQ(user.TakeMessages(), Lines{});

        // In insert mode a copy goes before the shown item.
        user.Select(Page(main), IDC_ITEM_LIST, 1);
        user.SetCheck(Page(main), IDC_INSERT, true);
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(Items(Page(main), IDC_ITEM_LIST), (Lines{"剣", "盾(コピー)", "盾", "弓", "槍"}));
        EXPECT_EQ(doc.itemdata.GetAt(1)->uses.GetCount(), 1u);
        EXPECT_EQ(Page(main).CurrentElement(), 1);

        // Down and up move the item; nothing is applied.
        Type(Page(main), IDC_INFO, "unapplied");
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_EQ(Text(Page(main), IDC_INFO), "unapplied");
        user.Click(Page(main), IDC_UP);
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(Items(Page(main), IDC_ITEM_LIST), (Lines{"盾(コピー)", "剣", "盾", "弓", "槍"}));
        EXPECT_EQ(Field(main, 0, "info"), "");

        // Delete asks; No keeps the item.
        user.Answer(UiAnswer::kNo);
        user.Click(Page(main), IDC_DELETE);
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        const std::string question = "このアイテムを削除してもよろしいですか？\n「盾(コピー)」を参照している箇所はありません。";
        EXPECT_EQ(user.TakeMessages(), (Lines{question, question}));
        EXPECT_EQ(Items(Page(main), IDC_ITEM_LIST), (Lines{"剣", "盾", "弓", "槍"}));
        EXPECT_EQ(Text(Page(main), IDC_NAME), "剣");
        Save(main);
    });
    const std::string saved = U(Saved());
    EXPECT_LT(saved.find("name\t槍"), saved.find("@@END"));
    EXPECT_NE(saved.find("###ItemID=0\r\n"), std::string::npos);
}

// 盾 and 弓 exist only in winter; the last events alike.
const std::string kSections = "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n"
                              "@@IF\t$SEASON eq 'winter'\r\n"
                              "@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n"
                              "@@ITEM\r\n\tno\t5\r\n\tname\t弓\r\n"
                              "@@EVENT\r\n\tcode\tsnow\r\n"
                              "@@IF\tend\r\n# all year\r\n"
                              "@@ITEM\r\n\tno\t6\r\n\tname\t槍\r\n"
                              "@@EVENT\r\n\tcode\tsun\r\n"
                              "@@END\r\n";

TEST_F(ItemPageTest, MovingAcrossAnIfLineAsksFirstAndNoLeavesEverything)
{
    const auto question = [](const std::string& kind, const std::string& line) {
        return "この" + kind + "の移動先との間に次の@@IFの行があり、" + kind + "が有効になる条件が変わります。\n「" + line +
               "」\n移動してもよろしいですか？";
    };
    const Lines unmoved = {"剣", "盾", "弓", "槍"};
    struct Case {
        int32_t tab, shown, button;
        UiAnswer answer; // kNone: nothing is asked
        std::string asked;
        Lines list;
    };
    const Case cases[] = {
        {CMainDlg::kItemTab, 1, IDC_UP, UiAnswer::kNo, question("アイテム", "@@IF\t$SEASON eq 'winter'"), unmoved},
        {CMainDlg::kItemTab, 1, IDC_UP, UiAnswer::kYes, question("アイテム", "@@IF\t$SEASON eq 'winter'"), {"盾", "剣", "弓", "槍"}},
        {CMainDlg::kItemTab, 2, IDC_DOWN, UiAnswer::kNo, question("アイテム", "@@IF\tend"), unmoved},
        {CMainDlg::kItemTab, 3, IDC_UP, UiAnswer::kYes, question("アイテム", "@@IF\tend"), {"剣", "盾", "槍", "弓"}},
        {CMainDlg::kItemTab, 1, IDC_DOWN, UiAnswer::kNone, "", {"剣", "弓", "盾", "槍"}}, // within the section
        {CMainDlg::kEventTab, 1, event_page::IDC_UP, UiAnswer::kYes, question("イベント", "@@IF\tend"), {"sun", "snow"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.asked + " " + std::to_string(c.shown));
        OpenData(kSections, "###ItemID=" + std::to_string(c.shown) + "\r\n###EventID=" + std::to_string(c.shown) + "\r\n");
        Run([&](CMainDlg& main) {
            Enter(main, c.tab);
            CMainPage& page = main.Page(c.tab);
            const int32_t list = c.tab == CMainDlg::kItemTab ? int32_t{IDC_ITEM_LIST} : int32_t{event_page::IDC_EVENT_LIST};
            const Lines before = Items(page, list);
            const uint32_t version = main.Document().GetStructureVersion();
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            user.Click(page, c.button);
            EXPECT_EQ(user.TakeMessages(), c.asked.empty() ? Lines{} : Lines{c.asked});
            EXPECT_EQ(Items(page, list), c.list);
            const bool moved = Items(page, list) != before;
            EXPECT_EQ(moved, c.answer != UiAnswer::kNo);
            EXPECT_EQ(main.IsModified(), moved);
            EXPECT_EQ(main.Document().GetStructureVersion() != version, moved);
            EXPECT_EQ(page.CurrentElement(), moved ? c.shown + (c.button == IDC_DOWN ? 1 : -1) : c.shown);
            if (moved)
                user.Answer(UiAnswer::kNo); // the save question on exit
        });
    }
}

// A rename asks whether to follow the name; a name held by another item is
// never followed: the question gives way to a message that names the other
// item, and OK renames the item alone. Cancel keeps the page on the item.
TEST_F(ItemPageTest, RenameAsksAndFollowsTheNameOnlyOnYes)
{
    const std::string follow = "アイテム名が変更されました。\nこのアイテム名を使用している項目を追跡して更新しますか？";
    const std::string ontoSword = "アイテム名が変更されました。\n変更後のアイテム名は次のアイテムでも使用されています。\n"
                                  "ITEM[0]：剣\n\n名前が混ざらないよう、このアイテム名を使用している項目は追跡せず、"
                                  "アイテム名だけを変更します。\nよろしいですか？";
    struct Case {
        int32_t shown;
        std::string typed;
        UiAnswer answer;
        std::string asked, stored, reference, ung;
    };
    const Case cases[] = {
        {0, "名剣", UiAnswer::kYes, follow, "名剣", "x(@@ITEMNO\"名剣\");", "use\t1\t名剣\t\t"},
        {0, "名剣", UiAnswer::kNo, follow, "名剣", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
        {0, "名剣", UiAnswer::kCancel, follow, "剣", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
        {2, "剣", UiAnswer::kCancel, ontoSword, "弓", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
        {2, "剣", UiAnswer::kOk, ontoSword, "剣", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        Open(std::to_string(c.shown));
        Run([&](CMainDlg& main) {
            Type(Page(main), IDC_NAME, c.typed);
            user.Answer(c.answer);
            user.Select(Page(main), IDC_ITEM_LIST, 1);
            EXPECT_EQ(user.TakeMessages(), Lines{c.asked});
            EXPECT_EQ(Field(main, static_cast<uint32_t>(c.shown), "name"), c.stored);
            EXPECT_EQ(Field(main, 1, "funct"), c.reference);
            EXPECT_EQ(Ung(main), c.ung);
            EXPECT_EQ(Page(main).CurrentElement(), c.answer == UiAnswer::kCancel ? c.shown : 1);
            user.Answer(UiAnswer::kNo); // the save question on exit
        });
    }
}

TEST_F(ItemPageTest, DirectEditReplacesTheWorkingCopyWhenTheTextReads)
{
    Open("2");
    Run([&](CMainDlg& main) {
        for (const bool readable : {false, true}) {
            DirectEdit(Page(main), IDC_DIRECT_EDIT, [&](const std::string& shown) {
                EXPECT_NE(shown.find("name\t弓"), std::string::npos);
                return readable ? "@@ITEM\r\n\tno\t5\r\n\tcode\tbow\r\n\tname\t長弓\r\n" : "@@ITEM\r\n\tno\t5\r\n\tbogus\t1\r\n";
            });
            EXPECT_EQ(Text(Page(main), IDC_NAME), readable ? "長弓" : "弓");
        }
        // Stored by the next apply, which asks about the new name.
        user.Answer(UiAnswer::kNo);
        Apply(Page(main));
        EXPECT_EQ(Field(main, 2, "name"), "長弓");
        user.TakeMessages();
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(ItemPageTest, IconEditStartsTheProgramWithTheIconAsOneArgument)
{
    Open("0");
    std::filesystem::create_directories(folder.Path("Image \"x\""));
    folder.Put("program/newitemicon.png", "png");
    PutSettings("[Custom]\n\tIconEditAppPath=/usr/bin/paint\n\tIconEditAppValue=-e \"%f\" --done\n[EndSection]\n");
    Run([&](CMainDlg& main) {
        main.ProjectInfo().iconImagePath.Assign("Image \"x\"");
        user.Answer(UiAnswer::kOk);
        user.Click(Page(main), IDC_ICON_EDIT);
        EXPECT_EQ(user.TakeMessages(), Lines{"アイコンファイルにアクセスできません。\n新しいファイルを作成しますか？"});
        EXPECT_EQ(folder.Get("Image \"x\"/item-no-1.png"), "png");
        ASSERT_EQ(user.ShellCalls().size(), 1u);
        EXPECT_STREQ(user.ShellCalls()[0].file, "/usr/bin/paint");
        EXPECT_EQ(user.ShellCalls()[0].arguments, (Lines{"-e", folder.Path("Image \"x\"/item-no-1.png"), "--done"}));

        // An item number below 1, and a missing icon folder.
        Type(Page(main), IDC_NO, "0x");
        user.Click(Page(main), IDC_ICON_EDIT);
        main.ProjectInfo().iconImagePath.Assign("missing");
        user.Click(Page(main), IDC_ICON_EDIT);
        EXPECT_EQ(user.TakeMessages(), (Lines{"アイテムNoが無効です", "アイコンが格納されているフォルダにアクセスできません"}));
        user.Answer(UiAnswer::kNo);
    });
}

// "拡張項目" edits the shown item's extension fields in their dialog, which
// opens on the field chosen last; without extension fields it says so.
TEST_F(ItemPageTest, ExtensionFieldsAreEditedInTheirDialog)
{
    std::filesystem::copy_file(TAVARO_SOURCE_DIR "/examples/makeitem_rules/harbor-beta.sir",
                               folder.Path("program/makeitem_rules/harbor-beta.sir"));
    startup.commandLine = folder.Path("ext.cgi");
    std::filesystem::copy_file(TAVARO_SOURCE_DIR "/examples/inc-item-data-ext.cgi", startup.commandLine);
    Run([&](CMainDlg& main) {
        ASSERT_EQ(Page(main).CurrentElement(), 0);
        const std::string before = Field(main, 0, "grade");
        user.OnModal(
            [&](CDialogBase& d) {
                EXPECT_EQ(user.Look(d, CItemExDlg::IDC_FIELDS).curSel, 0);
                user.Click(d, 1018); // the first flag: "novice"
                user.Click(d, kIdOk);
            },
            CItemExDlg::IDD);
        user.Click(Page(main), IDC_ITEM_EX);
        EXPECT_TRUE(main.IsModified());
        EXPECT_EQ(Field(main, 0, "grade"), before); // stored by the apply
        Apply(Page(main));
        EXPECT_NE(Field(main, 0, "grade"), before);
        Save(main);
    });
    EXPECT_NE(folder.Get("ext.cgi").find("###ItemExID=0\r\n"), std::string::npos);

    Open("0");
    Run([&](CMainDlg& main) { user.Click(Page(main), IDC_ITEM_EX); });
    EXPECT_EQ(user.TakeMessages(), Lines{"@@ITEMに対する拡張項目は登録されていません。"});
}

// A stored selection is shown on entering the page; one outside the list
// selects nothing, also after a cancelled sort.
TEST_F(ItemPageTest, TheStoredSelectionIsShownAndOneOutsideTheListSelectsNothing)
{
    struct Case {
        int32_t tab;
        std::string stored;
        int32_t shown, field;
    } const cases[] = {
        {CMainDlg::kItemTab, "###ItemID=-5\r\n", -1, IDC_NAME},
        {CMainDlg::kItemTab, "###ItemID=3\r\n", -1, IDC_NAME},
        {CMainDlg::kItemTab, "###ItemID=99999999999\r\n", -1, IDC_NAME},
        {CMainDlg::kEventTab, "###EventID=-3\r\n", -1, event_page::IDC_FIELD_FIRST + 3},
        {CMainDlg::kEventTab, "###EventID=2\r\n", -1, event_page::IDC_FIELD_FIRST + 3},
        {CMainDlg::kEventTab, "###EventID=1\r\n", 1, event_page::IDC_FIELD_FIRST + 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        OpenData(kItems.substr(0, kItems.find("@@END")) + "@@EVENT\r\n\tcode\train\r\n@@EVENT\r\n\tcode\tdry\r\n@@END\r\n", c.stored);
        Run([&](CMainDlg& main) {
            Enter(main, c.tab);
            CMainPage& page = main.Page(c.tab);
            EXPECT_EQ(page.CurrentElement(), c.shown);
            EXPECT_EQ(Enabled(page, c.field), c.shown >= 0);
            if (c.tab == CMainDlg::kItemTab) {
                EXPECT_FALSE(Enabled(page, kIdOk));
                user.OnModal([&](CDialogBase& d) { user.Click(d, kIdCancel); }, CItemSortDlg::IDD);
                user.Click(page, IDC_SORT);
                EXPECT_EQ(page.CurrentElement(), -1);
            }
        });
        EXPECT_EQ(user.TakeMessages(), Lines{});
    }
}

} // namespace
