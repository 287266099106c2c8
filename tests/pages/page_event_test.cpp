// The event page through the main window and a scripted user: entering the
// page, browsing, fields, param lines, script texts, the group combo, the
// list operations and direct edit.
#include <fstream>
#include <iterator>

#include "../cp932_text.h"
#include "../shell/main_dlg_fixture.h"
#include "document/data_writer.h"
#include "pages/page_event.h"
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

class EventPageTest : public MainDlgTest {
protected:
    void Open(const std::string& eventId = "0", const std::string& events = kEvents)
    {
        std::string block = InfoBlock(kBetaRule, "p");
        block.insert(block.find("###MERX_PROJECT_INFO_END"), "###EventID=" + eventId + "\r\n");
        startup.commandLine = PutFile("events.cgi", block + S(events));
    }
    CMainPage& Page(CMainDlg& main) { return main.Page(CMainDlg::kEventTab); }
    void Enter(CMainDlg& main) { user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kEventTab); }
    std::string Text(CMainDlg& main, int32_t id) { return Cp932ToUtf8(user.Look(Page(main), id).text.GetBuffer()); }
    std::vector<std::string> Lines(CMainDlg& main, int32_t id)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : user.Look(Page(main), id).items)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    std::string Field(CMainDlg& main, uint32_t event, const char* key)
    {
        const CMerxString* value = main.Document().eventdata.GetAt(event)->GetField(key);
        return value ? Cp932ToUtf8(value->GetBuffer()) : "<undefined>";
    }
    std::vector<std::string> Params(CMainDlg& main, uint32_t event)
    {
        std::vector<std::string> lines;
        for (const CStr_base<64>& line : main.Document().eventdata.GetAt(event)->params)
            lines.push_back(Cp932ToUtf8(line.GetBuffer()));
        return lines;
    }
    void Type(CMainDlg& main, int32_t id, const std::string& utf8) { user.TypeText(Page(main), id, S(utf8).c_str()); }
    void Apply(CMainDlg& main) { user.Click(Page(main), kIdOk); }
    void Save(CMainDlg& main) { user.ChooseMenu(main, ID_FILE_SAVE); }
    std::string Saved() { return folder.Get("events.cgi"); }
};

TEST_F(EventPageTest, EnteringShowsTheStoredEventAndBrowsingChangesNothing)
{
    Open("1");
    std::string untouched;
    Run([&](CMainDlg& main) {
        Enter(main);
        Save(main);
        untouched = Saved();
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"雨が降り出した", "dry", "wind"}));
        EXPECT_EQ(Lines(main, IDC_GROUP), (std::vector<std::string>{"AB", "B"}));
        EXPECT_EQ(Lines(main, IDC_FUNC_REF), (std::vector<std::string>{"", "_local_", "stock_le", "stock_ge", "windy"}));
        for (int32_t event : {0, 2, 1, 0}) {
            user.Select(Page(main), IDC_EVENT_LIST, event);
            for (int32_t func : {1, 2, 0})
                user.Select(Page(main), IDC_FUNC_COMBO, func);
            if (user.Look(Page(main), IDC_PARAM_LIST).enabled)
                for (int32_t line : {1, 0})
                    user.Select(Page(main), IDC_PARAM_LIST, line);
        }
        EXPECT_EQ(Text(main, IDC_PARAM_ITEM), "木材");
        EXPECT_EQ(Text(main, IDC_PARAM_VALUE), "5");
        EXPECT_EQ(Text(main, IDC_FUNC_REF), "_local_(a, b)");
        EXPECT_EQ(Text(main, IDC_FUNC_EDIT), "go(a);");
        user.Select(Page(main), IDC_EVENT_LIST, 1);
        Apply(main);
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_EQ(Saved(), untouched);
    // Saved as the file has it.
    EXPECT_NE(Cp932ToUtf8(untouched).find("\tparam\t木材 5 10\r\n\tparam\t鉄\t3\t# iron\r\n"), std::string::npos);
}

TEST_F(EventPageTest, StoredIndexesOutsideTheListSelectNothing)
{
    for (const std::string stored : {"-3", "3", "99"}) {
        Open(stored);
        Run([&](CMainDlg& main) {
            Enter(main);
            EXPECT_EQ(Page(main).CurrentElement(), -1);
            EXPECT_FALSE(user.Look(Page(main), IDC_FIELD_FIRST + 3).enabled);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        });
    }
}

// Clicking through the events of the sample project saves the file as it
// was read.
TEST_F(EventPageTest, ClickingThroughTheSampleChangesNothing)
{
    std::ifstream sample(std::string(TAVARO_SOURCE_DIR) + "/examples/inc-item-data.cgi", std::ios::binary);
    startup.commandLine = PutFile("events.cgi", std::string(std::istreambuf_iterator<char>(sample), {}));
    std::string untouched;
    Run([&](CMainDlg& main) {
        Enter(main);
        Save(main);
        untouched = Saved();
        const int32_t start = Page(main).CurrentElement();
        const int32_t events = static_cast<int32_t>(main.Document().eventdata.GetCount());
        EXPECT_GT(events, 5);
        for (int32_t event = 0; event < events; ++event) {
            user.Select(Page(main), IDC_EVENT_LIST, event);
            for (int32_t func : {1, 2, 0})
                user.Select(Page(main), IDC_FUNC_COMBO, func);
            const int32_t lines = static_cast<int32_t>(Lines(main, IDC_PARAM_LIST).size());
            for (int32_t line = lines - 1; line >= 0; --line)
                user.Select(Page(main), IDC_PARAM_LIST, line);
        }
        user.Select(Page(main), IDC_EVENT_LIST, start);
        EXPECT_FALSE(main.IsModified());
        Save(main);
    });
    EXPECT_EQ(Saved(), untouched);
    EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
}

// The sample's last event, ev_snow, exists only in winter: ↑ and ↓ ask
// before they carry it or its neighbour across the "@@IF" line.
TEST_F(EventPageTest, MovingTheSamplesWinterEventOutAsksFirst)
{
    std::ifstream sample(std::string(TAVARO_SOURCE_DIR) + "/examples/inc-item-data.cgi", std::ios::binary);
    startup.commandLine = PutFile("events.cgi", std::string(std::istreambuf_iterator<char>(sample), {}));
    Run([&](CMainDlg& main) {
        Enter(main);
        const CMerxDocument& doc = main.Document();
        const int32_t snow = static_cast<int32_t>(doc.eventdata.GetCount()) - 1;
        ASSERT_EQ(Field(main, static_cast<uint32_t>(snow), "code"), "ev_snow");
        user.Select(Page(main), IDC_EVENT_LIST, snow);
        const uint32_t version = doc.GetStructureVersion();
        const std::vector<std::string> before = Lines(main, IDC_EVENT_LIST);
        const std::string asked = "このイベントの移動先との間に次の@@IFの行があり、イベントが有効になる条件が変わります。\n"
                                  "「@@IF\t$SEASON eq 'winter'」\n移動してもよろしいですか？";
        user.Answer(UiAnswer::kNo);
        user.Click(Page(main), IDC_UP);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{asked});
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST), before);
        EXPECT_EQ(doc.GetStructureVersion(), version);
        EXPECT_EQ(Page(main).CurrentElement(), snow);
        EXPECT_FALSE(main.IsModified());

        // The event above asks the same on ↓; yes moves them.
        user.Select(Page(main), IDC_EVENT_LIST, snow - 1);
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{asked});
        EXPECT_EQ(Field(main, static_cast<uint32_t>(snow - 1), "code"), "ev_snow");
        EXPECT_EQ(Page(main).CurrentElement(), snow);
        EXPECT_TRUE(main.IsModified());
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(EventPageTest, FieldsScriptsAndParamsAreStoredWhenEdited)
{
    Open("1");
    Run([&](CMainDlg& main) {
        Enter(main);
        // The label follows a typed startmsg once applied.
        Type(main, IDC_FIELD_FIRST + 5, "乾いた風");
        Type(main, IDC_GROUP, "C");
        EXPECT_TRUE(main.IsModified());
        user.Select(Page(main), IDC_EVENT_LIST, 0);
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST)[1], "乾いた風");
        EXPECT_EQ(Lines(main, IDC_GROUP), (std::vector<std::string>{"AB", "C"}));

        // An empty code keeps the event shown.
        Type(main, IDC_FIELD_FIRST + 3, "");
        user.Select(Page(main), IDC_EVENT_LIST, 2);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[code]：イベントコードを入力してください。\n"});
        EXPECT_EQ(Page(main).CurrentElement(), 0);
        Type(main, IDC_FIELD_FIRST + 3, "storm");

        // Scripts: a reference alone drops the lines, "_local_" keeps them,
        // a line that would end the block is refused.
        Type(main, IDC_FUNC_REF, "stock_le");
        user.Select(Page(main), IDC_FUNC_COMBO, 1);
        Type(main, IDC_FUNC_REF, "_local_ ");
        Type(main, IDC_FUNC_EDIT, "a();\r\nb(); _local_");
        user.Select(Page(main), IDC_FUNC_COMBO, 2);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[endfunc]\t2行目：\"_local_\"で終わる行はスクリプトの終わりと読まれるため使用できません。\n"});
        EXPECT_EQ(user.Look(Page(main), IDC_FUNC_COMBO).curSel, 1);
        Type(main, IDC_FUNC_EDIT, "a();");

        // Params: the second line edited, a third added and copied.
        user.Select(Page(main), IDC_PARAM_LIST, 1);
        Type(main, IDC_PARAM_VALUE, "4");
        user.Click(Page(main), IDC_PARAM_ADD);
        EXPECT_EQ(Lines(main, IDC_PARAM_LIST), (std::vector<std::string>{"木材 5 10", "鉄\t4", ""}));
        Type(main, IDC_PARAM_ITEM, "木材");
        Type(main, IDC_PARAM_VALUE, "1");
        user.Click(Page(main), IDC_PARAM_COPY);
        user.Click(Page(main), IDC_PARAM_DELETE);
        EXPECT_EQ(user.Look(Page(main), IDC_PARAM_LIST).curSel, 2);
        Apply(main);
        EXPECT_EQ(Field(main, 0, "code"), "storm");
        EXPECT_EQ(Field(main, 0, "startfunc"), "stock_le");
        EXPECT_EQ(Field(main, 0, "endfunc"), "_local_\r\na();");
        EXPECT_EQ(Params(main, 0), (std::vector<std::string>{"木材 5 10", "鉄\t4", "木材\t1"}));
        EXPECT_EQ(Field(main, 1, "group"), "C");
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(EventPageTest, AParamLineThatCannotBeShownBlocksApplyUntilDeleted)
{
    Open("0");
    Run([&](CMainDlg& main) {
        // A line without a blank: made by the reader's neighbours, not by it.
        main.Document().eventdata.GetAt(1)->params.Add()->Assign("lone");
        Enter(main);
        // Showing the event says nothing; its line cannot be edited.
        user.Select(Page(main), IDC_EVENT_LIST, 1);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_FALSE(user.Look(Page(main), IDC_PARAM_ITEM).enabled);
        Apply(main);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[param]：構文が認識できません。\n"});
        user.Select(Page(main), IDC_EVENT_LIST, 2);
        EXPECT_EQ(user.TakeMessages().size(), 1u);
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        // Deleting the line lets the event go.
        user.Click(Page(main), IDC_PARAM_DELETE);
        user.Select(Page(main), IDC_EVENT_LIST, 2);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{});
        EXPECT_EQ(Page(main).CurrentElement(), 2);
        EXPECT_EQ(Params(main, 1), std::vector<std::string>{});
        user.Answer(UiAnswer::kNo);
    });
}

TEST_F(EventPageTest, AddCopyDeleteAndMove)
{
    Open("0");
    Run([&](CMainDlg& main) {
        Enter(main);
        CMerxDocument& doc = main.Document();
        uint32_t version = doc.GetStructureVersion();
        user.Click(Page(main), IDC_ADD);
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"雨が降り出した", "dry", "wind", "event_4"}));
        EXPECT_EQ(Page(main).CurrentElement(), 3);
        EXPECT_EQ(doc.setdata[doc.FindEndPosition() - 1], doc.eventdata.GetAt(3));
        EXPECT_NE(doc.GetStructureVersion(), version);

        user.Select(Page(main), IDC_EVENT_LIST, 0);
        user.SetCheck(Page(main), IDC_INSERT, true);
        user.Click(Page(main), IDC_COPY);
        EXPECT_EQ(Field(main, 0, "code"), "rain_copy_ID_5");
        EXPECT_EQ(Params(main, 0), Params(main, 1));
        EXPECT_EQ(Page(main).CurrentElement(), 0);

        version = doc.GetStructureVersion();
        user.Click(Page(main), IDC_DOWN);
        EXPECT_EQ(Field(main, 1, "code"), "rain_copy_ID_5");
        EXPECT_EQ(Page(main).CurrentElement(), 1);
        EXPECT_LT(doc.FindInArrangement(doc.eventdata.GetAt(0)), doc.FindInArrangement(doc.eventdata.GetAt(1)));
        EXPECT_NE(doc.GetStructureVersion(), version);

        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"このイベントを削除してもよろしいですか？\n「雨が降り出した」（コード：rain_copy_ID_5）"});
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"雨が降り出した", "dry", "wind", "event_4"}));
        // Codes are numbered by count: a second event_4 is allowed.
        user.Select(Page(main), IDC_EVENT_LIST, 0);
        user.Answer(UiAnswer::kYes);
        user.Click(Page(main), IDC_DELETE);
        user.TakeMessages();
        user.SetCheck(Page(main), IDC_INSERT, false);
        user.Click(Page(main), IDC_ADD);
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"dry", "wind", "event_4", "event_4"}));
        user.Answer(UiAnswer::kNo);
    });
}

// Each change the list makes to the events is one step of the undo
// history, named for its event, and undo gives back the document as it
// was; while the shown event's apply is refused, add and copy insert
// nothing.
TEST_F(EventPageTest, ListChangesAreOneStepEachAndWaitForTheShownEventsApply)
{
    const auto documentText = [](CMainDlg& main) {
        const CWriterText text = CMerxWriter(main.Document()).WriteDocument();
        return std::string(text.GetBuffer(), text.GetLength());
    };
    const auto undoText = [](CMainDlg& main) { return Cp932ToUtf8(main.Menu().Find(ID_EDIT_UNDO)->text.GetBuffer()); };
    struct Case {
        const char* what;
        int32_t button;
        std::vector<std::string> list; // after the change
        std::string undo;              // the edit menu's undo after it
    };
    const Case cases[] = {
        {"add", IDC_ADD, {"雨が降り出した", "dry", "wind", "event_4"}, "取り消し: イベント「event_4」の追加(&U)"},
        {"copy", IDC_COPY, {"雨が降り出した", "dry", "wind", "dry_copy_ID_4"},
         "取り消し: イベント「dry_copy_ID_4」のコピー(&U)"},
        {"delete", IDC_DELETE, {"雨が降り出した", "wind"}, "取り消し: イベント「dry」の削除(&U)"},
        {"down", IDC_DOWN, {"雨が降り出した", "wind", "dry"}, "取り消し: イベント「dry」の移動(&U)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Open("1");
        Run([&](CMainDlg& main) {
            Enter(main);
            const std::string before = documentText(main);
            if (c.button == IDC_DELETE)
                user.Answer(UiAnswer::kYes);
            user.Click(Page(main), c.button);
            user.TakeMessages();
            EXPECT_EQ(Lines(main, IDC_EVENT_LIST), c.list);
            EXPECT_EQ(main.Project().history.GetCount(), 1u);
            EXPECT_EQ(undoText(main), c.undo);
            user.ChooseMenu(main, ID_EDIT_UNDO);
            EXPECT_EQ(documentText(main), before);
            EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"雨が降り出した", "dry", "wind"}));
        });
    }

    Open("1");
    Run([&](CMainDlg& main) {
        // A line without a blank, which apply refuses.
        main.Document().eventdata.GetAt(1)->params.Add()->Assign("lone");
        Enter(main);
        for (const int32_t button : {IDC_ADD, IDC_COPY}) {
            user.Click(Page(main), button);
            EXPECT_EQ(user.TakeMessages(), std::vector<std::string>{"[param]：構文が認識できません。\n"});
            EXPECT_EQ(Lines(main, IDC_EVENT_LIST), (std::vector<std::string>{"雨が降り出した", "dry", "wind"}));
            EXPECT_EQ(main.Document().eventdata.GetCount(), 3u);
            EXPECT_EQ(main.Project().history.GetCount(), 0u);
            EXPECT_EQ(Page(main).CurrentElement(), 1);
        }
    });
}

TEST_F(EventPageTest, DirectEditReplacesTheWorkingCopyWhenTheTextReads)
{
    Open("2");
    Run([&](CMainDlg& main) {
        Enter(main);
        user.OnModal([&](CDialogBase& d) {
            const std::string text = Cp932ToUtf8(user.Look(d, CDirectInputDlg::IDC_TEXT).text.GetBuffer());
            EXPECT_NE(text.find("code\twind"), std::string::npos);
            user.TypeText(d, CDirectInputDlg::IDC_TEXT, S("@@EVENT\r\n\tcode\tgale\r\n\tparam\t木材\t2\r\n").c_str());
            user.Click(d, kIdOk);
        });
        user.Click(Page(main), IDC_DIRECT_EDIT);
        EXPECT_EQ(Text(main, IDC_FIELD_FIRST + 3), "gale");
        EXPECT_EQ(Field(main, 2, "code"), "wind"); // not applied yet
        Apply(main);
        EXPECT_EQ(Field(main, 2, "code"), "gale");
        EXPECT_EQ(Params(main, 2), std::vector<std::string>{"木材\t2"});
        EXPECT_EQ(Lines(main, IDC_EVENT_LIST)[2], "gale");
        user.Answer(UiAnswer::kNo);
    });
}

} // namespace
