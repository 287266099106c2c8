// Use entries as data text: fields, scripts, argselect and the lists.
#include <gtest/gtest.h>

#include <string>

#include "document/data_writer.h"

namespace {

std::string Text(const CWriterText& text) { return std::string(text.GetBuffer(), text.GetLength()); }

class WriterUse : public ::testing::Test {
protected:
    void SetUp() override { UseRule(false); }

    // Applies a rule and starts a new item with one use entry that has
    // every key of the rule, as the reader leaves it.
    void UseRule(bool beta)
    {
        doc.RebuildKeyLists(beta, false);
        item.Clear();
        use = item.uses.Add();
        for (const CMerxString& key : doc.usekeys)
            use->fields.GetOrInsert(key);
        for (const CMerxString& key : doc.uselistkeys) {
            use->lists.GetOrInsert(key);
            use->listcomments.GetOrInsert(key);
        }
        use->comments.GetOrInsert("");
    }

    void AddEntry(const char* key, const char* entry, const char* comment = "")
    {
        use->lists.GetOrInsert(key)->Add()->Assign(entry);
        use->listcomments.GetOrInsert(key)->Add()->Assign(comment);
    }

    // The use's lines: the item's text behind its "@@ITEM" line.
    std::string Write() const { return Text(CMerxWriter(doc).WriteItem(item)).substr(8); }

    CMerxDocument doc;
    Citemstruct item;
    Cusestruct* use = nullptr;
};

} // namespace

TEST_F(WriterUse, KeywordLineBehindOneTab)
{
    EXPECT_EQ(Write(), "\t@@USE\r\n");
}

TEST_F(WriterUse, FieldsBehindTwoTabsInKeyListOrder)
{
    use->SetField("info", "text");
    use->SetField("name", "drink");
    use->SetField("price", "10");
    use->SetComment("price", "#p");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tname\tdrink\r\n\t\tprice\t10\t#p\r\n\t\tinfo\ttext\r\n");
}

TEST_F(WriterUse, CommentOnlyLinesComeFirstUnchanged)
{
    use->SetField("name", "n");
    use->SetComment("", "\t\t# about\r\n");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\t# about\r\n\t\tname\tn\r\n");
}

TEST_F(WriterUse, OneLineScriptIsAPlainField)
{
    use->SetField("func", "drink_it");
    use->SetComment("func", "#f");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfunc\tdrink_it\t#f\r\n");
}

TEST_F(WriterUse, LocalScriptBehindThreeTabsWithClosingLine)
{
    use->SetField("funcb", "_local_\r\na\r\n\tb");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfuncb\t_local_\r\n\t\t\ta\r\n\t\t\t\tb\r\n\t\t_local_\r\n");
}

TEST_F(WriterUse, LocalScriptCommentStandsBehindTheHeader)
{
    use->SetField("func", "_local_\r\na");
    use->SetComment("func", "#c");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfunc\t_local_\t#c\r\n\t\t\ta\r\n\t\t_local_\r\n");
}

TEST_F(WriterUse, EmptyLocalScriptKeepsItsBlock)
{
    use->SetField("func", "_local_\r\n");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfunc\t_local_\r\n\t\t\t\r\n\t\t_local_\r\n");
}

TEST_F(WriterUse, UseNeedGetLinesLoseTheirEmptyColumns)
{
    AddEntry("ung", "use\titem\t1\t100\t");
    AddEntry("ung", "need\tmoney\t\t\t");
    AddEntry("ung", "get\titem\t2\t1\t5");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\t\tuse\titem\t1\t100\r\n\t\t\tneed\tmoney\r\n\t\t\tget\titem\t2\t1\t5\r\n");
}

TEST_F(WriterUse, UseNeedGetCommentsStandBehindTheirLines)
{
    AddEntry("ung", "use\titem\t1\t100\t", "\t# pay\t");
    AddEntry("ung", "get\titem\t2\t\t", "\t# win");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\t\tuse\titem\t1\t100\t# pay\t\r\n\t\t\tget\titem\t2\t# win\r\n");
}

TEST_F(WriterUse, EmptyUseNeedGetEntryLeavesAnEmptyLine)
{
    AddEntry("ung", "", "\t#x");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t#x\r\n");
}

TEST_F(WriterUse, JobEntriesOneLineEachWithComments)
{
    AddEntry("job", "smith\t10", "\t#j");
    AddEntry("job", "");
    AddEntry("job", "cook\t5");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tjob\tsmith\t10\t#j\r\n\t\tjob\tcook\t5\r\n");
}

TEST_F(WriterUse, ListsFollowFieldsJobBeforeUseNeedGet)
{
    AddEntry("ung", "use\ta\tb\tc\td");
    AddEntry("job", "smith\t10");
    use->SetField("funcb", "x");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfuncb\tx\r\n\t\tjob\tsmith\t10\r\n\t\t\tuse\ta\tb\tc\td\r\n");
}

TEST_F(WriterUse, ArgselectHeadingAndChoicesMakeOneLineBehindTheFields)
{
    UseRule(true);
    use->SetField("argselect", "Pick");
    use->SetComment("argselect", "#a");
    AddEntry("argselect", "red;Red one");
    AddEntry("argselect", "blue;Blue one");
    use->SetField("info", "i");
    use->SetField("funci", "g");
    AddEntry("job", "smith\t1");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tinfo\ti\r\n\t\tfunci\tg\r\n"
                       "\t\targselect\tPick;red;Red one;blue;Blue one\t#a\r\n\t\tjob\tsmith\t1\r\n");
}

TEST_F(WriterUse, ArgselectWithEmptyHeadingStartsWithTheSeparator)
{
    UseRule(true);
    AddEntry("argselect", "a;b");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\targselect\t;a;b\r\n");
}

// The reader accepts no argselect line without a choice, so a heading
// alone is not written.
TEST_F(WriterUse, ArgselectHeadingWithoutChoicesIsNotWritten)
{
    UseRule(true);
    use->SetField("argselect", "Pick");
    EXPECT_EQ(Write(), "\t@@USE\r\n");
}

TEST_F(WriterUse, ExtensionFieldsAndListsFollowInMapOrder)
{
    use->fields.GetOrInsert("color")->Assign("red");
    use->SetComment("color", "#c");
    use->fields.GetOrInsert("size")->Assign("");
    AddEntry("drop", "gem\t1", "\t#d");
    AddEntry("drop", "");
    AddEntry("ung", "get\tx\ty\tz\tw");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\t\tget\tx\ty\tz\tw\r\n\t\tcolor\tred\t#c\r\n\t\tdrop\tgem\t1\t#d\r\n");
}

TEST_F(WriterUse, ScriptOutsideTheKeyListIsStillALocalBlock)
{
    use->fields.GetOrInsert("funci")->Assign("_local_\r\na");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tfunci\t_local_\r\n\t\t\ta\r\n\t\t_local_\r\n");
}

TEST_F(WriterUse, IncludeListLinesBehindTwoTabs)
{
    doc.RebuildKeyLists(false, true);
    AddEntry("@@include", "use.cgi", "\t#i");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\t@@include\tuse.cgi\t#i\r\n");
}

TEST_F(WriterUse, MissingListCommentsCountAsEmpty)
{
    use->lists.GetOrInsert("job")->Add()->Assign("smith\t1");
    use->lists.GetOrInsert("ung")->Add()->Assign("use\ta\t\t\t");
    EXPECT_EQ(Write(), "\t@@USE\r\n\t\tjob\tsmith\t1\r\n\t\t\tuse\ta\r\n");
}
