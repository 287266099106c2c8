// The save's writer: what did not change is written as it was read, a
// changed element keeps the lines that did not change, and what it writes
// reads back as the document.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "document/element_compare.h"
#include "document/kept_writer.h"
#include "../changed_lines.h"
#include "document_test_helpers.h"

using dtest::Text;

namespace {

// The text a save writes of `doc`.
std::string Saved(const CMerxDocument& doc) { return Text(CKeptWriter(doc).WriteDocument()); }

// The formatter's text of the document read from `text`.
std::string Formatted(const std::string& text)
{
    dtest::Document doc;
    doc.Parse(text);
    return Text(CMerxWriter(doc).WriteDocument());
}

// The changed lines of `a` and `b` ("\n" lines), one "-line" or "+line" a
// line.
std::string Changes(const std::string& a, const std::string& b)
{
    std::string out;
    for (const std::string& line : ChangedLines(a, b, "\n"))
        out += line + "\n";
    return out;
}

} // namespace

// Read and saved without edits, a text comes back as it was (the kept-save
// fuzz target's check, over seeds of odd layouts, uses, reported lines and
// function blocks), apart from a last line end that was missing and a
// definition the file did not have.
TEST(KeptWriter, UnchangedTextsComeBackWithWhatTheyLacked)
{
    const struct {
        const char* name;
        std::string text;
        std::string saved;
    } cases[] = {
        {"no definition", "@@ITEM\nname a\n", "@@ITEM\nname a\n@@DEFINE\n"},
        {"no last line end", "@@DEFINE\n@@ITEM\nname a", "@@DEFINE\n@@ITEM\nname a\n"},
        {"unknown function blocks, a keyword line last", "@@DEFINE\n@@funcitem\nsub a {}\n@@ITEM\nname a\n@@FUNCNEW",
         "@@DEFINE\n@@funcitem\nsub a {}\n@@ITEM\nname a\n@@FUNCNEW\n"},
    };
    for (const auto& c : cases) {
        dtest::Document doc({.beta = true});
        doc.Parse(c.text);
        EXPECT_EQ(Saved(doc), c.saved) << c.name;
    }
}

// What an element holds decides: an apply that changed nothing, a copy put
// back, a move leave its text as it was read. What the arrangement page and
// the find window show of an element is what the save writes of it.
TEST(KeptWriter, ContentDecidesWhatChanged)
{
    const std::string text = "@@DEFINE\n@@ITEM\n  name   A  # a\n  no 1\n\n# between\n@@ITEM\n\tname\tB\n";
    dtest::Document doc;
    doc.Parse(text);
    EXPECT_EQ(Text(CKeptWriter(doc).WriteElement(doc.itemdata[0])), "@@ITEM\r\n  name   A  # a\r\n  no 1\r\n");
    Citemstruct& first = doc.itemdata[0];
    const Citemstruct copy(first);
    first.SetField("name", "changed");
    first = copy; // back as it was
    EXPECT_EQ(Saved(doc), text);
    doc.ExchangeItems(0, 1);
    // The section header between them stays in its place.
    EXPECT_EQ(Saved(doc), "@@DEFINE\n@@ITEM\n\tname\tB\n\n# between\n@@ITEM\n  name   A  # a\n  no 1\n");
    // A copy has no kept text: it is written in the writer's layout.
    Citemstruct* added = doc.InsertItem(2, doc.setdata.GetCount());
    *added = copy;
    EXPECT_TRUE(added->GetKeptSpan().IsEmpty());
    EXPECT_EQ(Saved(doc).substr(Saved(doc).rfind("@@ITEM")), "@@ITEM\n\tno\t1\n\tname\tA\t# a\n");
}

// A changed element keeps every line whose content did not change; the
// line of a changed field is written in the game's layout with the
// element's own indentation, a new one goes where the writer puts it, a
// removed one goes.
TEST(KeptWriter, ChangedElementsKeepTheirOtherLines)
{
    const std::string text = "@@DEFINE\n@@ITEM # kw\n  no    1\n  name  A   # the name\n\n  price 10\n"
                             "  @@USE\n    name  u\n    use  a  1\n    use  b  2  # two\n    job  x\n"
                             "# place\n";
    const struct {
        const char* name;
        void (*edit)(Citemstruct&);
        std::string changed;
    } cases[] = {
        {"a value", [](Citemstruct& i) { i.SetField("price", "20"); }, "-  price 10\n+  price\t20\n"},
        {"a comment", [](Citemstruct& i) { i.SetComment("name", "# renamed"); },
         "-  name  A   # the name\n+  name\tA\t# renamed\n"},
        {"a new field", [](Citemstruct& i) { i.SetField("code", "c1"); }, "+  code\tc1\n"},
        {"a removed field", [](Citemstruct& i) { i.SetField("price", ""); }, "-  price 10\n"},
        {"a use field", [](Citemstruct& i) { i.uses[0].SetField("name", "v"); }, "-    name  u\n+    name\tv\n"},
        // The comment of a "@@USE" line is what the use holds.
        {"a use line comment", [](Citemstruct& i) { i.uses[0].SetComment(kUseLineCommentKey, "# new"); },
         "-  @@USE\n+  @@USE\t# new\n"},
        {"one list line of two", [](Citemstruct& i) { i.uses[0].GetList("ung")->GetAt(0)->Assign("use\tc\t1\t\t"); },
         "-    use  a  1\n+    use\tc\t1\n"},
        {"a list line added",
         [](Citemstruct& i) {
             i.uses[0].GetList("job")->Add()->Assign("y");
             i.uses[0].GetListComments("job")->Add();
         },
         "+    job\ty\n"},
    };
    for (const auto& c : cases) {
        dtest::Document doc;
        doc.Parse(text);
        c.edit(doc.itemdata[0]);
        const std::string saved = Saved(doc);
        EXPECT_EQ(Changes(text, saved), c.changed) << c.name << "\n" << saved;
        EXPECT_EQ(Formatted(saved), Text(CMerxWriter(doc).WriteDocument())) << c.name;
    }
}

// Function blocks of one keyword stand each in its place while the merged
// block is unchanged; edited, it is written whole at the first place under
// the first block's keyword line.
TEST(KeptWriter, FunctionBlocksOfOneKeyword)
{
    const std::string text = "@@FUNCITEM # one\na\n@@DEFINE\n@@ITEM\nname x\n@@FUNCITEM\nb\n@@IF 1\n";
    dtest::Document doc;
    doc.Parse(text);
    EXPECT_EQ(Saved(doc), text);
    doc.FindFunction("@@FUNCITEM")->text.Assign("a\nb\nc\n");
    EXPECT_EQ(Saved(doc), "@@FUNCITEM # one\na\nb\nc\n@@DEFINE\n@@ITEM\nname x\n@@IF 1\n");

    // The element the second block followed is gone: the block joins the first.
    doc.Parse(text);
    ASSERT_TRUE(doc.RemoveElement(&doc.itemdata[0]));
    EXPECT_EQ(Saved(doc), "@@FUNCITEM # one\na\nb\n@@DEFINE\n@@IF 1\n");
}

// The content hash the reader keeps tells the save which elements did not
// change: the same content gives the same hash, whatever order the keys
// came in; a change anywhere gives another.
TEST(KeptWriter, ContentHashFollowsContent)
{
    dtest::Document doc({.beta = true});
    doc.Parse("@@DEFINE\n@@ITEM\nno 1\nname a # c\n@@USE\nname u\nuse a 1\njob x\n@@EVENT\ncode e\nparam p 1\n");
    const Citemstruct& item = doc.itemdata[0];
    const Ceventstruct& event = doc.eventdata[0];
    EXPECT_EQ(item.GetKeptSpan().content, ContentHash(item));
    EXPECT_EQ(event.GetKeptSpan().content, ContentHash(event));

    Citemstruct reordered;
    reordered.SetComment("name", "# c"); // comments and fields in another order
    reordered.fields.GetOrInsert("name")->Assign("a");
    reordered.fields.GetOrInsert("no")->Assign("1");
    reordered.fields.GetOrInsert("price"); // empty: not given
    *reordered.uses.Add() = item.uses[0];
    EXPECT_EQ(ContentHash(reordered), ContentHash(item));

    const std::function<void(Citemstruct&)> itemEdits[] = {
        [](Citemstruct& i) { i.SetField("name", "b"); },
        [](Citemstruct& i) { i.SetComment("name", "# d"); },
        [](Citemstruct& i) { i.SetComment("no", "# c"); },
        [](Citemstruct& i) { i.uses[0].SetField("name", "v"); },
        [](Citemstruct& i) { i.uses[0].GetList("job")->GetAt(0)->Assign("y"); },
        [](Citemstruct& i) { i.uses[0].GetListComments("job")->GetAt(0)->Assign("\t# j"); },
        [](Citemstruct& i) { i.uses.Add(); },
    };
    for (const auto& edit : itemEdits) {
        Citemstruct changed(item);
        edit(changed);
        EXPECT_NE(ContentHash(changed), ContentHash(item));
        EXPECT_FALSE(SameContent(changed, item));
    }
    Ceventstruct changed(event);
    changed.params.GetAt(0)->Assign("p 2");
    EXPECT_NE(ContentHash(changed), ContentHash(event));
}

// Two items exchanged: each text that cannot stand in its new place the way
// it was read gives way, and the document reads back as it stands.
//   - Blank lines that end an item stay its own until it moves in front of
//     a section header, whose blank line they would join: there they are
//     left out.
//   - A script left open at the end of the data whose last line holds only
//     white space: in front of a section header that line would join the
//     header; the item is written in the writer's layout, which closes it.
//   - A later function block follows the element it stood behind; in front
//     of a section header it would take the header's lines: the function
//     is written whole at its first place.
//   - The blanks in front of the next keyword end an item's text; at the
//     end of the file the line end behind them would make them a line of a
//     script left open: the item is written in the writer's layout.
TEST(KeptWriter, TextsGiveWayWhereTheyCannotStandInTheirNewPlace)
{
    const struct {
        const char* name;
        std::string text;
        std::string saved;              // the whole saved text; empty: see `holds`
        std::vector<std::string> holds; // pieces the saved text holds
    } cases[] = {
        {"blank lines in front of a section header",
         "@@DEFINE\n@@ITEM\n\tname\tA\n\n# head\n@@ITEM\n\tname\tB\n\n \n  @@ITEM\n\tname\tC\n",
         "@@DEFINE\n@@ITEM\n\tname\tB\n\n# head\n@@ITEM\n\tname\tA\n@@ITEM\n\tname\tC\n", {}},
        {"an open script's blank last line in front of a section header",
         "@@DEFINE\n@@ITEM\n\tname\tA\n\n# head\n@@ITEM\n\tname\tB\n\tfunct\t_local_\n\t\tx;\n\t\t\t\t", "",
         {"\t_local_\n\n# head\n", "@@ITEM\n\tname\tA\n"}},
        {"a function block in front of a section header",
         "@@DEFINE\n@@FUNCITEM\na\n@@ITEM\n name  A\n@@FUNCITEM\nb\n@@ITEM\n name  B\n\n# head\n@@ITEM\n name  C\n",
         "@@DEFINE\n@@FUNCITEM\na\nb\n@@ITEM\n name  B\n@@ITEM\n name  A\n\n# head\n@@ITEM\n name  C\n", {}},
        {"blanks in front of a keyword at the end of the file",
         "@@DEFINE\n@@ITEM\n\tname\tA\n\tfunct\t_local_\n\t\tx;\n \t@@ITEM\n\tname\tB\n", "",
         {"@@DEFINE\n@@ITEM\n\tname\tB\n"}},
    };
    for (const auto& c : cases) {
        dtest::Document doc;
        doc.Parse(c.text);
        if (c.text.back() == '\n') {
            ASSERT_EQ(Saved(doc), c.text) << c.name;
        }
        doc.ExchangeItems(0, 1);
        const std::string saved = Saved(doc);
        dtest::Document back;
        back.Parse(saved);
        EXPECT_EQ(dtest::ElementTexts(back), dtest::ElementTexts(doc)) << c.name << "\n" << saved;
        if (!c.saved.empty()) {
            EXPECT_EQ(saved, c.saved) << c.name;
        }
        for (const std::string& piece : c.holds)
            EXPECT_NE(saved.find(piece), std::string::npos) << c.name << ": " << piece << "\n" << saved;
    }
}

// A removed field may leave blank and comment lines at the end of an
// item, which the file would read as a section header of their own: the
// item is then written in the writer's layout and keeps its comment.
TEST(KeptWriter, ARemovedLastFieldLeavesNoSectionHeaderBehind)
{
    const std::string text = "@@DEFINE\n@@ITEM\n\tname\tA\n\n\tinfo\tx\n\t# c\n@@ITEM\n\tname\tB\n";
    dtest::Document doc;
    doc.Parse(text);
    ASSERT_EQ(Saved(doc), text);
    doc.itemdata[0].SetField("info", "");
    const std::string saved = Saved(doc);
    dtest::Document back;
    back.Parse(saved);
    EXPECT_EQ(dtest::ElementTexts(back), dtest::ElementTexts(doc)) << saved;
    EXPECT_EQ(std::string(back.itemdata[0].GetComment("")), "\t# c\r\n") << saved;
}

// What no layout can write (a value whose line reads as a keyword) is
// written as the formatter writes it; every other element keeps its text.
TEST(KeptWriter, WhatNoLayoutCanWriteLeavesTheOtherElementsAlone)
{
    const std::string text = "@@DEFINE\n@@ITEM\n name  A\n@@ITEM\n name  B\n";
    dtest::Document doc;
    doc.Parse(text);
    doc.itemdata[0].SetField("info", "x\r\n@@EVENT");
    const std::string saved = Saved(doc);
    EXPECT_NE(saved.find("@@ITEM\n name  B\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("\tinfo\tx\n@@EVENT"), std::string::npos) << saved;
}
