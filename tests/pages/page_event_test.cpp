// The event page through the main window and a scripted user: fields,
// param lines, script texts, the group combo, the list operations as undo
// steps and direct edit (the stored selection and the moves across "@@IF"
// lines are in page_item_test.cpp, the values of the fields are the event
// rules' tests).
#include "document/data_writer.h"
#include "page_fixture.h"
#include "pages/page_event_template.h"

namespace {

using namespace event_page;

const std::string kEvents =
    "@@ITEM\r\n\tno\t1\r\n\tname\t木材\r\n"
    "@@EVENT\r\n\tcode\train\r\n\tstart\t05\r\n\tgroup\tAB\r\n\tstartmsg\t雨が降り出した\r\n"
    "\tparam\t木材 5 10\r\n\tparam\t鉄\t3\t# iron\r\n"
    "\tstartfunc\t_local_(a, b)\r\n\t\tgo(a);\r\n\t_local_\r\n\tfunc\tstock_ge\r\n"
    "@@EVENT\r\n\tcode\tdry\r\n\tgroup\tB\r\n"
    "@@EVENT\r\n\tcode\twind\r\n\tgroup\tAB\r\n"
    "@@FUNCEVENT\r\nsub windy\r\n"
    "@@END\r\n";

class EventPageTest : public PageTest {
protected:
    void Open(const std::string& eventId) { OpenData(kEvents, "###EventID=" + eventId + "\r\n"); }
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kEventTab); }
    std::string Field(CMainDlg& main, uint32_t event, const char* key)
    {
        return PageTest::Field(*main.Document().eventdata.GetAt(event), key);
    }
    Lines Params(CMainDlg& main, uint32_t event) { return Utf8Lines(main.Document().eventdata.GetAt(event)->params); }
};

// The file's own param lines, one with blanks and one with a comment, are
// saved as they were read when the user only looked at them.
TEST_F(EventPageTest, BrowsingKeepsTheFilesOwnParamLines)
{
    Open("0");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kEventTab);
        EXPECT_EQ(Text(Page(main), IDC_FUNC_REF), "_local_(a, b)");
        for (int32_t line : {1, 0})
            user.Select(Page(main), IDC_PARAM_LIST, line);
        EXPECT_EQ(Text(Page(main), IDC_PARAM_ITEM), "木材");
        EXPECT_EQ(Text(Page(main), IDC_PARAM_VALUE), "5");
        Apply(Page(main));
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_NE(U(Saved()).find("\tparam\t木材 5 10\r\n\tparam\t鉄\t3\t# iron\r\n"), std::string::npos);
}

TEST_F(EventPageTest, FieldsScriptsAndParamsAreStoredWhenEdited)
{
    Open("1");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kEventTab);
        // The label follows a typed startmsg once applied, the group combo
        // a typed group.
        Type(Page(main), IDC_FIELD_FIRST + 5, "乾いた風");
        Type(Page(main), IDC_GROUP, "C");
        EXPECT_TRUE(main.IsModified());
        user.Select(Page(main), IDC_EVENT_LIST, 0);
        EXPECT_EQ(Items(Page(main), IDC_EVENT_LIST)[1], "乾いた風");
        EXPECT_EQ(Items(Page(main), IDC_GROUP), (Lines{"AB", "C"}));

        Type(Page(main), IDC_FIELD_FIRST + 3, "storm");

        // A script under another combo entry; the second param line edited,
        // a third added and copied, the copy deleted.
        user.Select(Page(main), IDC_FUNC_COMBO, 1);
        Type(Page(main), IDC_FUNC_REF, "_local_ ");
        Type(Page(main), IDC_FUNC_EDIT, "a();");
        user.Select(Page(main), IDC_PARAM_LIST, 1);
        Type(Page(main), IDC_PARAM_VALUE, "4");
        user.Click(Page(main), IDC_PARAM_ADD);
        EXPECT_EQ(Items(Page(main), IDC_PARAM_LIST), (Lines{"木材 5 10", "鉄\t4", ""}));
        Type(Page(main), IDC_PARAM_ITEM, "木材");
        Type(Page(main), IDC_PARAM_VALUE, "1");
        user.Click(Page(main), IDC_PARAM_COPY);
        user.Click(Page(main), IDC_PARAM_DELETE);
        EXPECT_EQ(Sel(Page(main), IDC_PARAM_LIST), 2);
        Apply(Page(main));
        EXPECT_EQ(Field(main, 0, "code"), "storm");
        EXPECT_EQ(Field(main, 0, "endfunc"), "_local_\r\na();");
        EXPECT_EQ(Params(main, 0), (Lines{"木材 5 10", "鉄\t4", "木材\t1"}));
        EXPECT_EQ(Field(main, 1, "group"), "C");
        user.Answer(UiAnswer::kNo);
    });
}

// While the shown event's apply is refused, the list neither shows another
// event nor adds or copies one.
TEST_F(EventPageTest, AParamLineThatCannotBeShownBlocksApplyUntilDeleted)
{
    Open("0");
    Run([&](CMainDlg& main) {
        // A line without a blank: made by the reader's neighbours, not by it.
        main.Document().eventdata.GetAt(1)->params.Add()->Assign("lone");
        Enter(main, CMainDlg::kEventTab);
        // Showing the event says nothing; its line cannot be edited.
        user.Select(Page(main), IDC_EVENT_LIST, 1);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_FALSE(Enabled(Page(main), IDC_PARAM_ITEM));
        Apply(Page(main));
        user.Select(Page(main), IDC_EVENT_LIST, 2);
        user.Click(Page(main), IDC_ADD);
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(user.TakeMessages(), Lines(4, "[param]：構文が認識できません。\n"));
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        EXPECT_EQ(main.Document().eventdata.GetCount(), 3u);
        EXPECT_EQ(main.Project().history.GetCount(), 0u);
        // Deleting the line lets the event go.
        user.Click(Page(main), IDC_PARAM_DELETE);
        user.Select(Page(main), IDC_EVENT_LIST, 2);
        EXPECT_EQ(user.TakeMessages(), Lines{});
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_EQ(Params(main, 1), Lines{});
        user.Answer(UiAnswer::kNo);
    });
}

// Each change the list makes to the events is one step of the undo
// history, named for its event, and undo gives back the document as it
// was.
TEST_F(EventPageTest, ListChangesAreOneStepEach)
{
    const auto documentText = [](CMainDlg& main) {
        const CWriterText text = CMerxWriter(main.Document()).WriteDocument();
        return std::string(text.GetBuffer(), text.GetLength());
    };
    struct Case {
        int32_t button;
        Lines list;       // after the change
        std::string undo; // the edit menu's undo after it
    };
    const Case cases[] = {
        {IDC_ADD, {"雨が降り出した", "dry", "wind", "event_4"}, "取り消し: イベント「event_4」の追加(&U)"},
        {IDC_COPY, {"雨が降り出した", "dry", "wind", "dry_copy_ID_4"}, "取り消し: イベント「dry_copy_ID_4」のコピー(&U)"},
        {IDC_DELETE, {"雨が降り出した", "wind"}, "取り消し: イベント「dry」の削除(&U)"},
        {IDC_DOWN, {"雨が降り出した", "wind", "dry"}, "取り消し: イベント「dry」の移動(&U)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.undo);
        Open("1");
        Run([&](CMainDlg& main) {
            Enter(main, CMainDlg::kEventTab);
            const std::string before = documentText(main);
            if (c.button == IDC_DELETE)
                user.Answer(UiAnswer::kYes);
            user.Click(Page(main), c.button);
            user.TakeMessages();
            EXPECT_EQ(Items(Page(main), IDC_EVENT_LIST), c.list);
            EXPECT_EQ(main.Project().history.GetCount(), 1u);
            EXPECT_EQ(U(main.Menu().Find(ID_EDIT_UNDO)->text), c.undo);
            user.ChooseMenu(main, ID_EDIT_UNDO);
            EXPECT_EQ(documentText(main), before);
            EXPECT_EQ(Items(Page(main), IDC_EVENT_LIST), (Lines{"雨が降り出した", "dry", "wind"}));
        });
    }
}

TEST_F(EventPageTest, DirectEditReplacesTheWorkingCopyWhenTheTextReads)
{
    Open("2");
    Run([&](CMainDlg& main) {
        Enter(main, CMainDlg::kEventTab);
        DirectEdit(Page(main), IDC_DIRECT_EDIT, [](const std::string& shown) {
            EXPECT_NE(shown.find("code\twind"), std::string::npos);
            return "@@EVENT\r\n\tcode\tgale\r\n\tparam\t木材\t2\r\n";
        });
        EXPECT_EQ(Text(Page(main), IDC_FIELD_FIRST + 3), "gale");
        EXPECT_EQ(Field(main, 2, "code"), "wind"); // not applied yet
        Apply(Page(main));
        EXPECT_EQ(Params(main, 2), Lines{"木材\t2"});
        EXPECT_EQ(Items(Page(main), IDC_EVENT_LIST)[2], "gale");
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
