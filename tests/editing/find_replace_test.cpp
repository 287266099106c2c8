// The find window's work without the window: target sets, fields, result
// lines, and replacements that never damage an element.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../document/document_test_helpers.h"
#include "editing_test_helpers.h"
#include "document/data_writer.h"
#include "editing/find_methods.h"
#include "editing/find_replace.h"
#include "editing/result_line.h"
#include "foundation/cp932.h"

namespace {

const char kData[] =
    "@@DEFINE\ntype1\t武器\n"
    "@@ITEM\n\tno\t1\n\ttype\t武器\n\tcode\tsword\n\tname\t剣\n\tfunct\t_local_\n\t\tUSE sword\n\t_local_\n"
    "\t@@USE\n\t\tname\t振る\n\t\tfunc\tswing\n"
    "@@ITEM\n\tno\t2\n\ttype\t武器\n\tcode\tshield\n\tname\t盾\n"
    "@@EVENT\n\tcode\tev_sword\n\tstartfunc\tsword_start\n"
    "@@FUNCITEM\nsword line\n"
    "@@SKIP\nfree sword text\n@@ENDSKIP\n";

struct Fixture {
    dtest::Document doc{{.beta = true}};
    Fixture() { EXPECT_EQ(doc.Parse(Utf8ToCp932(kData)), ""); }

    CFindOutcome Run(int32_t target, int32_t field, int32_t method, const std::string& search,
                     const std::string* replacement = nullptr, CPageElement current = {})
    {
        const CFindRequest request = etest::FindRequest(field, static_cast<uint32_t>(method), search,
                                                        replacement ? replacement->c_str() : nullptr);
        return RunFindReplace(doc, CollectFindTargets(doc, target, current), request);
    }

    std::string Written() const { return Cp932ToUtf8(CMerxWriter(doc).WriteDocument().GetBuffer()); }
};

std::string Lines(const CFindOutcome& outcome) { return Cp932ToUtf8(outcome.lines.GetBuffer()); }

const std::string kRefused = "：置換後のデータを解析できませんでした。直前の項目は置換されませんでした。\n";

TEST(FindReplace, FindsByTargetAndField)
{
    Fixture f;
    struct Case {
        int32_t target, field;
        const char* search;
        const char* lines;
    } cases[] = {
        {kFindAll, kFindFullText, "sword",
         "ITEM[0]：剣\nEVENT[0]：ev_sword\nFUNC[0]：@@FUNCITEM\nOTHER[5]：@@SKIP\n"},
        {kFindOthers, kFindFullText, "", "DEFINE[0]：プロジェクト定義\nOTHER[5]：@@SKIP\n"},
        {kFindItemsEvents, kFindScript, "sw", "ITEM[0]：剣\nEVENT[0]：ev_sword\n"},
        {kFindAll, kFindScript, "swing", "ITEM[0]：剣\n"},
        {kFindNotItemsEvents, kFindScript, "sword", "FUNC[0]：@@FUNCITEM\n"},
        {kFindAll, kFindCode, "sh", "ITEM[1]：盾\n"},
        {kFindEvents, kFindName, "", ""},
        {kFindItems, kFindNo, "2", "ITEM[1]：盾\n"},
        {kFindFunctions, kFindFullText, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.target) + "/" + std::to_string(c.field) + " " + c.search);
        const CFindOutcome outcome = f.Run(c.target, c.field, kFindContains, c.search);
        if (c.target == kFindFunctions) {
            // Every block, with text or without.
            EXPECT_EQ(outcome.elements, 12u);
            continue;
        }
        EXPECT_EQ(Lines(outcome), c.lines);
    }
}

TEST(FindReplace, CurrentObjectAndPageFollowThePage)
{
    Fixture f;
    EXPECT_EQ(Lines(f.Run(kFindCurrentObject, kFindFullText, kFindContains, "", nullptr, {kTabItem, 1})),
              "ITEM[1]：盾\n");
    EXPECT_EQ(Lines(f.Run(kFindCurrentObject, kFindFullText, kFindContains, "", nullptr, {kTabItem, -1})), "");
    EXPECT_EQ(Lines(f.Run(kFindCurrentObject, kFindFullText, kFindContains, "", nullptr, {kTabFunction, 0})),
              "FUNC[0]：@@FUNCITEM\n");
    // The arrangement page names items by their index among the items.
    EXPECT_EQ(Lines(f.Run(kFindCurrentObject, kFindFullText, kFindContains, "", nullptr, {kTabArrangement, 2})),
              "ITEM[1]：盾\n");
    EXPECT_EQ(Lines(f.Run(kFindCurrentPage, kFindCode, kFindContains, "", nullptr, {kTabArrangement, 0})),
              "ITEM[0]：剣\nITEM[1]：盾\nEVENT[0]：ev_sword\n");
    EXPECT_EQ(Lines(f.Run(kFindCurrentPage, kFindFullText, kFindContains, "", nullptr, {kTabDefinition, 0})),
              "DEFINE[0]：プロジェクト定義\n");
    EXPECT_EQ(Lines(f.Run(kFindCurrentPage, kFindFullText, kFindContains, "", nullptr, {kTabProject, -1})), "");
}

TEST(FindReplace, ResultLinesNameTheirElement)
{
    Fixture f;
    const std::string access = "この要素にアクセスできません。\nこの要素は既に無効になっている可能性があります。";
    struct Case {
        const char* line;
        bool current;
        const char* message; // empty: found
    } cases[] = {
        {"ITEM[1]：盾", true, ""},
        {"OTHER[5]：@@SKIP", true, ""},
        {"ITEM[2]：gone", true, access.c_str()},
        {"OTHER[1]：not an other text", true, access.c_str()},
        {"ITEM[1]：盾", false, access.c_str()},
        {"INFO[0]：x", true, "選択されたオブジェクトがありません"},
        {"no element", true, "選択されたオブジェクトがありません"},
        {"THING[0]", true, "内部エラー・・・\nFindDlg::Find_Replace"},
    };
    for (const Case& c : cases) {
        CFindElement found;
        const char* message = "";
        // A line that is not current named an element that went since.
        const std::string line = Utf8ToCp932(c.line);
        const uint32_t id = c.current ? ResultLineIdentity(f.doc, line.c_str()) : 0;
        const bool ok = FindTargetOfResultLine(f.doc, line.c_str(), id, found, message);
        EXPECT_EQ(ok ? std::string() : Cp932ToUtf8(message), c.message) << c.line;
    }
}

TEST(FindReplace, RefusedElementsKeepTheirContent)
{
    struct Case {
        int32_t field, method;
        const char* search;
        const char* replacement;
        const char* lines;
    } cases[] = {
        // "@@USE" would become an unknown key and pour the use into the item.
        {kFindFullText, kFindContains, "USE", "USER", "ITEM[0]：剣\nITEM[0]@"},
        {kFindName, kFindExact, "剣", "", "ITEM[0]：剣\nITEM[0]@"},
        {kFindName, kFindExact, "剣", "剣#x", "ITEM[0]：剣\nITEM[0]@"},
        {kFindCode, kFindExact, "sword", "a\nb", "ITEM[0]：剣\nITEM[0]@"},
        {kFindScript, kFindExact, "swing", "a\n_local_\nb", "ITEM[0]：剣\nITEM[0]@"},
        {kFindFullText, kFindContains, "sword line", "x\n@@ITEM", "FUNC[0]：@@FUNCITEM\nFUNC[0]@"},
        {kFindFullText, kFindContains, "@@SKIP\n", "", "OTHER[5]：@@SKIP\nOTHER[5]@"},
        {kFindFullText, kFindContains, "type1", "types", "DEFINE[0]：プロジェクト定義\nDEFINE[0]@"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.search) + " -> " + c.replacement);
        Fixture f;
        const std::string before = f.Written();
        const std::string to = c.replacement;
        CFindOutcome outcome = f.Run(kFindAll, c.field, c.method, c.search, &to);
        std::string expected = c.lines;
        expected.replace(expected.size() - 1, 1, kRefused);
        EXPECT_EQ(Lines(outcome), expected);
        EXPECT_EQ(outcome.elements, 0u);
        EXPECT_EQ(outcome.replacements, 0u);
        EXPECT_EQ(outcome.refused, 1u);
        CommitFindReplace(f.doc, outcome);
        EXPECT_EQ(f.Written(), before);
    }
}

TEST(FindReplace, AReplacementThatChangesNothingStillCounts)
{
    Fixture f;
    const std::string same = "sword";
    CFindOutcome outcome = f.Run(kFindItems, kFindCode, kFindContains, "sword", &same);
    EXPECT_EQ(Lines(outcome), "ITEM[0]：剣\n");
    EXPECT_EQ(outcome.replacements, 1u);
    EXPECT_TRUE(outcome.pending.empty());
}

TEST(FindReplace, ACancelledRunChangesNothing)
{
    Fixture f;
    const std::string before = f.Written();
    std::atomic<bool> cancel{true};
    CFindRequest request = etest::FindRequest(kFindFullText, kFindContains, "sword", "x");
    CFindOutcome outcome = RunFindReplace(f.doc, CollectFindTargets(f.doc, kFindAll, {}), request, &cancel);
    EXPECT_EQ(outcome.stop, StrRegexStop::kCancelled);
    CommitFindReplace(f.doc, outcome);
    EXPECT_EQ(f.Written(), before);
}

// Twenty items whose names each cost the pattern the same.
std::string ManyItems()
{
    std::string text;
    for (int i = 0; i < 20; ++i)
        text += "@@ITEM\n\tno\t" + std::to_string(i + 1) + "\n\tcode\tc" + std::to_string(i) + "\n\tname\tabcdef\n";
    return text;
}

TEST(FindReplace, OneBudgetHoldsForTheWholeRun)
{
    dtest::Document doc;
    ASSERT_EQ(doc.Parse(ManyItems()), "");
    const std::string before = dtest::Text(CMerxWriter(doc).WriteDocument());
    const std::vector<CFindElement> all = CollectFindTargets(doc, kFindItems, {});
    const std::vector<CFindElement> three(all.begin(), all.begin() + 3);
    CFindRequest request = etest::FindRequest(kFindName, kFindPattern | kFindOptionRepeat, "%*0j%*0jQ");
    // What one name costs: every element draws on the budget of the run,
    // so five names' worth stops a run over twenty.
    CStrRegexBudget one;
    CFindQuery query = CFindQuery::FromMode(request.mode, "%*0j%*0jQ", "");
    query.budget = &one;
    ASSERT_EQ(CompareFindText(query, "abcdef", 6), 0);
    request.maxSteps = 5 * one.steps;
    EXPECT_EQ(RunFindReplace(doc, three, request).stop, StrRegexStop::kNone);
    CFindOutcome outcome = RunFindReplace(doc, all, request);
    EXPECT_EQ(outcome.stop, StrRegexStop::kSteps);
    EXPECT_TRUE(outcome.lines.IsEmpty());

    // The replaced texts a run keeps until its commit count as held: each
    // name becomes 6,000 bytes, five of them fit into 32 KB, twenty do not.
    request.maxSteps = kStrRegexDefaultSteps;
    request.maxBytes = 32 << 10;
    request.replace = true;
    request.search.Assign("%{%/j%}");
    std::string thousandTimes;
    for (int i = 0; i < 1000; ++i)
        thousandTimes += "%0v";
    request.replacement.Assign(thousandTimes.c_str());
    EXPECT_EQ(RunFindReplace(doc, three, request).stop, StrRegexStop::kNone);
    outcome = RunFindReplace(doc, all, request);
    EXPECT_EQ(outcome.stop, StrRegexStop::kMemory);
    EXPECT_TRUE(outcome.pending.empty());
    CommitFindReplace(doc, outcome);
    EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), before);
}

TEST(FindReplace, AnOtherTextIsReadBackWithItsNeighbours)
{
    // Blanks put in front of "@@END" would join the text before it (the
    // function blocks between them write nothing) on reopen: the end keeps
    // its text, the document reads back as it is.
    dtest::Document doc;
    ASSERT_EQ(doc.Parse(Utf8ToCp932("@@DEFINE\n@@IF a\n@@SKIP\nx\n@@ENDSKIP\n# 後\n\n@@END\ntail\n")), "");
    const std::string before = dtest::Text(CMerxWriter(doc).WriteDocument());
    const CFindRequest request = etest::FindRequest(kFindFullText, kFindPattern | kFindOptionRepeat, "%g@@", "  @@");
    CFindOutcome outcome = RunFindReplace(doc, CollectFindTargets(doc, kFindOthers, {}), request);
    EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), before);
    const std::string end = "OTHER[" + std::to_string(doc.setdata.GetCount() - 1) + "]";
    EXPECT_NE(Lines(outcome).find(end + "：@@END\n" + end + kRefused), std::string::npos) << Lines(outcome);
    CommitFindReplace(doc, outcome);
    const CWriterText written = CMerxWriter(doc).WriteDocument();
    dtest::Document again;
    ASSERT_EQ(again.Parse(dtest::ThroughFile(dtest::Text(written))), "");
    EXPECT_EQ(dtest::Text(CMerxWriter(again).WriteDocument()), dtest::Text(written));
}

// A section header between two items is other text: found and replaced
// as such, never as part of the item before it.
TEST(FindReplace, SectionHeadersAreOtherText)
{
    dtest::Document doc;
    ASSERT_EQ(doc.Parse(Utf8ToCp932("@@ITEM\n\tno\t1\n\tname\t剣\n\n# ==== 武器 ====\n@@ITEM\n\tno\t2\n")), "");
    CFindRequest request = etest::FindRequest(kFindFullText, kFindContains, "武器");
    EXPECT_EQ(Lines(RunFindReplace(doc, CollectFindTargets(doc, kFindItems, {}), request)), "");
    EXPECT_EQ(Lines(RunFindReplace(doc, CollectFindTargets(doc, kFindAll, {}), request)), "OTHER[1]：# ==== 武器 ====\n");

    request = etest::FindRequest(kFindFullText, kFindContains, "武器", "武具");
    CFindOutcome outcome = RunFindReplace(doc, CollectFindTargets(doc, kFindAll, {}), request);
    EXPECT_EQ(outcome.replacements, 1u);
    CommitFindReplace(doc, outcome);
    EXPECT_EQ(Cp932ToUtf8(CMerxWriter(doc).WriteDocument().GetBuffer()),
              "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n\r\n# ==== 武具 ====\r\n@@ITEM\r\n\tno\t2\r\n@@DEFINE\r\n");
}

} // namespace
