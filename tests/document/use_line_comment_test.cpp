// The comment behind a use entry's "@@USE" line: kept on the entry, written
// back on that line (read back there: the reader fuzz target's check, over
// a seed of each row).
#include <gtest/gtest.h>

#include <string>

#include "document_test_helpers.h"

using dtest::Document;

namespace {

const char* UseLineComment(const Citemstruct& item, uint32_t use)
{
    return item.uses[use].GetComment(kUseLineCommentKey);
}

} // namespace

TEST(UseLineComment, KeptAndWrittenOnItsLine)
{
    struct Case {
        const char* line;
        const char* comment;
        std::string messages;
        const char* written;
    };
    const Case cases[] = {
        {SJ("\t@@USE\t# 炉が必要"), SJ("# 炉が必要"), "", SJ("\t@@USE\t# 炉が必要\r\n")},
        {"  @@use # c  ", "# c  ", "", "\t@@USE\t# c  \r\n"},
        {"\t@@USE\t#", "#", "", "\t@@USE\t#\r\n"},
        // What else stands on the line has no place in the entry.
        {"\t@@USE\tx  y", "", SJ("[2]：@@USE：\"x  y\"を解析できません。\n"), "\t@@USE\r\n"},
        // "#" is never a second byte.
        {"\t@@USE\t\x81#", "#", std::string(SJ("[2]：@@USE：\"")) + "\x81" + SJ("\"を解析できません。\n"),
         "\t@@USE\t#\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line);
        Document doc;
        EXPECT_EQ(doc.Parse(std::string("@@ITEM\n") + c.line + "\n\t\tname\tu\n"), c.messages);
        ASSERT_EQ(doc.itemdata.GetCount(), 1u);
        EXPECT_STREQ(UseLineComment(doc.itemdata[0], 0), c.comment);
        EXPECT_EQ(dtest::Text(CMerxWriter(doc).WriteDocument()), std::string("@@ITEM\r\n") + c.written + "\t\tname\tu\r\n@@DEFINE\r\n");
    }
}
