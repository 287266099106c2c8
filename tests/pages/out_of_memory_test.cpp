// The editor when memory runs out, with the heap capped at ever larger
// sizes until the operation succeeds: each refused attempt is a message
// (never an internal error) and leaves the document, and the page's list,
// as they were; an open is refused, and the project reset once reading the
// file had begun to change it.
#include "document/data_writer.h"
#include "foundation/allocation_cap.h"
#include "page_fixture.h"
#include "pages/page_event.h"
#include "pages/page_event_template.h"
#include "pages/page_item.h"
#include "pages/page_item_template.h"

namespace {

const std::string kRefused = "メモリが不足したため、操作を実行できませんでした。";
const std::string kOpenRefused = "メモリが不足したため、ファイルを最後まで読み込めませんでした。\n操作をキャンセルします。";

std::string DocumentText(CMainDlg& main)
{
    const CWriterText text = CMerxWriter(main.Document()).WriteDocument();
    return std::string(text.GetBuffer(), text.GetLength());
}

// `count` items of about 200 bytes, each with a use entry, and two events.
std::string ManyItems(int count)
{
    std::string text = "@@EVENT\r\n\tcode\tfirst\r\n\tparam\titem 1\r\n@@EVENT\r\n\tcode\tsecond\r\n";
    for (int i = 1; i <= count; ++i) {
        const std::string n = std::to_string(i);
        text += "@@ITEM\r\n\tno\t" + n + "\r\n\tcode\tc" + n + "\r\n\tname\titem " + n + "\r\n\tinfo\tan item of the test, number " +
                n + "\r\n\tprice\t" + n + "\r\n\t@@USE\r\n\t\tname\tmake\r\n\t\t\tget\t1\titem " + n + "\r\n";
    }
    return text;
}

class OutOfMemoryTest : public PageTest {
protected:
    // Runs `act` under ever larger caps that trip once, until it goes
    // through without a message. Every refusal must leave the document and
    // the page's list (`id` on page `tab`) as they were, or, with
    // `mayEnd`, as `act` leaves them when it has done its change and only
    // showing what follows ran out. Returns the number of refusals.
    int UntilItGoesThrough(CMainDlg& main, int32_t tab, int32_t id, const std::function<void()>& act,
                           size_t step, bool mayEnd = false)
    {
        int refusals = 0;
        for (size_t cap = 0; cap < 256 * step; cap += step) {
            const std::string before = DocumentText(main);
            const std::vector<std::string> list = Items(main.Page(tab), id);
            {
                const CAllocationCapScope capped(cap, CAllocationCapKind::kTripsOnce);
                act();
            }
            // Questions asked on the way do not count.
            std::vector<std::string> messages = user.TakeMessages();
            std::erase_if(messages, [](const std::string& m) { return m.find("よろしいですか") != std::string::npos; });
            if (messages.empty())
                return refusals;
            ++refusals;
            EXPECT_EQ(messages, std::vector<std::string>{kRefused}) << cap;
            EXPECT_FALSE(main.m_nModalWait.IsWaiting());
            const bool asBefore = DocumentText(main) == before && Items(main.Page(tab), id) == list;
            if (mayEnd && !asBefore)
                return refusals;
            EXPECT_TRUE(asBefore) << cap;
        }
        ADD_FAILURE() << "never went through";
        return refusals;
    }
};

TEST_F(OutOfMemoryTest, ItemPageOperationsAreRefusedWithTheDocumentAsItWas)
{
    using namespace item_page;
    startup.commandLine = PutFile("items.cgi", InfoBlock(kBetaRule, "p") + ManyItems(40));
    Run([&](CMainDlg& main) {
        CMainPage& page = main.Page(CMainDlg::kItemTab);
        const auto click = [&](int32_t id) {
            return [&page, id, this] { user.Click(page, id); };
        };
        const auto refusals = [&](int32_t id, size_t step) {
            return UntilItGoesThrough(main, CMainDlg::kItemTab, IDC_ITEM_LIST, click(id), step);
        };
        user.Select(page, IDC_ITEM_LIST, 3);
        // An apply that stores a long text.
        user.TypeText(page, IDC_INFO, std::string(40000, 'x').c_str());
        EXPECT_GT(refusals(kIdOk, 8192), 3);
        EXPECT_TRUE(main.Document().itemdata[3].FieldText("info") == std::string(40000, 'x'));
        // A new item, at the end and before the shown one, and a copy of
        // the long one.
        EXPECT_GT(refusals(IDC_ADD, 4096), 3);
        EXPECT_EQ(main.Document().itemdata.GetCount(), 41u);
        user.Select(page, IDC_ITEM_LIST, 3);
        user.SetCheck(page, IDC_INSERT, true);
        EXPECT_GT(refusals(IDC_ADD, 4096), 3);
        EXPECT_EQ(main.Document().itemdata.GetCount(), 42u);
        user.Select(page, IDC_ITEM_LIST, 4);
        EXPECT_GT(refusals(IDC_COPY, 8192), 3);
        ASSERT_EQ(main.Document().itemdata.GetCount(), 43u);
        EXPECT_TRUE(main.Document().itemdata[4].FieldText("info") == std::string(40000, 'x'));
        EXPECT_STREQ(main.Document().itemdata[5].FieldText("name"), "item 4");
        // A deletion is done once the item is gone; showing the next one
        // may then run out.
        user.Select(page, IDC_ITEM_LIST, 10);
        bool answerLeft = false;
        UntilItGoesThrough(main, CMainDlg::kItemTab, IDC_ITEM_LIST, [&] {
            // A refusal before the question leaves its answer for the next attempt.
            if (!answerLeft)
                user.Answer(UiAnswer::kYes);
            user.Click(page, IDC_DELETE);
            answerLeft = std::none_of(user.MessageBoxes().begin(), user.MessageBoxes().end(), [](const auto& box) {
                return box.buttons == UiButtons::kYesNo;
            });
        }, 512, true);
        EXPECT_EQ(main.Document().itemdata.GetCount(), 42u);
        EXPECT_EQ(Items(main.Page(CMainDlg::kItemTab), IDC_ITEM_LIST).size(), 42u);
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(OutOfMemoryTest, EventPageInsertionsAreRefusedWithTheDocumentAsItWas)
{
    using namespace event_page;
    startup.commandLine = PutFile("items.cgi", InfoBlock(kBetaRule, "p") + ManyItems(4));
    Run([&](CMainDlg& main) {
        user.Select(main, CMainDlg::IDC_TAB, CMainDlg::kEventTab);
        CMainPage& page = main.Page(CMainDlg::kEventTab);
        user.Select(page, IDC_EVENT_LIST, 1);
        for (const int32_t id : {IDC_ADD, IDC_COPY}) {
            EXPECT_GT(UntilItGoesThrough(main, CMainDlg::kEventTab, IDC_EVENT_LIST, [&] { user.Click(page, id); }, 128),
                      3);
        }
        EXPECT_EQ(main.Document().eventdata.GetCount(), 4u);
        user.Answer(UiAnswer::kNo); // the save question on exit
    });
}

TEST_F(OutOfMemoryTest, AnOpenIsRefusedAndTheProjectResetOnceReadingChangedIt)
{
    startup.commandLine = Project("small.cgi", "小");
    const std::string large = PutFile("large.cgi", InfoBlock(kBetaRule, "大") + ManyItems(2000));
    Run([&](CMainDlg& main) {
        bool kept = false;
        bool reset = false;
        bool opened = false;
        size_t answers = 0;
        for (size_t cap = 0; cap < 16 << 20 && !opened; cap += 128 << 10) {
            // A refusal before the file dialog leaves its answer for the next attempt.
            if (user.FileDialogs().size() == answers) {
                user.AnswerFile(large.c_str());
                ++answers;
            }
            {
                const CAllocationCapScope capped(cap, CAllocationCapKind::kTripsOnce);
                user.ChooseMenu(main, ID_FILE_OPEN);
            }
            const std::vector<std::string> messages = user.TakeMessages();
            opened = messages.empty();
            if (opened)
                break;
            ASSERT_EQ(messages.size(), 1u) << cap;
            if (ProjectInTitle(main) == "小") {
                // Refused before the project changed: as it was.
                kept = true;
                EXPECT_TRUE(messages[0] == kOpenRefused || messages[0] == kRefused) << messages[0];
                ASSERT_EQ(main.Document().itemdata.GetCount(), 1u);
                EXPECT_STREQ(main.Document().itemdata[0].FieldText("name"), "sword");
            } else {
                reset = true;
                EXPECT_EQ(messages[0], kOpenRefused);
                EXPECT_EQ(ProjectInTitle(main), "無題");
                EXPECT_EQ(main.Document().itemdata.GetCount(), 0u);
            }
            EXPECT_FALSE(main.IsModified());
            // Back to the small project for the next attempt.
            if (user.FileDialogs().size() == answers) {
                user.AnswerFile(startup.commandLine.c_str());
                ++answers;
                user.ChooseMenu(main, ID_FILE_OPEN);
            }
        }
        EXPECT_TRUE(kept);
        EXPECT_TRUE(reset);
        ASSERT_TRUE(opened);
        EXPECT_EQ(main.Document().itemdata.GetCount(), 2000u);
        EXPECT_EQ(ProjectInTitle(main), "大");
    });
}

} // namespace
