// Elements, their copies and containers, and the document's arrangement
// operations.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/function_keywords.h"
#include "document/map_copy.h"
#include "document_test_helpers.h"

using dtest::Field;
using dtest::List;

namespace {

std::vector<std::string> MapKeys(const CMerxFieldMap& map)
{
    std::vector<std::string> out;
    for (auto [key, value] : map)
        out.emplace_back(key);
    return out;
}

Cusestruct MakeUse()
{
    Cusestruct use;
    *use.fields.Add("name") = "drink";
    *use.comments.Add("") = "\t\t# note\r\n";
    *use.lists.Add("job")->Add() = "smith 10";
    use.listcomments.Add("job")->Add()->Assign("\t# job");
    return use;
}

} // namespace

TEST(ElementModel, EachClassCarriesItsKind)
{
    EXPECT_EQ(Citemstruct().GetKind(), CMERX_TYPE_ITEM);
    EXPECT_EQ(Cusestruct().GetKind(), CMERX_TYPE_USE);
    EXPECT_EQ(Ceventstruct().GetKind(), CMERX_TYPE_EVENT);
    EXPECT_EQ(Csinglestruct().GetKind(), CMERX_TYPE_SINGLE);
    EXPECT_EQ(Cotherstruct().GetKind(), CMERX_TYPE_OTHER);
    EXPECT_EQ(Cdefinestruct().GetKind(), CMERX_TYPE_DEFINE);
    EXPECT_EQ(CMERX_TYPE_ITEM, 1);
    EXPECT_EQ(CMERX_TYPE_DEFINE, 6);
}

TEST(ElementModel, FieldsOfUndefinedKeysCannotBeSet)
{
    Citemstruct item;
    *item.fields.Add("price") = "";
    EXPECT_TRUE(item.SetField("price", "100"));
    EXPECT_FALSE(item.SetField("bogus", "1"));
    EXPECT_EQ(Field(item, "price"), "100");
    EXPECT_EQ(item.GetField("bogus"), nullptr);
    // Comments exist only where a line had one.
    EXPECT_STREQ(item.GetComment("price"), "");
    item.SetComment("price", "# cheap");
    EXPECT_STREQ(item.GetComment("price"), "# cheap");
}

TEST(ElementModel, ItemCopyTakesFieldsCommentsAndUsesWithTheirLists)
{
    Citemstruct item;
    *item.fields.Add("no") = "7";
    *item.comments.Add("no") = "# seven";
    *item.uses.Add() = MakeUse();

    Citemstruct copy;
    *copy.fields.Add("stale") = "x";
    *copy.uses.Add() = MakeUse();
    *copy.uses.Add() = MakeUse();
    copy = item;
    EXPECT_EQ(MapKeys(copy.fields), (std::vector<std::string>{"no"}));
    EXPECT_STREQ(copy.GetComment("no"), "# seven");
    ASSERT_EQ(copy.uses.GetCount(), 1u);
    EXPECT_EQ(Field(copy.uses[0], "name"), "drink");
    EXPECT_STREQ(copy.uses[0].GetComment(""), "\t\t# note\r\n");
    EXPECT_EQ(List(copy.uses[0].GetList("job")), (std::vector<std::string>{"smith 10"}));
    EXPECT_EQ(List(copy.uses[0].GetListComments("job")), (std::vector<std::string>{"\t# job"}));

    // The copy is a value of its own.
    copy.uses[0].GetList("job")->Add()->Assign("more");
    copy.SetField("no", "8");
    EXPECT_EQ(item.uses[0].GetList("job")->GetCount(), 1u);
    EXPECT_EQ(Field(item, "no"), "7");

    const Citemstruct constructed(item);
    EXPECT_EQ(constructed.GetKind(), CMERX_TYPE_ITEM);
    EXPECT_EQ(Field(constructed, "no"), "7");
    EXPECT_EQ(constructed.uses.GetCount(), 1u);
}

TEST(ElementModel, EventCopyTakesParametersAndTheirComments)
{
    Ceventstruct event;
    *event.fields.Add("code") = "rain";
    event.params.Add()->Assign("a\t1");
    event.paramcomments.Add()->Assign("\t# p");
    Ceventstruct copy(event);
    EXPECT_EQ(Field(copy, "code"), "rain");
    EXPECT_EQ(List(&copy.params), (std::vector<std::string>{"a\t1"}));
    EXPECT_EQ(List(&copy.paramcomments), (std::vector<std::string>{"\t# p"}));
}

TEST(ElementModel, MapCopyKeepsTheIterationOrder)
{
    // Keys of several buckets, inserted out of bucket order ("b" lies in
    // bucket 2, "a" in bucket 1).
    CMerxFieldMap map;
    for (const char* key : {"b", "a", "price", "no", "funct", "@@include"})
        *map.Add(key) = key;
    CMerxFieldMap copy;
    CopyFieldMap(copy, map);
    EXPECT_EQ(MapKeys(copy), MapKeys(map));
    EXPECT_EQ(MapKeys(copy).size(), 6u);
}

TEST(ElementModel, ARemovedElementComesBackEmpty)
{
    CMerxArray<Citemstruct> items;
    Citemstruct* first = items.Add();
    *first->fields.Add("no") = "1";
    first->uses.Add();
    items.RemoveAt(0);
    Citemstruct* again = items.Add();
    EXPECT_EQ(again, first); // the storage is reused ...
    EXPECT_EQ(again->fields.GetCount(), 0u); // ... but the element is empty
    EXPECT_EQ(again->uses.GetCount(), 0u);
}

TEST(Document, ClearLeavesTheTwelveEmptyFunctionBlocksOutsideTheArrangement)
{
    dtest::Document doc;
    doc.Parse("@@ITEM\n\tno\t1\n@@FUNCITEM\nsub a {}\n");
    doc.Clear();
    EXPECT_EQ(doc.setdata.GetCount(), 0u);
    EXPECT_EQ(doc.itemdata.GetCount(), 0u);
    EXPECT_EQ(doc.singledata.GetCount(), MERX_FUNCTION_COUNT);
    for (const char* keyword : g_aszMerxFunctionKeywords) {
        Csinglestruct* function = doc.FindFunction(keyword);
        ASSERT_NE(function, nullptr) << keyword;
        EXPECT_EQ(function->keyword, keyword);
        EXPECT_TRUE(function->text.IsEmpty());
    }
    // Keywords are looked up byte for byte.
    EXPECT_EQ(doc.FindFunction("@@funcitem"), nullptr);
    EXPECT_TRUE(doc.definedata.text.IsEmpty());
}

TEST(Document, EndPositionIsTheFirstOtherTextThatBeginsWithEnd)
{
    CMerxDocument doc;
    Cotherstruct* free = doc.otherdata.Add();
    free->text = "free\n@@END\n";
    Cotherstruct* end = doc.otherdata.Add();
    end->text = "\n\t @@End\nrest\n";
    *doc.setdata.Add() = free;
    *doc.setdata.Add() = &doc.definedata;
    EXPECT_EQ(doc.FindEndPosition(), 2u); // none: the length
    *doc.setdata.Add() = end;
    EXPECT_EQ(doc.FindEndPosition(), 2u);

    EXPECT_TRUE(CMerxDocument::IsEndText("@@END"));
    EXPECT_TRUE(CMerxDocument::IsEndText("@@end\n"));
    EXPECT_TRUE(CMerxDocument::IsEndText("\n\n  \t@@ENDX"));
    EXPECT_FALSE(CMerxDocument::IsEndText("@@ENDSKIP\n"));
    EXPECT_FALSE(CMerxDocument::IsEndText("@@EndSkip\n"));
    EXPECT_FALSE(CMerxDocument::IsEndText("x @@END"));
    EXPECT_FALSE(CMerxDocument::IsEndText("\r\n@@END"));
    EXPECT_FALSE(CMerxDocument::IsEndText("@@EN"));
}

TEST(Document, InsertAndRemoveInTheArrangement)
{
    CMerxDocument doc;
    Citemstruct* a = doc.itemdata.Add();
    Citemstruct* b = doc.itemdata.Add();
    Ceventstruct* e = doc.eventdata.Add();
    *doc.setdata.Add() = a;
    *doc.setdata.Add() = b;
    doc.InsertIntoArrangement(1, e);
    doc.InsertIntoArrangement(3, &doc.definedata);
    doc.InsertIntoArrangement(0, doc.FindFunction("@@FUNCBUY"));
    EXPECT_EQ(dtest::Arrangement(doc), "FIEID");
    EXPECT_EQ(doc.FindInArrangement(e), 2);
    EXPECT_EQ(doc.FindInArrangement(doc.FindFunction("@@FUNCNEW")), -1);

    EXPECT_TRUE(doc.RemoveElement(e));
    EXPECT_EQ(doc.eventdata.GetCount(), 0u);
    EXPECT_EQ(dtest::Arrangement(doc), "FIID");
    EXPECT_TRUE(doc.RemoveElement(a));
    EXPECT_EQ(doc.itemdata.GetCount(), 1u);
    EXPECT_EQ(doc.itemdata.GetAt(0), b);
    EXPECT_EQ(dtest::Arrangement(doc), "FID");
    // The definition and the function blocks are not removable.
    EXPECT_FALSE(doc.RemoveElement(&doc.definedata));
    EXPECT_FALSE(doc.RemoveElement(doc.FindFunction("@@FUNCBUY")));
    EXPECT_EQ(dtest::Arrangement(doc), "FID");
}

TEST(Document, ItemNumberLookUpComparesBytes)
{
    dtest::Document doc;
    doc.Parse(SJ("@@ITEM\n\tno\t01\n\tname\t剣\n@@ITEM\n\tno\t1\n\tname\t盾\n@@ITEM\n\tno\t1\n\tname\t弓\n"));
    ASSERT_NE(doc.FindItemNameByNo("1"), nullptr);
    EXPECT_EQ(*doc.FindItemNameByNo("1"), SJ("盾")); // the first item with that number
    EXPECT_EQ(*doc.FindItemNameByNo("01"), SJ("剣"));
    EXPECT_EQ(doc.FindItemNameByNo("001"), nullptr);
    EXPECT_EQ(doc.FindItemNameByNo(""), nullptr);
}
