// The whole document as data text: texts kept with "\n" line ends, the
// walk over the arrangement, and the function blocks of the function page's
// direct edit.
#include <gtest/gtest.h>

#include <string>

#include "document/block_split.h"
#include "document/function_keywords.h"
#include "document_test_helpers.h"

using dtest::Text;

namespace {

Cotherstruct* AddOther(CMerxDocument& doc, const char* text)
{
    Cotherstruct* other = doc.otherdata.Add();
    other->text.Assign(text);
    *doc.setdata.Add() = other;
    return other;
}

Citemstruct* AddItem(CMerxDocument& doc, const char* no)
{
    Citemstruct* item = doc.itemdata.Add();
    item->fields.GetOrInsert("no")->Assign(no);
    *doc.setdata.Add() = item;
    return item;
}

} // namespace

TEST(WriterDocument, TextsKeptWithLineFeeds)
{
    struct Case {
        char kind; // O other text, D definition, F function block @@FUNCSHOPOUT
        const char* text;
        const char* written;
    };
    const Case cases[] = {
        {'O', "free\n\n  text \t\n", "free\r\n\r\n  text \t\r\n"},
        {'O', "last line", "last line\r\n"},
        {'O', "x\n  ", "x\r\n  \r\n"},
        {'O', "a\n\n\n", "a\r\n\r\n\r\n"}, // only one final line feed is dropped
        {'O', "", "\r\n"},
        {'O', "a\x81\nb\n", "a\x81\nb\r\n"}, // a line feed as second byte is no line end
        {'O', "a\x83\n", "a\x83\n\r\n"},
        {'O', "a\x83\x83\n", "a\x83\x83\r\n"}, // after an even run of lead bytes it is one
        {'O', "a\rb\r\n", "a\rb\r\r\n"},
        {'D', "@@DEFINE  # types\n type1 sword\n\njob smith \x92\x62\x96\xe8\nset job_smith_time_rate 2\n",
         "@@DEFINE  # types\r\n type1 sword\r\n\r\njob smith \x92\x62\x96\xe8\r\nset job_smith_time_rate 2\r\n"},
        {'D', "@@DEFINE\n", "@@DEFINE\r\n"},
        {'F', "sub x {\n\treturn 1;\n}\n\n", "@@FUNCSHOPOUT\r\nsub x {\r\n\treturn 1;\r\n}\r\n\r\n"},
        {'F', "a", "@@FUNCSHOPOUT\r\na\r\n"},
        {'F', "", ""}, // an empty function block is not written
    };
    for (const Case& c : cases) {
        CMerxDocument doc;
        if (c.kind == 'O') {
            AddOther(doc, c.text);
        } else if (c.kind == 'D') {
            doc.definedata.text.Assign(c.text);
            *doc.setdata.Add() = &doc.definedata;
        } else {
            doc.FindFunction("@@FUNCSHOPOUT")->text.Assign(c.text);
            *doc.setdata.Add() = doc.FindFunction("@@FUNCSHOPOUT");
        }
        EXPECT_EQ(Text(CMerxWriter(doc).WriteDocument()), c.written) << c.kind << c.text;
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
    AddItem(doc, "1");
    Citemstruct* second = AddItem(doc, "2");
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
    const char* edited[MERX_FUNCTION_COUNT] = {"sub a {\n}\n", "", "u\n\n\n", "", "", "\tturn\n",
                                               "", "", "", "", "no line end\n", "\n"};
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
    std::string read[MERX_FUNCTION_COUNT];
    for (const CStrRegexHitBufStruct& block : blocks) {
        const std::string text(written.GetBuffer() + block.offset, block.length);
        const size_t lineEnd = text.find('\n');
        for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i) {
            if (lineEnd != std::string::npos && text.compare(0, lineEnd, g_aszMerxFunctionKeywords[i]) == 0)
                read[i] = text.substr(lineEnd + 1);
        }
    }
    for (uint32_t i = 0; i < MERX_FUNCTION_COUNT; ++i)
        EXPECT_EQ(read[i], edited[i]) << g_aszMerxFunctionKeywords[i];
}
