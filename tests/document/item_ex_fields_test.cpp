// Extension fields split into the values the dialog shows and joined again,
// flags, and the choices of list slots.
#include "document/item_ex_fields.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "document/rule_table.h"
#include "document_test_helpers.h"

namespace {

using Strs = std::vector<std::string>;
using dtest::Strings;

ItemExParams Slots(uint32_t t1, uint32_t t2, uint32_t t3, const char* separator, const char* pattern = nullptr,
                   const char* options = "g")
{
    ItemExParams params;
    params.type[0] = t1, params.type[1] = t2, params.type[2] = t3;
    params.separator = separator;
    params.regexSep = pattern != nullptr;
    params.sepRegexPattern = pattern ? pattern : "";
    params.regexOpt = options;
    return params;
}

Strs SplitSlots(const ItemExParams& params, const char* text)
{
    CStr_base<64> slots[kItemExSlotCount];
    SplitItemExSlots(params, text, slots);
    return {slots[0].GetBuffer(), slots[1].GetBuffer(), slots[2].GetBuffer()};
}

} // namespace

TEST(ItemExText, SplittingIntoPiecesAndSlots)
{
    dtest::Document doc; // registers the editor's user matcher
    const char* const sep = SJ("%/0w%[,、%]%/0w");
    struct Case {
        ItemExParams params;
        std::string text;
        Strs pieces;
        Strs slots;
        uint32_t maxSteps = 0; // the pattern's budget, 0 for none
    };
    const Case cases[] = {
        {Slots(0x200, 0x200, 0x200, "::"), "a::b::c::d", {"a", "b", "c", "d"}, {"a", "b", "c"}},
        {Slots(0x200, 0x200, 0x200, "::"), "a", {"a", "", ""}, {"a", "", ""}},
        {Slots(0x200, 0x200, 0x200, "::"), "a:::b", {"a", ":b", ""}, {"a", ":b", ""}},
        // The second byte of this character is "|".
        {Slots(0x200, 0x200, 0, "|"), "\x83\x7c|b", {"\x83\x7c", "b", ""}, {"\x83\x7c", "b", ""}},
        {Slots(0x200, 0x200, 0, ""), "a,b", {"a,b", "", ""}, {"a,b", "", ""}},
        {Slots(0x200, 0, 0x307, ":"), "a:b:c", {"a", "b", "c"}, {"a", "", "b"}}, // unused slots take no piece
        {Slots(0x305, 0x304, 0x200, ",", sep), SJ("smith , 鉄、 note"), {"smith", SJ("鉄"), "note"},
         {"smith", SJ("鉄"), "note"}},
        {Slots(0x305, 0x304, 0x200, ",", sep), "one", {"one", "", ""}, {"one", "", ""}},
        {Slots(0x305, 0x304, 0x200, ",", sep), SJ("a、b,c,d"), {"a", "b", "c", "d"}, {"a", "b", "c"}},
        {Slots(0x200, 0x200, 0x200, ",", ";", ""), "a;b;c", {"a", "b;c", ""}, {"a", "b;c", ""}}, // one match without g
        {Slots(0x200, 0x200, 0x200, ",", ";"), "a;b;c", {"a", "b", "c"}, {"a", "b", "c"}},
        // A rule's pattern that goes over its budget splits nothing off.
        {Slots(0x200, 0x200, 0x200, ",", ";"), "a;b;c", {"a;b;c", "", ""}, {"a", "b", "c"}, 2},
    };
    for (const Case& c : cases) {
        CStrArray_base<64> pieces;
        CStrRegexBudget budget;
        budget.maxSteps = c.maxSteps;
        EXPECT_EQ(SplitItemExText(c.params, c.text.c_str(), pieces, c.maxSteps ? &budget : nullptr), !c.maxSteps);
        EXPECT_EQ(Strings(pieces), c.pieces) << c.text;
        EXPECT_EQ(SplitSlots(c.params, c.text.c_str()), c.slots) << c.text;
    }
}

// The used slots joined with the literal separator (also when a pattern
// splits); the empty text when every one of them is empty.
TEST(ItemExText, JoiningSlots)
{
    struct Case {
        ItemExParams params;
        CStr_base<64> slots[kItemExSlotCount];
        const char* text;
    };
    const Case cases[] = {
        {Slots(0x200, 0x200, 0x200, ":"), {"", "", ""}, ""},
        {Slots(0x200, 0x200, 0x200, ":"), {"", "x", ""}, ":x:"},
        {Slots(0, 0, 0, ":"), {"a", "b", "c"}, ""},
        {Slots(0x200, 0x200, 0, ""), {"a", "b", "x"}, "ab"},
        {Slots(0x200, 0, 0x307, ":"), {"a", "ignored", "b"}, "a:b"},
        {Slots(0x305, 0x304, 0x200, ",", ";"), {"a", "b", "c"}, "a,b,c"},
    };
    for (const Case& c : cases) {
        CStr_base<64> text;
        JoinItemExSlots(c.params, c.slots, text);
        EXPECT_STREQ(text, c.text) << c.slots[0].GetBuffer() << c.slots[1].GetBuffer() << c.slots[2].GetBuffer();
    }
}

TEST(ItemExFlags, SplitAndJoinUsedFlagsOnly)
{
    ItemExParams params = Slots(0x100, 0, 0, "|");
    params.checkInfo[0] = "zero";
    params.checkKey[0] = "z";
    params.checkInfo[2] = "two";
    params.checkKey[2] = "t";
    params.checkKey[3] = "nocaption"; // not used: no caption
    params.checkInfo[4] = "nokey";    // not used: no key

    bool checked[kItemExFlagCount];
    SplitItemExFlags(params, "t|bogus|nocaption|z", checked);
    std::string flags;
    for (bool flag : checked)
        flags += flag ? '1' : '0';
    EXPECT_EQ(flags, "1010000000");
    CStr_base<64> text;
    JoinItemExFlags(params, checked, text);
    EXPECT_STREQ(text, "z|t"); // flag order; unknown tokens are dropped

    bool none[kItemExFlagCount] = {};
    none[3] = true; // an unused flag is never stored
    JoinItemExFlags(params, none, text);
    EXPECT_STREQ(text, "");
}

TEST(ItemExChoices, ListsStartWithTheEmptyEntry)
{
    dtest::Document doc({.beta = true});
    doc.Parse(SJ("@@DEFINE\ntype1 weapon\ntype2 food\njob smith 鍛冶屋\njob cook 料理人\n"
                 "@@ITEM\n\tno\t10\n\tcode\tsw\n\tname\tSword\n@@ITEM\n\tno\t11\n\tcode\tbr\n\tname\tBread\n"
                 "@@EVENT\n\tcode\tfest\n"));
    // A user list is shown sorted by byte value.
    CSettingsStore tree;
    ASSERT_TRUE(tree.LoadText("[L]\nb=2\na=1\nC=3\n\x88\xea=4\n[EndSection]\n"));
    struct Case {
        uint32_t type;
        Strs shown;
        Strs stored;
    };
    const Case cases[] = {
        {0x301, {"", "Sword", "Bread"}, {"", "Sword", "Bread"}},
        {0x302, {"", "Sword", "Bread"}, {"", "sw", "br"}},
        {0x303, {"", "Sword", "Bread"}, {"", "10", "11"}},
        {0x304, {"", "weapon", "food"}, {"", "weapon", "food"}},
        {0x305, {"", SJ("鍛冶屋"), SJ("料理人")}, {"", "smith", "cook"}},
        {0x306, {"", "fest"}, {"", "fest"}},
        {0x307, {"", "C", "a", "b", "\x88\xea"}, {"", "3", "1", "2", "4"}},
        {0x200, {}, {}}, // no list
        {0x100, {}, {}},
    };
    for (const Case& c : cases) {
        for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
            ItemExParams params = Slots(0x200, 0x200, 0x200, ",");
            params.type[slot] = c.type;
            params.userList[slot] = *tree.GetRoot()->sections.Lookup("L");
            CStrArray_base<64> shown, stored;
            ItemExListChoices(params, slot, doc, shown, stored);
            EXPECT_EQ(Strings(shown), c.shown) << c.type << " in slot " << slot;
            EXPECT_EQ(Strings(stored), c.stored) << c.type << " in slot " << slot;
            // The index of the first equal choice, else the empty entry.
            EXPECT_TRUE(c.type != 0x303 || (FindItemExChoice(stored, "11") == 2 && FindItemExChoice(stored, "12") == 0));
        }
    }
    // A user list slot without its section offers the empty entry alone.
    CStrArray_base<64> shown, stored;
    ItemExListChoices(Slots(0x307, 0, 0, ","), 0, doc, shown, stored);
    EXPECT_EQ(Strings(stored), Strs{""});
}
