// The writer: texts kept with "\n" line ends, the walk over the
// arrangement, the function blocks of the function page's direct edit, and
// what the first writing of a text read makes of it (that the writer's text
// read back and written once more gives the same bytes, and that the reader
// finds nothing to report in it, is the reader fuzz target's check, over a
// seed of each of these texts).
#include <gtest/gtest.h>

#include <string>
#include <utility>

#include "document/block_split.h"
#include "document/function_keywords.h"
#include "document_test_helpers.h"

using dtest::Text;

// Other texts, the definition and function blocks go through the same
// line-feed conversion; what the writer writes of one element is what the
// document's text holds of it.
TEST(WriterDocument, TextsKeptWithLineFeeds)
{
    const std::pair<const char*, const char*> cases[] = {
        {"free\n\n  text \t\n", "free\r\n\r\n  text \t\r\n"},
        {"last line", "last line\r\n"},
        {"x\n  ", "x\r\n  \r\n"},
        {"a\n\n\n", "a\r\n\r\n\r\n"}, // only one final line feed is dropped
        {"", "\r\n"},
        {"a\x81\nb\x81\n", "a\x81\r\nb\x81\r\n"}, // a lead byte never takes a line feed
        {"a\x83\x83\x83", "a\x83\x83\x83\r\n"},
        {"a\rb\r\n", "a\rb\r\r\n"},
    };
    for (const auto& [text, written] : cases) {
        CMerxDocument doc;
        doc.InsertOther(0)->text.Assign(text);
        doc.definedata.text.Assign(text);
        doc.InsertIntoArrangement(1, &doc.definedata);
        Csinglestruct* function = doc.FindFunction("@@FUNCSHOPOUT");
        function->text.Assign(text);
        doc.InsertIntoArrangement(2, function);
        const std::string block = *text ? std::string("@@FUNCSHOPOUT\r\n") + written : ""; // empty: not written
        EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), std::string(written) + written + block) << text;
        EXPECT_EQ(Text(CMerxWriter(doc).WriteElement(*function)), block) << text;
    }
}

// The reader may put a function element into the arrangement twice (an
// empty block followed by one with text); written twice, the two blocks
// would be merged into one doubled text on the next reading. Uses are
// written by their items only, and the arrangement, not the containers,
// gives the order.
TEST(WriterDocument, TheArrangementGivesWhatIsWrittenOnce)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(false, false);
    Csinglestruct* init = doc.FindFunction("@@FUNCINIT");
    init->text.Assign("init\n");
    *doc.setdata.Add() = init;
    doc.InsertItem(0, 1)->fields.GetOrInsert("no")->Assign("1");
    Citemstruct* second = doc.InsertItem(1, 2);
    second->fields.GetOrInsert("no")->Assign("2");
    *doc.setdata.Add() = init;
    Cusestruct* use = second->uses.Add();
    use->fields.GetOrInsert("name")->Assign("u");
    *doc.setdata.Add() = use;
    doc.setdata.Exchange(1, 2);
    EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()),
              "@@FUNCINIT\r\ninit\r\n@@ITEM\r\n\tno\t2\r\n\t@@USE\r\n\t\tname\tu\r\n@@ITEM\r\n\tno\t1\r\n");
}

// The direct edit cuts the text into blocks and takes each block's text
// behind its keyword line: every text comes back unchanged (a last line
// gets its line feed), however many times the blocks are edited. The blocks
// need not stand in the arrangement; those without text are left out.
TEST(WriterFunctionBlocks, DirectEditGivesTheTextsBack)
{
    const char* texts[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                              "", "", "", "", "no line end", "\n"};
    CMerxDocument doc;
    EXPECT_EQ(Text(CMerxWriter(doc).WriteFunctionBlocks()), "");
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        doc.FindFunction(g_aszMerxFunctionKeywords[i])->text.Assign(texts[i]);

    const CWriterText written = CMerxWriter(doc).WriteFunctionBlocks();
    EXPECT_EQ(Text(written), "@@FUNCITEM\nsub a {\n}\n@@FUNCUPDATE\nu\n\n\n@@FUNCTURN\n\tturn\n"
                             "@@FUNCSALE\nno line end\n@@FUNCBUY\n\n");
    EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), "");
    CStrRegexHitList blocks;
    SplitDataBlocks(written, false, blocks);
    std::string read;
    for (const CStrRegexHitBufStruct& block : blocks) {
        const std::string text(written.GetBuffer() + block.offset, block.length);
        read += text.substr(0, text.find('\n')) + "=" + text.substr(text.find('\n') + 1) + "|";
    }
    EXPECT_EQ(read, "@@FUNCITEM=sub a {\n}\n|@@FUNCUPDATE=u\n\n\n|@@FUNCTURN=\tturn\n|@@FUNCSALE=no line end\n|@@FUNCBUY=\n|");
}

// How the first writing differs from the text that was read: the places
// where a file could otherwise change again at every save.
TEST(WriterRoundTrip, SecondCycleChangesNothing)
{
    struct Case {
        const char* name;
        std::string text;
        std::string written;
    };
    const Case cases[] = {
        // The definition the reader adds to a text without one; the function
        // elements it adds have no text and are not written.
        {"Empty", "", "@@DEFINE\r\n"},
        {"AnEmptyFirstLineHidesNothing", "\n", "\r\n@@DEFINE\r\n"},
        {"AnEmptyFirstLineBeforeAnItem", "\n@@ITEM\n\tname\tx\n\tno\t1\n",
         "\r\n@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n@@DEFINE\r\n"},
        {"FunctionBlocksOfOneKeywordAreMergedEmptyOnesDropped", "@@FUNCTURN # t\na\n@@FUNCNEW\n@@FUNCTURN\nb\n",
         "@@FUNCTURN\r\na\r\nb\r\n@@DEFINE\r\n"},
        {"TheDefinitionStaysBeforeTheEnd", "@@ITEM\n\tno\t1\n@@IF x\nfree\n@@END\n@@ITEM\nno 2\n@@FUNCITEM\nx",
         "@@ITEM\r\n\tno\t1\r\n@@IF x\r\nfree\r\n@@DEFINE\r\n@@END\r\n@@ITEM\r\nno 2\r\n@@FUNCITEM\r\nx\r\n"},
        {"TheDefinitionStaysBeforeAnUnclosedSkip", "free\n@@SKIP\n@@ITEM\nno 2\n",
         "free\r\n@@DEFINE\r\n@@SKIP\r\n@@ITEM\r\nno 2\r\n"},
        {"BlanksBeforeAnIndentedKeywordBecomeALineOfTheirOwn", "@@DEFINE\n  @@ITEM\n\tno 1\n",
         "@@DEFINE\r\n  \r\n@@ITEM\r\n\tno\t1\r\n"},
        {"CommentsOnEmptyFieldsStay",
         "@@DEFINE\n@@ITEM\n\tno\t1\n\tinfo\t\t# i\n\t@@USE\n\t\tname\tu\n\t\tinfo\t# u\n@@EVENT\n\tcode\te\n\tstartmsg\t# e\n",
         "@@DEFINE\r\n@@ITEM\r\n\tno\t1\r\n\tinfo\t\t# i\r\n\t@@USE\r\n\t\tname\tu\r\n\t\tinfo\t\t# u\r\n"
         "@@EVENT\r\n\tcode\te\r\n\tstartmsg\t\t# e\r\n"},
        {"IndentedKeywords", "text\n  @@ITEM\n\tno 1\n   @@EVENT\n\tcode e\n",
         "text\r\n  \r\n@@ITEM\r\n\tno\t1\r\n@@EVENT\r\n\tcode\te\r\n@@DEFINE\r\n"},
        // An empty script of an item keeps the comment of its first line
        // where it was, not in a line that reads as a script without a block.
        {"AnEmptyItemScriptKeepsItsCommentOnItsBlock", "@@DEFINE\n@@ITEM\n\tno\t1\n\tfunct\t_local_\t# c\n\t_local_\n",
         "@@DEFINE\r\n@@ITEM\r\n\tno\t1\r\n\tfunct\t_local_\t# c\r\n\t_local_\r\n"},
        // A carriage return that begins a script line is text, not
        // indentation: without it the line would read back as an item.
        {"AnEventScriptLineKeepsTheCarriageReturnInFrontOfAKeyword",
         "@@DEFINE\n@@EVENT\n\tcode\te\n\tfunc\t_local_\n\t\ta\n\r@@ITEM\n\t_local_\n",
         "@@DEFINE\r\n@@EVENT\r\n\tcode\te\r\n\tfunc\t_local_\r\n\t\ta\r\n\t\t\r@@ITEM\r\n\t_local_\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dtest::Document doc;
        EXPECT_EQ(doc.Parse(c.text), "");
        EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), c.written);
    }
}
