// What the element readers and writers share: texts without their keyword,
// writing under the rule applied now, and values the pages store that no
// text reads into.
#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

using dtest::Document;

// A text without its element's keyword is refused with a message, and
// neither the element nor the line counter changes.
TEST(ElementText, TextWithoutItsKeywordIsRefused)
{
    Document doc;
    CMerxReader reader(doc);
    Citemstruct item;
    Ceventstruct event;
    uint32_t line = 4;
    EXPECT_FALSE(reader.ParseItem(item, "\tno\t1\n", line));
    EXPECT_FALSE(reader.ParseEvent(event, "@@ITEM\n", line));
    doc.definedata.text.Assign("@@DEFINE\n");
    EXPECT_FALSE(reader.ParseDefine(doc.definedata, "type2 b\n", line));
    EXPECT_EQ(std::string(reader.Messages().GetBuffer()), std::string(SJ("[5]：@@ITEMが見つかりません。\n")) + SJ("[5]：@@EVENTを認識できません。\n") +
                                  SJ("[5]：@@DEFINEを認識できません。\n"));
    EXPECT_EQ(line, 4u);
    EXPECT_EQ(item.fields.GetCount() + event.fields.GetCount() + doc.definedata.types.GetCount(), 0u);
    EXPECT_STREQ(doc.definedata.text, "@@DEFINE\n");
}

// The writer follows the key lists of the rule applied now. Fields that an
// item and a use read under a beta rule keep are still written, scripts
// still as _local_ blocks (as one line their script lines would stand in
// the file as lines of their own); fields of events outside the key list
// are not.
TEST(ElementText, WritingFollowsTheRuleAppliedNow)
{
    Document doc({true, true});
    EXPECT_EQ(doc.Parse("@@ITEM\n\tfunct _local_\n\t\tt\n\t_local_\n\tbase 2\n\tfuncs _local_\n\t\ta\n\t\tb\n\t_local_\n"
                        "\t@@USE\n\t\tfunci _local_\n\t\t\ta\n\t\t_local_\n@@EVENT\n\tcode e\n\t@@include\ta.cgi\n"),
              "");
    CMerxWriter writer(doc);
    EXPECT_EQ(dtest::Text(writer.WriteItem(doc.itemdata[0])).substr(0, 33), "@@ITEM\r\n\tbase\t2\r\n\tfunct\t_local_\r\n");
    doc.RebuildKeyLists(false, false);
    EXPECT_EQ(dtest::Text(writer.WriteItem(doc.itemdata[0])),
              "@@ITEM\r\n\tfunct\t_local_\r\n\t\tt\r\n\t_local_\r\n\tbase\t2\r\n"
              "\tfuncs\t_local_\r\n\t\ta\r\n\t\tb\r\n\t_local_\r\n"
              "\t@@USE\r\n\t\tfunci\t_local_\r\n\t\t\ta\r\n\t\t_local_\r\n");
    EXPECT_EQ(dtest::Text(writer.WriteEvent(doc.eventdata[0])), "@@EVENT\r\n\tcode\te\r\n");
}

TEST(ElementText, EventScriptsAsThePagesStoreThem)
{
    // Key, value, comment, written line.
    const char* const cases[][4] = {
        {"startfunc", "stock_ge \t", "\t#s", "\tstartfunc\tstock_ge\t#s\r\n"},
        {"func", "call a  ", "", "\tfunc\tcall a  \r\n"},
        {"func", "_local_\r\na", "\t#block", "\tfunc\t_local_\t#block\r\n\t\ta\r\n\t_local_\r\n"},
        {"startfunc", "_local_ (a, b) \r\nx", "", "\tstartfunc\t_local_ (a, b) \r\n\t\tx\r\n\t_local_\r\n"},
        {"func", "_local_", "", "\tfunc\t_local_\r\n\t_local_\r\n"},
        {"func", "_local_x ", "", "\tfunc\t_local_x\r\n"},
    };
    Document doc;
    for (const auto& c : cases) {
        Ceventstruct event;
        *event.fields.Add(c[0]) = c[1];
        event.SetComment(c[0], c[2]);
        EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteEvent(event)), std::string("@@EVENT\r\n") + c[3]) << c[1];
    }
    // A parameter without its comment entry.
    Ceventstruct event;
    event.params.Add()->Assign("p\t");
    EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteEvent(event)), "@@EVENT\r\n\t\tparam\tp\t\r\n");
}

TEST(ElementText, UseListsAsThePagesStoreThem)
{
    Document doc({true, false});
    Citemstruct item;
    Cusestruct& use = *item.uses.Add();
    for (const char* key : {"job", "ung", "argselect"})
        use.lists.GetOrInsert(key);
    // Lists without (all) their comment entries; an empty use/need/get
    // entry leaves its comment alone on its line.
    use.GetList("job")->Add()->Assign("smith\t1");
    use.GetList("ung")->Add();
    use.listcomments.GetOrInsert("ung")->Add()->Assign("\t#x");
    use.GetList("ung")->Add()->Assign("use\ta\t\t\t");
    // The reader takes no argselect line without a choice, so a heading
    // alone is not written.
    *use.fields.Add("argselect") = "Pick";
    EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteItem(item)),
              "@@ITEM\r\n\t@@USE\r\n\t\tjob\tsmith\t1\r\n\t#x\r\n\t\t\tuse\ta\r\n");
}
