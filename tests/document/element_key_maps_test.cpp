// Elements take the keys of their kind in one step from maps built from the
// key lists; they must end up with the maps that adding the keys one by one
// gives: every key of the kind, in the same iteration order, lists and list
// comments alike, and the entry of the comment-only lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../map_keys.h"
#include "document_test_helpers.h"

namespace {

std::vector<std::string> KeysAddedOneByOne(std::initializer_list<const CStrArray_base<64>*> lists)
{
    CMerxFieldMap map;
    for (const CStrArray_base<64>* list : lists) {
        for (const CMerxString& key : *list)
            map.GetOrInsert(key);
    }
    return Keys(map);
}

} // namespace

TEST(ElementKeyMaps, ParsedElementsHoldTheKeysInTheOrderOfAddingThemOneByOne)
{
    for (const dtest::Rule rule : {dtest::Rule{false, false}, dtest::Rule{true, false}, dtest::Rule{true, true}}) {
        SCOPED_TRACE(rule.beta + 2 * rule.include);
        dtest::Document doc(rule);
        // Extension keys: new ones, one that repeats a standard key, and
        // keys too long for an entry's key buffer.
        for (const char* key : {"exname", "name", "an-item-extension-key-longer-than-thirty"})
            doc.AddItemExtensionKey(key);
        doc.AddUseExtensionKey("exfield", false);
        doc.AddUseExtensionKey("exlist", true);
        doc.AddUseExtensionKey("a-use-extension-list-key-longer-than-thirty", true);
        ASSERT_EQ(doc.Parse("@@ITEM\n\tno\t1\n\tprice\t5\t# c\n\t@@USE\n\t\tname\tn\n\t\tjob\tj\n\t\tget\t1\tx\n"
                            "\t\texlist\tv\t# l\n\t@@USE\n\t\tname\tm\n@@EVENT\n\tcode\te\t# d\n"),
                  "");
        const Citemstruct& item = doc.itemdata[0];
        ASSERT_EQ(item.uses.GetCount(), 2u);
        EXPECT_EQ(Keys(item.fields), KeysAddedOneByOne({&doc.itemkeys, &doc.itemextkeys}));
        EXPECT_EQ(Keys(item.comments), (std::vector<std::string>{"", "price"}));
        for (const Cusestruct& use : item.uses) {
            EXPECT_EQ(Keys(use.fields), KeysAddedOneByOne({&doc.usekeys, &doc.usefieldextkeys}));
            EXPECT_EQ(Keys(use.lists), KeysAddedOneByOne({&doc.uselistkeys, &doc.uselistextkeys}));
            EXPECT_EQ(Keys(use.listcomments), Keys(use.lists));
            EXPECT_NE(use.comments.Lookup(""), nullptr);
        }
        EXPECT_EQ(dtest::Look(item.uses[0], "exlist[]"), "v|");
        EXPECT_EQ(dtest::Look(item.uses[0], "#exlist[]"), "\t# l|");
        EXPECT_EQ(dtest::Look(item.uses[0], "ung[]"), "get\t1\tx\t\t|");
        EXPECT_EQ(Keys(doc.eventdata[0].fields), KeysAddedOneByOne({&doc.eventkeys}));
        EXPECT_EQ(Keys(doc.eventdata[0].comments), (std::vector<std::string>{"", "code"}));
        EXPECT_STREQ(doc.eventdata[0].GetComment("code"), "\t# d");

        // A reader made before the key lists change reads under the new ones;
        // the rule's extension keys stay through the rebuild.
        CMerxReader reader(doc);
        doc.RebuildKeyLists(!rule.beta, rule.include);
        doc.AddItemExtensionKey("late");
        Citemstruct late;
        uint32_t line = 0;
        ASSERT_TRUE(reader.ParseItem(late, "@@ITEM\n\tlate\tx\n\texname\ty\n", line));
        EXPECT_EQ(Keys(late.fields), KeysAddedOneByOne({&doc.itemkeys, &doc.itemextkeys}));
        EXPECT_EQ(dtest::Field(late, "late") + dtest::Field(late, "exname"), "xy");
    }
}
