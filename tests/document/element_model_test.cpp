// Elements, their copies and containers, the document's arrangement
// operations, and the key lists of the stable and beta rules.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "document/function_keywords.h"
#include "document/map_copy.h"
#include "document_test_helpers.h"

using dtest::Field;
using dtest::Look;

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

TEST(ElementModel, CopiesTakeFieldsCommentsUsesListsAndParameters)
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
    const std::pair<const char*, const char*> useHolds[] = {
        {"name", "drink"}, {"#", "\t\t# note\r\n"}, {"job[]", "smith 10|"}, {"#job[]", "\t# job|"}};
    for (const auto& [key, value] : useHolds)
        EXPECT_EQ(Look(copy.uses[0], key), value) << key;

    // The copy is a value of its own.
    copy.uses[0].GetList("job")->Add()->Assign("more");
    copy.SetField("no", "8");
    EXPECT_EQ(Look(item.uses[0], "job[]"), "smith 10|");
    EXPECT_EQ(Field(item, "no"), "7");

    const Citemstruct constructed(item);
    EXPECT_EQ(constructed.GetKind(), CMERX_TYPE_ITEM);
    EXPECT_EQ(Field(constructed, "no"), "7");
    EXPECT_EQ(constructed.uses.GetCount(), 1u);

    Ceventstruct event;
    *event.fields.Add("code") = "rain";
    event.params.Add()->Assign("a\t1");
    event.paramcomments.Add()->Assign("\t# p");
    const Ceventstruct eventCopy(event);
    EXPECT_EQ(Field(eventCopy, "code"), "rain");
    EXPECT_EQ(Look(eventCopy, "param[]"), "a\t1|");
    EXPECT_EQ(Look(eventCopy, "#param[]"), "\t# p|");
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

    // The end in any case after tabs, blanks and line feeds, never @@ENDSKIP;
    // an unclosed skip ends the data too.
    const std::pair<const char*, bool> texts[] = {
        {"@@END", true},         {"@@end\n", true},         {"\n\n  \t@@ENDX", true}, {"@@ENDSKIP\n", false},
        {"@@EndSkip\n", false}, {"x @@END", false},        {"\r\n@@END", false},    {"@@EN", false},
        {"@@skip\n@@ITEM\n", true}, {"@@SKIP\n@@ITEM\n@@endskip\nx\n", false}};
    for (const auto& [text, end] : texts)
        EXPECT_EQ(CMerxDocument::IsEndText(text), end) << text;
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

namespace {

std::string Keys(const CStrArray_base<64>& list)
{
    std::string out;
    for (const CMerxString& key : list)
        out += std::string(out.empty() ? "" : " ") + key.GetBuffer();
    return out;
}

} // namespace

// Each rebuild replaces the lists of the one before. funct lands before base
// in the stable item list and before funcs in the beta list; argselect is a
// use field behind info and a use list under a beta rule; @@include ends
// the item, use list and event lists, never the use fields.
TEST(KeyLists, StableAndBetaWithAndWithoutIncludes)
{
    const std::string stableItem = "no type code name info price cost limit pop scale plus funct base point";
    const std::string betaItem = "no type code name info price cost limit pop scale plus base point flag funct funcs funcb";
    const std::string stableUse = "name price time exptime exp scale action arg argmessage info okmsg ngmsg needexp "
                                  "param func funcb";
    const std::string betaUse = "name price time exptime exp scale action arg argmessage info argselect okmsg ngmsg "
                                "needexp param func funcb funci";
    const std::string event = "start basetime plustime code group startmsg endmsg info startfunc endfunc func";
    struct Case {
        bool beta;
        bool include;
        std::string item, use, lists, event;
    };
    const Case cases[] = {
        {true, true, betaItem + " @@include", betaUse, "job ung argselect @@include", event + " @@include"},
        {false, false, stableItem, stableUse, "job ung", event},
        {true, false, betaItem, betaUse, "job ung argselect", event},
        {false, true, stableItem + " @@include", stableUse, "job ung @@include", event + " @@include"},
    };
    CMerxDocument doc;
    for (const Case& c : cases) {
        doc.RebuildKeyLists(c.beta, c.include);
        EXPECT_EQ(doc.IsBeta(), c.beta);
        EXPECT_EQ(doc.IsIncludeAsElement(), c.include);
        EXPECT_EQ(Keys(doc.itemkeys), c.item);
        EXPECT_EQ(Keys(doc.usekeys), c.use);
        EXPECT_EQ(Keys(doc.uselistkeys), c.lists);
        EXPECT_EQ(Keys(doc.eventkeys), c.event);
    }
}

TEST(KeyLists, ExtensionKeysAreKeptApartFromTheStandardKeys)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(false, false);
    doc.AddItemExtensionKey("rare");
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    EXPECT_EQ(Keys(doc.itemextkeys), "rare");
    EXPECT_EQ(Keys(doc.usefieldextkeys), "bonus");
    EXPECT_EQ(Keys(doc.uselistextkeys), "drops");
    EXPECT_EQ(doc.itemkeys.GetCount(), 14u);
    // A rebuild of the key lists leaves the extension keys of the rule alone.
    doc.RebuildKeyLists(true, false);
    EXPECT_EQ(doc.itemextkeys.GetCount(), 1u);
    doc.ClearExtensionKeys();
    EXPECT_EQ(doc.itemextkeys.GetCount() + doc.usefieldextkeys.GetCount() + doc.uselistextkeys.GetCount(), 0u);
}
