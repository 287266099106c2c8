// The item page through the main window and a scripted user: browsing,
// editing and applying, the list operations, renames, direct edit, the icon
// edit and the stored selection.
#include <filesystem>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "pages/item_ex_dlg.h"
#include "pages/page_item.h"
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

class ItemPageTest : public MainDlgTest {
protected:
    void Open(const std::string& itemId = "-1")
    {
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###ItemID=" + itemId + "\r\n");
        startup.commandLine = PutFile("items.cgi", block + S(kItems));
    }
    Cpage_item& Page(CMainDlg& main) { return static_cast<Cpage_item&>(main.Page(CMainDlg::kItemTab)); }
    std::string Text(CMainDlg& main, int32_t id) { return Cp932ToUtf8(user.Look(Page(main), id).text.GetBuffer()); }
    std::vector<std::string> List(CMainDlg& main)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : user.Look(Page(main), IDC_ITEM_LIST).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    std::string Field(CMainDlg& main, uint32_t item, const char* key)
    {
        const CMerxString* value = main.Document().itemdata.GetAt(item)->GetField(key);
        return value ? Cp932ToUtf8(value->GetBuffer()) : "<undefined>";
    }
    void Type(CMainDlg& main, int32_t id, const std::string& utf8) { user.TypeText(Page(main), id, S(utf8).c_str()); }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("items.cgi"); }
};

TEST_F(ItemPageTest, BrowsingEveryItemAndFuncStringChangesNothing)
{
    Open("0");
    std::string untouched;
    Run([&](CMainDlg& main) {
        ASSERT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "弓"}));
        EXPECT_EQ(Text(main, IDC_NAME), "剣");
        Save(main);
        untouched = Saved();
        for (int32_t item : {1, 2, 0}) {
            user.Select(Page(main), IDC_ITEM_LIST, item);
            for (int32_t func : {1, 2, 0})
                user.Select(Page(main), IDC_FUNC_COMBO, func);
        }
        user.Click(Page(main), kIdOk);
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_EQ(Saved(), untouched);
    EXPECT_NE(untouched.find(S("\tlimit\t5/7/9\r\n\tbase\t5\r\n\tflag\txnosend\r\n")), std::string::npos);
}

TEST_F(ItemPageTest, EditedFieldsFollowTheirRulesAndARefusalKeepsTheItem)
{
    Open("0");
    Run([&](CMainDlg& main) {
        Type(main, IDC_LIMIT_MARKET, "");
        Type(main, IDC_BASE_HALF, "3");
        user.SetCheck(Page(main), IDC_FLAG_FIRST + 5, true);
        EXPECT_TRUE(main.IsModified());
        user.Select(Page(main), IDC_ITEM_LIST, 1);
        EXPECT_EQ(Field(main, 0, "limit"), "5");
        EXPECT_EQ(Field(main, 0, "base"), "5/3");
        EXPECT_EQ(Field(main, 0, "flag"), "nosend|nobuy");

        // Empty "no" and "name": one message, the page stays on the item.
        Type(main, IDC_NO, "");
        Type(main, IDC_NAME, "");
        user.Select(Page(main), IDC_ITEM_LIST, 2);
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"[no]\tアイテムIDを入力してください。\n[name]\tアイテム名を入力してください。\n"});
        EXPECT_EQ(user.Look(Page(main), IDC_ITEM_LIST).curSel, 1);
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        EXPECT_EQ(Field(main, 1, "name"), "盾");
        // The same unchanged controls are refused again, not stored.
        user.Click(Page(main), kIdOk);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(Field(main, 1, "no"), "2");
        // Revert shows the stored item again.
        user.Click(Page(main), IDC_REVERT);
        EXPECT_EQ(Text(main, IDC_NAME), "盾");
        EXPECT_EQ(List(main)[1], "盾");
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(ItemPageTest, FuncStringsAreStoredWhenEditedAndTabIsText)
{
    Open("0");
    Run([&](CMainDlg& main) {
        user.Focus(Page(main), IDC_FUNC_EDIT);
        user.PressKey(Page(main), UiKey::kTab);
        EXPECT_TRUE(main.IsModified());
        user.Select(Page(main), IDC_FUNC_COMBO, 1);
        EXPECT_EQ(Text(main, IDC_FUNC_EDIT), "");
        Type(main, IDC_FUNC_EDIT, "second");
        // Showing the next item starts on "funct" of that item.
        user.Select(Page(main), IDC_ITEM_LIST, 1);
        EXPECT_EQ(user.Look(Page(main), IDC_FUNC_COMBO).curSel, 0);
        EXPECT_EQ(Text(main, IDC_FUNC_EDIT), "x(@@ITEMNO\"剣\");");
        // The file keeps no indentation that every line of a script shares.
        EXPECT_EQ(Field(main, 0, "funct"), "first");
        EXPECT_EQ(Field(main, 0, "funcs"), "second");
        EXPECT_EQ(Field(main, 1, "funcs"), "");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(ItemPageTest, AScriptLineThatWouldCloseItsBlockIsRefused)
{
    Open("0");
    Run([&](CMainDlg& main) {
        Type(main, IDC_FUNC_EDIT, "a();\r\nb(); _local_ # end");
        user.Select(Page(main), IDC_FUNC_COMBO, 1);
        user.Click(Page(main), kIdOk);
        const std::string refused = "[funct]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n";
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>{refused, refused}));
        EXPECT_EQ(user.Look(Page(main), IDC_FUNC_COMBO).curSel, 0);
        EXPECT_EQ(Field(main, 0, "funct"), "first");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(ItemPageTest, AddCopyDeleteAndMove)
{
    Open("1");
    Run([&](CMainDlg& main) {
        CMerxDocument& doc = main.Document();
        uint32_t version = doc.GetStructureVersion();
        // Appended before "@@END", numbered with the first free number.
        user.Click(Page(main), IDC_ADD);
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "弓", "アイテム_3"}));
        EXPECT_EQ(Page(main).CurrentElement(), 3);
        EXPECT_EQ(Field(main, 3, "code"), "item3");
        EXPECT_NE(doc.GetStructureVersion(), version);
        // Its first rename asks nothing.
        Type(main, IDC_NAME, "槍");
        user.Click(Page(main), kIdOk);
        EXPECT_EQ(List(main)[3], "槍");

        // In insert mode a copy goes before the shown item.
        user.Select(Page(main), IDC_ITEM_LIST, 1);
        user.SetCheck(Page(main), IDC_INSERT, true);
        version = doc.GetStructureVersion();
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾(コピー)", "盾", "弓", "槍"}));
        EXPECT_EQ(Field(main, 1, "no"), "4");
        EXPECT_EQ(Field(main, 1, "code"), "shield_copy");
        EXPECT_EQ(main.Document().itemdata.GetAt(1)->uses.GetCount(), 1u);
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        EXPECT_NE(doc.GetStructureVersion(), version);

        // Down and up move the item in both views; nothing is applied.
        Type(main, IDC_INFO, "unapplied");
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "盾(コピー)", "弓", "槍"}));
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_EQ(Text(main, IDC_INFO), "unapplied");
        user.Click(Page(main), IDC_UP);
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(List(main), (std::vector<std::string>{"盾(コピー)", "剣", "盾", "弓", "槍"}));
        EXPECT_EQ(Field(main, 0, "info"), "");

        // Delete asks; No keeps the item.
        user.Answer(UiAnswer::kNo);
        user.Click(Page(main), IDC_DELETE);
        EXPECT_EQ(List(main).size(), 5u);
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        const std::string question = "このアイテムを削除してもよろしいですか？\n「盾(コピー)」を参照している箇所はありません。";
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>{question, question}));
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "弓", "槍"}));
        EXPECT_EQ(Text(main, IDC_NAME), "剣");
        EXPECT_TRUE(main.IsModified());
        Save(main);
    });
    const std::string saved = Cp932ToUtf8(Saved());
    const size_t bow = saved.find("name\t弓"), spear = saved.find("name\t槍"), end = saved.find("@@END");
    EXPECT_LT(bow, spear);
    EXPECT_LT(spear, end);
    EXPECT_NE(saved.find("###ItemID=0\r\n"), std::string::npos);
}

// 盾 and 弓 exist only in winter.
const std::string kSections = "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n"
                              "@@IF\t$SEASON eq 'winter'\r\n"
                              "@@ITEM\r\n\tno\t2\r\n\tname\t盾\r\n"
                              "@@ITEM\r\n\tno\t5\r\n\tname\t弓\r\n"
                              "@@IF\tend\r\n# all year\r\n"
                              "@@ITEM\r\n\tno\t6\r\n\tname\t槍\r\n"
                              "@@END\r\n";

TEST_F(ItemPageTest, MovingAcrossAnIfLineAsksFirstAndNoLeavesEverything)
{
    const auto question = [](const std::string& line) {
        return "このアイテムの移動先との間に次の@@IFの行があり、アイテムが有効になる条件が変わります。\n「" + line +
               "」\n移動してもよろしいですか？";
    };
    const std::vector<std::string> unmoved = {"剣", "盾", "弓", "槍"};
    struct Case {
        int32_t shown, button;
        UiAnswer answer; // kNone: nothing is asked
        std::string asked;
        std::vector<std::string> list;
    };
    const Case cases[] = {
        {1, IDC_UP, UiAnswer::kNo, question("@@IF\t$SEASON eq 'winter'"), unmoved},
        {1, IDC_UP, UiAnswer::kYes, question("@@IF\t$SEASON eq 'winter'"), {"盾", "剣", "弓", "槍"}},
        {2, IDC_DOWN, UiAnswer::kNo, question("@@IF\tend"), unmoved},
        {3, IDC_UP, UiAnswer::kYes, question("@@IF\tend"), {"剣", "盾", "槍", "弓"}},
        {1, IDC_DOWN, UiAnswer::kNone, "", {"剣", "弓", "盾", "槍"}}, // within the section
    };
    for (const Case& c : cases) {
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###ItemID=" + std::to_string(c.shown) + "\r\n");
        startup.commandLine = PutFile("items.cgi", block + S(kSections));
        user.TakeMessages();
        Run([&](CMainDlg& main) {
            const uint32_t version = main.Document().GetStructureVersion();
            if (c.answer != UiAnswer::kNone)
                user.Answer(c.answer);
            user.Click(Page(main), c.button);
            EXPECT_EQ(user.TakeMessages(), c.asked.empty() ? std::vector<std::string>{} : std::vector{c.asked});
            EXPECT_EQ(List(main), c.list);
            const bool moved = c.list != unmoved;
            EXPECT_EQ(main.IsModified(), moved);
            EXPECT_EQ(main.Document().GetStructureVersion() != version, moved);
            EXPECT_EQ(Page(main).CurrentElement(), moved ? c.shown + (c.button == IDC_UP ? -1 : 1) : c.shown);
            if (moved)
                user.Answer(UiAnswer::kNo); // the save question on exit
        });
    }
}

TEST_F(ItemPageTest, RenameAsksAndFollowsTheNameOnYes)
{
    struct Case {
        UiAnswer answer;
        std::string stored, reference, ung;
    };
    const Case cases[] = {
        {UiAnswer::kYes, "名剣", "x(@@ITEMNO\"名剣\");", "use\t1\t名剣\t\t"},
        {UiAnswer::kNo, "名剣", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
        {UiAnswer::kCancel, "剣", "x(@@ITEMNO\"剣\");", "use\t1\t剣\t\t"},
    };
    for (const Case& c : cases) {
        Open("0");
        user.TakeMessages();
        Run([&](CMainDlg& main) {
            Type(main, IDC_NAME, "名剣");
            user.Answer(c.answer);
            user.Select(Page(main), IDC_ITEM_LIST, 1);
            EXPECT_EQ(user.TakeMessages(),
                      std::vector<std::string>{"アイテム名が変更されました。\nこのアイテム名を使用している項目を追跡して更新しますか？"});
            EXPECT_EQ(Field(main, 0, "name"), c.stored);
            EXPECT_EQ(Field(main, 1, "funct"), c.reference);
            const CStrArray_base<64>* ung = main.Document().itemdata.GetAt(1)->uses.GetAt(0)->GetList("ung");
            EXPECT_EQ(Cp932ToUtf8(ung->GetAt(0)->GetBuffer()), c.ung);
            EXPECT_EQ(Page(main).CurrentElement(), c.answer == UiAnswer::kCancel ? 0 : 1);
            user.Answer(UiAnswer::kNo); // the save question on exit
        });
    }
}

// A name held by another item is never followed: the question gives way to
// a message that names the other item, and OK renames the item alone.
TEST_F(ItemPageTest, RenameNeverMergesTwoNames)
{
    const std::string merged = "\n名前が混ざらないよう、このアイテム名を使用している項目は追跡せず、"
                               "アイテム名だけを変更します。\nよろしいですか？";
    const std::vector<std::string> ontoSword{
        "アイテム名が変更されました。\n変更後のアイテム名は次のアイテムでも使用されています。\nITEM[0]：剣\n" + merged};
    Open("2");
    Run([&](CMainDlg& main) {
        const auto unfollowed = [&] {
            EXPECT_EQ(Field(main, 1, "funct"), "x(@@ITEMNO\"剣\");");
            const CStrArray_base<64>* ung = main.Document().itemdata.GetAt(1)->uses.GetAt(0)->GetList("ung");
            EXPECT_EQ(Cp932ToUtf8(ung->GetAt(0)->GetBuffer()), "use\t1\t剣\t\t");
        };
        // 弓 takes the name of 剣; キャンセル keeps the page on it, unapplied.
        Type(main, IDC_NAME, "剣");
        user.Answer(UiAnswer::kCancel);
        user.Select(Page(main), IDC_ITEM_LIST, 0);
        EXPECT_EQ(user.TakeMessages(), ontoSword);
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_EQ(Field(main, 2, "name"), "弓");
        EXPECT_EQ(Text(main, IDC_NAME), "剣");
        // OK renames it alone.
        user.Answer(UiAnswer::kOk);
        user.Click(Page(main), kIdOk);
        EXPECT_EQ(user.TakeMessages(), ontoSword);
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "剣"}));
        unfollowed();
        // Renaming it once more would take the first 剣's references along.
        Type(main, IDC_NAME, "長弓");
        user.Answer(UiAnswer::kOk);
        user.Click(Page(main), kIdOk);
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"アイテム名が変更されました。\n変更前のアイテム名は次のアイテムでも使用されて"
                                           "います。\nITEM[0]：剣\n" + merged});
        EXPECT_EQ(List(main), (std::vector<std::string>{"剣", "盾", "長弓"}));
        unfollowed();
        // A new item's first apply asks nothing, whatever its name.
        user.Click(Page(main), IDC_ADD);
        Type(main, IDC_NAME, "盾");
        user.Click(Page(main), kIdOk);
        EXPECT_TRUE(user.TakeMessages().empty());
        EXPECT_EQ(List(main)[3], "盾");
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(ItemPageTest, DirectEditReplacesTheWorkingCopyWhenTheTextReads)
{
    Open("2");
    Run([&](CMainDlg& main) {
        for (const bool readable : {false, true}) {
            user.OnModal([&](CDialogBase& d) {
                CStr_base<1024> text;
                text.Assign(user.Look(d, CDirectInputDlg::IDC_TEXT).text);
                EXPECT_NE(Cp932ToUtf8(text.GetBuffer()).find("name\t弓"), std::string::npos);
                const std::string edited = readable ? "@@ITEM\r\n\tno\t5\r\n\tcode\tbow\r\n\tname\t長弓\r\n"
                                                    : "@@ITEM\r\n\tno\t5\r\n\tbogus\t1\r\n";
                user.TypeText(d, CDirectInputDlg::IDC_TEXT, S(edited).c_str());
                user.Click(d, kIdOk);
                if (!user.LookAt(d).IsEnded())
                    user.Click(d, kIdCancel);
            });
            user.Click(Page(main), IDC_DIRECT_EDIT);
            EXPECT_EQ(Text(main, IDC_NAME), readable ? "長弓" : "弓");
        }
        // Stored by the next apply, which asks about the new name.
        user.Answer(UiAnswer::kNo);
        user.Click(Page(main), kIdOk);
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
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"アイコンファイルにアクセスできません。\n新しいファイルを作成しますか？"});
        const std::string icon = folder.Path("Image \"x\"/item-no-1.png");
        EXPECT_EQ(folder.Get("Image \"x\"/item-no-1.png"), "png");
        ASSERT_EQ(user.ShellCalls().size(), 1u);
        EXPECT_STREQ(user.ShellCalls()[0].file, "/usr/bin/paint");
        EXPECT_EQ(user.ShellCalls()[0].arguments, (std::vector<std::string>{"-e", icon, "--done"}));

        // An item number below 1, and a missing icon folder.
        Type(main, IDC_NO, "0x");
        user.Click(Page(main), IDC_ICON_EDIT);
        main.ProjectInfo().iconImagePath.Assign("missing");
        user.Click(Page(main), IDC_ICON_EDIT);
        EXPECT_EQ(user.TakeMessages(), (std::vector<std::string>{"アイテムNoが無効です",
                                                                 "アイコンが格納されているフォルダにアクセスできません"}));
        user.Answer(UiAnswer::kNo);
    });
}

// The default icon folder "..\Image" is the folder "Image" beside the data
// file's folder, whose name may hold a "\" as any other character; the
// icon comes from the template beside the program.
TEST_F(ItemPageTest, TheDefaultIconFolderLiesBesideAFolderWithABackslashInItsName)
{
    std::filesystem::create_directories(folder.Path("shop\\1"));
    std::filesystem::create_directories(folder.Path("Image"));
    folder.Put("program/newitemicon.png", "png");
    Open("0");
    std::filesystem::rename(startup.commandLine, folder.Path("shop\\1/items.cgi"));
    startup.commandLine = folder.Path("shop\\1/items.cgi");
    Run([&](CMainDlg& main) {
        EXPECT_STREQ(main.ProjectInfo().iconImagePath.GetBuffer(), "..\\Image");
        user.Answer(UiAnswer::kOk);
        user.Click(Page(main), IDC_ICON_EDIT);
        EXPECT_EQ(user.TakeMessages(),
                  std::vector<std::string>{"アイコンファイルにアクセスできません。\n新しいファイルを作成しますか？"});
        EXPECT_EQ(folder.Get("Image/item-no-1.png"), "png");
        ASSERT_EQ(user.ShellCalls().size(), 1u);
        EXPECT_EQ(std::string(user.ShellCalls()[0].file), folder.Path("shop\\1/../Image/item-no-1.png"));
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
        user.Click(Page(main), kIdOk);
        EXPECT_NE(Field(main, 0, "grade"), before);
        Save(main);
    });
    EXPECT_NE(folder.Get("ext.cgi").find("###ItemExID=0\r\n"), std::string::npos);

    Open("0");
    Run([&](CMainDlg& main) { user.Click(Page(main), IDC_ITEM_EX); });
    EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"@@ITEMに対する拡張項目は登録されていません。"});
}

TEST_F(ItemPageTest, AStoredSelectionOutsideTheListSelectsNothing)
{
    for (const char* stored : {"-5", "3", "99999999999"}) {
        Open(stored);
        Run([&](CMainDlg& main) {
            EXPECT_EQ(Page(main).CurrentElement(), -1) << stored;
            EXPECT_FALSE(user.Look(Page(main), IDC_NAME).enabled);
            EXPECT_FALSE(user.Look(Page(main), kIdOk).enabled);
            // The sort dialog cancelled: still nothing shown.
            user.OnModal([&](CDialogBase& d) { user.Click(d, kIdCancel); }, CItemSortDlg::IDD);
            user.Click(Page(main), IDC_SORT);
            EXPECT_EQ(Page(main).CurrentElement(), -1);
        });
    }
    EXPECT_TRUE(user.TakeMessages().empty());
}

} // namespace
