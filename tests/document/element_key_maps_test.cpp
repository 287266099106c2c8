// Elements take the keys of their kind in one step from maps built from the
// key lists; they must end up with the maps that adding the keys one by one
// gives: every key of the kind, in the same iteration order, lists and list
// comments alike, and the entry of the comment-only lines.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/element_key_maps.h"
#include "document/merx_reader.h"
#include "document_test_helpers.h"
#include "../map_keys.h"

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

struct RuleCase {
    const char* name;
    bool beta;
    bool includeAsElement;
};

} // namespace

class ElementKeyMaps : public ::testing::TestWithParam<RuleCase> {};

TEST_P(ElementKeyMaps, ParsedElementsHoldTheKeysInTheOrderOfAddingThemOneByOne)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(GetParam().beta, GetParam().includeAsElement);
    // Extension keys: new ones, one that repeats a standard key, and keys
    // too long for an entry's key buffer.
    doc.AddItemExtensionKey("exname");
    doc.AddItemExtensionKey("name");
    doc.AddItemExtensionKey("an-item-extension-key-longer-than-thirty");
    doc.AddUseExtensionKey("exfield", false);
    doc.AddUseExtensionKey("exlist", true);
    doc.AddUseExtensionKey("a-use-extension-list-key-longer-than-thirty", true);

    const std::string text = "@@ITEM\n\tno\t1\n\tprice\t5\t# c\n\t@@USE\n\t\tname\tn\n\t\tjob\tj\n\t\tget\t1\tx\n"
                             "\t\texlist\tv\t# l\n\t@@USE\n\t\tname\tm\n@@EVENT\n\tcode\te\t# d\n";
    ASSERT_TRUE(CMerxReader(doc).Parse(text.c_str()));
    ASSERT_EQ(doc.itemdata.GetCount(), 1u);
    ASSERT_EQ(doc.eventdata.GetCount(), 1u);
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
    EXPECT_EQ(dtest::Field(doc.eventdata[0], "code"), "e");
    EXPECT_STREQ(doc.eventdata[0].GetComment("code"), "\t# d");
}

TEST_P(ElementKeyMaps, ASingleElementReadAfterTheKeyListsChangeTakesTheNewKeys)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(!GetParam().beta, GetParam().includeAsElement);
    CMerxReader reader(doc);
    doc.RebuildKeyLists(GetParam().beta, GetParam().includeAsElement);
    doc.AddItemExtensionKey("late");
    Citemstruct item;
    uint32_t line = 0;
    ASSERT_TRUE(reader.ParseItem(item, "@@ITEM\n\tlate\tx\n", line));
    EXPECT_EQ(Keys(item.fields), KeysAddedOneByOne({&doc.itemkeys, &doc.itemextkeys}));
    EXPECT_EQ(dtest::Field(item, "late"), "x");
    EXPECT_TRUE(doc.m_strApplyError.IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(Rules, ElementKeyMaps,
                         ::testing::Values(RuleCase{"Stable", false, false}, RuleCase{"Beta", true, false},
                                           RuleCase{"BetaIncludes", true, true}),
                         [](const ::testing::TestParamInfo<RuleCase>& info) { return std::string(info.param.name); });
