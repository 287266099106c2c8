// Key lists of the stable and beta rules, with and without @@include as an
// element, and the extension keys of a rule.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/merx_document.h"

namespace {

std::vector<std::string> Keys(const CStrArray_base<64>& list)
{
    std::vector<std::string> out;
    for (const CMerxString& key : list)
        out.emplace_back(key.GetBuffer());
    return out;
}

using Keys_t = std::vector<std::string>;

} // namespace

TEST(KeyLists, StableRule)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(false, false);
    EXPECT_FALSE(doc.IsBeta());
    EXPECT_FALSE(doc.IsIncludeAsElement());
    EXPECT_EQ(Keys(doc.itemkeys), (Keys_t{"no", "type", "code", "name", "info", "price", "cost", "limit", "pop",
                                          "scale", "plus", "funct", "base", "point"}));
    EXPECT_EQ(Keys(doc.usekeys), (Keys_t{"name", "price", "time", "exptime", "exp", "scale", "action", "arg",
                                         "argmessage", "info", "okmsg", "ngmsg", "needexp", "param", "func", "funcb"}));
    EXPECT_EQ(Keys(doc.uselistkeys), (Keys_t{"job", "ung"}));
    EXPECT_EQ(Keys(doc.eventkeys), (Keys_t{"start", "basetime", "plustime", "code", "group", "startmsg", "endmsg",
                                           "info", "startfunc", "endfunc", "func"}));
}

TEST(KeyLists, BetaRulePlacesFunctBeforeFuncsAndArgselectBehindInfo)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(true, false);
    EXPECT_TRUE(doc.IsBeta());
    EXPECT_EQ(Keys(doc.itemkeys), (Keys_t{"no", "type", "code", "name", "info", "price", "cost", "limit", "pop",
                                          "scale", "plus", "base", "point", "flag", "funct", "funcs", "funcb"}));
    EXPECT_EQ(Keys(doc.usekeys),
              (Keys_t{"name", "price", "time", "exptime", "exp", "scale", "action", "arg", "argmessage", "info",
                      "argselect", "okmsg", "ngmsg", "needexp", "param", "func", "funcb", "funci"}));
    // argselect is both a field (the heading) and a list (the choices).
    EXPECT_EQ(Keys(doc.uselistkeys), (Keys_t{"job", "ung", "argselect"}));
    EXPECT_EQ(doc.eventkeys.GetCount(), 11u);
}

TEST(KeyLists, IncludeAsElementEndsItemUseListAndEventLists)
{
    for (bool beta : {false, true}) {
        CMerxDocument doc;
        doc.RebuildKeyLists(beta, true);
        EXPECT_TRUE(doc.IsIncludeAsElement());
        EXPECT_EQ(Keys(doc.itemkeys).back(), "@@include");
        EXPECT_EQ(Keys(doc.uselistkeys).back(), "@@include");
        EXPECT_EQ(Keys(doc.eventkeys).back(), "@@include");
        // Use fields never carry @@include.
        for (const std::string& key : Keys(doc.usekeys))
            EXPECT_NE(key, "@@include");
    }
}

TEST(KeyLists, RebuildingReplacesTheLists)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(true, true);
    doc.RebuildKeyLists(false, false);
    EXPECT_EQ(doc.itemkeys.GetCount(), 14u);
    EXPECT_EQ(doc.usekeys.GetCount(), 16u);
    EXPECT_EQ(doc.uselistkeys.GetCount(), 2u);
    EXPECT_EQ(doc.eventkeys.GetCount(), 11u);
    EXPECT_FALSE(doc.IsIncludeAsElement());
}

TEST(KeyLists, ExtensionKeysAreKeptApartFromTheStandardKeys)
{
    CMerxDocument doc;
    doc.RebuildKeyLists(false, false);
    doc.AddItemExtensionKey("rare");
    doc.AddUseExtensionKey("bonus", false);
    doc.AddUseExtensionKey("drops", true);
    EXPECT_EQ(Keys(doc.itemextkeys), (Keys_t{"rare"}));
    EXPECT_EQ(Keys(doc.usefieldextkeys), (Keys_t{"bonus"}));
    EXPECT_EQ(Keys(doc.uselistextkeys), (Keys_t{"drops"}));
    EXPECT_EQ(doc.itemkeys.GetCount(), 14u);
    // A rebuild of the key lists leaves the extension keys of the rule alone.
    doc.RebuildKeyLists(true, false);
    EXPECT_EQ(doc.itemextkeys.GetCount(), 1u);
    doc.ClearExtensionKeys();
    EXPECT_EQ(doc.itemextkeys.GetCount() + doc.usefieldextkeys.GetCount() + doc.uselistextkeys.GetCount(), 0u);
}
