// The arrangement page's rules without a window: labels and details, other
// texts stored only when they read back in their place, and moves that
// would lose an element.
#include <gtest/gtest.h>

#include <string>

#include "../cp932_text.h"
#include "../document/document_test_helpers.h"
#include "editing/arrangement_rules.h"
#include "foundation/cp932.h"

namespace {

const char* kText = "# head\n@@DEFINE\n\ttype1\t武器\n"
                    "@@ITEM\n\tno\t1\n\tname\t剣\n"
                    "@@EVENT\n\tcode\train\n"
                    "@@EVENT\n\tcode\tdry\n\tstartmsg\t乾く\n"
                    "@@FUNCITEM\nsub x\n"
                    "@@IF\tcond\n"
                    "@@END\ntail\n";

// The labels of the arrangement, in order.
std::vector<std::string> Labels(const CMerxDocument& doc)
{
    std::vector<std::string> labels;
    for (const CMERX_base* element : doc.setdata)
        labels.push_back(U(ArrangementLabel(*element)));
    return labels;
}

TEST(Arrangement, LabelsAndDetails)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S(kText)), "");
    const std::vector<std::string> labels = Labels(doc);
    const std::vector<std::string> head(labels.begin(), labels.begin() + 7);
    EXPECT_EQ(head, (std::vector<std::string>{"# head", "プロジェクト定義：@@DEFINE", "@@ITEM：剣", "@@EVENT：rain",
                                              "@@EVENT：乾く", "@@FUNCITEM", "@@IF\tcond"}));
    EXPECT_EQ(labels.back(), "@@END");
    EXPECT_EQ(U(ArrangementDetail(doc, *doc.setdata[2])), "@@ITEM\r\n\tno\t1\r\n\tname\t剣\r\n");
    EXPECT_EQ(U(ArrangementDetail(doc, *doc.setdata[5])), "sub x\r\n");
    EXPECT_EQ(U(ArrangementDetail(doc, **doc.setdata.GetLast())), "@@END\r\ntail\r\n");
    EXPECT_EQ(FunctionKeywordIndex(*doc.singledata.Lookup("@@FUNCSALE")), 10);
}

TEST(Arrangement, OtherTextsAreStoredOnlyWhenTheyReadBackInTheirPlace)
{
    struct Case {
        uint32_t position; // 0 the head comment, 6 the IF line, last the @@END text
        std::string text;
        bool stored;
    };
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S(kText)), "");
    const uint32_t last = doc.setdata.GetCount() - 1;
    const Case cases[] = {
        {0, "# head\r\n# more\r\n", true},
        {0, "# a\r\n@@SKIP\r\n@@ITEM\r\n\tno\t9\r\n@@ENDSKIP\r\n", true}, // a skipped block stays text
        {0, "# a\r\n@@ITEM\r\n\tno\t9\r\n", false},                       // starts an item
        {0, "# a\r\n@@SKIP\r\n", false},                                  // a SKIP left open ends the data
        {0, "@@END\r\n", false},                                          // elements follow
        {6, "@@IF\tother\r\n", true},
        {6, "@@SETMACRO\tM\t$a\r\n\ttype\tx\r\n", true},
        {last, "@@END\r\ntail\r\n@@ITEM\r\n", true},                      // after @@END all is text
        {6, "# no keyword\r\n", false},                                 // would join the event before it
    };
    for (const Case& c : cases) {
        auto& other = static_cast<Cotherstruct&>(*doc.setdata[c.position]);
        const std::string before = U(other.text);
        CStr_base<1024> reason;
        EXPECT_EQ(StoreOtherText(doc, other, CStr_base<16384>(S(c.text).c_str()), reason), c.stored) << c.text;
        if (c.stored) {
            CStr_base<16384> lf(S(c.text).c_str());
            lf.Replace("\r\n", "\n");
            EXPECT_EQ(U(other.text), U(lf));
            other.text.Assign(S(before).c_str());
        } else {
            EXPECT_EQ(U(other.text), before);
            EXPECT_FALSE(reason.IsEmpty());
        }
    }
}

TEST(Arrangement, MovesKeepEveryElement)
{
    dtest::Document doc;
    EXPECT_EQ(doc.Parse(S(kText)), "");
    CStr_base<1024> reason;
    // Two events exchange in their list too; an item and an event only in
    // the arrangement.
    EXPECT_EQ(MoveInArrangement(doc, 3, reason), CArrangementMove::kMoved);
    EXPECT_EQ(U(*doc.eventdata[0].GetField("code")), "dry");
    EXPECT_EQ(MoveInArrangement(doc, 2, reason), CArrangementMove::kMoved);
    EXPECT_EQ(Labels(doc)[2], "@@EVENT：乾く");
    EXPECT_EQ(Labels(doc)[3], "@@ITEM：剣");

    // Nothing but text may go behind "@@END" (the empty function blocks
    // stand before it).
    const uint32_t end = doc.setdata.GetCount() - 1;
    ASSERT_EQ(Labels(doc)[end], "@@END");
    const std::string before = Labels(doc)[end - 1];
    const uint32_t version = doc.GetStructureVersion();
    EXPECT_EQ(MoveInArrangement(doc, end - 1, reason), CArrangementMove::kWouldBeLost);
    EXPECT_FALSE(reason.IsEmpty());
    EXPECT_EQ(Labels(doc)[end - 1], before);
    EXPECT_EQ(doc.GetStructureVersion(), version);
    uint32_t condition = 0;
    while (Labels(doc)[condition] != "@@IF\tcond")
        ++condition;
    EXPECT_EQ(MoveInArrangement(doc, condition, reason), CArrangementMove::kMoved); // text may go anywhere
    EXPECT_NE(doc.GetStructureVersion(), version);

    // A second "@@DEFINE" text may not stand before the definition.
    dtest::Document two;
    two.Parse(S("@@DEFINE\n\ttype1\tA\n@@DEFINE\n\ttype2\tB\n@@END\n"));
    ASSERT_EQ(two.setdata[1]->GetKind(), CMERX_TYPE_OTHER);
    EXPECT_EQ(MoveInArrangement(two, 0, reason), CArrangementMove::kWouldBeLost);
    EXPECT_EQ(two.setdata[0]->GetKind(), CMERX_TYPE_DEFINE);
}

} // namespace
