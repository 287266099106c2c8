// The rule table, applying a rule, and the text of extension fields.
#include "document/rule_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "../temp_folder.h"
#include "document_test_helpers.h"
#include "foundation/sjis_literal.h"

namespace {

namespace fs = std::filesystem;
using Strs = std::vector<std::string>;

const char* const kSampleFolder = TAVARO_SOURCE_DIR "/examples/makeitem_rules";

std::string Value(CSettingsStore& tree, const char* path)
{
    const CStr_base<64>* value = tree.GetValue(path);
    return value ? value->GetBuffer() : "<missing>";
}

Strs Strings(const CStrArray_base<64>& list)
{
    Strs out;
    for (const CStr_base<64>& s : list)
        out.emplace_back(s.GetBuffer());
    return out;
}

// Rule rows one a line: name, slot types, separator, options, the pattern
// when it splits, "array" for a list, the used flags and the slots with a
// user list.
std::string Describe(const CArrayAuto<ItemExParams>& rows)
{
    std::ostringstream out;
    for (const ItemExParams& p : rows) {
        out << p.name.GetBuffer() << std::hex << " " << p.type[0] << "," << p.type[1] << "," << p.type[2] << std::dec
            << " sep=" << p.separator.GetBuffer() << " opt=" << p.regexOpt.GetBuffer();
        if (p.regexSep)
            out << " regex=" << p.sepRegexPattern.GetBuffer();
        if (p.array)
            out << " array";
        const char* lead = " flags=";
        for (uint32_t i = 0; i < kItemExFlagCount; ++i) {
            if (p.IsFlagUsed(i)) {
                out << lead << i << ":" << p.checkKey[i].GetBuffer();
                lead = ",";
            }
        }
        lead = " lists=";
        for (uint32_t i = 0; i < kItemExSlotCount; ++i) {
            if (p.userList[i]) {
                out << lead << i + 1;
                lead = ",";
            }
        }
        out << "\n";
    }
    return out.str();
}

// Writes a rule file with each LF as CR LF, as the editor's files are kept.
void PutRule(const TempFolder& folder, const std::string& name, const std::string& text)
{
    std::string bytes;
    for (char c : text)
        bytes += c == '\n' ? std::string("\r\n") : std::string(1, c);
    folder.Put(name, bytes);
}

// A rule table and a document to apply its rules to: the sample rules, or
// one rule "t.sir" read from a text.
struct Rules {
    TempFolder folder;
    CRuleTable table;
    CMerxDocument doc;
    CAppliedRule applied;
    CStr_base<64> message;

    Rules() { LoadRuleTable(table, kSampleFolder); }
    explicit Rules(const std::string& text)
    {
        PutRule(folder, "t.sir", text);
        LoadRuleTable(table, folder.Path().c_str());
    }
    bool Apply(const char* key, bool includeAsElement = false, ItemExRowReader reader = ReadItemExParams)
    {
        return ApplyRule(table, key, includeAsElement, applied, doc, message, reader);
    }
};

} // namespace

TEST(RuleTypeCodes, KeywordsAreComparedExactly)
{
    const std::pair<const char*, uint32_t> codes[] = {
        {"CHECK", 0x100},         {"EDIT", 0x200},          {"LIST_ITEMNAME", 0x301}, {"LIST_ITEMCODE", 0x302},
        {"LIST_ITEMNO", 0x303},   {"LIST_ITEMTYPE", 0x304}, {"LIST_JOB", 0x305},      {"LIST_EVENTCODE", 0x306},
        {"LIST_USER", 0x307},     {"edit", 0},              {"EDIT ", 0},             {"", 0}};
    for (const auto& [keyword, code] : codes)
        EXPECT_EQ(ItemExTypeCode(keyword), code) << keyword;
}

TEST(RuleKey, IsTheFileNameWithItsExtensionBesideTheProgram)
{
    EXPECT_STREQ(RuleKeyOfPath("C:\\tool\\makeitem_rules\\harbor.sir"), "harbor.sir");
    EXPECT_STREQ(RuleKeyOfPath("harbor.sir"), "harbor.sir");
    EXPECT_STREQ(RuleKeyOfPath("/tmp/x\\a.b.sir"), "a.b.sir");
    const std::string folder = RuleFolderBesideProgram().GetBuffer();
    ASSERT_GT(folder.size(), 15u);
    EXPECT_EQ(folder.substr(folder.size() - 15), "\\makeitem_rules");
}

TEST(RuleTable, BuiltInRulesAndSampleFiles)
{
    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, kSampleFolder), 2u);
    for (const auto& [key, beta] : {std::pair{StableRuleKey(), "false"}, std::pair{BetaRuleKey(), "true"}}) {
        CSettingsStore* tree = table.Lookup(key);
        ASSERT_NE(tree, nullptr);
        EXPECT_EQ(Value(*tree, "/RuleName"), key);
        EXPECT_EQ(Value(*tree, "/BetaEnable"), beta);
    }
    EXPECT_STREQ(StableRuleKey(), SJ("標準 安定版(020728)"));
    EXPECT_STREQ(BetaRuleKey(), SJ("標準 ベータ版(040318)"));
    CSettingsStore* harbor = table.Lookup("harbor-beta.sir");
    ASSERT_NE(harbor, nullptr);
    EXPECT_EQ(Value(*harbor, "/RuleName"), SJ("港町ルール ベータ版"));
    EXPECT_EQ(Value(*harbor, "/ItemRules/0/Name"), "Grade");
    ASSERT_NE(table.Lookup("harbor-stable.sir"), nullptr);
    EXPECT_EQ(table.GetCount(), 4u);
}

TEST(RuleTable, OnlyFilesEndingInSir)
{
    TempFolder folder;
    for (const char* name : {"b.sir", "a.SIR", "c.txt", "d.sir.bak"})
        PutRule(folder, name, std::string("RuleName=") + name + "\n");
    fs::create_directories(fs::path(folder.Path()) / "e.sir");

    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, folder.Path().c_str()), 2u);
    ASSERT_NE(table.Lookup("a.SIR"), nullptr);
    ASSERT_NE(table.Lookup("b.sir"), nullptr);
    EXPECT_EQ(Value(*table.Lookup("a.SIR"), "/RuleName"), "a.SIR");
    EXPECT_EQ(Value(*table.Lookup("b.sir"), "/RuleName"), "b.sir");
    for (const char* name : {"c.txt", "d.sir.bak", "e.sir"})
        EXPECT_EQ(table.Lookup(name), nullptr) << name;
}

TEST(RuleTable, MissingOrEmptyFolderGivesTheBuiltInRulesOnly)
{
    for (const char* folder : {"/nonexistent/tavaro/makeitem_rules", ""}) {
        CRuleTable table;
        EXPECT_EQ(LoadRuleTable(table, folder), 0u);
        EXPECT_NE(table.Lookup(StableRuleKey()), nullptr);
        EXPECT_NE(table.Lookup(BetaRuleKey()), nullptr);
    }
}

TEST(RuleTable, UnreadableFileLeavesAnEmptyTree)
{
    TempFolder folder;
    fs::create_symlink(fs::path(folder.Path()) / "nowhere", fs::path(folder.Path()) / "broken.sir");
    PutRule(folder, "zero.sir", std::string("RuleName=Z\n\0x=y\n", 16));

    CRuleTable table;
    EXPECT_EQ(LoadRuleTable(table, folder.Path().c_str()), 2u);
    CSettingsStore* broken = table.Lookup("broken.sir");
    ASSERT_NE(broken, nullptr);
    EXPECT_EQ(Value(*broken, "/RuleName"), "<missing>");
    EXPECT_EQ(broken->GetRoot()->sections.Lookup("ItemRules"), nullptr);
    CSettingsStore* zero = table.Lookup("zero.sir");
    ASSERT_NE(zero, nullptr);
    EXPECT_EQ(Value(*zero, "/RuleName"), "<missing>");
}

TEST(RuleTable, RefusedLineKeepsWhatWasReadBeforeAndReloadingReplacesTheTree)
{
    Rules rules("RuleName=X\n[EndSection]\nBetaEnable=true\n");
    CSettingsStore* tree = rules.table.Lookup("t.sir");
    ASSERT_NE(tree, nullptr);
    EXPECT_EQ(Value(*tree, "/RuleName"), "X");
    EXPECT_EQ(Value(*tree, "/BetaEnable"), "<missing>");

    PutRule(rules.folder, "t.sir", "RuleName=Old\nBetaEnable=true\n");
    LoadRuleTable(rules.table, rules.folder.Path().c_str());
    PutRule(rules.folder, "t.sir", "RuleName=New\n");
    LoadRuleTable(rules.table, rules.folder.Path().c_str());
    EXPECT_EQ(Value(*rules.table.Lookup("t.sir"), "/RuleName"), "New");
    EXPECT_EQ(Value(*rules.table.Lookup("t.sir"), "/BetaEnable"), "<missing>");
}

TEST(ApplyRule, UnknownKeyFailsWithoutMessage)
{
    Rules rules;
    rules.applied.ruleKey = "before";
    EXPECT_FALSE(rules.Apply("missing.sir"));
    EXPECT_STREQ(rules.message, "");
    EXPECT_STREQ(rules.applied.ruleKey, "before");
}

TEST(ApplyRule, BuiltInRulesSetTheKindOfKeyLists)
{
    Rules rules;
    ASSERT_TRUE(rules.Apply(BetaRuleKey(), true));
    EXPECT_STREQ(rules.applied.ruleKey, BetaRuleKey());
    EXPECT_STREQ(rules.applied.ruleName, BetaRuleKey());
    EXPECT_TRUE(rules.applied.beta);
    EXPECT_TRUE(rules.doc.IsBeta());
    EXPECT_TRUE(rules.doc.IsIncludeAsElement());
    EXPECT_EQ(Strings(rules.doc.uselistkeys), (Strs{"job", "ung", "argselect", "@@include"}));
    EXPECT_EQ(rules.applied.itemRules.GetCount() + rules.applied.useRules.GetCount(), 0u);

    ASSERT_TRUE(rules.Apply(StableRuleKey()));
    EXPECT_FALSE(rules.applied.beta);
    EXPECT_FALSE(rules.doc.IsBeta());
    EXPECT_EQ(Strings(rules.doc.uselistkeys), (Strs{"job", "ung"}));
}

TEST(ApplyRule, SampleRules)
{
    Rules rules;
    ASSERT_TRUE(rules.Apply("harbor-beta.sir"));
    EXPECT_STREQ(rules.message, "");
    EXPECT_STREQ(rules.applied.ruleKey, "harbor-beta.sir");
    EXPECT_STREQ(rules.applied.ruleName, SJ("港町ルール ベータ版"));
    EXPECT_TRUE(rules.applied.beta);
    EXPECT_TRUE(rules.doc.IsBeta());
    EXPECT_FALSE(rules.doc.IsIncludeAsElement());
    EXPECT_EQ(Describe(rules.applied.itemRules),
              "grade 100,0,0 sep=| opt=g flags=0:novice,1:expert,2:gift,3:import,4:local,5:fragile,6:fresh,7:danger,"
              "8:limited,9:hidden\nseason 307,306,0 sep=: opt=g lists=1\nmaker 305,304,200 sep=, opt=g regex=" +
                  std::string(SJ("%/0w%[,、%]%/0w")) + "\n");
    EXPECT_EQ(Describe(rules.applied.useRules), "eventneed 306,0,0 sep= opt=g\nreward 301,200,307 sep=, opt=g array "
                                                "lists=3\ntoolref 303,302,0 sep=/ opt=g\n");
    const ItemExParams& season = rules.applied.itemRules[1];
    EXPECT_STREQ(rules.applied.itemRules[0].checkInfo[0], SJ("初心者向け"));
    EXPECT_STREQ(season.info[0], SJ("よく売れる季節"));
    const CStr_base<64>* spring = season.userList[0]->values.Lookup(SJ("春"));
    ASSERT_NE(spring, nullptr);
    EXPECT_STREQ(*spring, "spring");
    EXPECT_EQ(Strings(rules.doc.itemextkeys), (Strs{"grade", "season", "maker"}));
    EXPECT_EQ(Strings(rules.doc.usefieldextkeys), (Strs{"eventneed", "toolref"}));
    EXPECT_EQ(Strings(rules.doc.uselistextkeys), (Strs{"reward"}));
    EXPECT_EQ(rules.doc.usekeys.GetCount(), 18u);

    // The next rule replaces the extension fields; reused records keep
    // nothing of the earlier rule's. "CHECK" counts only in the first slot.
    ASSERT_TRUE(rules.Apply("harbor-stable.sir", true));
    EXPECT_FALSE(rules.applied.beta);
    EXPECT_STREQ(rules.applied.ruleName, SJ("港町ルール 安定版"));
    EXPECT_EQ(Describe(rules.applied.itemRules), "rank 307,0,0 sep= opt=g lists=1\nmaterial 301,200,0 sep=: opt=g\n"
                                                 "shelf 100,200,0 sep=| opt=g flags=0:front,1:store,2:cool,3:locked\n");
    EXPECT_EQ(Strings(rules.doc.itemextkeys), (Strs{"rank", "material", "shelf"}));
    EXPECT_EQ(Strings(rules.doc.usefieldextkeys), (Strs{"place", "tool"}));
    EXPECT_EQ(Strings(rules.doc.uselistextkeys), (Strs{"bonus"}));
    EXPECT_EQ(Strings(rules.doc.itemkeys).back(), "@@include");
}

TEST(ApplyRule, RowsStopAtTheFirstMissingNumberAndSkipEmptyNames)
{
    // Only "true" makes a beta rule; item rules hold no lists; names are
    // lower-cased for ASCII letters only, a double-byte character stays
    // whole; "RegexSep" counts only as "true".
    Rules rules("RuleName=R\nBetaEnable=TRUE\n"
                "[ItemRules]\n"
                "[0]\nName=First\nArray=true\nType1=EDIT\nType2=CHECK\n[EndSection]\n"
                "[1]\nName=\nType1=EDIT\n[EndSection]\n"
                "[2]\nType1=EDIT\n[EndSection]\n"
                "[3]\nName=\x83\x41X\x83Z\nRegexOpt=\nRegexSep=True\nCheckInfo4=c\nCheckKey4=k\nCheckKey3=k\n[EndSection]\n"
                "[5]\nName=Never\n[EndSection]\n"
                "[EndSection]\n"
                "[UseRules]\n"
                "[1]\nName=Missing0\n[EndSection]\n"
                "[EndSection]\n");
    ASSERT_TRUE(rules.Apply("t.sir"));
    EXPECT_STREQ(rules.applied.ruleName, "R");
    EXPECT_FALSE(rules.applied.beta);
    EXPECT_EQ(Describe(rules.applied.itemRules), "first 200,0,0 sep= opt=g\n\x83\x41x\x83Z 0,0,0 sep= opt= flags=4:k\n");
    EXPECT_EQ(rules.applied.useRules.GetCount(), 0u);
    EXPECT_EQ(Strings(rules.doc.itemextkeys), (Strs{"first", "\x83\x41x\x83Z"}));

    Rules empty("");
    ASSERT_TRUE(empty.Apply("t.sir"));
    EXPECT_STREQ(empty.applied.ruleName, "");
    EXPECT_FALSE(empty.applied.beta);
    EXPECT_EQ(empty.doc.itemkeys.GetCount(), 14u);
}

TEST(ApplyRule, RaiseWhileReadingARowNamesTheRow)
{
    Rules rules("[ItemRules]\n[0]\nName=Good\n[EndSection]\n[1]\nName=BAD\n[EndSection]\n[EndSection]\n");
    const ItemExRowReader raising = [](const CRuleSection& row, bool useRule, ItemExParams& params) {
        ReadItemExParams(row, useRule, params);
        if (params.name == "bad")
            throw static_cast<int32_t>(0);
    };
    EXPECT_FALSE(rules.Apply("t.sir", false, raising));
    EXPECT_STREQ(rules.message, SJ("ルールファイルの解析中にエラーが発生しました。\n\"BAD\"の解析に失敗しました。"));
}

namespace {

ItemExParams Slots(uint32_t t1, uint32_t t2, uint32_t t3, const char* separator, const char* pattern = nullptr,
                   const char* options = "g")
{
    ItemExParams params;
    params.type[0] = t1;
    params.type[1] = t2;
    params.type[2] = t3;
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
    };
    const Case cases[] = {
        {Slots(0x200, 0x200, 0x200, "::"), "a::b::c::d", {"a", "b", "c", "d"}, {"a", "b", "c"}},
        {Slots(0x200, 0x200, 0x200, "::"), "a", {"a", "", ""}, {"a", "", ""}},
        {Slots(0x200, 0x200, 0x200, "::"), "", {"", "", ""}, {"", "", ""}},
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
    };
    for (const Case& c : cases) {
        CStrArray_base<64> pieces;
        SplitItemExText(c.params, c.text.c_str(), pieces);
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
        {Slots(0x200, 0x200, 0x200, ":"), {"a", "b", "c"}, "a:b:c"},
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

TEST(ItemExFlags, SplitAndJoin)
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
    for (uint32_t i = 0; i < 5; ++i)
        flags += checked[i] ? '1' : '0';
    EXPECT_EQ(flags, "10100");

    CStr_base<64> text;
    JoinItemExFlags(params, checked, text);
    EXPECT_STREQ(text, "z|t"); // flag order; unknown tokens are dropped

    bool none[kItemExFlagCount] = {};
    none[3] = true; // an unused flag is never stored
    JoinItemExFlags(params, none, text);
    EXPECT_STREQ(text, "");

    SplitItemExFlags(params, "", checked);
    for (bool flag : checked)
        EXPECT_FALSE(flag);
}

TEST(ItemExChoices, ListsStartWithTheEmptyEntry)
{
    dtest::Document doc({.beta = true});
    doc.Parse(SJ("@@DEFINE\ntype1 weapon\ntype2 food\njob smith 鍛冶屋\njob cook 料理人\n"
                 "@@ITEM\n\tno\t10\n\tcode\tsw\n\tname\tSword\n@@ITEM\n\tno\t11\n\tcode\tbr\n\tname\tBread\n"
                 "@@EVENT\n\tcode\tfest\n"));
    ASSERT_EQ(doc.itemdata.GetCount(), 2u);
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
        {0x307, {""}, {""}}, // a "LIST_USER" slot without its section
        {0x200, {}, {}},     // no list
        {0x100, {}, {}},
    };
    for (const Case& c : cases) {
        for (uint32_t slot = 0; slot < kItemExSlotCount; ++slot) {
            ItemExParams params = Slots(0x200, 0x200, 0x200, ",");
            params.type[slot] = c.type;
            CStrArray_base<64> shown, stored;
            ItemExListChoices(params, slot, doc, shown, stored);
            EXPECT_EQ(Strings(shown), c.shown) << c.type << " in slot " << slot;
            EXPECT_EQ(Strings(stored), c.stored) << c.type << " in slot " << slot;
        }
    }
    CStrArray_base<64> shown, stored;
    ItemExListChoices(Slots(0x303, 0, 0, ","), 0, doc, shown, stored);
    EXPECT_EQ(FindItemExChoice(stored, "11"), 2u);
    EXPECT_EQ(FindItemExChoice(stored, "12"), 0u);
    EXPECT_EQ(FindItemExChoice(stored, ""), 0u);
}

TEST(ItemExChoices, UserListIsSortedByByteValue)
{
    Rules rules("[ItemRules]\n[0]\nName=u\nType2=LIST_USER\n[UserList2]\nb=2\na=1\nC=3\n\x88\xea=4\n"
                "[EndSection]\n[EndSection]\n[EndSection]\n");
    ASSERT_TRUE(rules.Apply("t.sir"));
    ASSERT_EQ(rules.applied.itemRules.GetCount(), 1u);
    CStrArray_base<64> shown, stored;
    ItemExListChoices(rules.applied.itemRules[0], 1, rules.doc, shown, stored);
    EXPECT_EQ(Strings(shown), (Strs{"", "C", "a", "b", "\x88\xea"}));
    EXPECT_EQ(Strings(stored), (Strs{"", "3", "1", "2", "4"}));
}

TEST(ApplyRule, ParsedElementsCarryTheExtensionFields)
{
    CRuleTable table;
    LoadRuleTable(table, kSampleFolder);
    dtest::Document doc;
    CAppliedRule applied;
    CStr_base<64> message;
    ASSERT_TRUE(ApplyRule(table, "harbor-beta.sir", false, applied, doc, message));
    EXPECT_EQ(doc.Parse("@@ITEM\n\tno\t1\n\tname\tSword\n\tgrade\thidden|novice|gift\n"
                        "\t@@USE\n\t\tname\tpolish\n\t\treward\tSword,1,always\n\t\treward\tSword,2,rare\n"),
              "");
    ASSERT_EQ(doc.itemdata.GetCount(), 1u);
    const Citemstruct& item = doc.itemdata[0];
    EXPECT_EQ(dtest::Look(item, "grade"), "hidden|novice|gift");
    EXPECT_EQ(dtest::Look(item, "season"), "");
    ASSERT_EQ(item.uses.GetCount(), 1u);
    EXPECT_EQ(dtest::Look(item.uses[0], "reward[]"), "Sword,1,always|Sword,2,rare|");
    EXPECT_EQ(dtest::Look(item.uses[0], "eventneed"), "");

    bool checked[kItemExFlagCount];
    SplitItemExFlags(applied.itemRules[0], *item.GetField("grade"), checked);
    CStr_base<64> text;
    JoinItemExFlags(applied.itemRules[0], checked, text);
    EXPECT_STREQ(text, "novice|gift|hidden");
    EXPECT_EQ(SplitSlots(applied.useRules[1], item.uses[0].GetList("reward")->GetAt(1)->GetBuffer()),
              (Strs{"Sword", "2", "rare"}));
}
