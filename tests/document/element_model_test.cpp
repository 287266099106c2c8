// Elements, their copies and containers.
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
    use->SetComment(kUseLineCommentKey, "# line");
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
    for (const auto& [key, value] : {std::pair{"name", "drink"}, std::pair{"#", "\t\t# note\r\n"}, std::pair{"#@@use", "# line"},
                                     std::pair{"job[]", "smith 10|"}, std::pair{"#job[]", "\t# job|"}, std::pair{"@@use", "<undefined>"}})
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
