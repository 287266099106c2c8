// Elements, their copies and containers, and the key lists of the stable
// and beta rules.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>

#include "../map_keys.h"
#include "document_test_helpers.h"

using dtest::Field;
using dtest::Look;

// Only defined keys hold fields. A copy takes everything, in the same
// iteration order, and is a value of its own; the storage of a removed
// element comes back empty.
TEST(ElementModel, CopiesTakeFieldsCommentsUsesListsAndParameters)
{
    Citemstruct item;
    // Keys of several buckets, inserted out of bucket order.
    for (const char* key : {"b", "a", "price", "no", "funct", "@@include"})
        *item.fields.Add(key) = key;
    EXPECT_FALSE(item.SetField("bogus", "1"));
    EXPECT_EQ(item.GetField("bogus"), nullptr);
    item.SetComment("no", "# seven");
    Cusestruct* use = item.uses.Add();
    *use->fields.Add("name") = "drink";
    *use->comments.Add("") = "\t\t# note\r\n";
    *use->lists.Add("job")->Add() = "smith 10";
    use->listcomments.Add("job")->Add()->Assign("\t# job");

    Citemstruct copy;
    *copy.fields.Add("stale") = "x";
    copy.uses.Add();
    copy.uses.Add();
    copy = item;
    EXPECT_EQ(Keys(copy.fields), Keys(item.fields));
    EXPECT_STREQ(copy.GetComment("no"), "# seven");
    EXPECT_STREQ(copy.GetComment("name"), "");
    ASSERT_EQ(copy.uses.GetCount(), 1u);
    for (const auto& [key, value] : {std::pair{"name", "drink"}, std::pair{"#", "\t\t# note\r\n"},
                                     std::pair{"job[]", "smith 10|"}, std::pair{"#job[]", "\t# job|"}})
        EXPECT_EQ(Look(copy.uses[0], key), value) << key;
    copy.uses[0].GetList("job")->Add()->Assign("more");
    EXPECT_TRUE(copy.SetField("no", "8"));
    EXPECT_EQ(Look(item.uses[0], "job[]") + Field(item, "no"), "smith 10|no");
    // Keys and values that come after the copy stay with the element they went to.
    copy.SetComment("price", "# p");
    copy.uses[0].SetComment("name", "# n");
    item.SetComment("no", "# eight");
    EXPECT_EQ(std::tuple(item.comments.Lookup("price"), item.uses[0].comments.Lookup("name"),
                         std::string(copy.GetComment("no")), std::string(copy.GetComment("price"))),
              std::tuple(nullptr, nullptr, "# seven", "# p"));
    EXPECT_EQ(Citemstruct(item).uses.GetCount(), 1u);

    Ceventstruct event;
    event.params.Add()->Assign("a\t1");
    event.paramcomments.Add()->Assign("\t# p");
    EXPECT_EQ(Look(Ceventstruct(event), "param[]") + Look(Ceventstruct(event), "#param[]"), "a\t1|\t# p|");

    CMerxArray<Citemstruct> items;
    Citemstruct* first = items.Add();
    *first = item;
    items.RemoveAt(0);
    EXPECT_EQ(items.Add(), first);
    EXPECT_EQ(first->fields.GetCount() + first->uses.GetCount(), 0u);
}

namespace {

std::string KeyText(const CStrArray_base<64>& list)
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
// the item, use list and event lists, never the use fields. The extension
// keys of the rule are kept apart and stay.
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
    doc.AddItemExtensionKey("rare");
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    for (const Case& c : cases) {
        doc.RebuildKeyLists(c.beta, c.include);
        EXPECT_EQ(KeyText(doc.itemkeys), c.item);
        EXPECT_EQ(KeyText(doc.usekeys), c.use);
        EXPECT_EQ(KeyText(doc.uselistkeys), c.lists);
        EXPECT_EQ(KeyText(doc.eventkeys), c.event);
        EXPECT_EQ(KeyText(doc.itemextkeys) + "|" + KeyText(doc.usefieldextkeys) + "|" + KeyText(doc.uselistextkeys),
                  "rare|bonus|drops");
    }
}
