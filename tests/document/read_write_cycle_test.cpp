// Saving twice: the cases in which reading could otherwise let a file change
// again at every save (indentation of script blocks, blank script lines, the
// place of the end of the data, an unclosed skip, an empty first line).
#include <gtest/gtest.h>

#include <string>

#include "document/data_writer.h"
#include "document_test_helpers.h"

namespace {

// The text a saved file gives back when it is read in text mode.
std::string FromFile(const std::string& saved)
{
    std::string text;
    for (size_t i = 0; i < saved.size(); ++i) {
        if (!(saved[i] == '\r' && i + 1 < saved.size() && saved[i + 1] == '\n'))
            text += saved[i];
    }
    return text;
}

std::string Save(const std::string& text, dtest::Rule rule)
{
    dtest::Document doc(rule);
    EXPECT_EQ(doc.Parse(text), "");
    const CWriterText saved = CMerxWriter(doc).WriteDocument();
    return std::string(saved.GetBuffer(), saved.GetLength());
}

// The first save, after checking that saving what it gives back changes
// nothing.
std::string SaveTwice(const std::string& text, dtest::Rule rule = {})
{
    const std::string first = Save(text, rule);
    EXPECT_EQ(Save(FromFile(first), rule), first);
    return first;
}

} // namespace

TEST(ReadWriteCycle, UseScriptKeepsItsIndentation)
{
    EXPECT_EQ(SaveTwice("@@ITEM\n\tno\t1\n\t@@USE\n\t\tfunc\t_local_\n\t\t\ta;\n\t\t\t\tb;\n\t\t_local_\n"),
              "@@ITEM\r\n\tno\t1\r\n\t@@USE\r\n\t\tfunc\t_local_\r\n\t\t\ta;\r\n\t\t\t\tb;\r\n\t\t_local_\r\n"
              "@@DEFINE\r\n");
}

TEST(ReadWriteCycle, EventScriptKeepsItsIndentation)
{
    EXPECT_EQ(SaveTwice("@@EVENT\n\tcode\te\n\tfunc\t_local_(x)\n\t\ta;\n\t\t\tb;\n\t_local_\n"),
              "@@EVENT\r\n\tcode\te\r\n\tfunc\t_local_(x)\r\n\t\ta;\r\n\t\t\tb;\r\n\t_local_\r\n@@DEFINE\r\n");
}

TEST(ReadWriteCycle, BlankScriptLinesDoNotGrow)
{
    const std::string item = SaveTwice("@@ITEM\n\tno\t1\n\tfunct\t_local_\n\t\t\n\t\t\n\t_local_\n");
    EXPECT_EQ(item, "@@ITEM\r\n\tno\t1\r\n\tfunct\t_local_\r\n\t\t\r\n\t\t\r\n\t_local_\r\n@@DEFINE\r\n");
    SaveTwice("@@ITEM\n\tno\t1\n\t@@USE\n\t\tfunc\t_local_\n\t\t\t \n\t\t_local_\n");
    SaveTwice("@@EVENT\n\tcode\te\n\tendfunc\t_local_\n\t\t\t\t\n\t_local_\n");
}

TEST(ReadWriteCycle, TheDefinitionStaysBeforeTheEnd)
{
    EXPECT_EQ(SaveTwice("@@ITEM\n\tno\t1\n@@IF x\nfree\n@@END\n@@ITEM\nno 2\n"),
              "@@ITEM\r\n\tno\t1\r\n@@IF x\r\nfree\r\n@@DEFINE\r\n@@END\r\n@@ITEM\r\nno 2\r\n");
    EXPECT_EQ(SaveTwice("free\n@@end\n"), "free\r\n@@DEFINE\r\n@@end\r\n");
}

TEST(ReadWriteCycle, TheDefinitionStaysBeforeAnUnclosedSkip)
{
    EXPECT_EQ(SaveTwice("free\n@@SKIP\n@@ITEM\nno 2\n"), "free\r\n@@DEFINE\r\n@@SKIP\r\n@@ITEM\r\nno 2\r\n");
}

TEST(ReadWriteCycle, AnEmptyFirstLineHidesNothing)
{
    EXPECT_EQ(SaveTwice("\n"), "\r\n@@DEFINE\r\n");
    EXPECT_EQ(SaveTwice("\n@@ITEM\n\tname\tx\n\tno\t1\n"), "\r\n@@ITEM\r\n\tno\t1\r\n\tname\tx\r\n@@DEFINE\r\n");
}
